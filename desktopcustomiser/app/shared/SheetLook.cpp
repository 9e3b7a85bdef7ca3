#include "SheetLook.h"

#include "HelperText.h"
#include "SharedDialogs.h"
#include "framework/CWinApp.h"
#include "resource.h"

BOOL LoadTabImages(CImageList& images)
{
    return images.Create(IDB_TABICONS, kTabImageSize, 0, kTabImageMask);
}

HICON SetSheetIcons(CWnd& sheet)
{
    HICON icon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    sheet.SetIcon(icon, TRUE);
    sheet.SetIcon(icon, FALSE);
    return icon;
}

void ApplySheetLook(CPropertySheet& sheet, CImageList& images)
{
    HWND tabs = sheet.m_hWnd ? reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL)) : nullptr;
    if (!tabs)
        return;
    if (!images.GetSafeHandle())
        LoadTabImages(images);
    TabCtrl_SetImageList(tabs, images.GetSafeHandle());
    int count = TabCtrl_GetItemCount(tabs);
    for (int i = 0; i < count; ++i) {
        char text[260] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (!::SendMessageA(tabs, TCM_GETITEMA, WPARAM(i), LPARAM(&item)))
            continue;
        item.mask = TCIF_IMAGE;
        item.iImage = GetTabIconIndex(text);
        ::SendMessageA(tabs, TCM_SETITEMA, WPARAM(i), LPARAM(&item));
    }
    TabCtrl_SetPadding(tabs, 3, 3);
    const UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    ::RedrawWindow(tabs, nullptr, nullptr, redraw);
    ::RedrawWindow(sheet.m_hWnd, nullptr, nullptr, redraw);
}

void PaintSheet(CWnd& sheet)
{
    PAINTSTRUCT paint;
    HDC hdc = ::BeginPaint(sheet.m_hWnd, &paint);
    if (!hdc)
        return;
    RECT client;
    sheet.GetClientRect(&client);
    PaintSheetBackground(hdc, client);
    ::EndPaint(sheet.m_hWnd, &paint);
}

BEGIN_MESSAGE_MAP(CLookSheet, CPropertySheet)
    ON_MESSAGE(WM_SHOWWINDOW, OnShowWindow)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CLookSheet::OnInitDialog()
{
    m_hIcon = SetSheetIcons(*this);
    return CPropertySheet::OnInitDialog();
}

LRESULT CLookSheet::OnShowWindow(WPARAM wParam, LPARAM)
{
    LRESULT result = Default();
    if (wParam && !m_bPlaced) {
        // The system would open it at the screen's corner. Its owner, the main window, is
        // hidden: centred on the screen's work area.
        m_bPlaced = TRUE;
        CenterWindow();
    }
    if (wParam)
        ApplySheetLook(*this, m_tabImages);
    return result;
}

void CLookSheet::OnPaint()
{
    PaintSheet(*this);
}

void CLookSheet::OnDestroy()
{
    Default();
    m_tabImages.DeleteImageList();
}
