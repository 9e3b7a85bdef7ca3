// A message hook that the end-to-end test puts into palettrim's window thread. Inside the
// program's own process it builds a real drop (a DROPFILES block in global memory, as the
// shell makes it) from the paths the test left in the channel and posts WM_DROPFILES to the
// window; on request it reports the window's title, status panes and Stop state.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "TestChannel.h"

namespace {

TestChannel* channel()
{
    static TestChannel* mapped = nullptr;
    if (!mapped) {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kChannelName);
        if (mapping)
            mapped = static_cast<TestChannel*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    return mapped;
}

void deliverDrop(HWND window, TestChannel* c)
{
    size_t length = 0;
    while (c->paths[length] != '\0' && length < sizeof c->paths - 2)
        length += std::strlen(c->paths + length) + 1;
    HGLOBAL memory = GlobalAlloc(GHND | GMEM_SHARE, sizeof(DROPFILES) + length + 2);
    if (!memory)
        return;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt.x = 20;
    drop->pt.y = 60;
    drop->fNC = FALSE;
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), c->paths, length);
    GlobalUnlock(memory);
    PostMessageA(window, WM_DROPFILES, WPARAM(memory), 0);
    InterlockedIncrement(&c->dropsDelivered);
}

BOOL CALLBACK findBars(HWND child, LPARAM found)
{
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    auto* bars = reinterpret_cast<HWND*>(found);
    if (lstrcmpiA(name, STATUSCLASSNAMEA) == 0)
        bars[0] = child;
    else if (lstrcmpiA(name, TOOLBARCLASSNAMEA) == 0)
        bars[1] = child;
    return TRUE;
}

void report(HWND window, TestChannel* c)
{
    std::string text;
    char buffer[1024];
    GetWindowTextA(window, buffer, sizeof buffer);
    text += std::string("title=") + buffer + "\n";
    HWND bars[2] = {nullptr, nullptr};
    EnumChildWindows(window, findBars, LPARAM(bars));
    for (int pane = 0; bars[0] && pane < 10; ++pane) {
        buffer[0] = '\0';
        SendMessageA(bars[0], SB_GETTEXTA, WPARAM(pane), LPARAM(buffer));
        text += "pane" + std::to_string(pane) + "=" + buffer + "\n";
    }
    const UINT commands[] = {40002, 40003, 40004, 40005, 40006, 40031, 40034, 40028};
    for (UINT command : commands) {
        std::string id = std::to_string(command);
        if (bars[1] && command != 40028) {
            LRESULT state = SendMessageA(bars[1], TB_GETSTATE, command, 0);
            text += "button" + id + "=" +
                    (!(state & TBSTATE_ENABLED) ? "disabled"
                                                : (state & TBSTATE_CHECKED) ? "checked" : "unchecked") +
                    "\n";
        }
        UINT menuState = GetMenuState(GetMenu(window), command, MF_BYCOMMAND);
        text += "menu" + id + "=" +
                ((menuState & MF_GRAYED) ? "grayed" : (menuState & MF_CHECKED) ? "checked" : "unchecked") +
                "\n";
    }
    text += std::string("toolbarVisible=") + (bars[1] && IsWindowVisible(bars[1]) ? "yes" : "no") + "\n";
    lstrcpynA(c->report, text.c_str(), sizeof c->report);
    InterlockedIncrement(&c->reportSerial);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK dropHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    static UINT dropMessage = RegisterWindowMessageA(kDropMessage);
    static UINT reportMessage = RegisterWindowMessageA(kReportMessage);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->hwnd && (msg->message == dropMessage || msg->message == reportMessage)) {
            if (TestChannel* c = channel()) {
                if (msg->message == dropMessage)
                    deliverDrop(msg->hwnd, c);
                else
                    report(msg->hwnd, c);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
