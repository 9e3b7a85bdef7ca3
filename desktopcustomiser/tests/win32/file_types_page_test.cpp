// The registered file types page of the Windows Configuration sheet in this process, on made-up
// extensions only: rows, the properties dialog and an action editor driven as a user would, and
// a removal compared against the class root before and after.
#include "Helpers.h"
#include "MainFrame.h"
#include "RegistryWritePlan.h"
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
UINT_PTR WhenShown(const std::string& title, std::function<void(HWND)> step)
{
    g_title = title;
    g_step = std::move(step);
    return SetTimer(nullptr, 0, 100, RunStep);
}

// Reads the message box that shows and presses one of its buttons.
std::string g_box;
UINT_PTR AnswerMessageBox(int button, HWND thenCancel = nullptr)
{
    return WhenShown("Tunewright 97", [button, thenCancel](HWND box) {
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        g_box = text;
        PostMessageA(box, WM_COMMAND, button, 0);
        if (thenCancel)
            PostMessageA(thenCancel, WM_COMMAND, IDCANCEL, 0);
    });
}

class FileTypesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* key : {".zqa", ".zqb", ".zqc", ".zqd", ".zqe", kType, "zqczqdfile", "zqcasefile"})
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

TEST_F(FileTypesPageTest, ADescriptionOnlySaveKeepsTheStoredIcon)
{
    // A number beyond the file's icons here, and a file missing here: neither is the user's
    // change, so neither stops the save or is rewritten.
    for (const char* icon : {"shell32.dll,500", "C:\\zq-missing.dll,2"}) {
        SetText("zqtestfile\\DefaultIcon", icon);
        FileTypesSheet open;
        open.Select(open.Row("ZQB ZQA", 1));
        g_box.clear();
        UINT_PTR boxTimer = 0;
        WhenShown("File Type Properties", [&](HWND dialog) {
            SetDlgItemTextA(dialog, 1018, "Zq Renamed Document");
            boxTimer = AnswerMessageBox(IDOK, dialog);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        open.Command(1050);
        KillTimer(nullptr, boxTimer);
        EXPECT_EQ(g_box, "") << icon;
        EXPECT_EQ(GetText("zqtestfile\\DefaultIcon"), icon);
        EXPECT_EQ(GetText("zqtestfile"), "Zq Renamed Document") << icon;
    }
}

TEST_F(FileTypesPageTest, TheRowWithoutATypeTakesANewKeyOnlyOnceSaved)
{
    FileTypesSheet open;
    SHFILEINFOA record = {};  // the row that gathers extensions without a type: no key
    CFileTypePropertiesDialog dialog(&open.page());
    dialog.m_pTypeRecord = &record;
    dialog.m_strDescription = "ZQF File";
    dialog.m_strExtensions = "ZQF";
    dialog.m_strOtherExtensions = " ZQB ZQA ";
    g_box.clear();
    WhenShown("File Type Properties", [](HWND window) {
        SetDlgItemTextA(window, 1011, "zqf zqa");
        AnswerMessageBox(IDNO, window);  // not re-registered: the save fails, then Cancel
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    dialog.DoModal();
    EXPECT_EQ(g_box.rfind("The following file type is already registered as a different type", 0), 0u) << g_box;
    EXPECT_STREQ(record.szDisplayName, "") << "the row would name a key that was never written";
    EXPECT_EQ(GetText(".zqa"), kType);
}

namespace {

// Every value (name, type, bytes) of a key and of everything below it, one line each.
void Flatten(const RegTree& tree, const std::string& path, std::vector<std::string>& lines)
{
    for (const auto& [name, value] : tree.values)
        lines.push_back(path + "|" + name + "|" + std::to_string(uint32_t(value.type)) + "|" +
                        std::string(value.data.begin(), value.data.end()));
    for (const RegTree& sub : tree.subKeys)
        Flatten(sub, path + "\\" + sub.name, lines);
    if (tree.values.empty() && tree.subKeys.empty())
        lines.push_back(path);
}

std::vector<std::string> Dump(const char* key)
{
    std::vector<std::string> lines;
    if (auto tree = ReadTree(TheRegistry(), RegRoot::classesRoot, key))
        Flatten(*tree, key, lines);
    return lines;
}

// Answers the next message box with OK, keeping its text.
std::vector<std::string> g_boxes;
UINT_PTR CollectBox()
{
    return WhenShown("Tunewright 97", [](HWND box) {
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        g_boxes.push_back(text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
}

}  // namespace

TEST_F(FileTypesPageTest, ActionEditorsClosedWithoutChangeWriteNothing)
{
    // Verbs shaped like those programs register: no display name, an empty one, commands
    // without %1, a DDE-only verb, a DDE value the editor does not know; flags stored oddly.
    SetText("zqtestfile\\Shell", "open");
    SetText("zqtestfile\\Shell\\print", "");
    SetText("zqtestfile\\Shell\\print\\command", "zq.exe /n /dde");
    SetText("zqtestfile\\Shell\\print\\ddeexec", "[print(\"%1\")]");
    SetText("zqtestfile\\Shell\\print\\ddeexec\\application", "ZQ");
    SetText("zqtestfile\\Shell\\openurl", "Open &URL");
    SetText("zqtestfile\\Shell\\openurl\\command", "zq.exe OpenURL %l");
    SetText("zqtestfile\\Shell\\view\\ddeexec", "[view(\"%1\")]");
    SetText("zqtestfile\\Shell\\view\\ddeexec\\topic", "System");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "zqtestfile\\Shell\\print\\ddeexec", 0, KEY_WRITE, &key), 0);
    RegSetValueExA(key, "NoActivateHandler", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, kType, 0, KEY_WRITE, &key), 0);
    RegSetValueExA(key, "AlwaysShowExt", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(key);
    SetText("zqtestfile\\quickview", "*");
    const std::vector<std::string> before = Dump(kType);

    FileTypesSheet open;
    open.Select(open.Row("ZQB ZQA", 1));
    int edited = 0;
    g_boxes.clear();
    WhenShown("File Type Properties", [&](HWND dialog) {
        HWND actions = GetDlgItem(dialog, 1002);
        std::vector<std::string> names;
        for (int i = 0; i < int(SendMessageA(actions, LB_GETCOUNT, 0, 0)); ++i) {
            char text[260] = {};
            SendMessageA(actions, LB_GETTEXT, i, LPARAM(text));
            names.push_back(text);
        }
        for (const std::string& name : names) {
            LRESULT index = SendMessageA(actions, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name.c_str()));
            SendMessageA(actions, LB_SETCURSEL, index, 0);
            SendMessageA(dialog, WM_COMMAND, 1123, 0);
            HWND editor = FindThreadWindow("Editing Action For...");
            if (!editor)
                continue;
            UINT_PTR timer = CollectBox();
            SendMessageA(editor, WM_COMMAND, IDOK, 0);
            KillTimer(nullptr, timer);
            edited += !IsWindow(editor);
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    open.Command(1050);
    EXPECT_EQ(edited, 4);
    EXPECT_EQ(g_boxes, std::vector<std::string>{});
    EXPECT_EQ(Dump(kType), before);
    EXPECT_EQ(GetText(".zqa"), kType);
}

TEST_F(FileTypesPageTest, AnExtensionTooLongForItsKeyIsRefusedAndNothingIsBlanked)
{
    FileTypesSheet open;
    open.Select(open.Row("ZQB ZQA", 1));
    g_box.clear();
    UINT_PTR boxTimer = 0;
    WhenShown("File Type Properties", [&](HWND dialog) {
        SetDlgItemTextA(dialog, 1011, ("zqa " + std::string(256, 'Q')).c_str());
        boxTimer = AnswerMessageBox(IDOK, dialog);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    open.Command(1050);
    KillTimer(nullptr, boxTimer);
    EXPECT_EQ(g_box, "An extension cannot be longer than 254 characters");
    EXPECT_EQ(GetText(".zqb"), kType);
    EXPECT_EQ(GetText(".zqa"), kType);
}

TEST_F(FileTypesPageTest, TypeKeysDifferingInCaseMakeOneRowAndKeepTheirExtensions)
{
    SetText(".zqc", "zqcasefile");
    SetText(".zqd", "ZQCASEFILE");
    SetText("zqcasefile", "Zq Case Document");
    FileTypesSheet open;
    int row = open.Row("ZQD ZQC", 1);
    ASSERT_GE(row, 0);
    EXPECT_LT(open.Row("ZQC", 1), 0);
    EXPECT_LT(open.Row("ZQD", 1), 0);
    open.Select(row);
    WhenShown("File Type Properties", [](HWND dialog) {
        SetDlgItemTextA(dialog, 1011, "zqc zqd zqe");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    open.Command(1050);
    EXPECT_EQ(GetText(".zqc"), "zqcasefile");
    EXPECT_EQ(GetText(".zqd"), "ZQCASEFILE");
    EXPECT_EQ(GetText(".zqe"), "zqcasefile");
}

TEST_F(FileTypesPageTest, ADescriptionTooLongForTheShellIsShownAndKept)
{
    const std::string description = "Zq Test Document " + std::string(90, 'd');
    SetText(kType, description.c_str());
    FileTypesSheet open;
    int row = open.Row(description.c_str());
    ASSERT_GE(row, 0);
    open.Select(row);
    WhenShown("File Type Properties", [](HWND dialog) {
        SetDlgItemTextA(dialog, 1053, "%1");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    open.Command(1050);
    EXPECT_EQ(GetText("zqtestfile\\DefaultIcon"), "%1");
    EXPECT_EQ(GetText(kType), description);
    EXPECT_EQ(std::string(open.list().GetItemText(open.Row("ZQB ZQA", 1), 0)), description);
}

TEST_F(FileTypesPageTest, ATypeKeyNamingAnotherKeyIsShownButNotChanged)
{
    SetText(".zqe", "CLSID\\zqdamaged");
    SetText("CLSID\\zqdamaged", "Zq Damaged Type");
    SetText("CLSID\\zqdamaged\\InprocServer32", "zq.dll");
    FileTypesSheet open;
    int row = open.Row("Zq Damaged Type");
    ASSERT_GE(row, 0);
    for (int command : {1050, 1004}) {
        open.Select(row);
        g_box.clear();
        UINT_PTR timer = WhenShown("Tunewright 97", [](HWND box) {
            char text[512] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            g_box = text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            PostMessageA(box, WM_COMMAND, IDNO, 0);
        });
        open.Command(command);
        KillTimer(nullptr, timer);
        EXPECT_EQ(g_box, "This file type cannot be changed or removed:\nits registry key \"CLSID\\zqdamaged\" is "
                         "not a valid key name")
            << command;
    }
    EXPECT_EQ(GetText("CLSID\\zqdamaged\\InprocServer32"), "zq.dll");
    EXPECT_EQ(GetText(".zqe"), "CLSID\\zqdamaged");
    TheRegistry().DeleteTree(RegRoot::classesRoot, "CLSID\\zqdamaged");
}

TEST_F(FileTypesPageTest, RemoveDeletesExactlyTheTypesKeys)
{
    SetText(".zqe", "ZQTESTFILE");  // the same key in other letters: this type's extension too
    FileTypesSheet open;
    std::set<std::string> before = ClassRootKeys();
    open.Select(open.Row("ZQE ZQB ZQA", 1));
    ASSERT_EQ(open.list().GetSelectedCount(), 1u);
    g_box.clear();
    AnswerMessageBox(IDYES);
    open.Command(1004);
    EXPECT_EQ(g_box.substr(0, 30), "If you remove Zq Test Document");
    std::set<std::string> after = ClassRootKeys();
    std::set<std::string> gone;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::inserter(gone, gone.end()));
    EXPECT_EQ(gone, (std::set<std::string>{".zqa", ".zqb", ".zqe", "zqtestfile"}));
    EXPECT_EQ(after.size() + 4, before.size());
    EXPECT_LT(open.Row("ZQE ZQB ZQA", 1), 0);
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

namespace {
// Should the dialog wait for its field, it is mended after a while so that the test ends.
bool g_stuck;
void CALLBACK MendStuckDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND dialog = FindThreadWindow("File Type Properties")) {
        g_stuck = true;
        SetDlgItemTextA(dialog, 1018, "Zq Test Document");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}
}  // namespace

TEST_F(FileTypesPageTest, ExitWithACloseOnlyDialogHoldingAnEmptyDescriptionEndsItAsClose)
{
    auto* frame = new CMainFrame;
    theApp.m_pMainFrame = frame;
    ASSERT_TRUE(frame->Create(nullptr, "Tunewright 97"));
    theApp.m_pMainWnd = frame;
    HWND frameWindow = frame->m_hWnd;

    std::vector<std::string> boxes;
    std::function<void(HWND)> answer = [&](HWND box) {
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        boxes.push_back(text);
        PostMessageA(box, WM_COMMAND, boxes.size() == 1 ? IDYES : IDOK, 0);
        if (boxes.size() == 1)
            WhenShown("Tunewright 97", answer);
    };
    WhenShown("Tunewright 97: Windows Configuration", [&](HWND sheetWindow) {
        PropSheet_SetCurSel(sheetWindow, nullptr, 1);
        auto* sheet = static_cast<CWindowsConfigSheet*>(frame->OpenSheet(SheetKind::WindowsConfig));
        CListCtrl& list = sheet->m_pFileTypesPage->m_list;
        for (int i = 0; i < list.GetItemCount(); ++i)
            if (std::string(list.GetItemText(i, 1)) == "ZQB ZQA")
                list.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        sheet->m_pFileTypesPage->PostMessage(WM_COMMAND, 1050);
        WhenShown("File Type Properties", [&](HWND dialog) {
            // An editor makes the dialog close-only; its change and the emptied description are
            // the user's, left unfinished.
            SendDlgItemMessageA(dialog, 1002, LB_SETCURSEL, 0, 0);
            SendMessageA(dialog, WM_COMMAND, 1123, 0);
            if (HWND editor = FindThreadWindow("Editing Action For..."))
                SetDlgItemTextA(editor, 1047, "%SystemRoot%\\half.exe");
            SetDlgItemTextA(dialog, 1018, "");
            WhenShown("Tunewright 97", answer);
            frame->PostMessage(WM_COMMAND, ID_APP_EXIT);
        });
    });
    g_stuck = false;
    UINT_PTR watchdog = SetTimer(nullptr, 0, 8000, MendStuckDialog);
    frame->SendMessage(WM_COMMAND, ID_WINDOWS_CONFIGURATION);
    KillTimer(nullptr, watchdog);

    EXPECT_FALSE(g_stuck) << "the exit waited for the user to mend the field";
    EXPECT_EQ(boxes, (std::vector<std::string>{"Exiting now will cancel any changes you have made.\nDo you want to exit now?",
                                               "Please enter a description"}));
    EXPECT_FALSE(IsWindow(frameWindow));
    int code = -1;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT)
            code = int(msg.wParam);
    EXPECT_EQ(code, 0) << "the loop's end, the program's exit code";
    theApp.m_pMainWnd = nullptr;
    // Nothing half-written: the type and its action are as they were.
    EXPECT_EQ(GetText(kType), "Zq Test Document");
    EXPECT_EQ(GetText("zqtestfile\\Shell\\open\\command"), "%SystemRoot%\\zq.exe \"%1\"");
    EXPECT_EQ(GetText(".zqa"), kType);
    EXPECT_EQ(GetText(".zqb"), kType);
}
