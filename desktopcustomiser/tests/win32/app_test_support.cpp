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
