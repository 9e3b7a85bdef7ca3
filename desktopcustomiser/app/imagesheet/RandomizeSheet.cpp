#include "RandomizeSheet.h"

#include "resource.h"

CRandomizeSheet::CRandomizeSheet(CWnd* pParentWnd) : CLookSheet(IDS_IMAGECHANGER_CAPTION, pParentWnd, 0)
{
    AddPage(&m_wallpaperPage);
    AddPage(&m_autoRandomizePage);
    AddPage(&m_startupPage);
    AddPage(&m_waitPage);
    AddPage(&m_safePage);
    AddPage(&m_aboutPage);
}
