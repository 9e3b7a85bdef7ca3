// Image preview windows in the test's own process: previews opened as the image chooser and
// the image pages open them, each in its own thread, looked at from outside through their
// windows, menus and bars.
#include "GlobalFolders.h"
#include "Preview.h"
#include "TunewrightApp.h"
#include "paint_recorder.h"
#include "framework/Afx.h"
#include "resource_preview.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// A small JPEG (24 x 16, a red to blue gradient).
const unsigned char kJpeg[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x0D, 0x09, 0x0A, 0x0B, 0x0A, 0x08, 0x0D,
    0x0B, 0x0A, 0x0B, 0x0E, 0x0E, 0x0D, 0x0F, 0x13, 0x20, 0x15, 0x13, 0x12, 0x12, 0x13, 0x27, 0x1C,
    0x1E, 0x17, 0x20, 0x2E, 0x29, 0x31, 0x30, 0x2E, 0x29, 0x2D, 0x2C, 0x33, 0x3A, 0x4A, 0x3E, 0x33,
    0x36, 0x46, 0x37, 0x2C, 0x2D, 0x40, 0x57, 0x41, 0x46, 0x4C, 0x4E, 0x52, 0x53, 0x52, 0x32, 0x3E,
    0x5A, 0x61, 0x5A, 0x50, 0x60, 0x4A, 0x51, 0x52, 0x4F, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x0E, 0x0E,
    0x0E, 0x13, 0x11, 0x13, 0x26, 0x15, 0x15, 0x26, 0x4F, 0x35, 0x2D, 0x35, 0x4F, 0x4F, 0x4F, 0x4F,
    0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F,
    0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F,
    0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0xFF, 0xC0,
    0x00, 0x11, 0x08, 0x00, 0x10, 0x00, 0x18, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xFF, 0xC4, 0x00, 0x16, 0x00, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x06, 0xFF, 0xC4, 0x00, 0x16, 0x10, 0x01, 0x01,
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x13,
    0x61, 0xFF, 0xC4, 0x00, 0x15, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0xFF, 0xC4, 0x00, 0x16, 0x11, 0x00, 0x03, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x15, 0x61,
    0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0xCC, 0x5B,
    0x4B, 0x6A, 0x0B, 0x16, 0x58, 0x43, 0x0B, 0xEE, 0xA9, 0x7D, 0xB4, 0x41, 0x60, 0x43, 0x03, 0xAA,
    0x7F, 0xFF, 0xD9
};

const char kTitleSuffix[] = " - Tunewright 97 Preview";

// Waits while pumping this thread's messages; true when the condition came true in time. The
// bound is generous: a preview's thread may get little time on a loaded machine.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 30000)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}

std::string TextOf(HWND hWnd)
{
    char text[512] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND hWnd)
{
    char name[128] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

bool IsOurs(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid == ::GetCurrentProcessId();
}

BOOL CALLBACK CollectPreviewFrame(HWND hWnd, LPARAM param)
{
    std::string text = TextOf(hWnd);
    if (IsOurs(hWnd) && ::IsWindowVisible(hWnd) && text.size() > sizeof kTitleSuffix &&
        text.compare(text.size() - (sizeof kTitleSuffix - 1), std::string::npos, kTitleSuffix) == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hWnd);
    return TRUE;
}

// Visible top-level windows of this process whose caption ends with the preview's title.
std::vector<HWND> PreviewFrames()
{
    std::vector<HWND> frames;
    ::EnumWindows(CollectPreviewFrame, reinterpret_cast<LPARAM>(&frames));
    return frames;
}

HWND FrameTitled(const std::string& fileTitle)
{
    for (HWND frame : PreviewFrames())
        if (TextOf(frame) == fileTitle + kTitleSuffix)
            return frame;
    return nullptr;
}

struct BoxSearch {
    const char* text;
    HWND box;
};

BOOL CALLBACK FindBox(HWND hWnd, LPARAM param)
{
    auto* s = reinterpret_cast<BoxSearch*>(param);
    if (IsOurs(hWnd) && ClassOf(hWnd) == "#32770" && TextOf(::GetDlgItem(hWnd, 0xFFFF)) == s->text) {
        s->box = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A message box of this process showing the text.
HWND MessageBoxWithText(const char* text)
{
    BoxSearch search = {text, nullptr};
    ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.box;
}

HWND FindDescendant(HWND parent, const char* className)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == className)
            return child;
        if (HWND below = FindDescendant(child, className))
            return below;
    }
    return nullptr;
}

void WriteFile(const std::string& path, const void* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

// A 24-bit bitmap file of the size, one colour.
std::vector<unsigned char> BitmapFile(int width, int height, unsigned char r, unsigned char g, unsigned char b)
{
    int row = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<size_t>(row * height));
    auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<unsigned>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            size_t at = 54 + static_cast<size_t>(y * row + x * 3);
            file[at] = b;
            file[at + 1] = g;
            file[at + 2] = r;
        }
    return file;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempName(const char* name)
{
    return std::string(g_strTempFolder.c_str()) + "\\" + name;
}

class PreviewWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        InitGlobalFolders();
        char folder[MAX_PATH];
        ::GetTempPathA(MAX_PATH, folder);
        s_folder = std::string(folder) + "previewtest";
        ::CreateDirectoryA(s_folder.c_str(), nullptr);
        s_bmp = s_folder + "\\Sunset.bmp";
        s_jpg = s_folder + "\\Gradient.jpg";
        std::vector<unsigned char> bmp = BitmapFile(200, 120, 255, 128, 0);
        WriteFile(s_bmp, bmp.data(), bmp.size());
        WriteFile(s_jpg, kJpeg, sizeof kJpeg);
    }

    void TearDown() override
    {
        for (HWND frame : PreviewFrames())
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        WaitFor([] { return PreviewFrames().empty(); });
    }

    // Opens a preview and waits for its frame; nullptr when none came.
    static HWND Open(const std::string& path, const std::string& fileTitle)
    {
        OpenImagePreview(path.c_str());
        HWND frame = nullptr;
        WaitFor([&] { return (frame = FrameTitled(fileTitle)) != nullptr; });
        return frame;
    }

    static void Command(HWND frame, UINT id)
    {
        ::SendMessageA(frame, WM_COMMAND, id, 0);
    }

    // The menu item's state after the menu's update handlers ran, as they do when it opens.
    static UINT MenuState(HWND frame, int popup, UINT id)
    {
        HMENU sub = ::GetSubMenu(::GetMenu(frame), popup);
        ::SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(popup, FALSE));
        return ::GetMenuState(sub, id, MF_BYCOMMAND);
    }

    static std::string s_folder, s_bmp, s_jpg;
};

std::string PreviewWindows::s_folder, PreviewWindows::s_bmp, PreviewWindows::s_jpg;

TEST_F(PreviewWindows, BitmapAndJpegOpenTogetherEachInAThreadOfItsOwn)
{
    HWND bmp = Open(s_bmp, "Sunset.bmp");
    HWND jpg = Open(s_jpg, "Gradient.jpg");
    ASSERT_NE(bmp, nullptr);
    ASSERT_NE(jpg, nullptr);
    DWORD bmpThread = ::GetWindowThreadProcessId(bmp, nullptr);
    DWORD jpgThread = ::GetWindowThreadProcessId(jpg, nullptr);
    EXPECT_NE(bmpThread, jpgThread);
    EXPECT_NE(bmpThread, ::GetCurrentThreadId());
    EXPECT_NE(jpgThread, ::GetCurrentThreadId());
    // The program's icon in the caption and the taskbar.
    EXPECT_NE(::SendMessageA(bmp, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageA(bmp, WM_GETICON, ICON_SMALL, 0), 0);

    // The views hold the converted images at their own sizes.
    for (auto [frame, width, height] : {std::tuple{bmp, 200, 120}, std::tuple{jpg, 24, 16}}) {
        auto* view = dynamic_cast<CPreviewViewWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(frame, AFX_IDW_PANE_FIRST)));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->GetDocument()->m_dib.Image().Width(), width);
        EXPECT_EQ(view->GetDocument()->m_dib.Image().Height(), height);
    }
}

TEST_F(PreviewWindows, TheBandHoldsTheButtonsAndLabelsAtTheMeasuredHeight)
{
    HWND frame = Open(s_bmp, "Sunset.bmp");
    ASSERT_NE(frame, nullptr);
    HWND rebar = FindDescendant(frame, "ReBarWindow32");
    HWND toolbar = FindDescendant(frame, "ToolbarWindow32");
    ASSERT_NE(rebar, nullptr);
    ASSERT_NE(toolbar, nullptr);
    // Only the first two releases of the common controls get the classic toolbar.
    EXPECT_EQ(UseRebarControls.load(), 1);
    EXPECT_EQ(RebarControlsForVersion(0x00040000, 950), 0);
    EXPECT_EQ(RebarControlsForVersion(0x00040046, 1053), 0);
    EXPECT_EQ(RebarControlsForVersion(0x00040046, 1054), 1);
    EXPECT_EQ(RebarControlsForVersion(0x00050051, 0), 1);
    EXPECT_EQ(::SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0), 1);

    struct Button {
        UINT id;
        const char* label;
    };
    const Button buttons[] = {{ID_PREVIEW_OPEN, "Open"},       {0, ""},
                              {ID_PREVIEW_FIT, "Scale To Fit"}, {ID_PREVIEW_NORMAL, "Normal Size"},
                              {0, ""},                          {ID_PREVIEW_ZOOMIN, "Zoom In"},
                              {ID_PREVIEW_ZOOMOUT, "Zoom Out"}, {0, ""},
                              {ID_PREVIEW_CLOSE, "Close"}};
    ASSERT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 9);
    for (int i = 0; i < 9; ++i) {
        TBBUTTON button = {};
        ::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (buttons[i].id == 0) {
            EXPECT_TRUE(button.fsStyle & TBSTYLE_SEP) << i;
            continue;
        }
        EXPECT_EQ(static_cast<UINT>(button.idCommand), buttons[i].id) << i;
        char text[64] = "";
        ::SendMessageA(toolbar, TB_GETBUTTONTEXTA, buttons[i].id, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, buttons[i].label) << i;
    }

    // Six images each, normal and hot.
    for (UINT message : {UINT(TB_GETIMAGELIST), UINT(TB_GETHOTIMAGELIST)})
        EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, message, 0, 0))), 6);

    // Tooltips give the second line of each command's prompt: the tooltip asks the toolbar in
    // Unicode, the toolbar asks its holder, which asks the frame.
    HWND tip = reinterpret_cast<HWND>(::SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tip, nullptr);
    WCHAR shown[1024] = L"";
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = toolbar;
    tool.uId = ID_PREVIEW_FIT;
    tool.lpszText = shown;
    ::SendMessageW(tip, TTM_GETTEXTW, sizeof shown / sizeof shown[0], reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(shown, L"Scale the image to fit in the window");

    // Every label whole on its button; the band as tall as the buttons the toolbar lays out.
    LOGFONTA font = {};
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    HFONT labelFont = ::CreateFontIndirectA(&font);
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ oldFont = ::SelectObject(screen, labelFont);
    for (const Button& b : buttons) {
        if (b.id == 0)
            continue;
        SIZE extent = {};
        ::GetTextExtentPoint32A(screen, b.label, lstrlenA(b.label), &extent);
        RECT rect = {};
        ::SendMessageA(toolbar, TB_GETRECT, b.id, reinterpret_cast<LPARAM>(&rect));
        EXPECT_GE(rect.right - rect.left - 2 * ::GetSystemMetrics(SM_CXEDGE), extent.cx) << b.label;
    }
    ::SelectObject(screen, oldFont);
    ::DeleteObject(labelFont);
    ::ReleaseDC(nullptr, screen);
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILDSIZE | RBBIM_CHILD;
    ASSERT_TRUE(::SendMessageA(rebar, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band)));
    EXPECT_EQ(band.cyMinChild, static_cast<UINT>(HIWORD(::SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0))));
    EXPECT_EQ(band.hwndChild, toolbar);

    // The bar the frame lays out is the rebar's one row and the sizing strip.
    HWND bar = ::GetParent(rebar);
    RECT barRect, viewRect;
    ::GetWindowRect(bar, &barRect);
    int row = static_cast<int>(::SendMessageA(rebar, RB_GETROWHEIGHT, 0, 0));
    EXPECT_EQ(barRect.bottom - barRect.top, row + 3);
    ::GetWindowRect(::GetDlgItem(frame, AFX_IDW_PANE_FIRST), &viewRect);
    EXPECT_EQ(viewRect.top, barRect.bottom);
}

// The number of pixels of the colour inside the rectangle of what the window paints.
int CountColour(HWND hWnd, const RECT& rect, COLORREF colour)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += ::GetPixel(dc, x, y) == colour;
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return count;
}

TEST_F(PreviewWindows, TheCheckedButtonDrawsItsPictureInColour)
{
    HWND frame = Open(s_bmp, "Sunset.bmp");
    ASSERT_NE(frame, nullptr);
    HWND toolbar = FindDescendant(frame, "ToolbarWindow32");
    ASSERT_NE(toolbar, nullptr);
    // Checked, Scale To Fit shows its hot picture: blue arrows in a black frame.
    Command(frame, ID_PREVIEW_FIT);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, ID_PREVIEW_FIT, 0) != 0; }));
    RECT button = {};
    ::SendMessageA(toolbar, TB_GETRECT, ID_PREVIEW_FIT, reinterpret_cast<LPARAM>(&button));
    button.bottom = button.top + 33;  // the picture's rows, above the label
    EXPECT_GT(CountColour(toolbar, button, RGB(0, 96, 192)), 20);
    EXPECT_GT(CountColour(toolbar, button, RGB(0, 0, 0)), 60);
}

TEST_F(PreviewWindows, AFittedPictureIsDrawnAgainWholeWhenTheWindowGrows)
{
    HWND frame = Open(s_bmp, "Sunset.bmp");
    ASSERT_NE(frame, nullptr);
    HWND view = ::GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    HWND toolbar = FindDescendant(frame, "ToolbarWindow32");
    ASSERT_NE(toolbar, nullptr);
    Command(frame, ID_PREVIEW_FIT);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, ID_PREVIEW_FIT, 0) != 0; }));
    RECT rect;
    ::GetWindowRect(frame, &rect);
    PaintRecorder painted(view);
    painted.Reset();
    ::SetWindowPos(frame, nullptr, 0, 0, rect.right - rect.left + 60, rect.bottom - rect.top + 40,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor([&] { return painted.PaintedWhole(); }));
}

TEST_F(PreviewWindows, OnlyTheBottomStripStartsADragAndLosingTheMouseEndsIt)
{
    HWND frame = Open(s_bmp, "Sunset.bmp");
    ASSERT_NE(frame, nullptr);
    HWND rebar = FindDescendant(frame, "ReBarWindow32");
    ASSERT_NE(rebar, nullptr);
    HWND barWnd = ::GetParent(rebar);
    auto* bar = dynamic_cast<CRebarFrameBar*>(CWnd::FromHandlePermanent(barWnd));
    ASSERT_NE(bar, nullptr);
    RECT client;
    ::GetClientRect(barWnd, &client);
    const int strip = client.bottom - 2, above = client.bottom - 4;

    ::SendMessageA(barWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, above));
    EXPECT_FALSE(bar->m_bDragging);
    ::SendMessageA(barWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, strip));
    EXPECT_TRUE(bar->m_bDragging);
    ::SendMessageA(barWnd, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(frame));
    EXPECT_FALSE(bar->m_bDragging);
    ::SendMessageA(barWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, strip + 20));  // no drag to end
    EXPECT_EQ(bar->m_nHeight, client.bottom);

    // A drag 20 pixels down asks the rebar for them; the bar ends at what the rebar took.
    ::SendMessageA(barWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, strip));
    ::SendMessageA(barWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, strip + 20));
    EXPECT_FALSE(bar->m_bDragging);
    RECT rebarRect;
    ::GetWindowRect(rebar, &rebarRect);
    EXPECT_EQ(bar->m_nHeight, rebarRect.bottom - rebarRect.top + 3);
}

TEST_F(PreviewWindows, FitIsCheckedAndZoomInStopsAtTheTopInMenuAndToolbar)
{
    HWND frame = Open(s_bmp, "Sunset.bmp");
    ASSERT_NE(frame, nullptr);
    HWND toolbar = FindDescendant(frame, "ToolbarWindow32");
    auto* view = dynamic_cast<CPreviewViewWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(frame, AFX_IDW_PANE_FIRST)));
    ASSERT_NE(view, nullptr);

    Command(frame, ID_PREVIEW_FIT);
    EXPECT_TRUE(MenuState(frame, 1, ID_PREVIEW_FIT) & MF_CHECKED);
    EXPECT_TRUE(MenuState(frame, 1, ID_PREVIEW_ZOOMIN) & MF_GRAYED);  // no zooming while fitting
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, ID_PREVIEW_FIT, 0) != 0; }));
    Command(frame, ID_PREVIEW_FIT);
    EXPECT_FALSE(MenuState(frame, 1, ID_PREVIEW_FIT) & MF_CHECKED);

    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(MenuState(frame, 1, ID_PREVIEW_ZOOMIN) & MF_GRAYED) << i;
        Command(frame, ID_PREVIEW_ZOOMIN);
    }
    EXPECT_TRUE(MenuState(frame, 1, ID_PREVIEW_ZOOMIN) & MF_GRAYED);
    EXPECT_FALSE(MenuState(frame, 1, ID_PREVIEW_ZOOMOUT) & MF_GRAYED);
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_PREVIEW_ZOOMIN, 0) == 0; }));
    Command(frame, ID_PREVIEW_ZOOMIN);  // refused at the top
    EXPECT_EQ(view->Zoom().m_nZoom, 6);

    // Six steps down from the top and six more come back to the exact original size.
    for (int i = 0; i < 12; ++i)
        Command(frame, ID_PREVIEW_ZOOMOUT);
    EXPECT_TRUE(MenuState(frame, 1, ID_PREVIEW_ZOOMOUT) & MF_GRAYED);
    for (int i = 0; i < 6; ++i)
        Command(frame, ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(view->Zoom().m_nZoom, 0);
    EXPECT_EQ(view->Zoom().m_dScale, 1.0);
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_PREVIEW_ZOOMIN, 0) != 0; }));
}

TEST_F(PreviewWindows, TakenTemporaryNamesAreSkippedAndTheOwnIsRemovedOnClose)
{
    const std::string plain = TempName("twtmp.bmp"), zero = TempName("twtmp0.bmp"), one = TempName("twtmp1.bmp");
    ::DeleteFileA(one.c_str());
    WriteFile(plain, "x", 1);
    WriteFile(zero, "x", 1);
    HWND frame = Open(s_bmp, "Sunset.bmp");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(Exists(one));
    DWORD thread = ::GetWindowThreadProcessId(frame, nullptr);
    HANDLE handle = ::OpenThread(SYNCHRONIZE, FALSE, thread);
    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(handle, 30000), WAIT_OBJECT_0);
    ::CloseHandle(handle);
    EXPECT_FALSE(Exists(one));
    EXPECT_TRUE(Exists(plain));  // other files stay
    ::DeleteFileA(plain.c_str());
    ::DeleteFileA(zero.c_str());
}

TEST_F(PreviewWindows, AFileTheConverterCannotReadGivesTheMessageAndNoWindow)
{
    const std::string bad = s_folder + "\\Broken.jpg";
    WriteFile(bad, "not an image", 12);
    OpenImagePreview(bad.c_str());
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = MessageBoxWithText("The image could not be read")) != nullptr; }));
    EXPECT_EQ(TextOf(box), "Tunewright 97");
    DWORD thread = ::GetWindowThreadProcessId(box, nullptr);
    HANDLE handle = ::OpenThread(SYNCHRONIZE, FALSE, thread);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(::WaitForSingleObject(handle, 30000), WAIT_OBJECT_0);
    ::CloseHandle(handle);
    EXPECT_TRUE(PreviewFrames().empty());
    EXPECT_FALSE(Exists(TempName("twtmp.bmp")));
}

TEST_F(PreviewWindows, TheClassicToolbarLoadsTheTemplatesToolbar)
{
    // The classic path runs only with the first common controls; its bar is checked here.
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "classic", WS_OVERLAPPEDWINDOW));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(frame));
    ASSERT_TRUE(bar.LoadToolBar(IDR_PREVIEW));
    EXPECT_EQ(bar.GetCount(), 10);
    EXPECT_EQ(bar.GetItemID(0), static_cast<UINT>(ID_PREVIEW_OPEN));
    EXPECT_EQ(bar.GetItemID(1), 0u);
    EXPECT_EQ(bar.CommandToIndex(ID_PREVIEW_CLOSE), 9);
    EXPECT_GT(bar.CalcFixedLayout(TRUE, TRUE).cy, 30);
    // Checking makes a check button; disabling lets go of a press.
    CToolCmdUI state;
    state.m_pOther = &bar;
    state.m_nIndex = 2;
    state.SetCheck(1);
    EXPECT_TRUE(::SendMessageA(bar.m_hWnd, TB_ISBUTTONCHECKED, ID_PREVIEW_FIT, 0));
    ::SendMessageA(bar.m_hWnd, TB_PRESSBUTTON, ID_PREVIEW_FIT, TRUE);
    state.Enable(FALSE);
    EXPECT_FALSE(::SendMessageA(bar.m_hWnd, TB_ISBUTTONENABLED, ID_PREVIEW_FIT, 0));
    EXPECT_FALSE(::SendMessageA(bar.m_hWnd, TB_ISBUTTONPRESSED, ID_PREVIEW_FIT, 0));
    bar.DestroyWindow();
    frame->DestroyWindow();
}

// Files left in the temporary folder by previews or by the converter's writes.
std::vector<std::string> LeftoverTemporaryFiles()
{
    std::vector<std::string> names;
    for (const char* pattern : {"twtmp*.bmp", "ico*.tmp"}) {
        WIN32_FIND_DATAA found;
        HANDLE find = ::FindFirstFileA(TempName(pattern).c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do
            names.push_back(found.cFileName);
        while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    return names;
}

BOOL CALLBACK AnyWindow(HWND, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// The thread started since the list was taken that has a window: a preview makes its (still
// hidden) frame before it converts.
DWORD NewPreviewThread(const std::vector<DWORD>& known);

std::vector<DWORD> ThreadsOfThisProcess()
{
    std::vector<DWORD> ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            ids.push_back(entry.th32ThreadID);
    ::CloseHandle(snapshot);
    return ids;
}

DWORD NewPreviewThread(const std::vector<DWORD>& known)
{
    for (DWORD id : ThreadsOfThisProcess()) {
        bool window = false;
        if (std::find(known.begin(), known.end(), id) == known.end())
            ::EnumThreadWindows(id, AnyWindow, reinterpret_cast<LPARAM>(&window));
        if (window)
            return id;
    }
    return 0;
}

DWORD WINAPI ResumeLater(void* thread)
{
    ::Sleep(6000);
    ::ResumeThread(thread);
    return 0;
}

// Last: the exit closes every preview, waits for one still converting, and none opens
// afterwards.
TEST_F(PreviewWindows, TheExitClosesOpenPreviewsWaitsForOneStillConvertingAndLeavesNoTemporaryFile)
{
    HWND first = Open(s_bmp, "Sunset.bmp");
    HWND second = Open(s_jpg, "Gradient.jpg");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(Exists(TempName("twtmp.bmp")));
    EXPECT_TRUE(Exists(TempName("twtmp0.bmp")));

    // A large picture, caught while the converter works on it and held there for longer than
    // any wait, as a busy machine would hold it.
    const std::string large = s_folder + "\\Large.bmp";
    std::vector<unsigned char> big = BitmapFile(5000, 4000, 10, 200, 30);
    WriteFile(large, big.data(), big.size());
    big.clear();
    std::vector<DWORD> before = ThreadsOfThisProcess();
    OpenImagePreview(large.c_str());
    const std::string reserved = TempName("twtmp1.bmp");
    ASSERT_TRUE(WaitFor([&] { return Exists(reserved); }));
    HANDLE converting = ::OpenThread(THREAD_ALL_ACCESS, FALSE, NewPreviewThread(before));
    ASSERT_NE(converting, nullptr);
    ::SuspendThread(converting);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(::GetFileAttributesExA(reserved.c_str(), GetFileExInfoStandard, &data));
    ASSERT_EQ(data.nFileSizeLow, 0u) << "the conversion ended before it could be held";
    HANDLE resumer = ::CreateThread(nullptr, 0, ResumeLater, converting, 0, nullptr);

    theApp.ExitInstance();
    // Nothing that thread shares with this one may go while it runs: the exit returns only
    // once it has ended.
    EXPECT_EQ(::WaitForSingleObject(converting, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_FALSE(::IsWindow(second));
    ::WaitForSingleObject(resumer, INFINITE);
    ::WaitForSingleObject(converting, 30000);
    ::CloseHandle(resumer);
    ::CloseHandle(converting);
    EXPECT_EQ(LeftoverTemporaryFiles(), std::vector<std::string>{});
    EXPECT_TRUE(PreviewFrames().empty());
    ::DeleteFileA(large.c_str());
}

}  // namespace
