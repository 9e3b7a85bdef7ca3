#include "ScreenSaverCornerPage.h"

#include "CornerWatcher.h"
#include "MainFrameMessages.h"
#include "OptionsRules.h"
#include "SharedDialogs.h"
#include "framework/Afx.h"
#include "resource.h"

namespace {

const int kEdits[] = {IDC_CORNER_PIXEL, IDC_CORNER_TIMER, IDC_CORNER_DELAY};

}  // namespace

BEGIN_MESSAGE_MAP(CScreenSaverCornerPage, CPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CORNER_NONE, IDC_CORNER_LOWERRIGHT, OnActivateCorner)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_DISABLE_NONE, IDC_DISABLE_LOWERRIGHT, OnDisableCorner)
    ON_EN_CHANGE(IDC_CORNER_PIXEL, OnEditChanged)
    ON_EN_CHANGE(IDC_CORNER_TIMER, OnEditChanged)
    ON_EN_CHANGE(IDC_CORNER_DELAY, OnEditChanged)
END_MESSAGE_MAP()

CScreenSaverCornerPage::CScreenSaverCornerPage() : CPropertyPage(IDD_CORNER_PAGE)
{
    // Read as the corner thread reads them, so the page shows what is watched and can always be
    // saved.
    m_read = ReadCornerPage(AfxGetApp()->Profile());
    const CornerSettings& stored = m_read.shown;
    m_nCorner = stored.corner;
    m_nPixel = stored.pixel;
    m_nTimer = stored.pollMs;
    m_nDelay = stored.delayMs;
    m_nDisableCorner = stored.disableCorner;
}

void CScreenSaverCornerPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CORNER_TIMER, m_nTimer);
    DDV_MinMaxInt(pDX, m_nTimer, kCornerTimeMin, kCornerTimeMax);
    DDX_Text(pDX, IDC_CORNER_PIXEL, m_nPixel);
    DDV_MinMaxInt(pDX, m_nPixel, kCornerPixelMin, kCornerPixelMax);
    DDX_Radio(pDX, IDC_CORNER_NONE, m_nCorner);
    DDX_Text(pDX, IDC_CORNER_DELAY, m_nDelay);
    DDV_MinMaxInt(pDX, m_nDelay, kCornerTimeMin, kCornerTimeMax);
    DDX_Radio(pDX, IDC_DISABLE_NONE, m_nDisableCorner);
}

BOOL CScreenSaverCornerPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (m_nCorner == 0)
        EnableEdits(FALSE);
    CreateToolTips(m_tips, *this,
                   {{IDC_CORNER_NONE, IDS_CORNER_TIP_FIRST + 0}, {IDC_CORNER_UPPERLEFT, IDS_CORNER_TIP_FIRST + 1},
                    {IDC_CORNER_UPPERRIGHT, IDS_CORNER_TIP_FIRST + 2}, {IDC_CORNER_LOWERLEFT, IDS_CORNER_TIP_FIRST + 3},
                    {IDC_CORNER_LOWERRIGHT, IDS_CORNER_TIP_FIRST + 4}, {IDC_CORNER_PIXEL, IDS_CORNER_TIP_FIRST + 5},
                    {IDC_CORNER_TIMER, IDS_CORNER_TIP_FIRST + 6}});
    m_bShown = true;
    return TRUE;
}

BOOL CScreenSaverCornerPage::PreTranslateMessage(MSG* pMsg)
{
    m_tips.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CScreenSaverCornerPage::EnableEdits(BOOL enable)
{
    for (int id : kEdits)
        if (CWnd* edit = GetDlgItem(id))
            edit->EnableWindow(enable);
}

void CScreenSaverCornerPage::OnActivateCorner(UINT nID)
{
    int corner = static_cast<int>(nID - IDC_CORNER_NONE);
    EnableEdits(corner != 0);
    // In the hidden group the same corner cannot also disable.
    for (int i = 1; i <= 4; ++i)
        if (CWnd* radio = GetDlgItem(IDC_DISABLE_NONE + i))
            radio->EnableWindow(corner == 0 || i != corner);
    SetModified();
}

void CScreenSaverCornerPage::OnDisableCorner(UINT nID)
{
    int corner = static_cast<int>(nID - IDC_DISABLE_NONE);
    for (int i = 1; i <= 4; ++i)
        if (CWnd* radio = GetDlgItem(IDC_CORNER_NONE + i))
            radio->EnableWindow(corner == 0 || i != corner);
    SetModified();
}

void CScreenSaverCornerPage::OnEditChanged()
{
    if (m_bShown)
        SetModified();
}

void CScreenSaverCornerPage::OnOK()
{
    m_bStored = false;
    if (!UpdateData(TRUE))
        return;
    CWinApp* app = AfxGetApp();
    CornerSettings left;
    left.corner = m_nCorner;
    left.pixel = m_nPixel;
    left.pollMs = m_nTimer;
    left.delayMs = m_nDelay;
    left.disableCorner = m_nDisableCorner;
    if (auto refused = RunWritePlan(PlanCornerSave(app->Profile(), m_read, left))) {
        AfxMessageBox(RefusedWriteMessage(*refused).c_str());
        return;
    }
    m_bStored = true;
    m_read = ReadCornerPage(app->Profile());
    if (CWnd* main = app->GetMainWnd())
        main->SendMessage(WM_SETTINGSCHANGED, 0, SCF_SCREENSAVERCORNER);
    CPropertyPage::OnOK();
}

BOOL CScreenSaverCornerPage::OnApply()
{
    // A refused write keeps the sheet open on the page, which says what could not be written.
    OnOK();
    return m_bStored;
}
