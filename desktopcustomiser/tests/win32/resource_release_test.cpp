// Every sheet, dialog and preview window of the program opened and closed many times in this
// process: after a warm-up, no opening may leave a GDI or USER object behind. The program stays
// resident for days, and on Windows 95 GDI objects come from one small heap every program shares.
#include "AboutDialog.h"
#include "DiskInfoSheet.h"
#include "FileTypesPage.h"
#include "Preview.h"
#include "Sheets.h"
#include "SplashDialog.h"
#include "TrayIconPages.h"
#include "WallpaperPage.h"
#include "WindowsConfigSheet.h"
#include "app_test_support.h"
#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

namespace {

// The process's GDI and USER objects. Wine answers GetGuiResources with 0, so where it does the
// objects are counted from their handles: Wine accepts a handle's table index alone (high word
// 0) for GDI objects, menus and icons, and a process sees only its own there.
struct GuiCounts {
    std::map<std::string, int> kinds;
    int Total() const
    {
        int total = 0;
        for (const auto& kind : kinds)
            total += kind.second;
        return total;
    }
};

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM param)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(param);
        EnumChildWindows(hwnd, CountWindow, param);
    }
    return TRUE;
}

GuiCounts CountGuiObjects()
{
    GuiCounts counts;
    if (DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) {
        counts.kinds["GDI objects"] = static_cast<int>(gdi);
        counts.kinds["USER objects"] = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
        return counts;
    }
    static const std::map<DWORD, const char*> gdiNames = {
        {OBJ_PEN, "pens"}, {OBJ_BRUSH, "brushes"}, {OBJ_DC, "DCs"}, {OBJ_PAL, "palettes"}, {OBJ_FONT, "fonts"},
        {OBJ_BITMAP, "bitmaps"}, {OBJ_REGION, "regions"}, {OBJ_MEMDC, "memory DCs"}, {OBJ_EXTPEN, "pens"},
        {OBJ_ENHMETADC, "metafile DCs"}, {OBJ_ENHMETAFILE, "metafiles"}, {OBJ_METAFILE, "metafiles"}};
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index)
        if (DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index))) {
            auto name = gdiNames.find(type);
            ++counts.kinds[name != gdiNames.end() ? name->second : "other GDI"];
        }
    for (ULONG_PTR handle = 0x20; handle <= 0xFFEF; handle += 2) {
        if (IsMenu(reinterpret_cast<HMENU>(handle)))
            ++counts.kinds["menus"];
        ICONINFO info;
        if (GetIconInfo(reinterpret_cast<HICON>(handle), &info)) {
            ++counts.kinds["icons"];
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
    }
    int windows = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
    counts.kinds["windows"] = windows;
    return counts;
}

std::string Growth(const GuiCounts& before, const GuiCounts& after)
{
    std::set<std::string> names;
    for (const auto* counts : {&before, &after})
        for (const auto& kind : counts->kinds)
            names.insert(kind.first);
    std::string text;
    for (const std::string& name : names) {
        auto count = [&](const GuiCounts& c) {
            auto found = c.kinds.find(name);
            return found == c.kinds.end() ? 0 : found->second;
        };
        if (count(after) != count(before))
            text += " " + name + " " + std::to_string(count(before)) + " -> " + std::to_string(count(after)) + ";";
    }
    return text;
}

// Closes what this thread opens: each sheet after showing every one of its pages (each page
// builds its controls when first shown), each dialog and message box with Cancel.
class Closer {
public:
    Closer() { m_timer = SetTimer(nullptr, 0, 20, Tick); }
    ~Closer() { KillTimer(nullptr, m_timer); }

private:
    static BOOL CALLBACK Find(HWND hwnd, LPARAM param)
    {
        char cls[16] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && lstrcmpA(cls, "#32770") == 0 && !s_handled.count(hwnd)) {
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&found));
        if (!found)
            return;
        s_handled.insert(found);
        if (SendMessageA(found, PSM_GETTABCONTROL, 0, 0)) {
            HWND tabs = PropSheet_GetTabControl(found);
            for (int page = 0; page < TabCtrl_GetItemCount(tabs) && IsWindow(found); ++page)
                PropSheet_SetCurSel(found, nullptr, page);
            if (IsWindow(found))
                PropSheet_PressButton(found, PSBTN_CANCEL);
        } else {
            PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
        }
        s_handled.erase(found);
    }
    static inline std::set<HWND> s_handled;
    UINT_PTR m_timer = 0;
};

void RunSheet(SheetKind kind)
{
    Closer closer;
    CPropertySheet* sheet = CreateSheet(kind, nullptr);
    ASSERT_NE(sheet, nullptr);
    sheet->DoModal();
    delete sheet;
}

template <class Dialog>
void RunDialog()
{
    Closer closer;
    Dialog dialog;
    dialog.DoModal();
}

void RunAbout()
{
    auto* about = new CAboutDialog;  // modeless: it deletes itself
    ASSERT_TRUE(about->Create(nullptr));
    HWND hwnd = about->m_hWnd;
    Closer closer;
    PumpFor(30000, [&] { return !IsWindow(hwnd); });
}

void RunSplash()
{
    CSplashDialog splash;
    ASSERT_TRUE(splash.Create());
    PumpFor(20);
    splash.Close();
}

std::string PreviewPicture()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "twrelease.bmp";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    // 16 x 8 pixels at 24 bits, grey.
    BYTE bytes[54 + 16 * 8 * 3] = {'B', 'M', sizeof bytes & 0xFF, sizeof bytes >> 8, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                                   40, 0, 0, 0, 16, 0, 0, 0, 8, 0, 0, 0, 1, 0, 24};
    memset(bytes + 54, 0x80, sizeof bytes - 54);
    DWORD written = 0;
    WriteFile(file, bytes, sizeof bytes, &written, nullptr);
    CloseHandle(file);
    return path;
}

BOOL CALLBACK FindPreview(HWND hwnd, LPARAM param)
{
    char text[128] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && strstr(text, "twrelease.bmp")) {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void RunPreview()
{
    static const std::string picture = PreviewPicture();
    OpenImagePreview(picture.c_str());
    HWND frame = nullptr;
    PumpFor(30000, [&] { return EnumWindows(FindPreview, reinterpret_cast<LPARAM>(&frame)), frame != nullptr; });
    ASSERT_NE(frame, nullptr) << "no preview window";
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(frame, nullptr));
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
    CloseHandle(thread);
}

struct Opening {
    const char* name;
    void (*open)();
};

const Opening kOpenings[] = {
    {"Image Changer sheet", [] { RunSheet(SheetKind::ImageChanger); }},
    {"Disk Info sheet", [] { RunSheet(SheetKind::DiskInfo); }},
    {"Windows Configuration sheet", [] { RunSheet(SheetKind::WindowsConfig); }},
    {"Options sheet", [] { RunSheet(SheetKind::Options); }},
    {"Background Music sheet", [] { RunSheet(SheetKind::Media); }},
    {"Tray Icon Properties", RunDialog<CItemPropertiesDialog>},
    {"Wallpaper Properties", RunDialog<CWallpaperPropertiesDialog>},
    {"File Type Properties", RunDialog<CFileTypePropertiesDialog>},
    {"Shell Icon Properties", RunDialog<CShellIconPropertiesDialog>},
    {"Disk Usage Data", RunDialog<CDiskUsageDataDialog>},
    {"About box", RunAbout},
    {"start-up window", RunSplash},
    {"image preview", RunPreview},
};

TEST(ResourceRelease, NoOpeningOfAnyWindowLeavesAGuiObjectBehind)
{
    StartTestApplication();
    const int warmUp = 2, repeats = 12;
    for (const Opening& opening : kOpenings) {
        for (int i = 0; i < warmUp; ++i)
            opening.open();
        PumpFor(50);
        GuiCounts before = CountGuiObjects();
        for (int i = 0; i < repeats; ++i)
            opening.open();
        PumpFor(50);
        GuiCounts after = CountGuiObjects();
        EXPECT_EQ(after.Total(), before.Total())
            << opening.name << " opened " << repeats << " times:" << Growth(before, after);
    }
}

}  // namespace
