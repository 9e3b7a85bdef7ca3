#include "MediaPlayer.h"

#include "Application.h"
#include "HiddenWindow.h"

#include <mmsystem.h>

namespace forms {
namespace {
const char kPlayerClass[] = "FormsMediaPlayer";
}

LRESULT CALLBACK MediaPlayer::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == MM_MCINOTIFY) {
        auto* p = reinterpret_cast<MediaPlayer*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        // Only notices of the device open now count.
        if (p && p->deviceId_ != 0 && static_cast<UINT>(lp) == p->deviceId_) {
            switch (wp) {
            case MCI_NOTIFY_SUCCESSFUL: p->notifyValue_ = nvSuccessful; break;
            case MCI_NOTIFY_SUPERSEDED: p->notifyValue_ = nvSuperseded; break;
            case MCI_NOTIFY_ABORTED: p->notifyValue_ = nvAborted; break;
            default: p->notifyValue_ = nvFailure; break;
            }
            Application::Instance().Guard([p] { p->OnNotify(p); });
        }
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

MediaPlayer::MediaPlayer(Component* owner) : Component(owner)
{
    window_ = CreateHiddenWindow(kPlayerClass, &MediaPlayer::WindowProc, this);
}

MediaPlayer::~MediaPlayer()
{
    if (deviceId_) {
        mciSendCommandA(deviceId_, MCI_STOP, MCI_WAIT, 0);
        mciSendCommandA(deviceId_, MCI_CLOSE, MCI_WAIT, 0);
        deviceId_ = 0;
    }
    if (window_)
        DestroyWindow(window_);
}

void MediaPlayer::Check(MCIERROR err)
{
    if (err == 0)
        return;
    char text[256] = {};
    if (!mciGetErrorStringA(err, text, sizeof text) || !text[0])
        wsprintfA(text, "MCI error %lu", static_cast<unsigned long>(err));
    throw EMCIDeviceError(text);
}

void MediaPlayer::RequireOpen() const
{
    if (!deviceId_)
        throw EMCIDeviceError("No MCI device open");
}

void MediaPlayer::DropNotices()
{
    MSG msg;
    while (PeekMessageA(&msg, window_, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
    }
}

void MediaPlayer::Open()
{
    if (deviceId_)
        Close();
    MCI_OPEN_PARMSA op = {};
    op.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    op.lpstrElementName = fileName_.c_str();
    Check(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&op)));
    deviceId_ = op.wDeviceID;
}

void MediaPlayer::Close()
{
    if (!deviceId_)
        return;
    UINT id = deviceId_;
    deviceId_ = 0;
    MCI_GENERIC_PARMS gp = {};
    MCIERROR err = mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&gp));
    DropNotices();
    Check(err);
}

void MediaPlayer::SetTimeFormatMilliseconds()
{
    RequireOpen();
    MCI_SET_PARMS sp = {};
    sp.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    Check(mciSendCommandA(deviceId_, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&sp)));
}

void MediaPlayer::Play(bool notify)
{
    RequireOpen();
    MCI_PLAY_PARMS pp = {};
    pp.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    Check(mciSendCommandA(deviceId_, MCI_PLAY, notify ? MCI_NOTIFY : 0, reinterpret_cast<DWORD_PTR>(&pp)));
}

void MediaPlayer::Pause(bool notify)
{
    RequireOpen();
    MCI_GENERIC_PARMS gp = {};
    gp.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    DWORD flags = notify ? MCI_NOTIFY : MCI_WAIT;
    UINT cmd = Mode() == mpPaused ? MCI_RESUME : MCI_PAUSE;
    Check(mciSendCommandA(deviceId_, cmd, flags, reinterpret_cast<DWORD_PTR>(&gp)));
}

void MediaPlayer::Resume(bool notify)
{
    RequireOpen();
    MCI_GENERIC_PARMS gp = {};
    gp.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    Check(mciSendCommandA(deviceId_, MCI_RESUME, notify ? MCI_NOTIFY : MCI_WAIT, reinterpret_cast<DWORD_PTR>(&gp)));
}

void MediaPlayer::Stop(bool notify)
{
    RequireOpen();
    MCI_GENERIC_PARMS gp = {};
    gp.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    MCIERROR err = mciSendCommandA(deviceId_, MCI_STOP, MCI_WAIT | (notify ? MCI_NOTIFY : 0),
                                   reinterpret_cast<DWORD_PTR>(&gp));
    // The play that was stopped may have posted its notice already; it belongs to no one now.
    if (!notify)
        DropNotices();
    Check(err);
}

DWORD MediaPlayer::Status(DWORD item)
{
    MCI_STATUS_PARMS sp = {};
    sp.dwItem = item;
    Check(mciSendCommandA(deviceId_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&sp)));
    return static_cast<DWORD>(sp.dwReturn);
}

DWORD MediaPlayer::Length()
{
    RequireOpen();
    return Status(MCI_STATUS_LENGTH);
}

DWORD MediaPlayer::Position()
{
    if (!deviceId_)
        return 0;
    return Status(MCI_STATUS_POSITION);
}

MPModes MediaPlayer::Mode()
{
    RequireOpen();
    switch (Status(MCI_STATUS_MODE)) {
    case MCI_MODE_STOP: return mpStopped;
    case MCI_MODE_PLAY: return mpPlaying;
    case MCI_MODE_RECORD: return mpRecording;
    case MCI_MODE_SEEK: return mpSeeking;
    case MCI_MODE_PAUSE: return mpPaused;
    case MCI_MODE_OPEN: return mpOpen;
    default: return mpNotReady;
    }
}

} // namespace forms
