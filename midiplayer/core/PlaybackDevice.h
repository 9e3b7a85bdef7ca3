// What the playback state machine needs of a media device: the main form's media player over
// MCI in the program, a scripted fake in the tests.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platterly {

// A device failure carrying the system's text.
class DeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Notice { Successful, Superseded, Aborted, Failure };

class PlaybackDevice {
public:
    virtual ~PlaybackDevice() = default;
    // Opens the file (closing an open one first); throws DeviceError with the system's text.
    virtual void Open(const std::string& path) = 0;
    virtual void SetTimeFormatMilliseconds() = 0;
    virtual void Play(bool notify) = 0;
    // Pauses a playing device (no notice).
    virtual void Pause() = 0;
    // Stops without a notice; notices of the stopped play are dropped.
    virtual void Stop() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual uint32_t Length() = 0;
    virtual uint32_t Position() = 0;
};

} // namespace platterly
