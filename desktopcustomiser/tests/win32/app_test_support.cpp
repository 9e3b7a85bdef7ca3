#include "app_test_support.h"

#include "MainFrame.h"
#include "TunewrightApp.h"

#include <gtest/gtest.h>

MemoryProfileStore& StartTestApplication()
{
    static MemoryProfileStore* profile = [] {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        theApp.SetRegistryKey("Marrowby Corp.");
        auto store = std::make_unique<MemoryProfileStore>();
        MemoryProfileStore* kept = store.get();
        theApp.SetProfileStore(std::move(store));
        return kept;
    }();
    return *profile;
}

void PumpFor(DWORD ms, const std::function<bool()>& done)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms && !done()) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            if (!AfxPreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        Sleep(5);
    }
}

std::vector<std::string> TabCaptions(CPropertySheet& sheet)
{
    HWND tabs = sheet.GetTabControl()->m_hWnd;
    std::vector<std::string> names;
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, WPARAM(i), LPARAM(&item));
        names.push_back(text);
    }
    return names;
}

CMainFrame* MakeTestFrame()
{
    auto* frame = new CMainFrame;
    theApp.m_pMainFrame = frame;
    EXPECT_TRUE(frame->Create(nullptr, "Tunewright 97"));
    theApp.m_pMainWnd = frame;
    frame->CreateUserTrayIcons();
    return frame;
}

void EndTestFrame()
{
    if (theApp.m_pMainFrame)
        theApp.m_pMainFrame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    PumpFor(50);
    theApp.m_pMainWnd = nullptr;
}

std::vector<std::string> CutTexts(HWND window)
{
    std::vector<std::string> cut;
    HDC dc = GetDC(window);
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        char cls[32] = {}, text[512] = {};
        GetClassNameA(control, cls, sizeof cls);
        GetWindowTextA(control, text, sizeof text);
        LONG style = GetWindowLongA(control, GWL_STYLE);
        if (!text[0] || !(style & WS_VISIBLE))
            continue;
        RECT client;
        GetClientRect(control, &client);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        bool fits = true;
        if (lstrcmpiA(cls, "Static") == 0) {
            LONG kind = style & SS_TYPEMASK;
            if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT) {
                RECT need = {0, 0, client.right, 0};
                DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
                fits = need.right <= client.right && need.bottom <= client.bottom;
            }
        } else if (lstrcmpiA(cls, "Button") == 0) {
            LONG kind = style & BS_TYPEMASK;
            RECT need = {0, 0, 0, 0};
            DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
            if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON)
                fits = need.right + 4 <= client.right;
            else if (kind != BS_GROUPBOX && kind != BS_OWNERDRAW)
                fits = need.right + GetSystemMetrics(SM_CXMENUCHECK) + 4 <= client.right;  // the box and its gap
        }
        SelectObject(dc, old);
        if (!fits)
            cut.push_back(std::to_string(GetDlgCtrlID(control)) + ": " + text);
    }
    ReleaseDC(window, dc);
    return cut;
}
