// The playback state machine against a scripted device: queue order, the three states, the
// notices (stale ones included), missing files, open failures and the 200 ms display.
#include "core/Playback.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace platterly {
namespace {

struct FakeDevice : PlaybackDevice {
    std::vector<std::string> calls;
    std::set<std::string> unopenable;
    bool open = false;
    bool failPlay = false;
    uint32_t length = 0, position = 0;
    void Open(const std::string& path) override
    {
        if (open)
            Close();
        calls.push_back("open " + path);
        if (unopenable.count(path))
            throw DeviceError("The file could not be opened by the device.");
        open = true;
    }
    void SetTimeFormatMilliseconds() override { calls.push_back("ms"); }
    void Play(bool notify) override
    {
        calls.push_back(notify ? "play notify" : "play");
        if (failPlay)
            throw DeviceError("play failed");
    }
    void Pause() override { calls.push_back("pause"); }
    bool failStop = false, failClose = false;
    void Stop() override
    {
        calls.push_back("stop");
        if (failStop)
            throw DeviceError("stop failed");
    }
    void Close() override
    {
        calls.push_back("close");
        open = false;  // as the media player: the device is given up, then the failure told
        if (failClose)
            throw DeviceError("close failed");
    }
    bool IsOpen() const override { return open; }
    uint32_t Length() override { return length; }
    uint32_t Position() override { return position; }
};

struct RecordingView : PlayerView {
    std::string status = "Stopped", nowPlaying, title, lengthText, positionText;
    bool stopVisible = false, resumeVisible = false;
    int gaugeMax = 100, gaugePos = 0, gaugeMaxWrites = 0;
    std::vector<std::string> list, dialogs;
    void SetStatusText(const std::string& t) override { status = t; }
    void SetStopVisible(bool v) override { stopVisible = v; }
    void SetResumeVisible(bool v) override { resumeVisible = v; }
    void SetNowPlaying(const std::string& n) override { nowPlaying = n; }
    void SetTitle(const std::string& t) override { title = t; }
    void SetLengthText(const std::string& t) override { lengthText = t; }
    void SetPositionText(const std::string& t) override { positionText = t; }
    void SetGaugeMax(int m) override { gaugeMax = m; ++gaugeMaxWrites; }
    void SetGaugePosition(int p) override { gaugePos = p; }
    void QueueItemAdded(const std::string& n) override { list.push_back(n); }
    void QueueItemRemoved(int i) override { list.erase(list.begin() + i); }
    void QueueCleared() override { list.clear(); }
    void Repaint() override {}
    void ShowInformation(const std::string& t) override { dialogs.push_back("info: " + t); }
    void ShowError(const std::string& t) override { dialogs.push_back("error: " + t); }
};

class PlaybackTest : public ::testing::Test {
protected:
    std::set<std::string> missing;
    FakeDevice device;
    RecordingView view;
    Playback playback{device, view, [this](const std::string& p) { return missing.count(p) == 0; }};

    void Queue(std::vector<std::string> names) { playback.Add("C:\\Music", names); }
    std::vector<std::string> Opened() const
    {
        std::vector<std::string> r;
        for (const auto& c : device.calls)
            if (c.rfind("open ", 0) == 0)
                r.push_back(c.substr(5));
        return r;
    }
};

TEST(PlaybackText, MsToMinSecPadsBelowTenAndKeepsLongMinutes)
{
    EXPECT_EQ(Playback::MsToMinSec(0), "00:00");
    EXPECT_EQ(Playback::MsToMinSec(65000), "01:05");
    EXPECT_EQ(Playback::MsToMinSec(2500), "00:02");
    EXPECT_EQ(Playback::MsToMinSec(599999), "09:59");
    EXPECT_EQ(Playback::MsToMinSec(100 * 60000), "100:00");
    EXPECT_EQ(Playback::FileNamePart("C:\\Music\\a.mid"), "a.mid");
    EXPECT_EQ(Playback::FileNamePart("C:a.mid"), "a.mid");
}

TEST_F(PlaybackTest, QueueKeepsBothListsIndexForIndexAndJoinsRootsWithABackslash)
{
    playback.Add("C:\\", {"b.mid", "a.mid", "b.mid"});
    EXPECT_EQ(playback.Queue().Paths(), (std::vector<std::string>{"C:\\\\b.mid", "C:\\\\a.mid", "C:\\\\b.mid"}));
    EXPECT_EQ(view.list, (std::vector<std::string>{"b.mid", "a.mid", "b.mid"}));
    playback.RemoveSelected({true, false, true});
    EXPECT_EQ(playback.Queue().Names(), (std::vector<std::string>{"a.mid"}));
    EXPECT_EQ(view.list, playback.Queue().Names());
    playback.Add("C:\\", {});
    playback.RemoveAll();
    EXPECT_TRUE(playback.Queue().Empty());
    EXPECT_TRUE(view.list.empty());
}

TEST_F(PlaybackTest, PlayWithAnEmptyQueueStopsAtOnceWithoutADialog)
{
    playback.PlayClick();
    EXPECT_EQ(playback.State(), PlayState::Stopped);
    EXPECT_EQ(view.status, "Stopped");
    EXPECT_FALSE(view.stopVisible);
    EXPECT_TRUE(view.dialogs.empty());
    EXPECT_EQ(view.title, "Platterly ");
}

TEST_F(PlaybackTest, EndOfEachFilePlaysTheNextUntilTheQueueIsEmpty)
{
    Queue({"a.mid", "a.mid", "b.mid"});
    playback.PlayClick();
    EXPECT_EQ(view.status, "Playing");
    EXPECT_TRUE(view.stopVisible);
    EXPECT_EQ(view.title, "Platterly [a.mid]");
    EXPECT_EQ(view.nowPlaying, "a.mid");
    EXPECT_EQ(view.list, (std::vector<std::string>{"a.mid", "b.mid"}));
    playback.DeviceNotice(Notice::Successful);
    playback.DeviceNotice(Notice::Successful);
    EXPECT_EQ(view.title, "Platterly [b.mid]");
    playback.DeviceNotice(Notice::Successful);
    EXPECT_EQ(playback.State(), PlayState::Stopped);
    EXPECT_EQ(Opened(), (std::vector<std::string>{"C:\\Music\\a.mid", "C:\\Music\\a.mid", "C:\\Music\\b.mid"}));
    EXPECT_FALSE(device.open);
    EXPECT_EQ(view.title, "Platterly ");
}

TEST_F(PlaybackTest, AbortedSupersededAndLateNoticesChangeNothing)
{
    Queue({"a.mid", "b.mid"});
    playback.PlayClick();
    playback.DeviceNotice(Notice::Aborted);
    playback.DeviceNotice(Notice::Superseded);
    EXPECT_EQ(view.nowPlaying, "a.mid");
    playback.StopClick();
    // A completion that arrives after Stop must not start the next file.
    playback.DeviceNotice(Notice::Successful);
    EXPECT_EQ(playback.State(), PlayState::Stopped);
    EXPECT_EQ(Opened().size(), 1u);
    EXPECT_EQ(playback.Queue().Names(), (std::vector<std::string>{"b.mid"}));
}

TEST_F(PlaybackTest, PauseResumeSkipAndStopFollowTheStateTable)
{
    Queue({"a.mid", "b.mid", "c.mid"});
    playback.PauseClick();  // stopped: nothing
    playback.SkipClick();
    EXPECT_TRUE(device.calls.empty());
    playback.PlayClick();
    playback.PauseClick();
    EXPECT_EQ(view.status, "Paused");
    EXPECT_TRUE(view.resumeVisible);
    // Pause again (its shortcut while Resume covers it) must not touch the device.
    size_t calls = device.calls.size();
    playback.PauseClick();
    EXPECT_EQ(device.calls.size(), calls);
    playback.ResumeClick();
    EXPECT_EQ(view.status, "Playing");
    EXPECT_FALSE(view.resumeVisible);
    EXPECT_EQ(device.calls.back(), "play notify");
    // Play's shortcut while Stop covers it must not restart the queue.
    playback.PlayClick();
    EXPECT_EQ(Opened().size(), 1u);
    playback.PauseClick();
    playback.SkipClick();  // from paused: exactly one file skipped
    EXPECT_EQ(view.status, "Playing");
    EXPECT_FALSE(view.resumeVisible);
    EXPECT_EQ(view.nowPlaying, "b.mid");
    playback.PauseClick();
    playback.StopClick();
    EXPECT_FALSE(view.stopVisible);
    EXPECT_FALSE(view.resumeVisible);
    EXPECT_EQ(view.status, "Stopped");
    EXPECT_EQ(view.gaugeMax, 10);
    EXPECT_EQ(view.gaugePos, 0);
    playback.PlayClick();
    EXPECT_EQ(view.nowPlaying, "c.mid");
}

TEST_F(PlaybackTest, MissingFileShowsItsPathStopsAndKeepsTheRestQueued)
{
    Queue({"gone.mid", "b.mid"});
    missing.insert("C:\\Music\\gone.mid");
    playback.PlayClick();
    ASSERT_EQ(view.dialogs.size(), 1u);
    EXPECT_EQ(view.dialogs[0], "info: Unable to play the file: \r\nC:\\Music\\gone.mid");
    EXPECT_EQ(playback.State(), PlayState::Stopped);
    EXPECT_EQ(playback.Queue().Names(), (std::vector<std::string>{"b.mid"}));
    EXPECT_TRUE(Opened().empty());
}

TEST_F(PlaybackTest, OpenFailureShowsTheSystemTextAndStopsWithNoDeviceToPoll)
{
    Queue({"bad.mid", "b.mid"});
    device.unopenable.insert("C:\\Music\\bad.mid");
    playback.PlayClick();
    ASSERT_EQ(view.dialogs.size(), 1u);
    EXPECT_EQ(view.dialogs[0], "error: The file could not be opened by the device.");
    EXPECT_EQ(playback.State(), PlayState::Stopped);
    EXPECT_FALSE(device.open);
    playback.TimerTick();
    EXPECT_EQ(view.lengthText, "00:00");
    EXPECT_EQ(view.dialogs.size(), 1u);
    EXPECT_EQ(playback.Queue().Names(), (std::vector<std::string>{"b.mid"}));
}

TEST_F(PlaybackTest, PlayFailureShowsItsMessageAndStaysPlaying)
{
    Queue({"a.mid"});
    device.failPlay = true;
    playback.PlayClick();
    ASSERT_EQ(view.dialogs.size(), 1u);
    EXPECT_EQ(view.dialogs[0], "error: Unable to play midi file");
    EXPECT_EQ(view.status, "Playing");
    playback.DeviceNotice(Notice::Failure);
    EXPECT_EQ(playback.State(), PlayState::Stopped);
}

TEST_F(PlaybackTest, TimerShowsLengthPositionAndGaugeInThreeSecondSteps)
{
    playback.TimerTick();
    EXPECT_EQ(view.lengthText, "00:00");
    EXPECT_EQ(view.positionText, "00:00");
    Queue({"short.mid", "long.mid"});
    playback.PlayClick();
    device.length = 2500;
    device.position = 1200;
    playback.TimerTick();
    EXPECT_EQ(view.lengthText, "00:02");
    EXPECT_EQ(view.positionText, "00:01");
    EXPECT_EQ(view.gaugeMax, 10);
    EXPECT_EQ(view.gaugePos, 0);
    playback.DeviceNotice(Notice::Successful);
    device.length = 65000;
    device.position = 31000;
    int writes = view.gaugeMaxWrites;
    playback.TimerTick();
    playback.TimerTick();
    EXPECT_EQ(view.lengthText, "01:05");
    EXPECT_EQ(view.gaugeMax, 21);
    EXPECT_EQ(view.gaugePos, 10);
    EXPECT_EQ(view.gaugeMaxWrites, writes + 1);  // written only when it changes
}

TEST_F(PlaybackTest, ShutdownStopsAndClosesAnOpenDevice)
{
    Queue({"a.mid"});
    playback.PlayClick();
    device.calls.clear();
    playback.Shutdown();
    EXPECT_EQ(device.calls, (std::vector<std::string>{"stop", "close"}));
}

// A device that fails to stop or to close never leaves the player half-stopped, and no failure
// leaves Stop, Skip or the program's end.
TEST_F(PlaybackTest, StopSkipAndShutdownEndCleanlyWhenTheDeviceFailsToStopOrClose)
{
    for (bool failStop : {false, true})
        for (bool failClose : {false, true}) {
            device = FakeDevice();
            device.failStop = failStop;
            device.failClose = failClose;
            Queue({"a.mid", "b.mid", "c.mid"});
            playback.PlayClick();
            ASSERT_TRUE(device.open);
            EXPECT_NO_THROW(playback.SkipClick()) << failStop << failClose;
            EXPECT_EQ(playback.State(), PlayState::Playing);
            EXPECT_EQ(playback.CurrentFile(), "C:\\Music\\b.mid");
            EXPECT_NO_THROW(playback.StopClick()) << failStop << failClose;
            EXPECT_EQ(playback.State(), PlayState::Stopped);
            EXPECT_EQ(view.status, "Stopped");
            EXPECT_FALSE(view.stopVisible);
            EXPECT_EQ(view.title, "Platterly ");
            EXPECT_TRUE(playback.CurrentFile().empty());
            EXPECT_FALSE(device.open);
            EXPECT_EQ(device.calls.back(), "close");
            playback.PlayClick();
            EXPECT_NO_THROW(playback.Shutdown());
            EXPECT_FALSE(device.open);
            EXPECT_EQ(device.calls.back(), "close");
            playback.RemoveAll();
        }
}

} // namespace
} // namespace platterly
