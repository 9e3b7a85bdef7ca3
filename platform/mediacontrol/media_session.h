// The play decisions of the media control, apart from its window: which device plays a file,
// what setting the file name does, and which of the platform's end-of-play notices count. The
// control posts the events this returns; nothing here raises an event itself, so a handler
// that sets the file name again never runs inside the setter.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mediacontrol {

// The platform's multimedia device that plays a file, chosen by its extension; ByPlatform
// leaves the choice to the platform's own extension table.
enum class DeviceKind { WaveAudio, Sequencer, AviVideo, MpegVideo, ByPlatform };
DeviceKind DeviceForFile(std::string_view path);
// The platform's name of the device type; nullptr for ByPlatform.
const char* DeviceTypeName(DeviceKind kind);

// The control's play states, numbered as its events report them.
enum class PlayState : int { Stopped = 0, Paused = 1, Running = 2 };

// What the platform said about a play request when it ended.
enum class Notice { Successful, Superseded, Aborted, Failure };

// Errors of the control's own; the platform's errors keep the platform's codes.
constexpr int kErrorNoMidiDevice = 0x7F01;
constexpr int kErrorPlayFailed = 0x7F02;

// The platform's multimedia calls the session needs.
class MediaBackend {
public:
    virtual ~MediaBackend() = default;
    // The device that holds the file (non-zero), or 0 with the platform's error code.
    virtual unsigned Open(DeviceKind kind, const std::string& path, int& error) = 0;
    // Starts playing to the end with a notice when it ends; 0 or the platform's error code.
    virtual int Play(unsigned device) = 0;
    // Stops and closes; no notice of the closed device is handed on afterwards.
    virtual void Close(unsigned device) = 0;
    virtual unsigned MidiOutputCount() = 0;
    virtual std::string ErrorText(int error) = 0;
};

struct MediaEvent {
    enum class Kind { StateChange, Error };
    Kind kind = Kind::StateChange;
    unsigned generation = 0;  // the file name setting the event belongs to
    PlayState oldState = PlayState::Stopped;
    PlayState newState = PlayState::Stopped;
    int code = 0;
    std::string description;
};

class MediaSession {
public:
    explicit MediaSession(MediaBackend& backend) : m_backend(backend) {}
    ~MediaSession();
    MediaSession(const MediaSession&) = delete;
    MediaSession& operator=(const MediaSession&) = delete;

    // Whatever plays stops quietly; a non-empty name is opened and started. An empty name
    // raises nothing. The events are for the caller to post.
    std::vector<MediaEvent> SetFileName(const std::string& name);
    const std::string& FileName() const { return m_fileName; }
    PlayState State() const { return m_state; }
    unsigned Device() const { return m_device; }

    // A notice of the platform about a device. Only the successful end of the device now
    // playing is an end of file; a superseded or aborted play, or any notice of another
    // device, changes nothing. A failure is the control's error.
    std::optional<MediaEvent> OnNotice(Notice notice, unsigned device);

    // A posted event still belongs to the file now set.
    bool IsCurrent(const MediaEvent& event) const { return event.generation == m_generation; }

private:
    void CloseDevice();
    MediaEvent Error(int code, std::string description) const;

    MediaBackend& m_backend;
    std::string m_fileName;
    unsigned m_device = 0;
    unsigned m_generation = 0;
    PlayState m_state = PlayState::Stopped;
};

}  // namespace mediacontrol
