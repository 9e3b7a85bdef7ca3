// The auto-randomize period held in 64 bits, and the countdown of timer ticks that covers it:
// a window timer waits at most kMaxTimerPeriodMs (about 24.8 days) while the page allows 70000
// minutes (about 48.6 days), so a long period is counted down in ticks no longer than that.
#pragma once

#include <cstdint>

// "Time" minutes as milliseconds; at least one minute, so a zero or negative stored value
// never makes the timer fire continuously.
int64_t AutoRandomizePeriodMs64(int minutes);

class AutoRandomizeCountdown {
public:
    // Starts a whole period; the first tick's length.
    uint32_t Start(int minutes);
    // One tick has passed. True when the period is over (time to change the wallpaper; the
    // next period has begun). nextTickMs is the length of the next tick either way.
    bool Tick(uint32_t& nextTickMs);
    uint32_t TickMs() const { return m_tickMs; }
    int64_t RemainingMs() const { return m_remainingMs; }

private:
    void NextTick();
    int64_t m_periodMs = 0;
    int64_t m_remainingMs = 0;
    uint32_t m_tickMs = 0;
};
