// Where the sheets and their dialogs open, and whether their list headings show whole: each
// sheet opened as the tray menu opens it, every page shown, and the properties dialogs of its
// pages opened over it.
#include "FileTypesPage.h"
#include "Sheets.h"
#include "TrayIconPages.h"
#include "WallpaperPage.h"
#include "WindowsConfigSheet.h"
#include "app_test_support.h"
#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TextOf(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

POINT Centre(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The headings of the list views below the window that the header draws cut: the header insets
// its text by three edges on either side.
void CollectCutHeadings(HWND window, const std::string& where, std::vector<std::string>& cut)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        CollectCutHeadings(child, where, cut);
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpA(cls, "SysHeader32") != 0)
            continue;
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
        for (int i = 0; i < Header_GetItemCount(child); ++i) {
            char text[128] = {};
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(child, HDM_GETITEMA, WPARAM(i), LPARAM(&item));
            RECT column = {}, need = {};
            Header_GetItemRect(child, i, &column);
            DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
            if (text[0] && need.right + 6 * GetSystemMetrics(SM_CXEDGE) > column.right - column.left)
                cut.push_back(where + ": " + text);
        }
        SelectObject(dc, old);
        ReleaseDC(child, dc);
    }
}

template <class Page>
int PageIndex(CPropertySheet& sheet)
{
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        if (dynamic_cast<Page*>(sheet.GetPage(i)))
            return i;
    return -1;
}

struct Opened {
    std::string name;
    POINT centre;
    std::vector<std::string> cut;
    bool okFirst;
};

// What a dialog shows, read once it is up, and then cancelled.
Opened* g_dialogSeen;
void CALLBACK ReadDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = GetActiveWindow();
    if (!dialog || !GetDlgItem(dialog, IDOK) || !g_dialogSeen)
        return;
    KillTimer(nullptr, id);
    g_dialogSeen->name = TextOf(dialog);
    g_dialogSeen->centre = Centre(dialog);
    g_dialogSeen->cut = CutTexts(dialog);
    RECT ok, cancel;
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &cancel);
    g_dialogSeen->okFirst = ok.left < cancel.left || ok.top < cancel.top;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

template <class Page, class Dialog>
Opened OpenOverPage(CPropertySheet& sheet)
{
    Opened seen;
    int index = PageIndex<Page>(sheet);
    EXPECT_GE(index, 0);
    if (index < 0)
        return seen;
    sheet.SetActivePage(index);
    g_dialogSeen = &seen;
    SetTimer(nullptr, 0, 50, ReadDialog);
    Dialog dialog(sheet.GetPage(index));
    dialog.DoModal();
    g_dialogSeen = nullptr;
    return seen;
}

struct SheetCase {
    const char* name;
    SheetKind kind;
    // Opens the dialogs of the sheet's pages over it.
    std::vector<Opened> (*dialogs)(CPropertySheet&);
};

CPropertySheet* g_sheet;
const SheetCase* g_case;
struct SheetSeen {
    POINT centre;
    std::vector<std::string> cut;
    std::vector<Opened> dialogs;
    bool done;
} g_seen;

void CALLBACK InspectSheet(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!g_sheet || !g_sheet->m_hWnd || !IsWindowVisible(g_sheet->m_hWnd))
        return;
    KillTimer(nullptr, id);
    HWND sheet = g_sheet->m_hWnd;
    g_seen.centre = Centre(sheet);
    for (int i = 0; i < g_sheet->GetPageCount(); ++i) {
        g_sheet->SetActivePage(i);
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        CollectCutHeadings(page, TextOf(sheet) + " / " + TextOf(page), g_seen.cut);
    }
    if (g_case->dialogs)
        g_seen.dialogs = g_case->dialogs(*g_sheet);
    g_seen.done = true;
    g_sheet->PressButton(PSBTN_CANCEL);
}

const SheetCase kSheets[] = {
    {"Image Changer", SheetKind::ImageChanger,
     [](CPropertySheet& s) {
         return std::vector<Opened>{OpenOverPage<CSetWallpaperPage, CWallpaperPropertiesDialog>(s)};
     }},
    {"Disk Info", SheetKind::DiskInfo, nullptr},
    {"Windows Configuration", SheetKind::WindowsConfig,
     [](CPropertySheet& s) {
         return std::vector<Opened>{OpenOverPage<CFileTypesPage, CFileTypePropertiesDialog>(s),
                                    OpenOverPage<CShellIconPage, CShellIconPropertiesDialog>(s)};
     }},
    {"Options", SheetKind::Options,
     [](CPropertySheet& s) { return std::vector<Opened>{OpenOverPage<CTrayIconPage, CItemPropertiesDialog>(s)}; }},
    {"Background Music", SheetKind::Media, nullptr},
};

TEST(WindowLayout, SheetsOpenCentredWithWholeHeadingsAndTheirDialogsOpenOverThem)
{
    StartTestApplication();
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const SheetCase& sheetCase : kSheets) {
        g_case = &sheetCase;
        g_seen = {};
        g_sheet = CreateSheet(sheetCase.kind, nullptr);
        ASSERT_NE(g_sheet, nullptr);
        UINT_PTR timer = SetTimer(nullptr, 0, 50, InspectSheet);
        g_sheet->DoModal();
        KillTimer(nullptr, timer);
        std::string caption = sheetCase.name;
        delete g_sheet;
        g_sheet = nullptr;
        ASSERT_TRUE(g_seen.done) << caption;

        EXPECT_NEAR(g_seen.centre.x, (work.left + work.right) / 2, 1) << caption;
        EXPECT_NEAR(g_seen.centre.y, (work.top + work.bottom) / 2, 1) << caption;
        EXPECT_EQ(g_seen.cut, std::vector<std::string>{});
        for (const Opened& dialog : g_seen.dialogs) {
            EXPECT_NEAR(dialog.centre.x, g_seen.centre.x, 1) << dialog.name << " over " << caption;
            EXPECT_NEAR(dialog.centre.y, g_seen.centre.y, 1) << dialog.name << " over " << caption;
            EXPECT_EQ(dialog.cut, std::vector<std::string>{}) << dialog.name;
            EXPECT_TRUE(dialog.okFirst) << dialog.name;
        }
    }
}

}  // namespace
