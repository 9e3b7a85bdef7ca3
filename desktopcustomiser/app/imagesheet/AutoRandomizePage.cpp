#include "AutoRandomizePage.h"

#include "ImageListPage.h"

#include "MainFrameMessages.h"
#include "NumberField.h"
#include "TunewrightApp.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CAutoRandomizePage, CPropertyPage)
    ON_BN_CLICKED(IDC_AUTORANDOMIZE_ENABLE, OnEnableClicked)
    ON_EN_CHANGE(IDC_AUTORANDOMIZE_TIME, OnTimeChanged)
END_MESSAGE_MAP()

CAutoRandomizePage::CAutoRandomizePage() : CPropertyPage(IDD_AUTORANDOMIZE_PAGE)
{
    m_bEnable = theApp.GetProfileInt("Wallpapers", "Enable Auto Randomize", 0);
    m_nTime = theApp.GetProfileInt("Wallpapers", "Time", 60);
    m_nTimeRead = m_nTime;
}

void CAutoRandomizePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUTORANDOMIZE_ENABLE, m_checkEnable);
    DDX_Control(pDX, IDC_AUTORANDOMIZE_TIME, m_editTime);
    DDX_Check(pDX, IDC_AUTORANDOMIZE_ENABLE, m_bEnable);
    DDX_Text(pDX, IDC_AUTORANDOMIZE_TIME, m_nTime);
    // A stored period outside the range stays as it is unless the user changes it.
    if (!NumberFieldAccepted(m_nTime, m_nTimeRead, kMinAutoRandomizeMinutes, kMaxAutoRandomizeMinutes))
        DDV_MinMaxInt(pDX, m_nTime, kMinAutoRandomizeMinutes, kMaxAutoRandomizeMinutes);
}

BOOL CAutoRandomizePage::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CAutoRandomizePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CreateToolTips(m_toolTip, *this, {});  // the page's controls have no tips
    m_editTime.EnableWindow(m_bEnable != 0);
    m_bReady = true;
    return TRUE;
}

void CAutoRandomizePage::OnEnableClicked()
{
    m_editTime.EnableWindow(m_checkEnable.GetCheck() == BST_CHECKED);
    SetModified(TRUE);
}

void CAutoRandomizePage::OnTimeChanged()
{
    // Filling the edit when the page opens is no change of the user's.
    if (m_hWnd && m_bReady)
        SetModified(TRUE);
}

void CAutoRandomizePage::OnOK()
{
    m_bStored = false;
    if (!UpdateData(TRUE))
        return;  // the exchange has shown its message and focused the edit
    theApp.WriteProfileInt("Wallpapers", "Enable Auto Randomize", m_bEnable);
    if (m_nTime != m_nTimeRead)
        theApp.WriteProfileInt("Wallpapers", "Time", m_nTime);
    m_nTimeRead = m_nTime;
    if (CWnd* frame = theApp.GetMainWnd())
        frame->SendMessage(WM_SETTINGSCHANGED, 0, SCF_AUTORANDOMIZE);
    m_bStored = true;
    CPropertyPage::OnOK();
}

BOOL CAutoRandomizePage::OnApply()
{
    // A refused value keeps the sheet open on it rather than closing as if it were stored.
    OnOK();
    return m_bStored;
}
