// A test-only MCI sequencer driver. Wine's own sequencer never advances without MIDI output,
// so the end-to-end tests register this one instead: it opens a standard MIDI file, reports its
// length, plays by letting its position run in real time, answers status and notify as a
// sequencer does, and logs every request to "<this dll>.log".
#include "smf/Smf.h"

#include <windows.h>

#include <mmddk.h>
#include <mmsystem.h>

#include <cstdio>
#include <string>
#include <vector>

extern "C" BOOL WINAPI mciDriverNotify(HANDLE callback, MCIDEVICEID device, UINT status);

namespace {

CRITICAL_SECTION g_logLock;
std::string g_logPath;

void Log(const char* fmt, ...)
{
    char line[600];
    va_list args;
    va_start(args, fmt);
    vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    EnterCriticalSection(&g_logLock);
    if (FILE* f = fopen(g_logPath.c_str(), "a")) {
        fprintf(f, "%s\n", line);
        fclose(f);
    }
    LeaveCriticalSection(&g_logLock);
}

std::string Narrow(const wchar_t* w)
{
    if (!w)
        return std::string();
    char buf[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, w, -1, buf, sizeof buf, nullptr, nullptr);
    return buf;
}

struct Device {
    MCIDEVICEID id = 0;
    std::string file;
    bool open = false;
    DWORD length = 0;
    // Position = base, plus the time since `started` while playing.
    DWORD base = 0;
    DWORD started = 0;
    bool playing = false;
    bool paused = false;
    HWND notifyWnd = nullptr;  // the pending play's callback, or none
    HANDLE wake = nullptr;
    HANDLE thread = nullptr;
    bool quit = false;
    CRITICAL_SECTION lock;
};

DWORD Position(Device& d)
{
    if (!d.playing)
        return d.base;
    DWORD now = d.base + (GetTickCount() - d.started);
    return now > d.length ? d.length : now;
}

void Notify(Device& d, HWND wnd, UINT status, const char* what)
{
    if (!wnd)
        return;
    Log("notify %s", what);
    mciDriverNotify(wnd, d.id, status);
}

// Ends the play when the position reaches the length.
DWORD WINAPI Clock(LPVOID p)
{
    Device& d = *static_cast<Device*>(p);
    for (;;) {
        DWORD wait = INFINITE;
        EnterCriticalSection(&d.lock);
        if (d.quit) {
            LeaveCriticalSection(&d.lock);
            return 0;
        }
        if (d.playing) {
            DWORD pos = Position(d);
            if (pos >= d.length) {
                d.playing = false;
                d.base = d.length;
                HWND w = d.notifyWnd;
                d.notifyWnd = nullptr;
                Log("end %s", d.file.c_str());
                Notify(d, w, MCI_NOTIFY_SUCCESSFUL, "successful");
            } else {
                wait = d.length - pos;
            }
        }
        LeaveCriticalSection(&d.lock);
        WaitForSingleObject(d.wake, wait);
    }
}

LRESULT OpenFile(Device& d, DWORD flags, MCI_OPEN_PARMSW* parms)
{
    if (!(flags & MCI_OPEN_ELEMENT) || !parms || !parms->lpstrElementName)
        return MCIERR_MISSING_PARAMETER;
    d.file = Narrow(parms->lpstrElementName);
    Log("open %s", d.file.c_str());
    HANDLE h = CreateFileA(d.file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return MCIERR_FILE_NOT_FOUND;
    std::vector<uint8_t> bytes(GetFileSize(h, nullptr));
    DWORD got = 0;
    BOOL read = bytes.empty() || ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    auto ms = read ? smf::SmfDurationMs(bytes.data(), got) : std::nullopt;
    if (!ms) {
        Log("refused %s", d.file.c_str());
        return MCIERR_INVALID_FILE;
    }
    d.length = *ms;
    d.base = 0;
    d.open = true;
    return 0;
}

LRESULT Command(Device& d, UINT msg, DWORD flags, DWORD_PTR p)
{
    auto* generic = reinterpret_cast<MCI_GENERIC_PARMS*>(p);
    HWND callback = (flags & MCI_NOTIFY) && generic ? reinterpret_cast<HWND>(generic->dwCallback) : nullptr;
    EnterCriticalSection(&d.lock);
    LRESULT result = 0;
    switch (msg) {
    case MCI_OPEN_DRIVER:
        result = OpenFile(d, flags, reinterpret_cast<MCI_OPEN_PARMSW*>(p));
        break;
    case MCI_CLOSE_DRIVER: {
        Log("close");
        HWND w = d.notifyWnd;
        d.notifyWnd = nullptr;
        d.playing = false;
        Notify(d, w, MCI_NOTIFY_ABORTED, "aborted");
        d.open = false;
        break;
    }
    case MCI_PLAY: {
        Log(callback ? "play notify" : "play");
        HWND old = d.notifyWnd;
        d.notifyWnd = nullptr;
        Notify(d, old, MCI_NOTIFY_SUPERSEDED, "superseded");
        if (d.base >= d.length)
            d.base = 0;
        d.started = GetTickCount();
        d.playing = true;
        d.paused = false;
        d.notifyWnd = callback;
        SetEvent(d.wake);
        callback = nullptr;  // notified when the play ends
        break;
    }
    case MCI_PAUSE:
        Log("pause");
        if (d.playing) {
            d.base = Position(d);
            d.playing = false;
            d.paused = true;
        }
        break;
    case MCI_RESUME:
        Log("resume");
        if (d.paused) {
            d.started = GetTickCount();
            d.playing = true;
            d.paused = false;
            SetEvent(d.wake);
        }
        break;
    case MCI_STOP: {
        Log("stop");
        d.base = Position(d);
        d.playing = false;
        d.paused = false;
        HWND w = d.notifyWnd;
        d.notifyWnd = nullptr;
        Notify(d, w, MCI_NOTIFY_ABORTED, "aborted");
        break;
    }
    case MCI_SEEK:
        Log("seek");
        d.base = 0;
        d.playing = false;
        break;
    case MCI_SET: {
        auto* sp = reinterpret_cast<MCI_SET_PARMS*>(p);
        if ((flags & MCI_SET_TIME_FORMAT) && sp) {
            Log("set time format %lu", static_cast<unsigned long>(sp->dwTimeFormat));
            if (sp->dwTimeFormat != MCI_FORMAT_MILLISECONDS)
                result = MCIERR_BAD_TIME_FORMAT;
        }
        break;
    }
    case MCI_STATUS: {
        auto* sp = reinterpret_cast<MCI_STATUS_PARMS*>(p);
        if (!sp || !(flags & MCI_STATUS_ITEM)) {
            result = MCIERR_MISSING_PARAMETER;
            break;
        }
        switch (sp->dwItem) {
        case MCI_STATUS_LENGTH: sp->dwReturn = d.length; Log("status length %lu", static_cast<unsigned long>(d.length)); break;
        case MCI_STATUS_POSITION: sp->dwReturn = Position(d); Log("status position"); break;
        case MCI_STATUS_MODE:
            sp->dwReturn = d.playing ? MCI_MODE_PLAY : d.paused ? MCI_MODE_PAUSE : MCI_MODE_STOP;
            Log("status mode");
            break;
        case MCI_STATUS_READY: sp->dwReturn = TRUE; break;
        case MCI_STATUS_NUMBER_OF_TRACKS: sp->dwReturn = 1; break;
        case MCI_STATUS_TIME_FORMAT: sp->dwReturn = MCI_FORMAT_MILLISECONDS; break;
        default: result = MCIERR_UNSUPPORTED_FUNCTION; break;
        }
        break;
    }
    case MCI_GETDEVCAPS: {
        auto* gp = reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(p);
        if (gp && (flags & MCI_GETDEVCAPS_ITEM)) {
            switch (gp->dwItem) {
            case MCI_GETDEVCAPS_DEVICE_TYPE: gp->dwReturn = MCI_DEVTYPE_SEQUENCER; break;
            case MCI_GETDEVCAPS_USES_FILES:
            case MCI_GETDEVCAPS_COMPOUND_DEVICE:
            case MCI_GETDEVCAPS_CAN_PLAY: gp->dwReturn = TRUE; break;
            default: gp->dwReturn = FALSE; break;
            }
        }
        break;
    }
    default:
        Log("unsupported %u", msg);
        result = MCIERR_UNSUPPORTED_FUNCTION;
        break;
    }
    if (result == 0 && callback)
        Notify(d, callback, MCI_NOTIFY_SUCCESSFUL, "successful");
    LeaveCriticalSection(&d.lock);
    return result;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverProc(DWORD_PTR driverId, HDRVR, UINT msg, LPARAM p1, LPARAM p2)
{
    switch (msg) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_QUERYCONFIGURE:
        return 1;
    case DRV_OPEN: {
        auto* op = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(p2);
        if (!op)
            return 1;  // opened by the driver manager without MCI
        auto* d = new Device;
        InitializeCriticalSection(&d->lock);
        d->id = op->wDeviceID;
        d->wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        d->thread = CreateThread(nullptr, 0, Clock, d, 0, nullptr);
        op->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
        op->wType = MCI_DEVTYPE_SEQUENCER;
        return reinterpret_cast<LRESULT>(d);
    }
    case DRV_CLOSE: {
        auto* d = reinterpret_cast<Device*>(driverId);
        if (d && driverId != 1) {
            EnterCriticalSection(&d->lock);
            d->quit = true;
            LeaveCriticalSection(&d->lock);
            SetEvent(d->wake);
            WaitForSingleObject(d->thread, 5000);
            CloseHandle(d->thread);
            CloseHandle(d->wake);
            DeleteCriticalSection(&d->lock);
            delete d;
        }
        return 1;
    }
    default:
        break;
    }
    if (msg >= DRV_MCI_FIRST && msg <= DRV_MCI_LAST && driverId && driverId != 1)
        return Command(*reinterpret_cast<Device*>(driverId), msg, static_cast<DWORD>(p1), static_cast<DWORD_PTR>(p2));
    return DefDriverProc(driverId, nullptr, msg, p1, p2);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        InitializeCriticalSection(&g_logLock);
        char path[MAX_PATH] = {};
        GetModuleFileNameA(self, path, MAX_PATH);
        g_logPath = std::string(path) + ".log";
    }
    return TRUE;
}
