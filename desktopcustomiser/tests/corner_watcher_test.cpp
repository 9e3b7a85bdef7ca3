#include "CornerWatcher.h"
#include "framework/ProfileStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the watcher asks for; a start fails while its flag says so.
struct RecordedTimers : CornerTimers {
    std::vector<std::string> log;
    bool pollFails = false, delayFails = false;
    bool StartPollTimer(uint32_t ms) override { return Start("poll", ms, pollFails); }
    void KillPollTimer() override { log.push_back("kill poll"); }
    bool StartDelayTimer(uint32_t ms) override { return Start("delay", ms, delayFails); }
    void KillDelayTimer() override { log.push_back("kill delay"); }
    void StartScreenSaver() override { log.push_back("saver"); }
    void ReportTimerFailure() override { log.push_back("failure"); }
    bool Start(const char* name, uint32_t ms, bool fails)
    {
        log.push_back(std::string(name) + " " + std::to_string(ms));
        return !fails;
    }
};

// One thing that happens to the watcher on a 640 x 480 screen; the pointer at (639, 0) is in the
// upper-right corner with no tolerance, (600, 200) is not.
struct Event {
    enum Kind { Reload, Poll, Delay, Stop, FailPoll, FailDelay, Heal } kind;
    int corner = 0, pollMs = 500, delayMs = 500;
    bool inside = false;
};
Event Load(int corner, int pollMs = 500) { return {Event::Reload, corner, pollMs}; }
Event PollAt(bool inside, int delayMs = 500) { return {Event::Poll, 0, 500, delayMs, inside}; }
Event DelayAt(bool inside) { return {Event::Delay, 0, 500, 500, inside}; }

struct Case {
    const char* name;
    std::vector<Event> events;
    std::vector<std::string> actions;
};

}  // namespace

TEST(CornerWatcher, DrivesItsTimersAndTheSaverAsThePointerMoves)
{
    const bool in = true, out = false;
    const Case cases[] = {
        {"rests for the delay: the saver starts", {Load(2), PollAt(in, 700), DelayAt(in)},
         {"poll 500", "delay 700", "kill delay", "saver"}},
        {"once per stay: back again only after leaving",
         {Load(2), PollAt(in), DelayAt(in), PollAt(in), PollAt(in), PollAt(out), PollAt(in)},
         {"poll 500", "delay 500", "kill delay", "saver", "delay 500"}},
        {"leaves before the delay: nothing starts", {Load(2), PollAt(in), PollAt(out), DelayAt(out)},
         {"poll 500", "delay 500", "kill delay"}},
        {"moved away when the delay ends", {Load(2), PollAt(in), DelayAt(out)},
         {"poll 500", "delay 500", "kill delay"}},
        {"the watched interval is kept across a reload until the corner was none",
         {Load(2, 500), Load(3, 2000), Load(0, 2000), Load(0, 2000), Load(2, 2000)},
         {"poll 500", "kill poll", "poll 2000"}},
        {"no corner: no timer, polls do nothing", {Load(0), PollAt(in), DelayAt(in)}, {}},
        {"a stored corner outside 0..4 is none", {Load(7), Load(-1)}, {}},
        {"reloaded to none while arming: the delay finds the empty rectangle",
         {Load(2), PollAt(in), Load(0), DelayAt(in)}, {"poll 500", "delay 500", "kill poll", "kill delay"}},
        {"a failed poll timer is tried at the next reload",
         {{Event::FailPoll}, Load(2), {Event::Heal}, Load(2)}, {"poll 500", "failure", "poll 500"}},
        {"a failed delay timer is tried at the next poll",
         {Load(2), {Event::FailDelay}, PollAt(in), {Event::Heal}, PollAt(in), DelayAt(in)},
         {"poll 500", "delay 500", "failure", "delay 500", "kill delay", "saver"}},
        {"the end of the thread stops both timers", {Load(1), {Event::Stop}, Load(4), PollAt(out), {Event::Stop}},
         {"poll 500", "kill poll", "poll 500", "kill poll"}},
    };
    for (const Case& c : cases) {
        RecordedTimers timers;
        CornerWatcher watcher(timers);
        for (const Event& e : c.events) {
            // Corner 2 is where the table's pointer rests; other corners see it nowhere.
            int x = e.inside ? 639 : 600, y = e.inside ? 0 : 200;
            switch (e.kind) {
            case Event::Reload:
                watcher.Reload({e.corner, 0, e.pollMs, 500, 0}, 640, 480);
                break;
            case Event::Poll:
                watcher.Poll(x, y, e.delayMs);
                break;
            case Event::Delay:
                watcher.DelayEnded(x, y);
                break;
            case Event::Stop:
                watcher.Stop();
                break;
            case Event::FailPoll:
                timers.pollFails = true;
                break;
            case Event::FailDelay:
                timers.delayFails = true;
                break;
            case Event::Heal:
                timers.pollFails = timers.delayFails = false;
                break;
            }
        }
        EXPECT_EQ(timers.log, c.actions) << c.name;
    }
}

TEST(CornerWatcher, PageAndThreadReadTheStoredValuesAlike)
{
    MemoryProfileStore profile;
    CornerSettings defaults = ReadCornerSettings(profile);
    EXPECT_EQ(defaults.corner, 0);
    EXPECT_EQ(defaults.pixel, 1);
    EXPECT_EQ(defaults.pollMs, 500);
    EXPECT_EQ(defaults.delayMs, 500);
    profile.WriteProfileInt("Settings", "Screen Saver Activate Corner", 7);
    profile.WriteProfileInt("Settings", "Screen Saver Disable Corner", -2);
    profile.WriteProfileInt("Settings", "Screen Saver Pixel", 40);
    profile.WriteProfileInt("Settings", "Screen Saver Timer", 5);
    profile.WriteProfileInt("Settings", "Screen Saver Delay", 20000);
    CornerSettings s = ReadCornerSettings(profile);
    EXPECT_EQ(s.corner, 0);  // never a corner the user did not choose
    EXPECT_EQ(s.disableCorner, 0);
    EXPECT_EQ(s.pixel, 25);
    EXPECT_EQ(s.pollMs, 50);
    EXPECT_EQ(s.delayMs, 10000);
}

TEST(CornerWatcher, ThePageWritesOnlyTheValuesTheUserChanged)
{
    MemoryProfileStore profile;
    profile.WriteProfileInt("Settings", "Screen Saver Activate Corner", 7);  // shown as none
    profile.WriteProfileInt("Settings", "Screen Saver Pixel", 40);           // shown as 25
    CornerPageRead read = ReadCornerPage(profile);
    EXPECT_TRUE(PlanCornerSave(profile, read, read.shown).empty());

    CornerSettings left = read.shown;
    left.delayMs = 900;
    WritePlan plan = PlanCornerSave(profile, read, left);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(RunWritePlan(plan), std::nullopt);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Screen Saver Delay", 0), 900);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Screen Saver Activate Corner", 0), 7);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Screen Saver Pixel", 0), 40);
}
