// The image changer sheet in this process: opened from the tray command, its pages driven as
// a user would (the properties dialog, the message boxes and the popup menus answered from a
// timer), and what they store and install.
#include "app_test_support.h"
#include "MainFrame.h"
#include "MainFrameMessages.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"
#include "RandomizeSheet.h"
#include "resource.h"

#include "../../images/tests/bmp_builder.h"
#include "Helpers.h"
#include "program_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

MemoryProfileStore* g_profile;

class SheetEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_profile = &StartTestApplication();
        InitGlobalFolders();
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        theApp.m_strInstallFolder = CString(temp) + "twsheet";
        CreateDirectoryA(theApp.m_strInstallFolder, nullptr);
        ASSERT_TRUE(theApp.m_converterBlock.Allocate());
        theApp.m_converterBlock.Initialise(GetModuleHandleA(nullptr), nullptr);
    }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new SheetEnvironment);


std::string ClassOf(HWND hwnd)
{
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return cls;
}

std::string TextOf(HWND hwnd)
{
    return driver::WindowText(hwnd);
}

// Answers the dialogs, message boxes and popup menus this thread shows, one step per window,
// in order; each message box is answered with OK and its text kept.
class Answers {
public:
    using Step = std::function<void(HWND)>;
    explicit Answers(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 60, Tick);
    }
    ~Answers()
    {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Done() const { return m_next >= m_steps.size(); }
    std::vector<std::string> messages;
    std::set<HWND> ignore;  // sheets and pages already open

private:
    static BOOL CALLBACK Find(HWND hwnd, LPARAM param)
    {
        auto* self = reinterpret_cast<Answers*>(param);
        std::string cls = ClassOf(hwnd);
        if (IsWindowVisible(hwnd) && (cls == "#32768" || (cls == "#32770" && IsWindowEnabled(hwnd))) &&
            !self->ignore.count(hwnd)) {
            self->m_found = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Answers* self = s_current;
        if (!self)
            return;
        self->m_found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(self));
        if (!self->m_found)
            return;
        if (GetDlgItem(self->m_found, 0xFFFF)) {  // a message box's text
            self->messages.push_back(driver::MessageBoxText(self->m_found));
            SendMessageA(self->m_found, WM_COMMAND, IDOK, 0);
            return;
        }
        if (self->m_next < self->m_steps.size())
            self->m_steps[self->m_next++](self->m_found);
    }
    static inline Answers* s_current = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    HWND m_found = nullptr;
    UINT_PTR m_timer = 0;
};

// A wallpaper properties step: the name, the style button, then OK.
Answers::Step Properties(const std::string& name, int styleButton)
{
    return [name, styleButton](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_WALLPAPER_FILE, name.c_str());
        SendDlgItemMessageA(dialog, styleButton, BM_CLICK, 0, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

std::string WriteBitmap(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + name;
    tunewright::testing::BmpSpec spec;
    spec.width = 16;
    spec.height = 8;
    spec.tableEntries = 256;
    std::vector<uint8_t> bytes = tunewright::testing::BuildBmp(spec);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

std::string Quoted(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& p : paths)
        list += (list.empty() ? "\"" : " \"") + p + "\"";
    return list;
}

std::vector<std::string> Rows(CImageListPage& page)
{
    std::vector<std::string> rows;
    for (int i = 0; i < page.m_list.GetItemCount(); ++i)
        rows.push_back(page.RowPath(i).c_str());
    return rows;
}

void Select(CImageListPage& page, int row)
{
    for (int i = 0; i < page.m_list.GetItemCount(); ++i)
        page.m_list.SetItemState(i, i == row ? LVIS_SELECTED | LVIS_FOCUSED : 0, LVIS_SELECTED | LVIS_FOCUSED);
}

std::string Profile(const char* section, const char* entry)
{
    return theApp.GetProfileString(section, entry, "<none>").c_str();
}

std::string DesktopValue(const char* name)
{
    return GetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", name).c_str();
}

class ImageSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_profile->Clear();
        g_pfnPlusPackInstalled = [] { return FALSE; };
    }
    void TearDown() override
    {
        if (theApp.m_pMainFrame)
            theApp.m_pMainFrame->SendMessage(WM_COMMAND, ID_APP_EXIT);
        theApp.m_pMainWnd = nullptr;
        if (m_sheet && m_sheet->m_hWnd)
            m_sheet->DestroyWindow();
        m_sheet.reset();
        g_pfnPlusPackInstalled = IsPlusPackInstalled;
        PumpFor(20);
    }
    static CMainFrame* MakeFrame()
    {
        auto* frame = new CMainFrame;
        theApp.m_pMainFrame = frame;
        EXPECT_TRUE(frame->Create(nullptr, "Tunewright 97"));
        theApp.m_pMainWnd = frame;
        return frame;
    }
    CRandomizeSheet& OpenSheet()
    {
        m_sheet = std::make_unique<CRandomizeSheet>();
        EXPECT_TRUE(m_sheet->Create());
        return *m_sheet;
    }
    // Runs an action that may show windows, answering them, until every step was taken.
    void Run(Answers& answers, const std::function<void()>& action)
    {
        if (m_sheet)
            answers.ignore.insert(m_sheet->m_hWnd);
        action();
        PumpFor(30000, [&] { return answers.Done(); });
        PumpFor(100);
    }
    std::unique_ptr<CRandomizeSheet> m_sheet;
};

TEST_F(ImageSheetTest, OpensFromTheTrayCommandWithSixTabsInOrder)
{
    CMainFrame* frame = MakeFrame();

    std::vector<std::string> tabs;
    std::string caption;
    Answers answers({[&](HWND sheet) {
        caption = TextOf(sheet);
        HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
            char text[64] = {};
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            tabs.push_back(text);
        }
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }});
    frame->SendMessage(WM_COMMAND, ID_CONFIGURE_IMAGECHANGER);
    EXPECT_EQ(caption, "Tunewright 97: Image Changer Configuration");
    EXPECT_EQ(tabs, (std::vector<std::string>{"Wallpaper", "Auto Randomize", "Startup Screen", "Wait Shutdown Screen",
                                              "Safe Shutdown Screen", "About Tunewright 97"}));
    // Cancel stores nothing, and the frame lets the sheet go.
    EXPECT_EQ(Profile("Wallpapers", "List"), "<none>");
    EXPECT_EQ(frame->OpenSheet(SheetKind::ImageChanger), nullptr);
}

TEST_F(ImageSheetTest, WallpapersAddedThroughTheDialogAreStoredWithTheirFlagsAndNeverShownPagesStoreNothing)
{
    struct Case {
        BOOL plusPack;
        int secondStyle;
        const char* tile;
        const char* stretch;
        int columns;
    } cases[] = {{FALSE, IDC_STYLE_CENTERED, "NY", "<none>", 2}, {TRUE, IDC_STYLE_STRETCHED, "NY", "YN", 3}};
    for (const Case& c : cases) {
        g_profile->Clear();
        g_pfnPlusPackInstalled = c.plusPack ? +[] { return TRUE; } : +[] { return FALSE; };
        CRandomizeSheet& sheet = OpenSheet();
        CSetWallpaperPage& page = sheet.m_wallpaperPage;
        HWND header = ListView_GetHeader(page.m_list.m_hWnd);
        EXPECT_EQ(Header_GetItemCount(header), c.columns);

        Answers answers({Properties("C:\\first.bmp", IDC_STYLE_TILED),
                         Properties("\"C:\\second.bmp\"", c.secondStyle)});
        Run(answers, [&] {
            page.SendMessage(WM_COMMAND, IDC_IMAGE_ADD);
            page.SendMessage(WM_COMMAND, IDC_IMAGE_ADD);
        });
        EXPECT_TRUE(answers.messages.empty());
        // Each new entry goes first; the quotes the name was typed in are dropped.
        EXPECT_EQ(Rows(page), (std::vector<std::string>{"C:\\second.bmp", "C:\\first.bmp"}));
        sheet.PressButton(PSBTN_OK);
        EXPECT_EQ(Profile("Wallpapers", "List"), "\"C:\\second.bmp\" \"C:\\first.bmp\"");
        EXPECT_EQ(Profile("Wallpapers", "Tile"), c.tile);
        EXPECT_EQ(Profile("Wallpapers", "Stretch"), c.stretch);
        EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Random Order?", -1), -1);  // unchanged: not written
        EXPECT_EQ(Profile("Startup Screens", "List"), "<none>");
        EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Time", -1), -1);
        m_sheet.reset();
    }
}

TEST_F(ImageSheetTest, NamesThatWouldBreakTheListAreRefusedInTheDialog)
{
    CRandomizeSheet& sheet = OpenSheet();
    CSetWallpaperPage& page = sheet.m_wallpaperPage;
    Answers answers({Properties("C:\\a|b.bmp", IDC_STYLE_CENTERED), Properties("\"\"", IDC_STYLE_CENTERED),
                     [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }});
    Run(answers, [&] { page.SendMessage(WM_COMMAND, IDC_IMAGE_ADD); });
    EXPECT_EQ(answers.messages, (std::vector<std::string>{"The filename contains an illegal | character",
                                                          "Please enter the wallpaper's file name"}));
    EXPECT_EQ(page.m_list.GetItemCount(), 0);
}

TEST_F(ImageSheetTest, MovesSwapTheRowWithItsNeighbourOrAreRefused)
{
    g_profile->WriteProfileString("Wallpapers", "List", Quoted({"C:\\a.bmp", "C:\\b.bmp", "C:\\c.bmp"}).c_str());
    g_profile->WriteProfileString("Wallpapers", "Tile", "YNN");
    CRandomizeSheet& sheet = OpenSheet();
    CSetWallpaperPage& page = sheet.m_wallpaperPage;

    Select(page, 2);
    page.SendMessage(WM_COMMAND, IDC_IMAGE_UP);
    EXPECT_EQ(Rows(page), (std::vector<std::string>{"C:\\a.bmp", "C:\\c.bmp", "C:\\b.bmp"}));
    EXPECT_EQ(page.FirstSelectedRow(), 1);  // the moved row keeps its selection
    page.SendMessage(WM_COMMAND, IDC_IMAGE_DOWN);
    page.SendMessage(WM_COMMAND, IDC_IMAGE_UP);
    page.SendMessage(WM_COMMAND, IDC_IMAGE_UP);
    EXPECT_EQ(Rows(page), (std::vector<std::string>{"C:\\c.bmp", "C:\\a.bmp", "C:\\b.bmp"}));

    struct Case {
        int selected;
        UINT command;
        const char* message;
    } cases[] = {{0, IDC_IMAGE_UP, "The first item cannot be moved up"},
                 {2, IDC_IMAGE_DOWN, "The last item cannot be moved down"},
                 {-1, IDC_IMAGE_DOWN, "There is no item selected to move"},
                 {-1, IDC_IMAGE_REMOVE, "No Wallpaper Selected"},
                 {-1, ID_IMAGE_MODIFY, "There is no wallpaper selected to modify"},
                 {-1, ID_IMAGE_SET, "Invalid Wallpaper File Name"}};
    for (const Case& c : cases) {
        Select(page, c.selected);
        Answers answers({});
        Run(answers, [&] { page.SendMessage(WM_COMMAND, c.command); });
        EXPECT_EQ(answers.messages, std::vector<std::string>{c.message});
    }
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(Profile("Wallpapers", "List"), Quoted({"C:\\c.bmp", "C:\\a.bmp", "C:\\b.bmp"}));
    EXPECT_EQ(Profile("Wallpapers", "Tile"), "NYN");  // the flags moved with their rows
    EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Current Order", -1), -1);
}

TEST_F(ImageSheetTest, DoubleClickEditsTheRowUnderTheCursorInPlace)
{
    g_pfnPlusPackInstalled = [] { return TRUE; };
    g_profile->WriteProfileString("Wallpapers", "List", Quoted({"C:\\a.bmp", "C:\\b.bmp"}).c_str());
    g_profile->WriteProfileString("Wallpapers", "Tile", "NY");
    CRandomizeSheet& sheet = OpenSheet();
    CSetWallpaperPage& page = sheet.m_wallpaperPage;
    RECT row = {};
    page.m_list.GetItemRect(1, &row, LVIR_LABEL);
    POINT pt = {row.left + 4, (row.top + row.bottom) / 2};
    ClientToScreen(page.m_list.m_hWnd, &pt);
    SetCursorPos(pt.x, pt.y);

    std::string shownName;
    int shownStyle = -1;
    Answers answers({[&](HWND dialog) {
        char name[MAX_PATH] = {};
        GetDlgItemTextA(dialog, IDC_WALLPAPER_FILE, name, sizeof name);
        shownName = name;
        for (int id : {IDC_STYLE_CENTERED, IDC_STYLE_TILED, IDC_STYLE_STRETCHED})
            if (IsDlgButtonChecked(dialog, id))
                shownStyle = id;
        Properties("C:\\c.bmp", IDC_STYLE_STRETCHED)(dialog);
    }});
    NMHDR notify = {page.m_list.m_hWnd, IDC_IMAGE_LIST, NM_DBLCLK};
    Run(answers, [&] { page.SendMessage(WM_NOTIFY, IDC_IMAGE_LIST, reinterpret_cast<LPARAM>(&notify)); });
    EXPECT_EQ(shownName, "C:\\b.bmp");
    EXPECT_EQ(shownStyle, IDC_STYLE_TILED);
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(Profile("Wallpapers", "List"), Quoted({"C:\\a.bmp", "C:\\c.bmp"}));
    EXPECT_EQ(Profile("Wallpapers", "Tile"), "NN");  // tiled and stretched never together
    EXPECT_EQ(Profile("Wallpapers", "Stretch"), "NY");
}

TEST_F(ImageSheetTest, WithoutThePlusPackOkKeepsTheStretchFlagsParallelToTheirEntries)
{
    struct Case {
        const char* name;
        int remove;  // the row removed before OK, -1 none
        const char* list;
        const char* stretch;
    } cases[] = {{"unchanged", -1, "\"C:\\a.bmp\" \"C:\\b.bmp\" \"C:\\c.bmp\"", "YNY"},
                 {"second removed", 1, "\"C:\\a.bmp\" \"C:\\c.bmp\"", "YY"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_profile->Clear();
        g_profile->WriteProfileString("Wallpapers", "List", Quoted({"C:\\a.bmp", "C:\\b.bmp", "C:\\c.bmp"}).c_str());
        g_profile->WriteProfileString("Wallpapers", "Tile", "NNN");
        g_profile->WriteProfileString("Wallpapers", "Stretch", "YNY");
        CRandomizeSheet& sheet = OpenSheet();
        CSetWallpaperPage& page = sheet.m_wallpaperPage;
        if (c.remove >= 0) {
            Select(page, c.remove);
            page.SendMessage(WM_COMMAND, IDC_IMAGE_REMOVE);
        }
        sheet.PressButton(PSBTN_OK);
        EXPECT_EQ(Profile("Wallpapers", "List"), c.list);
        EXPECT_EQ(Profile("Wallpapers", "Stretch"), c.stretch);
        m_sheet.reset();
    }
}

TEST_F(ImageSheetTest, ARefusedWriteKeepsTheSheetOpenSaysWhichAndPutsBackWhatWasWritten)
{
    g_profile->WriteProfileString("Wallpapers", "List", Quoted({"C:\\a.bmp", "C:\\b.bmp"}).c_str());
    g_profile->WriteProfileString("Wallpapers", "Tile", "NY");
    g_profile->Refuse("Wallpapers", "Tile");
    CRandomizeSheet& sheet = OpenSheet();
    CSetWallpaperPage& page = sheet.m_wallpaperPage;
    Select(page, 0);
    page.SendMessage(WM_COMMAND, IDC_IMAGE_REMOVE);
    Answers answers({});
    Run(answers, [&] { sheet.PressButton(PSBTN_OK); });
    EXPECT_EQ(answers.messages, std::vector<std::string>{RefusedWriteMessage("Wallpapers\\Tile")});
    EXPECT_TRUE(IsWindowVisible(sheet.m_hWnd));
    EXPECT_EQ(Profile("Wallpapers", "List"), Quoted({"C:\\a.bmp", "C:\\b.bmp"}));
}

TEST_F(ImageSheetTest, ModifyWithoutThePlusPackKeepsATiledRowTiled)
{
    g_profile->WriteProfileString("Wallpapers", "List", Quoted({"C:\\a.bmp", "C:\\b.bmp"}).c_str());
    g_profile->WriteProfileString("Wallpapers", "Tile", "NY");
    CRandomizeSheet& sheet = OpenSheet();
    CSetWallpaperPage& page = sheet.m_wallpaperPage;
    Select(page, 1);
    int shownStyle = -1;
    Answers answers({[&](HWND dialog) {
        for (int id : {IDC_STYLE_CENTERED, IDC_STYLE_TILED, IDC_STYLE_STRETCHED})
            if (IsDlgButtonChecked(dialog, id))
                shownStyle = id;
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }});
    Run(answers, [&] { page.SendMessage(WM_COMMAND, ID_IMAGE_MODIFY); });
    EXPECT_EQ(shownStyle, IDC_STYLE_TILED);
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(Profile("Wallpapers", "Tile"), "NY");
}

TEST_F(ImageSheetTest, ScreenEntriesComeFromTheImageChooser)
{
    std::string chosen = WriteBitmap("twsheet-screen.bmp");
    CRandomizeSheet& sheet = OpenSheet();
    sheet.SetActivePage(3);
    CShutDownWait& page = sheet.m_waitPage;
    ASSERT_TRUE(page.m_hWnd);
    std::string title;
    Answers cancelled({[&](HWND chooser) {
        title = TextOf(chooser);
        SendMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    }});
    Run(cancelled, [&] { page.SendMessage(WM_COMMAND, IDC_IMAGE_ADD); });
    EXPECT_EQ(title, "Browse For Wait To Shutdown Screen");
    EXPECT_EQ(page.m_list.GetItemCount(), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet.m_hWnd, 0x3021 /* Apply */)));

    Answers picked({[&](HWND chooser) {
        for (int id : {0x47C /* cmb13 */, 0x480 /* edt1 */})
            SendMessageA(chooser, CDM_SETCONTROLTEXT, id, reinterpret_cast<LPARAM>(chosen.c_str()));
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    }});
    Run(picked, [&] { page.SendMessage(WM_COMMAND, IDC_IMAGE_ADD); });
    EXPECT_EQ(Rows(page), std::vector<std::string>{chosen});
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(Profile("Shutdown Wait Screens", "List"), Quoted({chosen}));
    EXPECT_EQ(theApp.GetProfileInt("Shutdown Wait Screens", "Random Order?", -1), -1);  // unchanged
    EXPECT_EQ(Profile("Wallpapers", "List"), "<none>");  // shown, but left as it was: nothing written
    DeleteFileA(chosen.c_str());
}

TEST_F(ImageSheetTest, KeyboardContextMenuOpensAtTheSelectedRow)
{
    g_profile->WriteProfileString("Wallpapers", "List", Quoted({"C:\\a.bmp", "C:\\b.bmp", "C:\\c.bmp"}).c_str());
    CRandomizeSheet& sheet = OpenSheet();
    CSetWallpaperPage& page = sheet.m_wallpaperPage;
    Select(page, 2);
    RECT row = {};
    ListView_GetItemRect(page.m_list.m_hWnd, 2, &row, LVIR_BOUNDS);
    MapWindowPoints(page.m_list.m_hWnd, nullptr, reinterpret_cast<POINT*>(&row), 2);
    RECT menuRect = {};
    int items = 0;
    Answers answers({[&](HWND menu) {
        GetWindowRect(menu, &menuRect);
        HMENU handle = reinterpret_cast<HMENU>(SendMessageA(menu, 0x01E1 /* MN_GETHMENU */, 0, 0));
        items = GetMenuItemCount(handle);
        EndMenu();
    }});
    Run(answers, [&] { page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.m_hWnd), MAKELPARAM(-1, -1)); });
    EXPECT_EQ(items, 12);  // menu 129, the row menu
    EXPECT_GE(menuRect.top, row.top);
    EXPECT_LE(menuRect.top, row.bottom + 2);
    EXPECT_GE(menuRect.left, row.left);
}

TEST_F(ImageSheetTest, SetInstallsTheWallpaperAndTheStartupScreenThroughTheConverter)
{
    std::string tiled = WriteBitmap("twsheet-tiled.bmp");
    g_profile->WriteProfileString("Wallpapers", "List", Quoted({"C:\\gone.bmp", tiled}).c_str());
    g_profile->WriteProfileString("Wallpapers", "Tile", "NY");
    g_profile->WriteProfileString("Startup Screens", "List", Quoted({tiled}).c_str());
    std::string target = std::string(g_strWindowsFolder.c_str()) + "\\Tunewright 97 Image Changer Wallpaper.bmp";
    DeleteFileA(target.c_str());
    // The prefix's own desktop comes back afterwards.
    std::string savedWallpaper = DesktopValue("Wallpaper"), savedStyle = DesktopValue("WallpaperStyle"),
                savedTile = DesktopValue("TileWallpaper");
    SetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", "2");
    SetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper", "0");

    CRandomizeSheet& sheet = OpenSheet();
    CSetWallpaperPage& page = sheet.m_wallpaperPage;
    Select(page, 1);
    page.SendMessage(WM_COMMAND, ID_IMAGE_SET);
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");
    EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
    EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Current Order", -1), 1);
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);

    // The startup screen becomes a 320 x 400 boot screen of 8 bits a pixel.
    std::vector<uint8_t> saved;
    if (FILE* f = std::fopen("C:\\Logo.sys", "rb")) {
        int ch;
        while ((ch = std::fgetc(f)) != EOF)
            saved.push_back(static_cast<uint8_t>(ch));
        std::fclose(f);
    }
    sheet.SetActivePage(2);
    CStartupScreenPage& startup = sheet.m_startupPage;
    ASSERT_TRUE(startup.m_hWnd);
    Select(startup, 0);
    startup.SendMessage(WM_COMMAND, ID_IMAGE_SET);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    if (FILE* f = std::fopen("C:\\Logo.sys", "rb")) {
        EXPECT_EQ(std::fread(&file, sizeof file, 1, f), 1u);
        EXPECT_EQ(std::fread(&info, sizeof info, 1, f), 1u);
        std::fclose(f);
    }
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(info.biWidth, 320);
    EXPECT_EQ(info.biHeight, 400);
    EXPECT_EQ(info.biBitCount, 8);
    EXPECT_EQ(theApp.GetProfileInt("Startup Screens", "Current Order", -1), 0);
    if (saved.empty()) {
        DeleteFileA("C:\\Logo.sys");
    } else if (FILE* f = std::fopen("C:\\Logo.sys", "wb")) {
        std::fwrite(saved.data(), 1, saved.size(), f);
        std::fclose(f);
    }
    DeleteFileA(tiled.c_str());
    SetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", savedStyle.c_str());
    SetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper", savedTile.c_str());
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(savedWallpaper.c_str()), SPIF_UPDATEINIFILE);
    DeleteFileA(target.c_str());
}

TEST_F(ImageSheetTest, AStoredPeriodOutOfRangeIsKeptWhenTheUserLeavesItAlone)
{
    g_profile->WriteProfileInt("Wallpapers", "Time", 0);
    CRandomizeSheet& sheet = OpenSheet();
    sheet.SetActivePage(1);
    sheet.m_autoRandomizePage.m_checkEnable.SendMessage(BM_CLICK);
    Answers answers({});
    Run(answers, [&] { sheet.PressButton(PSBTN_APPLYNOW); });
    EXPECT_EQ(answers.messages, std::vector<std::string>{});
    EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Enable Auto Randomize", -1), 1);
    EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Time", -1), 0);
}

TEST_F(ImageSheetTest, AutoRandomizeRefusesBadPeriodsAndArmsTheFrameOnceForAGoodOne)
{
    CMainFrame* frame = MakeFrame();

    CRandomizeSheet& sheet = OpenSheet();
    sheet.SetActivePage(1);
    CAutoRandomizePage& page = sheet.m_autoRandomizePage;
    ASSERT_TRUE(page.m_hWnd);
    EXPECT_FALSE(page.m_editTime.IsWindowEnabled());
    EXPECT_EQ(TextOf(page.m_editTime.m_hWnd), "60");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet.m_hWnd, 0x3021 /* Apply */)));  // opening is no change
    page.m_checkEnable.SendMessage(BM_CLICK);
    EXPECT_TRUE(page.m_editTime.IsWindowEnabled());

    struct Case {
        const char* text;
        const char* message;
    } refused[] = {{"abc", "Please enter an integer."},
                   {"0", "Please enter an integer between 1 and 70000."},
                   {"70001", "Please enter an integer between 1 and 70000."}};
    for (const Case& c : refused) {
        page.m_editTime.SetWindowText(c.text);
        Answers answers({});
        Run(answers, [&] { sheet.PressButton(PSBTN_APPLYNOW); });
        EXPECT_EQ(answers.messages, std::vector<std::string>{c.message}) << c.text;
        EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Time", -1), -1);
        EXPECT_EQ(frame->AutoRandomizeTimer(), 0u);
    }
    page.m_editTime.SetWindowText("70000");
    sheet.PressButton(PSBTN_APPLYNOW);
    PumpFor(50);
    EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Time", -1), 70000);
    EXPECT_EQ(theApp.GetProfileInt("Wallpapers", "Enable Auto Randomize", -1), 1);
    EXPECT_EQ(frame->AutoRandomizeTimer(), UINT_PTR(TIMERID_AUTORANDOMIZE));

}

}  // namespace
