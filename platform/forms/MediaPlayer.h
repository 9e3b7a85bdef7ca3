// A non-visual media player over MCI: opens a file (device chosen from its extension), plays
// with an optional completion notice, pauses, resumes, stops and closes, and reports length and
// position. Notices of a device that was stopped or closed are dropped, so a completion that was
// already queued can never be taken for the end of the next file.
#pragma once

#include "Component.h"
#include "Event.h"
#include "Exception.h"

#include <windows.h>

#include <string>

namespace forms {

class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};

enum NotifyValue { nvSuccessful, nvSuperseded, nvAborted, nvFailure };
enum MPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class MediaPlayer : public Component {
public:
    explicit MediaPlayer(Component* owner);
    ~MediaPlayer() override;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& f) { fileName_ = f; }
    bool IsOpen() const { return deviceId_ != 0; }
    UINT DeviceID() const { return deviceId_; }

    void Open();
    void Close();
    void SetTimeFormatMilliseconds();
    void Play(bool notify);
    // Pauses a playing device, resumes a paused one.
    void Pause(bool notify);
    void Resume(bool notify);
    void Stop(bool notify);
    DWORD Length();
    DWORD Position();
    MPModes Mode();

    NotifyValue GetNotifyValue() const { return notifyValue_; }
    NotifyEvent OnNotify;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Check(MCIERROR err);
    void RequireOpen() const;
    void DropNotices();
    DWORD Status(DWORD item);

    std::string fileName_;
    UINT deviceId_ = 0;
    HWND window_ = nullptr;
    NotifyValue notifyValue_ = nvSuccessful;
};

} // namespace forms
