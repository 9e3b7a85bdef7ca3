// The screen-saver corner without windows or timers: what the stored settings mean, and the
// watching itself as a state machine. The corner thread feeds it what happens (a reload, a poll
// with the pointer's place, the end of the delay) and carries out what it asks for through
// CornerTimers (its two timers, starting the screen saver).
#pragma once

#include "CornerRect.h"
#include "SavePlan.h"

#include <cstdint>

// The five "Settings" values of the corner as both the page and the thread take them, so that
// the page shows what the thread watches and its OK never switches on a corner nobody chose: a
// corner outside 0..4 is none, the numbers are brought inside the page's ranges.
struct CornerSettings {
    int corner = 0;         // 0 none, 1 upper-left, 2 upper-right, 3 lower-left, 4 lower-right
    int pixel = 1;          // tolerance from the corner, 0..25
    int pollMs = 500;       // 50..10000
    int delayMs = 500;      // 50..10000
    int disableCorner = 0;  // the hidden group, same coding as the corner
};
CornerSettings ReadCornerSettings(ProfileStore& profile);
// The delay alone, as ReadCornerSettings takes it: the thread reads it afresh at every poll.
int ReadCornerDelayMs(ProfileStore& profile);

// The corner page's five values as stored and as shown (brought into range), and the writes of
// its save: each value whose shown setting the user changed; one left as shown stays as stored.
struct CornerPageRead {
    MaybeValue stored[5];
    CornerSettings shown;
};
CornerPageRead ReadCornerPage(ProfileStore& profile);
WritePlan PlanCornerSave(ProfileStore& profile, const CornerPageRead& read, const CornerSettings& left);

// What the watcher asks of the thread that drives it.
class CornerTimers {
public:
    virtual ~CornerTimers() = default;
    // Each start answers whether the timer now runs.
    virtual bool StartPollTimer(uint32_t ms) = 0;
    virtual void KillPollTimer() = 0;
    virtual bool StartDelayTimer(uint32_t ms) = 0;
    virtual void KillDelayTimer() = 0;
    virtual void StartScreenSaver() = 0;
    // A timer could not be made; it is tried again at the next reload (poll) or poll (delay).
    virtual void ReportTimerFailure() = 0;
};

class CornerWatcher {
public:
    explicit CornerWatcher(CornerTimers& timers) : m_timers(timers) {}

    // Thread start and every reload. A poll timer that runs keeps its interval; corner 0 stops
    // it (a delay timer under way is left to find the pointer outside the empty rectangle).
    void Reload(const CornerSettings& settings, int screenWidth, int screenHeight);
    // A poll: the pointer's place and the delay as stored now.
    void Poll(int x, int y, int delayMs);
    // The delay timer fired: it is one-shot; the saver starts when the pointer is still there.
    void DelayEnded(int x, int y);
    // The thread ends: both timers go.
    void Stop();

    int Corner() const { return m_corner; }
    bool Polling() const { return m_polling; }

private:
    CornerTimers& m_timers;
    int m_corner = 0;
    CornerRect m_rect;
    bool m_polling = false;
    bool m_delaying = false;
    bool m_started = false;  // the delay was armed during the pointer's present stay
};
