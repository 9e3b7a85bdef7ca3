// The shared dialog pieces: background painting from the resources, the list sort callback,
// and the choosers driven as a user would (name typed, OK pressed).
#include "Helpers.h"
#include "SharedDialogs.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace {

// A 24-bit memory surface to draw into and read back.
class Surface {
public:
    Surface(int width, int height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        m_width = width;
        RECT all = {0, 0, width, height};
        HBRUSH grey = CreateSolidBrush(RGB(1, 2, 3));
        FillRect(m_dc, &all, grey);
        DeleteObject(grey);
    }
    ~Surface()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        DWORD p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
    int m_width;
};

const COLORREF kUntouched = RGB(1, 2, 3);

class SharedDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        InitGlobalFolders();
    }
};

TEST_F(SharedDialogs, BitmapResourcesDrawWithTheirOwnSizeWhateverTheCallerSays)
{
    Surface surface(100, 60);
    // The corner picture (67 x 33): black, with the letters in the warm colour.
    DrawBitmapResource(surface.dc(), IDB_SHEETCORNER, 10 /* wrong on purpose */, 5, 10, nullptr, 0);
    EXPECT_EQ(surface.At(5, 10), RGB(0, 0, 0));
    EXPECT_EQ(surface.At(5 + 10, 10 + 7), RGB(200, 140, 40));     // the T's bar
    EXPECT_EQ(surface.At(5 + 66, 10 + 32), RGB(0, 0, 0));         // its last pixel
    EXPECT_EQ(surface.At(5 + 67, 10 + 32), kUntouched);           // nothing past its width
    EXPECT_EQ(surface.At(5, 10 + 33), kUntouched);                // nor its height
    EXPECT_EQ(surface.At(0, 0), kUntouched);
}

TEST_F(SharedDialogs, FillRectangleFirstAndMissingResourcesDrawNothing)
{
    Surface surface(40, 40);
    RECT fill = {0, 0, 40, 5};
    DrawBitmapResource(surface.dc(), 9999, 3322, 0, 0, &fill, RGB(255, 0, 0));
    EXPECT_EQ(surface.At(0, 0), kUntouched);  // no resource: not even the fill
    DrawBitmapResource(surface.dc(), IDB_SHEETCORNER, 3322, 0, 10, &fill, RGB(255, 0, 0));
    EXPECT_EQ(surface.At(39, 2), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(0, 10), RGB(0, 0, 0));
}

TEST_F(SharedDialogs, SheetBackgroundIsBlackWithThePicturesAtTheBottom)
{
    Surface narrow(300, 300);
    RECT client = {0, 0, 300, 300};
    PaintSheetBackground(narrow.dc(), client);
    EXPECT_EQ(narrow.At(150, 10), RGB(0, 0, 0));
    // Narrower than 400: the big picture starts at the left edge and covers the bottom rows.
    COLORREF bottomLeft = narrow.At(0, 299);
    EXPECT_NE(bottomLeft, kUntouched);
    EXPECT_NE(narrow.At(299, 299 - 252), kUntouched);
}

TEST_F(SharedDialogs, ListItemsSortByColumnTextWithoutCase)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "sort", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    CListCtrl list;
    RECT rect = {0, 0, 200, 200};
    ASSERT_TRUE(list.Create(LVS_REPORT | WS_VISIBLE, rect, &parent, 1));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "Size", LVCFMT_LEFT, 100, 1);
    const char* names[] = {"banana", "Apple", "cherry"};
    const char* sizes[] = {"9", "10", "2"};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, names[i]);
        list.SetItemText(i, 1, sizes[i]);
        list.SetItemData(i, DWORD_PTR(100 + i));
    }
    ListSortInfo info{&list, 0, FALSE};
    list.SortItems(CompareListViewItems, reinterpret_cast<DWORD_PTR>(&info));
    EXPECT_STREQ(list.GetItemText(0, 0), "Apple");
    EXPECT_STREQ(list.GetItemText(2, 0), "cherry");
    info = {&list, 1, TRUE};
    list.SortItems(CompareListViewItems, reinterpret_cast<DWORD_PTR>(&info));
    // As text, descending: "9", "2", "10".
    EXPECT_STREQ(list.GetItemText(0, 1), "9");
    EXPECT_STREQ(list.GetItemText(2, 1), "10");
    parent.DestroyWindow();
}

TEST(FileFilter, BarsBecomeNulsAndTwoNulsEndIt)
{
    CString filter = MakeFileFilter("Bitmap Image | *.Bmp;*.Dib");
    ASSERT_EQ(filter.GetLength(), 26 + 2);
    EXPECT_STREQ(filter.c_str(), "Bitmap Image ");
    EXPECT_STREQ(filter.c_str() + 14, " *.Bmp;*.Dib");
    EXPECT_EQ(filter.c_str()[27], '\0');
}

std::map<UINT_PTR, std::function<void()>> g_actions;
void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto action = g_actions[id];
    g_actions.erase(id);
    if (action)
        action();
}
void RunSoon(UINT ms, std::function<void()> action)
{
    g_actions[SetTimer(nullptr, 0, ms, Fire)] = std::move(action);
}

HWND FindDialogTitled(const char* title)
{
    HWND h = FindWindowA("#32770", title);
    return h && IsWindowVisible(h) ? h : nullptr;
}

// Waits for the chooser, then runs the step on it; gives up after a few seconds.
void WhenChooserOpens(const char* title, std::function<void(HWND)> step, int tries = 40)
{
    RunSoon(150, [=] {
        if (HWND h = FindDialogTitled(title))
            step(h);
        else if (tries > 0)
            WhenChooserOpens(title, step, tries - 1);
    });
}

std::string FileNameText(HWND chooser)
{
    char text[260] = {};
    if (!GetDlgItemTextA(chooser, 0x047c /* cmb13 */, text, sizeof text))
        GetDlgItemTextA(chooser, 0x0480 /* edt1 */, text, sizeof text);
    return text;
}

void TypeAndAccept(HWND chooser, const char* name)
{
    SetDlgItemTextA(chooser, 0x047c, name);
    SetDlgItemTextA(chooser, 0x0480, name);
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
}

TEST_F(SharedDialogs, FileChooserStartsEmptyForAMissingFileAndReturnsTheChoice)
{
    CString target = g_strWindowsFolder + "\\win.ini";
    std::string initialText = "unset";
    WhenChooserOpens("Pick A File", [&](HWND h) {
        initialText = FileNameText(h);
        TypeAndAccept(h, target);
    });
    CString result;
    EXPECT_TRUE(BrowseForFile(result, "Pick A File", "C:\\gone\\missing.exe", 129, nullptr));
    EXPECT_EQ(initialText, "");
    EXPECT_EQ(result.CompareNoCase(target), 0);

    WhenChooserOpens("Pick Again", [&](HWND h) { PostMessageA(h, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(BrowseForFile(result, "Pick Again", target, 0, nullptr));
    EXPECT_TRUE(result.IsEmpty());
}

TEST_F(SharedDialogs, IconPickerOnAFileWithOneIconTakesItWithoutASelection)
{
    // An icon file of one icon: the program's own tray picture.
    HRSRC group = FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_TRAYICON), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr);
    CString path = g_strTempFolder + "\\one icon.ico";
    {
        HICON icon = static_cast<HICON>(LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_TRAYICON), IMAGE_ICON, 32, 32, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        // Write a minimal .ico: one 32 x 32, 32-bit image with its mask.
        BITMAPINFOHEADER bih = {};
        bih.biSize = sizeof bih;
        bih.biWidth = 32;
        bih.biHeight = 64;
        bih.biPlanes = 1;
        bih.biBitCount = 32;
        std::string data(sizeof bih, '\0');
        std::memcpy(data.data(), &bih, sizeof bih);
        data.append(32 * 32 * 4, '\x40');
        data.append(32 * 4, '\0');
        std::string file;
        auto put16 = [&](int v) { file += char(v & 0xFF); file += char((v >> 8) & 0xFF); };
        auto put32 = [&](int v) { put16(v & 0xFFFF); put16((v >> 16) & 0xFFFF); };
        put16(0); put16(1); put16(1);
        file += char(32); file += char(32); file += char(0); file += char(0);
        put16(1); put16(32); put32(int(data.size())); put32(22);
        file += data;
        HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, file.data(), DWORD(file.size()), &written, nullptr);
        CloseHandle(h);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    ASSERT_EQ(ExtractIconExA(path, -1, nullptr, nullptr, 0), 1u);
    WhenChooserOpens("Browse For Icon", [&](HWND h) {
        // Selecting the file fills the picker, then OK without choosing an icon.
        TypeAndAccept(h, path);
    });
    CString result;
    BOOL chosen = BrowseForIconFile(result, "Browse For Icon", path, 122, nullptr);
    DeleteFileA(path);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(result.CompareNoCase(path + ",0"), 0) << result.c_str();
}

// Runs the step with the window of that caption once it is there, or with none after a while.
void WhenTitled(const char* title, std::function<void(HWND)> step, int tries = 100)
{
    RunSoon(100, [=] {
        HWND found = FindWindowA(nullptr, title);
        if (found || tries == 0)
            step(found);
        else
            WhenTitled(title, step, tries - 1);
    });
}

TEST_F(SharedDialogs, ImageChooserPreviewOpensAPreviewAndStaysOpen)
{
    // A bitmap file: a copy of the sheets' corner picture.
    CString image = g_strTempFolder + "\\chooser preview.bmp";
    {
        HRSRC found = FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_SHEETCORNER), MAKEINTRESOURCEA(RT_SHEETBITMAP));
        HGLOBAL loaded = LoadResource(AfxGetResourceHandle(), found);
        HANDLE h = CreateFileA(image, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, LockResource(loaded), SizeofResource(AfxGetResourceHandle(), found), &written, nullptr);
        CloseHandle(h);
    }
    const char* previewTitle = "chooser preview.bmp - Tunewright 97 Preview";
    bool previewEnabled = false;
    bool chooserOpenWithPreview = false;
    // The chooser starts on the file, so it is the selection, as when the user clicks it in the
    // list. (A full path typed into the name box is no selection: the chooser joins it to its
    // current folder and leaves Preview as it was.)
    WhenChooserOpens("Pick An Image", [&](HWND h) {
        HWND button = nullptr;
        for (HWND child = GetWindow(h, GW_CHILD); child && !button; child = GetWindow(child, GW_HWNDNEXT))
            button = GetDlgItem(child, 1038);
        previewEnabled = button && IsWindowEnabled(button);
        if (!previewEnabled) {
            PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        SendMessageA(button, BM_CLICK, 0, 0);
        WhenTitled(previewTitle, [&, h](HWND preview) {
            chooserOpenWithPreview = preview && IsWindowVisible(h);
            if (preview)
                PostMessageA(preview, WM_CLOSE, 0, 0);
            PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
        });
    });
    CString result;
    EXPECT_FALSE(BrowseForImageFile(result, "Pick An Image", image, 123, nullptr));
    EXPECT_TRUE(previewEnabled);
    EXPECT_TRUE(chooserOpenWithPreview);
    for (int i = 0; i < 600 && FindWindowA(nullptr, previewTitle); ++i)
        Sleep(50);
    EXPECT_EQ(FindWindowA(nullptr, previewTitle), nullptr);
    DeleteFileA(image);
}

}  // namespace
