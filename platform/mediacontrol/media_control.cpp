#include "media_control.h"

#include "media_session.h"

#include <mmsystem.h>
#include <digitalv.h>

#include <deque>
#include <memory>

namespace mediacontrol {
namespace {

// Posted to the control itself: the next queued event is due.
constexpr UINT kDeliverEvent = WM_USER + 0x310;

// The platform's multimedia (MCI) commands, with the control window receiving the notices.
class MciBackend : public MediaBackend {
public:
    explicit MciBackend(HWND window) : m_window(window) {}

    unsigned Open(DeviceKind kind, const std::string& path, int& error) override
    {
        MCI_DGV_OPEN_PARMSA open = {};
        DWORD flags = MCI_OPEN_ELEMENT | MCI_WAIT;
        open.lpstrElementName = const_cast<char*>(path.c_str());  // read only
        if (const char* type = DeviceTypeName(kind)) {
            open.lpstrDeviceType = const_cast<char*>(type);
            flags |= MCI_OPEN_TYPE;
        }
        if (kind == DeviceKind::AviVideo || kind == DeviceKind::MpegVideo) {
            // Pictures go into the control, which stays as hidden as its dialog.
            open.hWndParent = m_window;
            open.dwStyle = WS_CHILD;
            flags |= MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS;
        }
        MCIERROR result = mciSendCommandA(0, MCI_OPEN, flags, DWORD_PTR(&open));
        error = int(result);
        return result ? 0 : open.wDeviceID;
    }

    int Play(unsigned device) override
    {
        MCI_PLAY_PARMS play = {};
        play.dwCallback = DWORD_PTR(m_window);
        return int(mciSendCommandA(MCIDEVICEID(device), MCI_PLAY, MCI_NOTIFY, DWORD_PTR(&play)));
    }

    void Close(unsigned device) override
    {
        mciSendCommandA(MCIDEVICEID(device), MCI_CLOSE, MCI_WAIT, 0);
        // The platform reuses device ids: a notice of the closed device still waiting in the
        // queue would pass for one of the next device.
        MSG msg;
        while (PeekMessageA(&msg, m_window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
        }
    }

    unsigned MidiOutputCount() override { return midiOutGetNumDevs(); }

    std::string ErrorText(int error) override
    {
        char text[256] = "";
        if (!mciGetErrorStringA(MCIERROR(error), text, sizeof text) || !text[0])
            wsprintfA(text, "Multimedia error %d", error);
        // A description goes inside a sentence of the caller's: without its own full stop.
        std::string description = text;
        while (!description.empty() && (description.back() == '.' || description.back() == ' '))
            description.pop_back();
        return description;
    }

private:
    HWND m_window;
};

struct Control {
    explicit Control(HWND hwnd) : window(hwnd), backend(hwnd), session(backend) {}
    HWND window;
    MciBackend backend;
    MediaSession session;
    std::deque<MediaEvent> pending;
};

Control* ControlOf(HWND hwnd)
{
    return reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, 0));
}

void Raise(Control& control, const MediaEvent& event)
{
    HWND parent = GetParent(control.window);
    if (!parent)
        return;
    UINT id = UINT(GetDlgCtrlID(control.window));
    if (event.kind == MediaEvent::Kind::StateChange) {
        NMMEDIASTATE nm = {};
        nm.hdr = {control.window, id, MPN_STATECHANGE};
        nm.oldState = long(event.oldState);
        nm.newState = long(event.newState);
        SendMessageA(parent, WM_NOTIFY, id, LPARAM(&nm));
    } else {
        NMMEDIAERROR nm = {};
        nm.hdr = {control.window, id, MPN_ERROR};
        nm.code = short(event.code);
        nm.description = event.description.c_str();
        nm.source = "Media control";
        SendMessageA(parent, WM_NOTIFY, id, LPARAM(&nm));
    }
}

void Post(Control& control, std::vector<MediaEvent> events)
{
    for (MediaEvent& event : events) {
        control.pending.push_back(std::move(event));
        PostMessageA(control.window, kDeliverEvent, 0, 0);
    }
}

Notice NoticeOf(WPARAM flags)
{
    if (flags & MCI_NOTIFY_SUCCESSFUL)
        return Notice::Successful;
    if (flags & MCI_NOTIFY_SUPERSEDED)
        return Notice::Superseded;
    if (flags & MCI_NOTIFY_ABORTED)
        return Notice::Aborted;
    return Notice::Failure;
}

LRESULT CALLBACK MediaControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* control = ControlOf(hwnd);
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(hwnd, 0, LONG_PTR(new Control(hwnd)));
        break;
    case WM_NCDESTROY:
        delete control;
        SetWindowLongPtrA(hwnd, 0, 0);
        break;
    case MPM_SETFILENAME:
        if (control)
            Post(*control, control->session.SetFileName(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        return TRUE;
    case MPM_GETFILENAME: {
        if (!control)
            return 0;
        const std::string& name = control->session.FileName();
        if (lParam && wParam)
            lstrcpynA(reinterpret_cast<char*>(lParam), name.c_str(), int(wParam));
        return LRESULT(name.size());
    }
    case MPM_GETSTATE:
        return control ? LRESULT(control->session.State()) : 0;
    case MM_MCINOTIFY:
        if (control) {
            if (auto event = control->session.OnNotice(NoticeOf(wParam), unsigned(lParam)))
                Raise(*control, *event);
        }
        return 0;
    case kDeliverEvent:
        if (control && !control->pending.empty()) {
            MediaEvent event = std::move(control->pending.front());
            control->pending.pop_front();
            if (control->session.IsCurrent(event))
                Raise(*control, event);
        }
        return 0;
    case WM_ERASEBKGND: {
        RECT rect;
        GetClientRect(hwnd, &rect);
        FillRect(HDC(wParam), &rect, HBRUSH(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace
}  // namespace mediacontrol

bool RegisterMediaControlClass()
{
    WNDCLASSA wc = {};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, MEDIACONTROL_CLASS, &wc))
        return true;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = mediacontrol::MediaControlProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = MEDIACONTROL_CLASS;
    return RegisterClassA(&wc) != 0;
}
