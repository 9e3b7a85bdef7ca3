#include "RandomizeSheet.h"

#include "SharedDialogs.h"
#include "TunewrightApp.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CRandomizeSheet, CPropertySheet)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CRandomizeSheet::CRandomizeSheet(CWnd* pParentWnd) : CPropertySheet(IDS_IMAGECHANGER_CAPTION, pParentWnd, 0)
{
    AddPage(&m_wallpaperPage);
    AddPage(&m_autoRandomizePage);
    AddPage(&m_startupPage);
    AddPage(&m_waitPage);
    AddPage(&m_safePage);
    AddPage(&m_aboutPage);
}

BOOL CRandomizeSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    HICON icon = theApp.LoadIcon(IDR_MAINFRAME);
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    return TRUE;
}

void CRandomizeSheet::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    GetClientRect(&client);
    PaintSheetBackground(hdc, client);
    ::EndPaint(m_hWnd, &ps);
}
