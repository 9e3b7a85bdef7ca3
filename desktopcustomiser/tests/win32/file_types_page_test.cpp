// The registered file types page of the Windows Configuration sheet in this process, on made-up
// extensions only: rows, the properties dialog and an action editor driven as a user would, and
// a removal compared against the class root before and after.
#include "Helpers.h"
#include "MainFrame.h"
#include "TunewrightApp.h"
#include "Win32RegistryStore.h"
#include "WindowsConfigSheet.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

const char kType[] = "zqtestfile";

struct FileTypesSheet {
    CWindowsConfigSheet sheet{nullptr};
    FileTypesSheet()
    {
        sheet.m_psh.nStartPage = 1;
        EXPECT_TRUE(sheet.Create(nullptr));
    }
    ~FileTypesSheet() { sheet.DestroyWindow(); }
    CFileTypesPage& page() { return *sheet.m_pFileTypesPage; }
    CListCtrl& list() { return sheet.m_pFileTypesPage->m_list; }
    int Row(const char* text, int column = 0)
    {
        for (int i = 0; i < list().GetItemCount(); ++i)
            if (std::string(list().GetItemText(i, column)) == text)
                return i;
        return -1;
    }
    void Select(int row)
    {
        list().SetItemState(-1, 0, LVIS_SELECTED);
        if (row >= 0)
            list().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    void Command(int id) { page().SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

void SetText(const char* key, const char* text, DWORD type = REG_SZ)
{
    HKEY k;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), 0);
    RegSetValueExA(k, nullptr, 0, type, reinterpret_cast<const BYTE*>(text), DWORD(strlen(text) + 1));
    RegCloseKey(k);
}

std::string GetText(const char* key, DWORD* type = nullptr, const char* name = nullptr)
{
    char data[512] = {};
    DWORD size = sizeof data, kind = 0;
    HKEY k;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return "<no key>";
    LONG status = RegQueryValueExA(k, name, nullptr, &kind, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(k);
    if (type)
        *type = kind;
    return status == ERROR_SUCCESS ? std::string(data) : "<missing>";
}

std::set<std::string> ClassRootKeys()
{
    std::set<std::string> names;
    char name[260];
    for (DWORD i = 0; RegEnumKeyA(HKEY_CLASSES_ROOT, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.insert(name);
    return names;
}

using TitleSearch = std::pair<const std::string*, HWND>;
BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<TitleSearch*>(data);
    char text[128] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (IsWindowVisible(hwnd) && *search->first == text) {
        search->second = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const std::string& title)
{
    TitleSearch search{&title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// Runs a step on the window of the given title once it shows, from inside whatever modal loop
// is running then.
std::string g_title;
std::function<void(HWND)> g_step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND window = FindThreadWindow(g_title);
    if (!window)
        return;
    KillTimer(nullptr, id);
    auto step = std::move(g_step);
    step(window);
}
void WhenShown(const std::string& title, std::function<void(HWND)> step)
{
    g_title = title;
    g_step = std::move(step);
    SetTimer(nullptr, 0, 100, RunStep);
}

// Reads the message box that shows and presses one of its buttons.
std::string g_box;
void AnswerMessageBox(int button)
{
    WhenShown("Tunewright 97", [button](HWND box) {
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        g_box = text;
        PostMessageA(box, WM_COMMAND, button, 0);
    });
}

class FileTypesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* key : {".zqa", ".zqb", ".zqc", ".zqd", ".zqe", kType, "zqczqdfile"})
            TheRegistry().DeleteTree(RegRoot::classesRoot, key);
        SetText(".zqa", kType);
        SetText(".zqb", kType);
        SetText(kType, "Zq Test Document");
        SetText("zqtestfile\\Shell\\open\\command", "%SystemRoot%\\zq.exe \"%1\"", REG_EXPAND_SZ);
    }
};

}  // namespace

TEST_F(FileTypesPageTest, TwoExtensionsMakeOneRowAndModifyNeedsASelection)
{
    FileTypesSheet open;
    int row = open.Row("Zq Test Document");
    ASSERT_GE(row, 0);
    EXPECT_STREQ(open.list().GetItemText(row, 1), "ZQB ZQA");
    int rows = 0;
    for (int i = 0; i < open.list().GetItemCount(); ++i)
        rows += std::string(open.list().GetItemText(i, 0)) == "Zq Test Document";
    EXPECT_EQ(rows, 1);

    g_box.clear();
    open.Select(-1);
    AnswerMessageBox(IDOK);
    open.Command(1050);
    EXPECT_EQ(g_box, "There is no file type selected to modity");

    // Clicking "Extensions" three times: ascending, descending, ascending.
    for (bool ascending : {true, false, true}) {
        NMLISTVIEW click = {};
        click.hdr = {open.list().m_hWnd, 1002, UINT(LVN_COLUMNCLICK)};
        click.iSubItem = 1;
        open.page().SendMessage(WM_NOTIFY, 1002, LPARAM(&click));
        std::string first(open.list().GetItemText(0, 1));
        std::string last(open.list().GetItemText(open.list().GetItemCount() - 1, 1));
        EXPECT_EQ(_stricmp(first.c_str(), last.c_str()) < 0, ascending) << first << " / " << last;
    }
}

TEST_F(FileTypesPageTest, NewTypeThroughTheDialogWritesItsKeysAndRow)
{
    FileTypesSheet open;
    WhenShown("File Type Properties", [](HWND dialog) {
        SetDlgItemTextA(dialog, 1018, "Zq New Type");
        SetDlgItemTextA(dialog, 1011, " zqc  .Zqd ");
        CheckDlgButton(dialog, 1113, BST_CHECKED);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    open.Command(1064);
    EXPECT_EQ(GetText(".zqc"), "zqczqdfile");
    EXPECT_EQ(GetText(".zqd"), "zqczqdfile");
    EXPECT_EQ(GetText("zqczqdfile"), "Zq New Type");
    EXPECT_EQ(GetText("zqczqdfile\\quickview"), "*");
    EXPECT_EQ(GetText("zqczqdfile", nullptr, "AlwaysShowExt"), "<missing>");
    int row = open.Row("Zq New Type");
    ASSERT_GE(row, 0);
    EXPECT_STREQ(open.list().GetItemText(row, 1), "ZQC ZQD");
}

TEST_F(FileTypesPageTest, ActionsEditedThroughTheirEditorsWriteTheirCommands)
{
    FileTypesSheet open;
    open.Select(open.Row("Zq Test Document"));
    std::string okText;
    bool cancelEnabled = true;
    WhenShown("File Type Properties", [&](HWND dialog) {
        // The existing action: only its command changes, so its verb key stays.
        HWND actions = GetDlgItem(dialog, 1002);
        SendMessageA(actions, LB_SETCURSEL, SendMessageA(actions, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("open")), 0);
        SendMessageA(dialog, WM_COMMAND, 1123, 0);
        HWND editor = FindThreadWindow("Editing Action For...");
        ASSERT_NE(editor, nullptr);
        // Over the properties dialog, whose caption stays in sight.
        RECT under, over;
        GetWindowRect(dialog, &under);
        GetWindowRect(editor, &over);
        EXPECT_GT(over.top, under.top + GetSystemMetrics(SM_CYCAPTION) / 2);
        EXPECT_LT(over.top, under.bottom);
        EXPECT_GT(over.left, under.left);
        EXPECT_LT(over.left, under.right);
        SetDlgItemTextA(editor, 1047, "%SystemRoot%\\zq2.exe");
        SendMessageA(editor, WM_COMMAND, IDOK, 0);

        // A new action with a blank in its name.
        SendMessageA(dialog, WM_COMMAND, 1064, 0);
        editor = FindThreadWindow("Editing Action For...");
        ASSERT_NE(editor, nullptr);
        SetDlgItemTextA(editor, 1110, "Zq View");
        SetDlgItemTextA(editor, 1047, "zqview.exe /v");
        SendMessageA(editor, WM_COMMAND, IDOK, 0);

        char text[32] = {};
        GetDlgItemTextA(dialog, IDOK, text, sizeof text);
        okText = text;
        cancelEnabled = IsWindowEnabled(GetDlgItem(dialog, IDCANCEL));
        // Escape now acts as Close: the page must show what was written.
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    open.Command(1050);
    EXPECT_EQ(okText, "Close");
    EXPECT_FALSE(cancelEnabled);
    DWORD type = 0;
    EXPECT_EQ(GetText("zqtestfile\\Shell\\open\\command", &type), "%SystemRoot%\\zq2.exe %1");
    EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(GetText("zqtestfile\\Shell\\Zq_View"), "Zq View");
    EXPECT_EQ(GetText("zqtestfile\\Shell\\Zq_View\\command"), "zqview.exe /v %1");
}

TEST_F(FileTypesPageTest, RemoveDeletesExactlyTheTypesKeys)
{
    SetText(".zqe", "ZQTESTFILE");  // the same key in other letters: not this type's extension
    FileTypesSheet open;
    std::set<std::string> before = ClassRootKeys();
    open.Select(open.Row("ZQB ZQA", 1));
    ASSERT_EQ(open.list().GetSelectedCount(), 1u);
    g_box.clear();
    AnswerMessageBox(IDYES);
    open.Command(1004);
    EXPECT_EQ(g_box.substr(0, 30), "If you remove Zq Test Document");
    std::set<std::string> after = ClassRootKeys();
    std::set<std::string> gone;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::inserter(gone, gone.end()));
    EXPECT_EQ(gone, (std::set<std::string>{".zqa", ".zqb", "zqtestfile"}));
    EXPECT_EQ(after.size() + 3, before.size());
    EXPECT_EQ(GetText(".zqe"), "ZQTESTFILE");
    EXPECT_LT(open.Row("ZQB ZQA", 1), 0);
}

TEST_F(FileTypesPageTest, ExitWithAnEditorOpenClosesItAndEndsTheProgram)
{
    auto* frame = new CMainFrame;
    theApp.m_pMainFrame = frame;
    ASSERT_TRUE(frame->Create(nullptr, "Tunewright 97"));
    theApp.m_pMainWnd = frame;
    HWND frameWindow = frame->m_hWnd;

    // The sheet opens from the tray command; everything after runs inside its modal loops.
    std::vector<std::string> boxes;
    bool editorWasOpen = false;
    WhenShown("Tunewright 97: Windows Configuration", [&](HWND sheetWindow) {
        PropSheet_SetCurSel(sheetWindow, nullptr, 1);
        auto* sheet = static_cast<CWindowsConfigSheet*>(frame->OpenSheet(SheetKind::WindowsConfig));
        CListCtrl& list = sheet->m_pFileTypesPage->m_list;
        for (int i = 0; i < list.GetItemCount(); ++i)
            if (std::string(list.GetItemText(i, 1)) == "ZQB ZQA")
                list.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        sheet->m_pFileTypesPage->PostMessage(WM_COMMAND, 1050);
        WhenShown("File Type Properties", [&](HWND dialog) {
            SendDlgItemMessageA(dialog, 1002, LB_SETCURSEL, 0, 0);
            SendMessageA(dialog, WM_COMMAND, 1123, 0);
            editorWasOpen = FindThreadWindow("Editing Action For...") != nullptr;
            WhenShown("Tunewright 97", [&](HWND box) {
                char text[512] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                boxes.push_back(text);
                PostMessageA(box, WM_COMMAND, IDYES, 0);
            });
            frame->PostMessage(WM_COMMAND, ID_APP_EXIT);
        });
    });
    frame->SendMessage(WM_COMMAND, ID_WINDOWS_CONFIGURATION);

    EXPECT_TRUE(editorWasOpen);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Exiting now will cancel any changes you have made.\nDo you want to exit now?"}));
    EXPECT_FALSE(IsWindow(frameWindow));
    EXPECT_EQ(FindThreadWindow("Editing Action For..."), nullptr);
    EXPECT_EQ(GetText("zqtestfile\\Shell\\open\\command"), "%SystemRoot%\\zq.exe \"%1\"") << "the editor was cancelled";
    theApp.m_pMainWnd = nullptr;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}
