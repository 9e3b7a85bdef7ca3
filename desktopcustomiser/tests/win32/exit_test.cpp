// Exit from the tray with each kind of window open, in this process, under the heap checks its
// script switches on: the program ends promptly, shows nothing new, leaves nothing open and
// changes no registry value, whatever a box or dialog held.
#include "app_test_support.h"
#include "MainFrame.h"
#include "TunewrightApp.h"
#include "Win32RegistryStore.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

MemoryProfileStore* g_profile;

class ExitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { g_profile = &StartTestApplication(); }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ExitEnvironment);

constexpr DWORD kExitBoundMs = 10000;
const char kExitQuestion[] = "Exiting now will cancel any changes you have made.\nDo you want to exit now?";

// A window's title, or a box's text (its static 0xFFFF).
std::string Text(HWND hwnd, int id = 0)
{
    char text[1024] = {};
    id ? GetDlgItemTextA(hwnd, id, text, sizeof text) : GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BOOL CALLBACK AddShown(HWND hwnd, LPARAM list)
{
    if (IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> ShownWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), AddShown, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A window of this thread that shows, with title in its title and a box's text starting so.
HWND FindShown(const char* title, const char* text)
{
    for (HWND hwnd : ShownWindows())
        if (IsWindowEnabled(hwnd) && Text(hwnd).find(title) != std::string::npos &&
            (!text || Text(hwnd, 0xFFFF).rfind(text, 0) == 0))
            return hwnd;
    return nullptr;
}

// Every value under a key and its sub keys, to compare before and after.
void Dump(HKEY root, const std::string& path, std::string& out)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out += "[" + path + "]\n";
    char name[512];
    BYTE data[2048];
    DWORD nameSize = sizeof name, dataSize = sizeof data;
    for (DWORD i = 0; RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, data, &dataSize) == ERROR_SUCCESS;
         ++i, nameSize = sizeof name, dataSize = sizeof data)
        out += std::string(name) + "=" + std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    std::vector<std::string> subkeys;
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        subkeys.push_back(path.empty() ? name : path + "\\" + name);
    RegCloseKey(key);
    for (const std::string& sub : subkeys)
        Dump(root, sub, out);
}

// What the open windows could have written: the class keys' names (a type removed or added),
// the test type, the desktop's values and the shell icons.
std::string RegistryNow()
{
    std::string out;
    for (const std::string& key : TheRegistry().SubKeys(RegRoot::classesRoot, ""))
        out += key + "\n";
    for (const char* key : {".zqa", ".zqb", "zqtestfile"})
        Dump(HKEY_CLASSES_ROOT, key, out);
    Dump(HKEY_CURRENT_USER, "Control Panel\\Desktop", out);
    Dump(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons", out);
    return out;
}

// Steps as a user takes them: each waits for its window, then acts on it. The last one's
// window (no action) is what is open when Exit is chosen.
struct Step {
    const char* title;
    const char* text;  // a box's text, or nullptr
    std::function<void(HWND)> act;
};

struct Row {
    const char* name;
    UINT command;  // the tray command that starts it
    std::vector<Step> steps;
};

HWND CurrentPage(HWND sheet, int tab)
{
    PropSheet_SetCurSel(sheet, nullptr, tab);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

void Click(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The made-up type's row of the File Types page, selected.
HWND SelectTestType(HWND sheet)
{
    HWND page = CurrentPage(sheet, 1);
    HWND list = GetDlgItem(page, 1002);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        char text[128] = {};
        ListView_GetItemText(list, i, 0, text, sizeof text);
        if (std::string(text) == "Zq Test Document")
            ListView_SetItemState(list, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    return page;
}

const char kWindowsConfig[] = "Tunewright 97: Windows Configuration";
const Step kOpenTestType = {kWindowsConfig, nullptr, [](HWND sheet) { Click(SelectTestType(sheet), 1050); }};

const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = {
        {"music player's question", ID_MUSIC_START,
         {{"Tunewright 97", "There are no play lists.", nullptr}}},
        {"music player's error", ID_MUSIC_START,
         {{"Tunewright 97", "Background music error while playing", nullptr}}},
        {"File Types page's remove question", ID_WINDOWS_CONFIGURATION,
         {{kWindowsConfig, nullptr, [](HWND sheet) { Click(SelectTestType(sheet), 1004); }},
          {"Tunewright 97", "If you remove Zq Test Document", nullptr}}},
        {"File Type Properties' remove question", ID_WINDOWS_CONFIGURATION,
         {kOpenTestType,
          {"File Type Properties", nullptr,
           [](HWND dialog) {
               SendDlgItemMessageA(dialog, 1002, LB_SETCURSEL, 0, 0);
               Click(dialog, 1004);
           }},
          {"Tunewright 97", "Are you sure you want to remove this action?", nullptr}}},
        {"close-only file type dialog with an empty description", ID_WINDOWS_CONFIGURATION,
         {kOpenTestType,
          {"File Type Properties", nullptr,
           [](HWND dialog) {
               SendDlgItemMessageA(dialog, 1002, LB_SETCURSEL, 0, 0);
               SendMessageA(dialog, WM_COMMAND, 1123, 0);  // an action editor: close-only now
               SetDlgItemTextA(dialog, 1018, "");
           }},
          {"Editing Action For...", nullptr, nullptr}}},
        {"icon chooser over File Type Properties", ID_WINDOWS_CONFIGURATION,
         {kOpenTestType, {"File Type Properties", nullptr, [](HWND dialog) { Click(dialog, 1120); }},
          {"Browse For Icon", nullptr, nullptr}}},
        {"shell icon properties", ID_WINDOWS_CONFIGURATION,
         {{kWindowsConfig, nullptr,
           [](HWND sheet) {
               HWND page = CurrentPage(sheet, 2);
               ListView_SetItemState(GetDlgItem(page, 1002), 0, LVIS_SELECTED | LVIS_FOCUSED,
                                     LVIS_SELECTED | LVIS_FOCUSED);
               Click(page, 1050);
           }},
          {" Shell Icon Properties", nullptr, nullptr}}},
        {"Wallpaper Properties", ID_CONFIGURE_IMAGECHANGER,
         {{"Tunewright 97: Image Changer Configuration", nullptr, [](HWND sheet) { Click(CurrentPage(sheet, 0), 1003); }},
          {"Wallpaper Properties", nullptr, nullptr}}},
        {"image chooser over Wallpaper Properties", ID_CONFIGURE_IMAGECHANGER,
         {{"Tunewright 97: Image Changer Configuration", nullptr, [](HWND sheet) { Click(CurrentPage(sheet, 0), 1003); }},
          {"Wallpaper Properties", nullptr, [](HWND dialog) { Click(dialog, 1120); }},
          {"Browse For Wallpaper", nullptr, nullptr}}},
        {"Disk Usage Data", ID_DISK_INFO,
         {{"Tunewright 97: Disk Info", nullptr, [](HWND sheet) { Click(CurrentPage(sheet, 1), 1003); }},
          {"Disk Usage Data", nullptr, nullptr}}},
        {"music page's Open dialog", ID_CONFIGURE_MUSIC,
         {{"Tunewright 97: Background Music Configuration", nullptr, [](HWND sheet) { Click(CurrentPage(sheet, 0), 1003); }},
          {"Browse For Multimedia Files", nullptr, nullptr}}},
    };
    return rows;
}

// What the timer sees and does while a row runs, from inside whatever modal loop runs then.
struct Drive {
    const Row* row = nullptr;
    size_t step = 0;
    DWORD startedAt = 0;
    HWND frame = nullptr;
    DWORD exitAt = 0;  // 0 until Exit is chosen
    std::set<HWND> seen;
    std::vector<std::string> shownAfterExit;
    bool late = false;  // still open past the bound: everything is answered to end the run
} g_drive;

// Ends what the exit left, so that a failing run still finishes: a question is answered Yes,
// late, as a user would (it must change nothing now), anything else Cancel or OK; a dialog that
// would refuse its Close gets a valid field.
void Rescue()
{
    for (HWND hwnd : ShownWindows()) {
        char cls[16] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) != "#32770" || !IsWindowEnabled(hwnd))
            continue;
        if (SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0)) {
            PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            continue;
        }
        if (Text(hwnd) == "File Type Properties")
            SetDlgItemTextA(hwnd, 1018, "Zq Test Document");
        for (int id : {IDYES, IDCANCEL, IDOK}) {
            HWND button = GetDlgItem(hwnd, id);
            if (button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) {
                PostMessageA(hwnd, WM_COMMAND, id, 0);
                break;
            }
        }
    }
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Drive& d = g_drive;
    if (!d.row)
        return;
    DWORD now = GetTickCount();
    if (!d.exitAt) {
        if (now - d.startedAt > 30000) {
            ADD_FAILURE() << "step " << d.step << " never found its window";
            d.late = true;
            d.exitAt = now;
            return;
        }
        const Step& step = d.row->steps[d.step];
        HWND window = FindShown(step.title, step.text);
        if (!window)
            return;
        if (step.act) {
            step.act(window);
            ++d.step;
            return;
        }
        for (HWND hwnd : ShownWindows())
            d.seen.insert(hwnd);
        d.exitAt = now;
        PostMessageA(d.frame, WM_COMMAND, ID_APP_EXIT, 0);
        return;
    }
    for (HWND hwnd : ShownWindows()) {
        if (!d.seen.insert(hwnd).second)
            continue;
        if (Text(hwnd, 0xFFFF) == kExitQuestion)
            PostMessageA(hwnd, WM_COMMAND, IDYES, 0);
        else
            d.shownAfterExit.push_back(Text(hwnd) + ": " + Text(hwnd, 0xFFFF));
    }
    if (now - d.exitAt > kExitBoundMs)
        d.late = true;
    if (d.late)
        Rescue();
}

bool HeapsValid()
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        if (!HeapValidate(heaps[i], 0, nullptr))
            return false;
    return _heapchk() == _HEAPOK;
}

// A made-up type with one action, as each row starts from.
void SeedTestType()
{
    RegistryStore& registry = TheRegistry();
    for (const char* key : {".zqa", ".zqb", "zqtestfile"})
        registry.DeleteTree(RegRoot::classesRoot, key);
    registry.WriteString(RegRoot::classesRoot, ".zqa", "", "zqtestfile");
    registry.WriteString(RegRoot::classesRoot, ".zqb", "", "zqtestfile");
    registry.WriteString(RegRoot::classesRoot, "zqtestfile", "", "Zq Test Document");
    registry.WriteString(RegRoot::classesRoot, "zqtestfile\\Shell\\open\\command", "", "zq.exe \"%1\"");
}

TEST(ExitTest, RunsUnderTheHeapChecks)
{
    using GetFlags = ULONG(WINAPI*)();
    auto get = reinterpret_cast<GetFlags>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetNtGlobalFlags")));
    ASSERT_NE(get, nullptr);
    EXPECT_EQ(get() & 0xb0, 0xb0u);
}

TEST(ExitTest, ExitWithAnyWindowOpenEndsPromptlyAndChangesNothing)
{
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        SeedTestType();
        g_profile->Clear();
        g_profile->WriteProfileInt("Settings", "Show Display Settings Icon", 0);
        if (std::string(row.name) == "music player's error") {
            g_profile->WriteProfileString("Background Music", "Play List Names", "Mine|");
            g_profile->WriteProfileString("Background Music", "Selected Play List", "Mine");
            g_profile->WriteProfileString("Background Music", "Mine", "C:\\zq-missing.wav|");
        }
        std::string registry = RegistryNow();
        CMainFrame* frame = MakeTestFrame();
        HWND frameWindow = frame->m_hWnd;
        g_drive = Drive{};
        g_drive.row = &row;
        g_drive.frame = frameWindow;
        g_drive.startedAt = GetTickCount();
        UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
        frame->PostMessage(WM_COMMAND, row.command);

        int code = -1;
        DWORD endedAt = 0;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 60000 && !endedAt; Sleep(5)) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT)
                    code = int(msg.wParam);
                else if (!AfxPreTranslateMessage(&msg))
                    TranslateMessage(&msg), DispatchMessageA(&msg);
            }
            if (code >= 0 && !IsWindow(frameWindow))
                endedAt = GetTickCount();
        }
        KillTimer(nullptr, timer);
        g_drive.row = nullptr;
        std::printf("%s: opened in %lu ms, Exit took %lu ms\n", row.name, g_drive.exitAt - g_drive.startedAt,
                    endedAt ? endedAt - g_drive.exitAt : 0ul);
        std::fflush(stdout);

        ASSERT_NE(g_drive.exitAt, 0u);
        EXPECT_FALSE(g_drive.late) << "still open " << kExitBoundMs / 1000 << " s after Exit";
        EXPECT_NE(endedAt, 0u);
        EXPECT_EQ(code, 0) << "the loop's end, the program's exit code";
        EXPECT_EQ(g_drive.shownAfterExit, std::vector<std::string>{}) << "shown after Exit";
        std::vector<std::string> left;
        for (HWND hwnd : ShownWindows())
            left.push_back(Text(hwnd));
        EXPECT_EQ(left, std::vector<std::string>{}) << "left open";
        EXPECT_TRUE(RegistryNow() == registry) << "the registry changed";
        EXPECT_TRUE(HeapsValid());
        if (IsWindow(frameWindow))
            EndTestFrame();
        theApp.m_pMainWnd = nullptr;
    }
}

}  // namespace
