// The Windows Configuration sheet in this process, in a prefix of its own: the tabs, the shell
// folders and what opening one starts, what Apply writes for the shell icons, and the boot
// options over a replica boot file.
#include "app_test_support.h"
#include "paint_recorder.h"
#include "Helpers.h"
#include "TunewrightApp.h"
#include "WindowsConfigSheet.h"
#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

class ConfigEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        StartTestApplication();
        InitGlobalFolders();
    }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ConfigEnvironment);

struct OpenSheet {
    CWindowsConfigSheet sheet{nullptr};
    explicit OpenSheet(int page)
    {
        sheet.m_psh.nStartPage = UINT(page);
        EXPECT_TRUE(sheet.Create(nullptr));
    }
    ~OpenSheet() { sheet.DestroyWindow(); }
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM out)
{
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(hwnd) && GetDlgItem(hwnd, 0xFFFF)) {
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Reads every message box this thread shows while the timer runs, and closes it.
std::string g_boxText;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
    if (!box || GetPropA(box, "answered"))
        return;
    SetPropA(box, "answered", HANDLE(1));
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    g_boxText += (g_boxText.empty() ? "" : " | ") + std::string(text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

std::string Hkey(HKEY root, const char* key, const char* name, DWORD* type = nullptr)
{
    char data[512] = {};
    DWORD size = sizeof data, kind = 0;
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return "<no key>";
    LONG status = RegQueryValueExA(k, name, nullptr, &kind, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(k);
    if (type)
        *type = kind;
    return status == ERROR_SUCCESS ? std::string(data) : "<missing>";
}

const char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

// A shell icon value as the registry holds it, not through the ANSI code page.
std::wstring ShellIconW(const wchar_t* name)
{
    HKEY k;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons", 0,
                      KEY_READ, &k) != ERROR_SUCCESS)
        return L"<no key>";
    wchar_t data[128] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    LONG status = RegQueryValueExW(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(k);
    return status == ERROR_SUCCESS ? std::wstring(data) : L"<missing>";
}

// The boot file as a test needs it: read-only, hidden and system, as Windows keeps it.
void SeedBootFile(const std::string& text)
{
    SetFileAttributesA(kBootFile, FILE_ATTRIBUTE_NORMAL);
    {
        std::ofstream out(kBootFile, std::ios::binary | std::ios::trunc);
        out << text;
    }
    SetFileAttributesA(kBootFile, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kBootFile);
}

// Whether the icon rebuild's notice was on the screen when the new icon metrics were announced.
int g_noticesSeen = 0, g_announcements = 0;
LRESULT CALLBACK WatchAnnouncements(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE) {
        ++g_announcements;
        HWND notice = FindWindowA(nullptr, "Rebuild Explorer Icons");
        g_noticesSeen += notice && IsWindowVisible(notice);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// What the shell icon properties dialog showed, read while it was open.
struct IconDialogSeen {
    RECT rect = {};
    HICON icons[2] = {};
} g_iconDialog;
void CALLBACK ReadIconDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = GetActiveWindow();
    char title[128] = {};
    GetWindowTextA(dialog, title, sizeof title);
    if (!strstr(title, "Shell Icon Properties"))
        return;
    KillTimer(nullptr, id);
    GetWindowRect(dialog, &g_iconDialog.rect);
    g_iconDialog.icons[0] = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, 1055, STM_GETICON, 0, 0));
    g_iconDialog.icons[1] = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, 1056, STM_GETICON, 0, 0));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Picks icon 1 of Shell32.dll in the shell icon properties dialog and closes it with OK.
void CALLBACK ChooseIcon(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = GetActiveWindow();
    char title[128] = {};
    GetWindowTextA(dialog, title, sizeof title);
    if (!strstr(title, "Shell Icon Properties"))
        return;
    KillTimer(nullptr, id);
    SetDlgItemTextA(dialog, 1053, (std::string(g_strSystemFolder) + "\\Shell32.dll").c_str());
    SetDlgItemTextA(dialog, 1054, "1");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

bool IconAlive(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

}  // namespace

TEST(WindowsConfig, ListsAreDrawnAgainWholeWhenTheirViewChanges)
{
    for (int pageIndex : {1, 2}) {  // registered file types, shell icons
        OpenSheet open(pageIndex);
        CListCtrl& list = pageIndex == 1 ? open.sheet.m_pFileTypesPage->m_list : open.sheet.m_pShellIconPage->m_list;
        PumpFor(300);
        PaintRecorder painted(list.m_hWnd);
        for (UINT command : {32771u, 32780u, 32771u}) {  // Large Icons, Details, Large Icons
            painted.Reset();
            open.sheet.SendMessage(WM_COMMAND, command, 0);
            PumpFor(30000, [&] { return painted.PaintedWhole(); });
            EXPECT_TRUE(painted.PaintedWhole()) << "page " << pageIndex << ", command " << command;
        }
    }
}

TEST(WindowsConfig, EveryTextIsWholeOnEveryPageAndForEveryFolderName)
{
    OpenSheet open(0);
    for (int page = 0; page < 5; ++page) {
        open.sheet.SetActivePage(page);
        PumpFor(100);
        EXPECT_EQ(CutTexts(open.sheet.GetActivePage()->m_hWnd), std::vector<std::string>{}) << "page " << page;
    }
    open.sheet.SetActivePage(3);
    CListCtrl& list = open.sheet.m_pShellFolderPage->m_list;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(CutTexts(open.sheet.m_pShellFolderPage->m_hWnd), std::vector<std::string>{}) << row;
    }
}

TEST(WindowsConfig, ShellIconPropertiesOpenOverTheSheetAndFreeTheirIcons)
{
    OpenSheet open(2);
    CShellIconPage& page = *open.sheet.m_pShellIconPage;
    page.m_list.SetItemState(page.m_list.FindItemByData(8), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    g_iconDialog = {};
    UINT_PTR timer = SetTimer(nullptr, 0, 200, ReadIconDialog);
    page.SendMessage(WM_COMMAND, 1050, 0);  // "Modify"
    KillTimer(nullptr, timer);
    RECT sheet;
    open.sheet.GetWindowRect(&sheet);
    POINT centre = {(g_iconDialog.rect.left + g_iconDialog.rect.right) / 2,
                    (g_iconDialog.rect.top + g_iconDialog.rect.bottom) / 2};
    EXPECT_TRUE(PtInRect(&sheet, centre)) << centre.x << "," << centre.y;
    for (HICON icon : g_iconDialog.icons) {
        EXPECT_NE(icon, nullptr);
        EXPECT_FALSE(IconAlive(icon)) << "an icon of the closed dialog is still there";
    }
}

TEST(WindowsConfig, SheetHasItsCaptionAndTabsInOrder)
{
    OpenSheet open(0);
    CString caption;
    open.sheet.GetWindowText(caption);
    EXPECT_STREQ(caption, "Tunewright 97: Windows Configuration");
    EXPECT_EQ(TabCaptions(open.sheet), (std::vector<std::string>{"Windows 95 Boot Options", "Registered File Types",
                                                                  "Shell Icons", "Shell Folders", "About Tunewright 97"}));
}

TEST(WindowsConfig, ShellFoldersListInOrderAndOpenRealFoldersOnly)
{
    OpenSheet open(3);
    CListCtrl& list = open.sheet.m_pShellFolderPage->m_list;
    ASSERT_EQ(list.GetItemCount(), 17);
    EXPECT_STREQ(list.GetItemText(0, 0), "Control Panel");
    EXPECT_STREQ(list.GetItemText(1, 0), "Desktop Folder");
    EXPECT_STREQ(list.GetItemText(2, 0), "Desktop Name");
    int fonts = -1, printers = -1;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (std::string(list.GetItemText(i, 0)) == "Fonts")
            fonts = i;
        if (std::string(list.GetItemText(i, 0)) == "Printers")
            printers = i;
    }
    ASSERT_GE(fonts, 0);
    char fontsPath[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, fontsPath, CSIDL_FONTS, FALSE));
    EXPECT_STREQ(list.GetItemText(fonts, 1), fontsPath);

    // Explorer is a recorder here: a folder beside the test stands in for the Windows folder.
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder = std::string(exe, strrchr(exe, '\\')) + "\\winconfig";
    std::string record = folder + "\\command-line.txt";
    DeleteFileA(record.c_str());
    CString windows = g_strWindowsFolder;
    g_strWindowsFolder = folder.c_str();
    for (int row : {printers, fonts}) {
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        NMHDR hdr = {list.m_hWnd, UINT_PTR(1002), UINT(NM_DBLCLK)};
        open.sheet.m_pShellFolderPage->SendMessage(WM_NOTIFY, 1002, LPARAM(&hdr));
        if (row == printers) {
            Sleep(1500);
            EXPECT_EQ(GetFileAttributesA(record.c_str()), INVALID_FILE_ATTRIBUTES) << "Printers is not a folder";
        }
    }
    g_strWindowsFolder = windows;
    for (int i = 0; i < 300 && GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    std::string line = ReadFile(record);
    EXPECT_NE(line.find(std::string("Explorer.exe\" ") + fontsPath), std::string::npos) << line;
    CString name;
    open.sheet.m_pShellFolderPage->GetDlgItem(1005)->GetWindowText(name);
    EXPECT_STREQ(name, "Fonts");
}

TEST(WindowsConfig, ShellIconsApplyWritesOnlyTheChangedRowsAndKeepsTheOthersByteForByte)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kShellIcons);  // as a new system has it: no value at all
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kShellIcons, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
    const wchar_t omega[] = L"C:\\\x03A9mega\\a.dll,3";  // not in the ANSI code page
    RegSetValueExW(key, L"3", 0, REG_SZ, reinterpret_cast<const BYTE*>(omega), sizeof omega);
    const char comma[] = "C:\\My,Icons\\a.dll,3";
    RegSetValueExA(key, "2", 0, REG_SZ, reinterpret_cast<const BYTE*>(comma), sizeof comma);
    const BYTE binary[] = {1, 2};
    RegSetValueExA(key, "4", 0, REG_BINARY, binary, sizeof binary);
    RegCloseKey(key);
    // An icon size of a type the page does not read goes back with its type.
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop\\WindowMetrics", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr), 0);
    const char size[] = "32\0";
    RegSetValueExA(key, "Shell Icon Size", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(size), sizeof size);
    RegCloseKey(key);
    const char* const classes[] = {"CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon",
                                   "CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon",
                                   "CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}\\DefaultIcon",
                                   "CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\DefaultIcon"};
    std::vector<std::string> classesBefore;
    for (const char* path : classes)
        classesBefore.push_back(Hkey(HKEY_CLASSES_ROOT, path, ""));

    OpenSheet open(2);
    CShellIconPage& page = *open.sheet.m_pShellIconPage;
    ASSERT_EQ(page.m_list.GetItemCount(), 39);
    // A window of ours hears the new icon metrics announced, and looks for the notice then.
    WNDCLASSA watcher = {};
    watcher.lpfnWndProc = WatchAnnouncements;
    watcher.hInstance = GetModuleHandleA(nullptr);
    watcher.lpszClassName = "AnnouncementWatcher";
    RegisterClassA(&watcher);
    HWND watching = CreateWindowA("AnnouncementWatcher", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    g_noticesSeen = g_announcements = 0;
    std::string shell32 = std::string(g_strSystemFolder) + "\\Shell32.dll";
    // Two applies in one sheet, each after "Default Icon" on another row (35 shows 35, its
    // default is 48; 37 shows 37, its default 49).
    for (int changed : {35, 37}) {
        page.m_list.SetItemState(-1, 0, LVIS_SELECTED);
        page.m_list.SetItemState(page.m_list.FindItemByData(changed), LVIS_SELECTED | LVIS_FOCUSED,
                                 LVIS_SELECTED | LVIS_FOCUSED);
        open.sheet.SendMessage(WM_COMMAND, 32814, 0);  // "Default Icon", as from the row menu
        open.sheet.PressButton(PSBTN_APPLYNOW);
        EXPECT_EQ(ShellIconW(L"3"), omega) << "apply after changing " << changed;
        EXPECT_EQ(Hkey(HKEY_LOCAL_MACHINE, kShellIcons, "2"), comma) << "apply after changing " << changed;
        DWORD type = 0;
        Hkey(HKEY_LOCAL_MACHINE, kShellIcons, "4", &type);
        EXPECT_EQ(type, DWORD(REG_BINARY)) << "apply after changing " << changed;
    }
    DestroyWindow(watching);
    EXPECT_GT(g_announcements, 0);
    EXPECT_EQ(g_noticesSeen, g_announcements) << "the rebuild's notice was not on the screen";
    EXPECT_EQ(FindWindowA(nullptr, "Rebuild Explorer Icons"), nullptr);
    EXPECT_EQ(Hkey(HKEY_LOCAL_MACHINE, kShellIcons, "35"), shell32 + ",48");
    EXPECT_EQ(Hkey(HKEY_LOCAL_MACHINE, kShellIcons, "37"), shell32 + ",49");
    EXPECT_EQ(Hkey(HKEY_LOCAL_MACHINE, kShellIcons, "8"), "<missing>");
    for (size_t i = 0; i < std::size(classes); ++i)
        EXPECT_EQ(Hkey(HKEY_CLASSES_ROOT, classes[i], ""), classesBefore[i]) << classes[i];
    DWORD sizeType = 0;
    EXPECT_EQ(Hkey(HKEY_CURRENT_USER, "Control Panel\\desktop\\WindowMetrics", "Shell Icon Size", &sizeType), "32");
    EXPECT_EQ(sizeType, DWORD(REG_MULTI_SZ));
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop\\WindowMetrics", 0, KEY_WRITE, &key) == 0) {
        RegDeleteValueA(key, "Shell Icon Size");
        RegCloseKey(key);
    }
}

TEST(WindowsConfig, ARefusedShellIconWriteKeepsTheSheetOpenAndSaysWhichValue)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kShellIcons);
    const std::string clsid = "CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}";
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (clsid + "\\DefaultIcon").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, clsid.c_str());
    // A volatile key takes no lasting sub key: the registry refuses DefaultIcon under it.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, clsid.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr,
                              &key, nullptr), 0);
    RegCloseKey(key);

    OpenSheet open(2);
    CShellIconPage& page = *open.sheet.m_pShellIconPage;
    for (int row : {35, 46}) {  // the first change is written, then taken back
        page.m_list.SetItemState(-1, 0, LVIS_SELECTED);
        page.m_list.SetItemState(page.m_list.FindItemByData(row), LVIS_SELECTED | LVIS_FOCUSED,
                                 LVIS_SELECTED | LVIS_FOCUSED);
        UINT_PTR timer = SetTimer(nullptr, 0, 200, ChooseIcon);
        page.SendMessage(WM_COMMAND, 1050, 0);  // "Modify"
        KillTimer(nullptr, timer);
    }
    open.sheet.SetActivePage(3);  // OK from another page brings the refusing one back
    g_boxText.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerBox);
    open.sheet.PressButton(PSBTN_OK);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_boxText, "The shell icons were not changed: Windows refused to write HKCR\\" + clsid + "\\DefaultIcon\\(Default).");
    EXPECT_NE(open.sheet.SendMessage(PSM_GETCURRENTPAGEHWND), 0) << "the sheet closed";
    EXPECT_EQ(open.sheet.GetActiveIndex(), 2);
    EXPECT_EQ(Hkey(HKEY_CLASSES_ROOT, (clsid + "\\DefaultIcon").c_str(), ""), "<no key>");
    EXPECT_EQ(Hkey(HKEY_LOCAL_MACHINE, kShellIcons, "35"), "<no key>") << "the key made for it stayed";
    RegDeleteKeyA(HKEY_CLASSES_ROOT, clsid.c_str());
}

TEST(WindowsConfig, BootOptionsChangeOnlyTheirLineAndCheckTheirRanges)
{
    const std::string original =
        "[Paths]\r\nWinDir=C:\\WINDOWS\r\nWinBootDir=C:\\WINDOWS\r\nHostWinBootDrv=C\r\n\r\n[Options]\r\n"
        "BootMulti=1\r\nBootGUI=1\r\nBootMenu = 1\r\nNetwork = 1\r\nDoubleBuffer=1\r\nBootMenuDelay = 05\r\n\r\n"
        ";The following lines are required for compatibility with other programs.\r\n"
        ";Do not remove them (MSDOS.SYS needs to be >1024 bytes).\r\n"
        ";xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx-a\r\n\x1A";
    SeedBootFile(original);

    OpenSheet open(0);
    CWnd* page = open.sheet.GetActivePage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->IsDlgButtonChecked(1074), UINT(BST_CHECKED));        // DrvSpace and DblSpace missing
    EXPECT_EQ(page->IsDlgButtonChecked(1079), UINT(BST_INDETERMINATE));  // DoubleBuffer=1

    // An existing key keeps its spelling and spacing; a new one goes last in [Options].
    page->SetDlgItemText(1073, "7");
    page->SetDlgItemText(1078, "5");
    open.sheet.PressButton(PSBTN_APPLYNOW);
    std::string expected = original;
    expected.replace(expected.find("BootMenuDelay = 05"), 18, "BootMenuDelay = 7");
    expected.insert(expected.size() - 1, "BootDelay=5\r\n");
    EXPECT_EQ(ReadFile(kBootFile), expected);
    EXPECT_EQ(GetFileAttributesA(kBootFile) & ~DWORD(FILE_ATTRIBUTE_ARCHIVE),
              DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    page->SetDlgItemText(1072, "9");  // one past 1..8 (previous OS and network on)
    g_boxText.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerBox);
    open.sheet.PressButton(PSBTN_APPLYNOW);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_boxText, "Please enter an integer between 1 and 8.");
}

TEST(WindowsConfig, AStoredBootValueOutOfRangeIsKeptAndHoldsNobodyOnThePage)
{
    const std::string original = "[Options]\r\nBootDelay=90\r\nBootMenuDelay=75\r\nBootMenuDefault=9\r\nLogo=1\r\n";
    SeedBootFile(original);
    OpenSheet open(0);
    g_boxText.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerBox);
    open.sheet.SetActivePage(1);
    EXPECT_EQ(open.sheet.GetActiveIndex(), 1);
    open.sheet.SetActivePage(0);
    open.sheet.PressButton(PSBTN_OK);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_boxText, "");
    EXPECT_EQ(open.sheet.SendMessage(PSM_GETCURRENTPAGEHWND), 0) << "the sheet did not close";
    EXPECT_EQ(ReadFile(kBootFile), original);
}

TEST(WindowsConfig, AnApplyOfAnotherPageLeavesTheBootFileAsItWas)
{
    const std::string original = "[Paths]\r\nWinDir=C:\\WINDOWS\r\n\r\n[Options]\r\nBootMenuDelay = 05\r\nBootMulti=1\r\n"
                                 "\r\nDoubleBuffer=1\r\n;xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx-a\r\n";
    SeedBootFile(original);
    const DWORD before = GetFileAttributesA(kBootFile);

    OpenSheet open(0);
    open.sheet.SetActivePage(2);
    CShellIconPage& icons = *open.sheet.m_pShellIconPage;
    icons.m_list.SetItemState(icons.m_list.FindItemByData(35), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    open.sheet.SendMessage(WM_COMMAND, 32814, 0);
    open.sheet.PressButton(PSBTN_APPLYNOW);
    EXPECT_EQ(ReadFile(kBootFile), original);
    EXPECT_EQ(GetFileAttributesA(kBootFile), before);
}
