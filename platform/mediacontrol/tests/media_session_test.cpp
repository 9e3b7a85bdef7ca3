// The media control's play decisions over a backend that records the calls and answers as told.
#include "media_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mediacontrol;

namespace {

class FakeBackend : public MediaBackend {
public:
    unsigned Open(DeviceKind kind, const std::string& path, int& error) override
    {
        calls.push_back("open " + std::string(DeviceTypeName(kind) ? DeviceTypeName(kind) : "-") + " " + path);
        error = openError;
        return openError ? 0 : nextDevice++;
    }
    int Play(unsigned device) override
    {
        calls.push_back("play " + std::to_string(device));
        return playError;
    }
    void Close(unsigned device) override { calls.push_back("close " + std::to_string(device)); }
    unsigned MidiOutputCount() override { return midiOutputs; }
    std::string ErrorText(int error) override { return "error " + std::to_string(error); }

    std::vector<std::string> calls;
    unsigned nextDevice = 1;
    int openError = 0;
    int playError = 0;
    unsigned midiOutputs = 1;
};

}  // namespace

TEST(MediaDevice, ChosenByExtensionWithoutCase)
{
    const std::pair<const char*, DeviceKind> cases[] = {
        {"C:\\Music\\a.WAV", DeviceKind::WaveAudio}, {"c.Rmi", DeviceKind::Sequencer}, {"d.avi", DeviceKind::AviVideo},
        {"e.MPEG", DeviceKind::MpegVideo}, {"g.mov", DeviceKind::ByPlatform}, {"C:\\dir.wav\\noext", DeviceKind::ByPlatform},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(DeviceForFile(path), kind) << path;
}

TEST(MediaSession, SettingAFileStartsItAndAnEmptyNameStopsQuietly)
{
    FakeBackend backend;
    MediaSession session(backend);
    auto events = session.SetFileName("a.wav");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, MediaEvent::Kind::StateChange);
    EXPECT_EQ(events[0].oldState, PlayState::Stopped);
    EXPECT_EQ(events[0].newState, PlayState::Running);
    EXPECT_EQ(session.State(), PlayState::Running);
    // An empty name stops and unloads, and raises nothing.
    EXPECT_TRUE(session.SetFileName("").empty());
    EXPECT_EQ(session.State(), PlayState::Stopped);
    EXPECT_EQ(backend.calls, (std::vector<std::string>{"open waveaudio a.wav", "play 1", "close 1"}));
    EXPECT_TRUE(session.SetFileName("").empty());
}

TEST(MediaSession, OnlyTheSuccessfulEndOfTheCurrentDeviceEndsTheFile)
{
    struct Case {
        Notice notice;
        bool currentDevice;
        bool ends;
        bool error;
    };
    const Case cases[] = {
        {Notice::Successful, true, true, false},  {Notice::Successful, false, false, false},
        {Notice::Aborted, true, false, false},    {Notice::Superseded, true, false, false},
        {Notice::Failure, true, false, true},     {Notice::Failure, false, false, false},
    };
    for (const Case& c : cases) {
        FakeBackend backend;
        backend.nextDevice = 7;
        MediaSession session(backend);
        session.SetFileName("a.wav");
        auto event = session.OnNotice(c.notice, c.currentDevice ? 7 : 3);
        SCOPED_TRACE(int(c.notice));
        EXPECT_EQ(event.has_value(), c.ends || c.error);
        if (c.ends) {
            EXPECT_EQ(event->oldState, PlayState::Running);
            EXPECT_EQ(event->newState, PlayState::Stopped);
            // The same notice again (or a late one) is no second end.
            EXPECT_FALSE(session.OnNotice(Notice::Successful, 7).has_value());
        }
        if (c.error) {
            EXPECT_EQ(event->kind, MediaEvent::Kind::Error);
            EXPECT_EQ(event->code, kErrorPlayFailed);
            EXPECT_EQ(session.FileName(), "a.wav");  // the error names the file that failed
        }
        EXPECT_EQ(session.State(), c.ends || c.error ? PlayState::Stopped : PlayState::Running);
    }
}

TEST(MediaSession, EventsPostedForAnEarlierFileAreNoLongerCurrent)
{
    FakeBackend backend;
    MediaSession session(backend);
    backend.openError = 263;
    auto failed = session.SetFileName("gone.wav");
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_TRUE(session.IsCurrent(failed[0]));
    backend.openError = 0;
    session.SetFileName("");
    EXPECT_FALSE(session.IsCurrent(failed[0]));
    auto started = session.SetFileName("b.wav");
    EXPECT_FALSE(session.IsCurrent(failed[0]));
    EXPECT_TRUE(session.IsCurrent(started[0]));
}

TEST(MediaSession, FailuresBecomeErrorsNamingTheFile)
{
    struct Case {
        const char* file;
        unsigned midiOutputs;
        int openError;
        int playError;
        int code;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"song.mid", 0, 0, 0, kErrorNoMidiDevice, {}},
        {"movie.mov", 1, 281, 0, 281, {"open - movie.mov"}},
        {"a.wav", 1, 0, 320, 320, {"open waveaudio a.wav", "play 1", "close 1"}},
    };
    for (const Case& c : cases) {
        FakeBackend backend;
        backend.midiOutputs = c.midiOutputs;
        backend.openError = c.openError;
        backend.playError = c.playError;
        MediaSession session(backend);
        auto events = session.SetFileName(c.file);
        ASSERT_EQ(events.size(), 1u) << c.file;
        EXPECT_EQ(events[0].kind, MediaEvent::Kind::Error);
        EXPECT_EQ(events[0].code, c.code);
        EXPECT_FALSE(events[0].description.empty());
        EXPECT_EQ(session.FileName(), c.file);
        EXPECT_EQ(session.State(), PlayState::Stopped);
        EXPECT_EQ(backend.calls, c.calls) << c.file;
        EXPECT_FALSE(session.OnNotice(Notice::Successful, 1).has_value());
    }
}
