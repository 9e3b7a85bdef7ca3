// The options sheet as a user drives it, in this process on Wine's desktop: opened from the
// tray command through the sheet seam, its tabs, the user entry pages with the item dialog,
// the corner page's range check, the exit while a nested dialog is open, the display icon's
// mode menu and the icons added anew for a new taskbar.
#include "Helpers.h"
#include "app_test_support.h"
#include "MainFrame.h"
#include "MainFrameMessages.h"
#include "OptionsSheets.h"
#include "TrayIcon.h"
#include "TunewrightApp.h"
#include "menu_texts.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

MemoryProfileStore* g_profile;

class OptionsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_profile = &StartTestApplication();
        theApp.m_nRunYet = 1;
        theApp.m_strInstallFolder = "C:\\Tunewright Test\\";
        InitGlobalFolders();
    }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new OptionsEnvironment);

// Steps run one after another from a thread timer, so they run inside whatever modal loop is
// open; a step returns false to be tried again at the next tick.
class Script {
public:
    explicit Script(std::vector<std::function<bool()>> steps) : m_steps(std::move(steps))
    {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 50, Tick);
    }
    ~Script()
    {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Finished() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Script* self = s_current;
        if (!self || self->m_busy || self->Finished())
            return;
        self->m_busy = true;
        if (self->m_steps[self->m_next]())
            ++self->m_next;
        self->m_busy = false;
    }
    static inline Script* s_current = nullptr;
    std::vector<std::function<bool()>> m_steps;
    size_t m_next = 0;
    bool m_busy = false;
    UINT_PTR m_timer = 0;
};

HWND Visible(const char* caption)
{
    HWND hwnd = FindWindowA(nullptr, caption);
    return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) ? hwnd : nullptr;
}

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM param)
{
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (IsWindowVisible(hwnd) && std::string(cls) == "#32770" && GetDlgItem(hwnd, 0xFFFF)) {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND MessageBoxOfThisThread()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string TextOf(HWND hwnd)
{
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void Click(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

const char kOptions[] = "Tunewright 97: Options";

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_profile->Clear();
        g_profile->WriteProfileInt("Settings", "Show Display Settings Icon", 0);
    }
    void TearDown() override { EndTestFrame(); }
    static CMainFrame* MakeFrame() { return MakeTestFrame(); }
    // Adds an entry on the current page through the item dialog.
    static std::vector<std::function<bool()>> AddEntry(const char* dialogCaption, const char* description,
                                                       const char* program, const char* parameters)
    {
        return {
            [] {
                HWND sheet = Visible(kOptions);
                if (sheet)
                    Click(CurrentPage(sheet), 1003);
                return sheet != nullptr;
            },
            [=] {
                HWND dialog = Visible(dialogCaption);
                if (!dialog)
                    return false;
                SetDlgItemTextA(dialog, 1018, description);
                SetDlgItemTextA(dialog, 1047, program);
                SetDlgItemTextA(dialog, 1048, parameters);
                Click(dialog, IDOK);
                return true;
            },
            [=] { return FindWindowA(nullptr, dialogCaption) == nullptr; },
        };
    }
    static std::function<bool()> Press(int button)
    {
        return [button] {
            HWND sheet = Visible(kOptions);
            if (sheet)
                PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
            return sheet != nullptr;
        };
    }
    static std::function<bool()> ShowPage(int page)
    {
        return [page] {
            HWND sheet = Visible(kOptions);
            if (sheet)
                SendMessageA(sheet, PSM_SETCURSEL, page, 0);
            return sheet != nullptr;
        };
    }
};

TEST_F(OptionsTest, TrayCommandOpensTheSheetWithItsFiveTabsInOrderWithPictures)
{
    CMainFrame* frame = MakeFrame();
    std::vector<std::string> tabs;
    std::vector<int> images;
    std::vector<std::string> cut;
    HWND seenSheet = nullptr;
    Script script({
        [&] {
            HWND sheet = Visible(kOptions);
            if (!sheet)
                return false;
            seenSheet = sheet;
            EXPECT_EQ(frame->OpenSheet(SheetKind::Options)->m_hWnd, sheet);
            HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
            for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
                char text[64] = {};
                TCITEMA item = {};
                item.mask = TCIF_TEXT | TCIF_IMAGE;
                item.pszText = text;
                item.cchTextMax = sizeof text;
                SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
                tabs.push_back(text);
                images.push_back(item.iImage);
            }
            // Every text of every page whole in the pages' font.
            for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
                SendMessageA(sheet, PSM_SETCURSEL, i, 0);
                for (const std::string& text : CutTexts(PropSheet_GetCurrentPageHwnd(sheet)))
                    cut.push_back(std::to_string(i) + " " + text);
            }
            SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
            // A second Options command brings the open sheet forward, no second sheet.
            frame->SendMessage(WM_COMMAND, ID_OPTIONS);
            return true;
        },
        Press(PSBTN_CANCEL),
    });
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(tabs, (std::vector<std::string>{"Tray Icons", "Tray Icon Menus", "Tunewright 97 Options",
                                              "Screen Saver Corner", "About Tunewright 97"}));
    EXPECT_EQ(images, (std::vector<int>{12, 14, 3, 15, 11}));
    EXPECT_EQ(cut, std::vector<std::string>{});
    EXPECT_FALSE(IsWindow(seenSheet));
    EXPECT_EQ(frame->OpenSheet(SheetKind::Options), nullptr);
}

TEST_F(OptionsTest, AddedTrayIconIsStoredInTheThreeListsAndGetsItsWindow)
{
    CMainFrame* frame = MakeFrame();
    EXPECT_EQ(frame->UserTrayWindow(0), nullptr);
    auto steps = AddEntry("Tray Icon Properties", "Notepad Test", "C:\\windows\\notepad.exe", "");
    steps.push_back(Press(PSBTN_OK));
    Script script(steps);
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_STREQ(g_profile->GetProfileString("Tray Icons", "Description", "?"), "Notepad Test|");
    EXPECT_STREQ(g_profile->GetProfileString("Tray Icons", "Executable Path", "?"), "C:\\windows\\notepad.exe|");
    EXPECT_STREQ(g_profile->GetProfileString("Tray Icons", "Parameters", "?"), " |");
    CWnd* icon = frame->UserTrayWindow(0);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(TextOf(icon->m_hWnd), "Tunewright 97 Tray Icon: Notepad Test");
}

TEST_F(OptionsTest, ItemDialogReportsTheFirstFailingCheckAndKeepsTheInput)
{
    CMainFrame* frame = MakeFrame();
    struct Attempt {
        const char *description, *program, *parameters, *message;
        int focus;
    };
    const Attempt attempts[] = {
        {"", "", "a|b", "You must specify a program to run", 1047},
        {"", "edit.exe", "", "You must enter a description", 1018},
        {"x|y", "ed|it.exe", "", "The command line contains an illegal | character", 1047},
        {"x|y", "edit.exe", "", "The description contains an illegal | character", 1018},
        {"Edit", "edit.exe", "a|b", "The parameters field contains an illegal | character", 1048},
    };
    std::vector<std::string> messages;
    std::vector<int> focus;
    std::string kept;
    std::vector<std::function<bool()>> steps = {ShowPage(1), [] {
                                                    HWND sheet = Visible(kOptions);
                                                    Click(CurrentPage(sheet), 1003);
                                                    return true;
                                                }};
    for (const Attempt& a : attempts) {
        steps.push_back([&a] {
            HWND dialog = Visible("Tray Menu Item Properties");
            if (!dialog)
                return false;
            SetDlgItemTextA(dialog, 1018, a.description);
            SetDlgItemTextA(dialog, 1047, a.program);
            SetDlgItemTextA(dialog, 1048, a.parameters);
            Click(dialog, IDOK);
            return true;
        });
        steps.push_back([&] {
            HWND box = MessageBoxOfThisThread();
            if (!box)
                return false;
            messages.push_back(TextOf(GetDlgItem(box, 0xFFFF)));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return true;
        });
        steps.push_back([&] {
            HWND dialog = Visible("Tray Menu Item Properties");
            if (!dialog || MessageBoxOfThisThread())
                return false;
            focus.push_back(GetDlgCtrlID(GetFocus()));
            char text[64] = {};
            GetDlgItemTextA(dialog, 1048, text, sizeof text);
            kept = text;
            return true;
        });
    }
    steps.push_back([] {
        HWND dialog = Visible("Tray Menu Item Properties");
        Click(dialog, IDCANCEL);
        return true;
    });
    steps.push_back([] { return FindWindowA(nullptr, "Tray Menu Item Properties") == nullptr; });
    steps.push_back(Press(PSBTN_CANCEL));
    Script script(steps);
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(messages.size(), std::size(attempts));
    for (size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i], attempts[i].message);
        EXPECT_EQ(focus[i], attempts[i].focus) << attempts[i].message;
    }
    EXPECT_EQ(kept, "a|b");  // the refused input stays in the dialog
    EXPECT_FALSE(g_profile->Contains("Tray Menus", "Menu Text"));  // cancelled: nothing stored
}

TEST_F(OptionsTest, AddedMenuItemJoinsTheTrayMenuAndItsCommandRunsTheProgram)
{
    CMainFrame* frame = MakeFrame();
    const char* record = "C:\\tunewright_menu_item_ran.txt";
    DeleteFileA(record);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string cmd = std::string(system) + "\\cmd.exe";
    std::string parameters = std::string("/c echo ran> ") + record;
    std::vector<std::function<bool()>> steps = {ShowPage(1)};
    auto add = AddEntry("Tray Menu Item Properties", "Record Run", cmd.c_str(), parameters.c_str());
    steps.insert(steps.end(), add.begin(), add.end());
    steps.push_back(Press(PSBTN_OK));
    Script script(steps);
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_STREQ(g_profile->GetProfileString("Tray Menus", "Menu Text", "?"), "Record Run|");
    std::vector<std::string> items = MenuTexts(frame->TrayMenu().GetSubMenu(0)->m_hMenu);
    auto about = std::find(items.begin(), items.end(), "&About Tunewright 97");
    ASSERT_NE(about, items.end());
    ASSERT_GE(about - items.begin(), 2);
    EXPECT_EQ(*(about - 2), "Record Run");
    EXPECT_EQ(*(about - 1), "-");
    frame->SendMessage(WM_COMMAND, 1027);
    bool ran = false;
    for (int i = 0; i < 300 && !ran; ++i) {
        Sleep(100);
        ran = GetFileAttributesA(record) != INVALID_FILE_ATTRIBUTES;
    }
    EXPECT_TRUE(ran);
    DeleteFileA(record);
}

TEST_F(OptionsTest, ListsAndTheRunValueStoredAsExpandableStringsShowAndOkKeepsThem)
{
    const char runKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char run[] = "%ProgramFiles%\\Tunewright 97\\Tunewright.Exe";
    g_profile->SetRaw("Tray Menus", "Menu Text", REG_EXPAND_SZ, EncodeProfileString("Mail|"));
    g_profile->SetRaw("Tray Menus", "Executable Path", REG_EXPAND_SZ, EncodeProfileString("%WINDIR%\\notepad.exe|"));
    g_profile->SetRaw("Tray Menus", "Parameters", REG_SZ, EncodeProfileString(" |"));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Tunewright", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(run), sizeof run);
    CMainFrame* frame = MakeFrame();

    int rows = -1;
    UINT load = 99;
    Script script({ShowPage(1),
                   [&] {
                       rows = ListView_GetItemCount(GetDlgItem(CurrentPage(Visible(kOptions)), IDC_ENTRY_LIST));
                       return true;
                   },
                   ShowPage(2),
                   [&] {
                       load = IsDlgButtonChecked(CurrentPage(Visible(kOptions)), IDC_LOAD);
                       return true;
                   },
                   Press(PSBTN_OK)});
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(load, UINT(BST_CHECKED));
    for (const char* entry : {"Menu Text", "Executable Path"}) {
        uint32_t type = 0;
        std::vector<uint8_t> data;
        ASSERT_TRUE(g_profile->ReadValue("Tray Menus", entry, type, data));
        EXPECT_EQ(type, uint32_t(REG_EXPAND_SZ)) << entry;
    }
    EXPECT_STREQ(g_profile->GetProfileString("Tray Menus", "Menu Text"), "Mail|");
    char data[MAX_PATH] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "Tunewright", nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
    EXPECT_STREQ(data, run);
    RegDeleteValueA(key, "Tunewright");
    RegCloseKey(key);
    std::vector<std::string> items = MenuTexts(frame->TrayMenu().GetSubMenu(0)->m_hMenu);
    EXPECT_NE(std::find(items.begin(), items.end(), "Mail"), items.end());
}

TEST_F(OptionsTest, CornerPageRefusesAnIntervalOutsideItsRangeAndStaysOpen)
{
    CMainFrame* frame = MakeFrame();
    g_profile->WriteProfileInt("Settings", "Screen Saver Timer", 20000);  // clamped on reading
    std::string message, shownTimer;
    bool stillOpen = false;
    Script script({
        ShowPage(3),
        [&] {
            HWND page = CurrentPage(Visible(kOptions));
            char text[16] = {};
            GetDlgItemTextA(page, 1036, text, sizeof text);
            shownTimer = text;
            SetDlgItemTextA(page, 1036, "5");
            return true;
        },
        Press(PSBTN_OK),
        [&] {
            HWND box = MessageBoxOfThisThread();
            if (!box)
                return false;
            message = TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (MessageBoxOfThisThread())
                return false;
            stillOpen = Visible(kOptions) != nullptr;
            return true;
        },
        Press(PSBTN_CANCEL),
    });
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(shownTimer, "10000");
    EXPECT_EQ(message, "Please enter an integer between 50 and 10000.");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(g_profile->GetProfileInt("Settings", "Screen Saver Timer", 0), 20000);  // nothing saved
}

TEST_F(OptionsTest, SavedCornerReachesTheCornerThreadWhichReloads)
{
    CMainFrame* frame = MakeFrame();
    CScreenSaverThread& thread = frame->CornerThread();
    EXPECT_EQ(thread.WatchedCorner(), 0);
    auto chooseCorner = [](int radio) {
        return std::vector<std::function<bool()>>{
            ShowPage(3),
            [radio] {
                HWND page = CurrentPage(Visible(kOptions));
                PostMessageA(GetDlgItem(page, radio), BM_CLICK, 0, 0);
                return true;
            },
            [radio] {
                HWND page = CurrentPage(Visible(kOptions));
                return IsDlgButtonChecked(page, radio) == BST_CHECKED;
            },
            Press(PSBTN_OK),
        };
    };
    auto waitFor = [](const std::function<bool()>& done) {
        for (int i = 0; i < 1500 && !done(); ++i)
            Sleep(20);
        return done();
    };
    {
        Script script(chooseCorner(1032));  // upper-right
        frame->SendMessage(WM_COMMAND, ID_OPTIONS);
        EXPECT_TRUE(script.Finished());
    }
    EXPECT_EQ(g_profile->GetProfileInt("Settings", "Screen Saver Activate Corner", -1), 2);
    EXPECT_EQ(g_profile->GetProfileInt("Settings", "Screen Saver Timer", -1), -1);  // the default, left alone
    EXPECT_TRUE(waitFor([&] { return thread.WatchedCorner() == 2 && thread.IsPolling(); }));
    {
        Script script(chooseCorner(1030));  // none
        frame->SendMessage(WM_COMMAND, ID_OPTIONS);
        EXPECT_TRUE(script.Finished());
    }
    EXPECT_TRUE(waitFor([&] { return thread.WatchedCorner() == 0 && !thread.IsPolling(); }));
}

TEST_F(OptionsTest, AStoredCornerOutsideTheRangeIsNoneForPageAndThreadAndOkLeavesItAsStored)
{
    g_profile->WriteProfileInt("Settings", "Screen Saver Activate Corner", 7);
    CMainFrame* frame = MakeFrame();
    bool noneChecked = false;
    Script script({
        ShowPage(3),
        [&] {
            noneChecked = IsDlgButtonChecked(CurrentPage(Visible(kOptions)), 1030) == BST_CHECKED;
            return true;
        },
        Press(PSBTN_OK),
    });
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(noneChecked);
    EXPECT_EQ(g_profile->GetProfileInt("Settings", "Screen Saver Activate Corner", -1), 7);  // untouched
    EXPECT_EQ(frame->CornerThread().WatchedCorner(), 0);
}

TEST_F(OptionsTest, ExitFromTheTrayWithTheSheetAndANestedDialogOpenEndsCleanly)
{
    CMainFrame* frame = MakeFrame();
    HWND main = frame->m_hWnd;
    std::string question;
    Script script({
        [] {
            HWND sheet = Visible(kOptions);
            if (sheet)
                Click(CurrentPage(sheet), 1003);
            return sheet != nullptr;
        },
        [&] {
            if (!Visible("Tray Icon Properties"))
                return false;
            PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
            return true;
        },
        [&] {
            HWND box = MessageBoxOfThisThread();
            if (!box)
                return false;
            question = TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, IDYES, 0);
            return true;
        },
    });
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(question, "Exiting now will cancel any changes you have made.\nDo you want to exit now?");
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(theApp.m_pMainFrame, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Tray Icon Properties"), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, kOptions), nullptr);
}

TEST_F(OptionsTest, SeamOpensAFakeSheetInPlaceOfTheRealOne)
{
    CMainFrame* frame = MakeFrame();
    int asked = 0;
    SetSheetFactory([&](SheetKind kind, CWnd* parent) -> CPropertySheet* {
        ++asked;
        EXPECT_EQ(kind, SheetKind::Options);
        EXPECT_EQ(parent, frame);
        return nullptr;
    });
    frame->SendMessage(WM_COMMAND, ID_OPTIONS);
    SetSheetFactory(nullptr);
    EXPECT_EQ(asked, 1);
}

TEST_F(OptionsTest, DisplayIconListsTheModesByResolutionAndSwitchesTheDisplay)
{
    g_profile->WriteProfileInt("Settings", "Show Display Settings Icon", 1);
    CMainFrame* frame = MakeFrame();
    CDisplayTrayWnd* display = frame->DisplayTrayWindow();
    ASSERT_NE(display, nullptr);
    HMENU menu = display->Menu().GetSubMenu(0)->m_hMenu;
    std::vector<std::string> items = MenuTexts(menu);
    ASSERT_GE(items.size(), 5u);
    EXPECT_EQ(items.front(), "Display &Properties");
    EXPECT_EQ(items[1], "-");
    EXPECT_EQ(items[items.size() - 2], "-");
    EXPECT_EQ(items.back(), "&About Tunewright 97");
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    char current[32];
    std::snprintf(current, sizeof current, "%dx%d (", width, height);
    int checked = 0;
    UINT other = 0;
    std::string otherText;
    std::string previousResolution;
    for (int i = 2; i < GetMenuItemCount(menu) - 2; ++i) {
        const std::string& text = items[static_cast<size_t>(i)];
        if (text == "-") {
            EXPECT_NE(items[static_cast<size_t>(i - 1)], "-");  // never two separators
            continue;
        }
        std::string resolution = text.substr(0, text.find(' '));
        if (!previousResolution.empty() && items[static_cast<size_t>(i - 1)] != "-") {
            EXPECT_EQ(resolution, previousResolution) << "a group holds one resolution";
        }
        previousResolution = resolution;
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) {
            ++checked;
            EXPECT_EQ(text.rfind(current, 0), 0u) << text;
        } else if (!other && text.rfind(current, 0) != 0 && text.find("(32 bit)") != std::string::npos) {
            other = GetMenuItemID(menu, i);
            otherText = text;
        }
    }
    EXPECT_GE(checked, 1);
    if (!other)
        GTEST_SKIP() << "the display offers no other resolution";
    display->SendMessage(WM_COMMAND, other);
    int newWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_NE(newWidth, width) << otherText;
    // The check moved with the change; then the first resolution comes back.
    menu = display->Menu().GetSubMenu(0)->m_hMenu;
    EXPECT_TRUE(GetMenuState(menu, other, MF_BYCOMMAND) & MF_CHECKED);
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
}

TEST_F(OptionsTest, NewTaskbarGetsEveryIconAgainEvenOnesThatWereMissing)
{
    g_profile->WriteProfileString("Tray Icons", "Description", "Notepad|");
    g_profile->WriteProfileString("Tray Icons", "Executable Path", "C:\\windows\\notepad.exe|");
    g_profile->WriteProfileString("Tray Icons", "Parameters", " |");
    CMainFrame* frame = MakeFrame();
    ASSERT_NE(frame->UserTrayWindow(0), nullptr);
    auto has = [](HWND owner, UINT id) {
        NOTIFYICONDATAA nid = {};
        nid.cbSize = sizeof nid;
        nid.hWnd = owner;
        nid.uID = id;
        return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
    };
    auto drop = [](HWND owner, UINT id) {
        NOTIFYICONDATAA nid = {};
        nid.cbSize = sizeof nid;
        nid.hWnd = owner;
        nid.uID = id;
        Shell_NotifyIconA(NIM_DELETE, &nid);
    };
    // As after a restart of the shell: the icons are gone, the program does not know.
    drop(frame->m_hWnd, TRAYID_PROGRAM);
    drop(frame->UserTrayWindow(0)->m_hWnd, TRAYID_USERICON);
    ASSERT_FALSE(has(frame->m_hWnd, TRAYID_PROGRAM));
    frame->SendMessage(RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_TRUE(has(frame->m_hWnd, TRAYID_PROGRAM));
    ASSERT_NE(frame->UserTrayWindow(0), nullptr);
    EXPECT_TRUE(has(frame->UserTrayWindow(0)->m_hWnd, TRAYID_USERICON));
    EXPECT_TRUE(frame->IsProgramIconShown());
}

TEST(TrayIconRetries, ARefusedIconTriedAgainLoadsNoNewHandle)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    CTrayIcon shown(78), refused(78);
    shown.SetNotifyWindow(&owner, WM_TRAYNOTIFY);
    refused.SetNotifyWindow(&owner, WM_TRAYNOTIFY);
    ASSERT_TRUE(shown.SetIcon(IDI_TRAYICON));
    EXPECT_FALSE(refused.SetIcon(IDI_TRAYICON));  // the shell refuses the same owner and id
    HICON loaded = refused.LoadedIcon();
    ASSERT_NE(loaded, nullptr);
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(refused.SetIcon(IDI_TRAYICON));
        EXPECT_EQ(refused.LoadedIcon(), loaded);  // tried again with the same handle
    }
    shown.SetIcon(0u);
    owner.DestroyWindow();
}

}  // namespace
