// The main frame in this process: the tray menu as the user sees it (read from the open popup
// after the tray callback), the reload protocol, the user item limits, the timer and the exit.
#include "app_test_support.h"
#include "MainFrame.h"
#include "MainFrameMessages.h"
#include "TrayIcon.h"
#include "TunewrightApp.h"
#include "menu_texts.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

MemoryProfileStore* g_profile;

class FrameEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_profile = &StartTestApplication();
    }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new FrameEnvironment);

std::vector<std::string> Items(HMENU menu)
{
    return MenuTexts(menu);
}

std::vector<UINT> Ids(HMENU menu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

std::string Lists(const char* prefix, int count)
{
    std::string list;
    for (int i = 0; i < count; ++i)
        list += std::string(prefix) + std::to_string(i) + "|";
    return list;
}


std::map<UINT_PTR, std::function<void()>> g_timers;
void CALLBACK FireTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto action = g_timers[id];
    g_timers.erase(id);
    if (action)
        action();
}
void RunSoon(UINT ms, std::function<void()> action)
{
    g_timers[SetTimer(nullptr, 0, ms, FireTimer)] = std::move(action);
}

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM param)
{
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (IsWindowVisible(hwnd) && std::string(cls) == "#32768") {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND OpenPopupWindow()
{
    HWND found = nullptr;
    EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_profile->Clear();
        g_profile->WriteProfileInt("Settings", "Show Display Settings Icon", 0);
    }
    void TearDown() override { EndTestFrame(); }
    static CMainFrame* MakeFrame() { return MakeTestFrame(); }
};

TEST_F(MainFrameTest, TrayMenuOpensFromItsCallbackWithThePartsItemsInOrder)
{
    CMainFrame* frame = MakeFrame();
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Tunewright Control Window");
    EXPECT_FALSE(frame->IsWindowVisible());

    std::vector<std::string> shown;
    UINT defaultItem = 0;
    RunSoon(400, [&] {
        HWND popup = OpenPopupWindow();
        HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0)) : nullptr;
        if (menu) {
            shown = Items(menu);
            defaultItem = GetMenuDefaultItem(menu, FALSE, 0);
        }
        EndMenu();
    });
    frame->PostMessage(WM_TRAYNOTIFY, TRAYID_PROGRAM, WM_RBUTTONUP);
    PumpFor(30000, [&] { return !shown.empty(); });
    std::vector<std::string> expected = {"&Image Changer", "&Background Music", "Activate &Screen Saver", "-",
                                         "&Disk Info", "&Windows Configuration", "-", "&Options", "-",
                                         "&About Tunewright 97", "&Help", "Read&me", "-", "E&xit"};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(defaultItem, UINT(ID_OPTIONS));

    CMenu* popup = frame->TrayMenu().GetSubMenu(0);
    EXPECT_EQ(Items(popup->GetSubMenu(0)->m_hMenu),
              (std::vector<std::string>{"Wall&paper", "Start&up Screen", "&Wait To Shutdown", "&Safe To Shutdown",
                                        "Change &All", "-", "&Configure Image Changer"}));
    EXPECT_EQ(Ids(popup->GetSubMenu(0)->m_hMenu),
              (std::vector<UINT>{32772, 32773, 32777, 32776, 32775, 0, 32819}));
    EXPECT_EQ(Items(popup->GetSubMenu(1)->m_hMenu),
              (std::vector<std::string>{"Start &Playing Background Music", "&Stop Playing Background Music", "-",
                                        "&Configure Background Music"}));
    // Bitmap browser and the icon rebuild are never offered.
    EXPECT_EQ(GetMenuState(popup->m_hMenu, ID_BITMAP_BROWSER, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(GetMenuState(popup->m_hMenu, ID_REBUILD_ICONS, MF_BYCOMMAND), UINT(-1));
}

TEST_F(MainFrameTest, OtherTrayIconIdsAreNotThisHandlers)
{
    CMainFrame* frame = MakeFrame();
    bool menuSeen = false;
    RunSoon(300, [&] {
        if (HWND popup = OpenPopupWindow()) {
            menuSeen = popup != nullptr;
            EndMenu();
        }
    });
    EXPECT_EQ(frame->SendMessage(WM_TRAYNOTIFY, TRAYID_USERICON, WM_RBUTTONUP), 1);
    PumpFor(600);
    EXPECT_FALSE(menuSeen);
}

TEST_F(MainFrameTest, UserItemsStandBeforeAboutAndReloadWithTheirFlag)
{
    CMainFrame* frame = MakeFrame();
    g_profile->WriteProfileString("Tray Menus", "Menu Text", "Notes|Calc|Broken|After|");
    g_profile->WriteProfileString("Tray Menus", "Executable Path", "notepad.exe|calc.exe||x.exe|");
    g_profile->WriteProfileString("Tray Icons", "Description", "Editor|Shell|");
    g_profile->WriteProfileString("Tray Icons", "Executable Path", "notepad.exe|cmd.exe|");
    EXPECT_EQ(frame->SendMessage(WM_SETTINGSCHANGED, 0, SCF_TRAYMENU), TRUE);

    HMENU popup = frame->TrayMenu().GetSubMenu(0)->m_hMenu;
    std::vector<std::string> items = Items(popup);
    std::vector<std::string> expected = {"&Image Changer", "&Background Music", "Activate &Screen Saver", "-",
                                         "&Disk Info", "&Windows Configuration", "-", "&Options", "-",
                                         "&Tray Icon", "-", "Notes", "Calc", "-", "&About Tunewright 97", "&Help",
                                         "Read&me", "-", "E&xit"};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(GetMenuItemID(popup, 11), 1027u);
    EXPECT_EQ(GetMenuItemID(popup, 12), 1028u);
    HMENU icons = GetSubMenu(popup, 9);
    EXPECT_EQ(Items(icons), (std::vector<std::string>{"Editor", "Shell"}));
    EXPECT_EQ(Ids(icons), (std::vector<UINT>{1127, 1128}));
}

TEST_F(MainFrameTest, AtMostOneHundredUserItemsOfEachKindSoNoIdIsShared)
{
    CMainFrame* frame = MakeFrame();
    std::string texts = Lists("item", 150), programs = Lists("prog", 150);
    g_profile->WriteProfileString("Tray Menus", "Menu Text", texts.c_str());
    g_profile->WriteProfileString("Tray Menus", "Executable Path", programs.c_str());
    g_profile->WriteProfileString("Tray Icons", "Description", texts.c_str());
    g_profile->WriteProfileString("Tray Icons", "Executable Path", programs.c_str());
    frame->BuildTrayMenu();
    HMENU popup = frame->TrayMenu().GetSubMenu(0)->m_hMenu;
    std::map<UINT, int> seen;
    int userItems = 0;
    for (UINT id : Ids(popup)) {
        if (id >= 1027 && id <= 1226)
            ++userItems;
        if (id != 0 && id != UINT(-1))
            ++seen[id];
    }
    HMENU icons = GetSubMenu(popup, 9);
    for (UINT id : Ids(icons))
        ++seen[id];
    EXPECT_EQ(userItems, 100);
    EXPECT_EQ(GetMenuItemCount(icons), 100);
    EXPECT_EQ(GetMenuItemID(icons, 99), 1226u);
    for (const auto& [id, count] : seen)
        EXPECT_EQ(count, 1) << "id " << id << " given twice";
}

TEST_F(MainFrameTest, AutoRandomizeTimerIsArmedWithASanePeriodAndKilled)
{
    CMainFrame* frame = MakeFrame();
    EXPECT_EQ(frame->AutoRandomizeTimer(), 0u);
    g_profile->WriteProfileInt("Wallpapers", "Enable Auto Randomize", 1);
    g_profile->WriteProfileInt("Wallpapers", "Time", 0);
    frame->SendMessage(WM_SETTINGSCHANGED, 0, SCF_AUTORANDOMIZE);
    EXPECT_EQ(frame->AutoRandomizeTimer(), UINT_PTR(TIMERID_AUTORANDOMIZE));
    // A zero period would fire continuously; a clamped one does not fire within a second.
    int timers = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 500) {
        MSG msg;
        while (PeekMessageA(&msg, frame->m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE))
            if (msg.wParam == TIMERID_AUTORANDOMIZE)
                ++timers;
        Sleep(10);
    }
    EXPECT_EQ(timers, 0);
    g_profile->WriteProfileInt("Wallpapers", "Time", 70000);
    frame->SendMessage(WM_SETTINGSCHANGED, 0, SCF_AUTORANDOMIZE);
    EXPECT_EQ(frame->AutoRandomizeTimer(), UINT_PTR(TIMERID_AUTORANDOMIZE));
    g_profile->WriteProfileInt("Wallpapers", "Enable Auto Randomize", 0);
    frame->SendMessage(WM_SETTINGSCHANGED, 0, SCF_AUTORANDOMIZE);
    EXPECT_EQ(frame->AutoRandomizeTimer(), 0u);
}

TEST_F(MainFrameTest, ModalDialogRegistrationAndUnbuiltSheetsOpenNothing)
{
    CMainFrame* frame = MakeFrame();
    SetSheetFactory([](SheetKind, CWnd*) -> CPropertySheet* { return nullptr; });
    CDialog dialog;
    EXPECT_EQ(frame->SendMessage(WM_SETTINGSCHANGED, reinterpret_cast<WPARAM>(&dialog), SCF_MODALDIALOG), TRUE);
    EXPECT_EQ(frame->SendMessage(WM_SETTINGSCHANGED, 0, SCF_MODALDIALOG), TRUE);
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_EQ(frame->OpenSheet(SheetKind::Options), nullptr);
    // The wallpaper command with an empty list asks for the image changer sheet instead.
    frame->SendMessage(WM_COMMAND, ID_CHANGE_WALLPAPER);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, frame->m_hWnd, WM_OPENIMAGECHANGER, WM_OPENIMAGECHANGER, PM_REMOVE));
    SetSheetFactory(nullptr);
}

TEST_F(MainFrameTest, ExitRemovesTheIconEndsTheCornerThreadAndTheLoop)
{
    CMainFrame* frame = MakeFrame();
    EXPECT_TRUE(frame->IsProgramIconShown());
    HWND hwnd = frame->m_hWnd;
    HANDLE thread = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), frame->CornerThread().m_hThread, GetCurrentProcess(), &thread,
                                SYNCHRONIZE, FALSE, 0));
    EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_TIMEOUT));
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(theApp.m_pMainFrame, nullptr);
    EXPECT_EQ(theApp.GetMainWnd(), nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 0), DWORD(WAIT_OBJECT_0));
    CloseHandle(thread);
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

TEST_F(MainFrameTest, ACornerThreadHeldUpAtExitIsRaisedAndKeepsItsObjectUntilItEnds)
{
    CMainFrame* frame = MakeFrame();
    HANDLE thread = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), frame->CornerThread().m_hThread, GetCurrentProcess(), &thread,
                                THREAD_ALL_ACCESS, FALSE, 0));
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_IDLE);
    // As a busy machine would: the thread gets no time while the exit waits for it.
    SuspendThread(thread);
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_EQ(theApp.m_pMainFrame, nullptr);
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_NORMAL);
    ResumeThread(thread);
    // It leaves its loop on the quit message it was sent, through an object that still exists.
    EXPECT_EQ(WaitForSingleObject(thread, 30000), DWORD(WAIT_OBJECT_0));
    DWORD code = STILL_ACTIVE;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(thread);
}

TEST(TrayIcon, IsMarkedShownOnlyWhenTheShellTookItAndAddsAgainLater)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    CTrayIcon first(77), second(77);
    first.SetNotifyWindow(&wnd, WM_TRAYNOTIFY);
    second.SetNotifyWindow(&wnd, WM_TRAYNOTIFY);
    EXPECT_TRUE(first.SetIcon(IDI_TRAYICON));
    EXPECT_TRUE(first.IsShown());
    // The shell refuses a second icon with the same owner and id: not marked shown.
    EXPECT_FALSE(second.SetIcon(IDI_TRAYICON));
    EXPECT_FALSE(second.IsShown());
    EXPECT_TRUE(first.SetIcon(0u));
    EXPECT_FALSE(first.IsShown());
    EXPECT_TRUE(first.SetIcon(0u));  // nothing shown: nothing to do
    // Tried again, it is added now.
    EXPECT_TRUE(second.SetIcon(IDI_TRAYICON));
    EXPECT_TRUE(second.IsShown());
    EXPECT_TRUE(second.SetIcon(0u));
    wnd.DestroyWindow();
}

}  // namespace
