#include "OptionsSheets.h"

#include "Helpers.h"
#include "MainFrameMessages.h"
#include "OptionsRules.h"
#include "ScreenSaverCornerPage.h"
#include "SharedDialogs.h"
#include "TrayIconPages.h"
#include "TunewrightApp.h"
#include "Win32RegistryStore.h"
#include "resource.h"

namespace {

const int kCategoryBoxes[] = {IDC_RANDOM_WALLPAPER, IDC_RANDOM_STARTUP, IDC_RANDOM_WAIT, IDC_RANDOM_SAFE};

}  // namespace

// ---- the options page -----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CConfigPage, CPropertyPage)
    ON_BN_CLICKED(IDC_DONT_RANDOMIZE, OnDontRandomize)
    ON_BN_CLICKED(IDC_RANDOMIZE, OnRandomize)
    ON_BN_CLICKED(IDC_DONT_LOAD, OnDontLoad)
    ON_BN_CLICKED(IDC_LOAD, OnLoad)
    ON_BN_CLICKED(IDC_RANDOM_WALLPAPER, OnChanged)
    ON_BN_CLICKED(IDC_RANDOM_STARTUP, OnChanged)
    ON_BN_CLICKED(IDC_RANDOM_SAFE, OnChanged)
    ON_BN_CLICKED(IDC_RANDOM_WAIT, OnChanged)
    ON_BN_CLICKED(IDC_SHOW_SPLASH, OnChanged)
    ON_BN_CLICKED(IDC_SHOW_DISPLAY_ICON, OnChanged)
    ON_BN_CLICKED(IDC_CLEAR_DOCUMENTS, OnChanged)
    ON_BN_CLICKED(IDC_AUTO_MIDI, OnChanged)
    ON_BN_CLICKED(IDC_CLEAR_NOW, OnClearNow)
END_MESSAGE_MAP()

CConfigPage::CConfigPage() : CPropertyPage(IDD_OPTIONS_PAGE)
{
    m_read = ReadConfigPage(AfxGetApp()->Profile(), TheRegistry());
    for (int i = 0; i < kConfigSettings; ++i)
        *Settings(i) = m_read.shown[i];
    // A Run value of a string or an expandable string loads; one of another type is left alone.
    m_nLoad = m_read.load;
}

int* CConfigPage::Settings(int i)
{
    int* members[kConfigSettings] = {&m_bRandomWallpaper, &m_bRandomStartup,   &m_bRandomWait,
                                     &m_bRandomSafe,      &m_nRandomize,       &m_bShowSplash,
                                     &m_bShowDisplayIcon, &m_bClearDocuments, &m_bAutoMidi};
    return members[i];
}

void CConfigPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_DONT_RANDOMIZE, m_nRandomize);
    DDX_Radio(pDX, IDC_DONT_LOAD, m_nLoad);
    DDX_Check(pDX, IDC_RANDOM_WALLPAPER, m_bRandomWallpaper);
    DDX_Check(pDX, IDC_RANDOM_STARTUP, m_bRandomStartup);
    DDX_Check(pDX, IDC_RANDOM_WAIT, m_bRandomWait);
    DDX_Check(pDX, IDC_RANDOM_SAFE, m_bRandomSafe);
    DDX_Check(pDX, IDC_SHOW_SPLASH, m_bShowSplash);
    DDX_Check(pDX, IDC_SHOW_DISPLAY_ICON, m_bShowDisplayIcon);
    DDX_Check(pDX, IDC_CLEAR_DOCUMENTS, m_bClearDocuments);
    DDX_Check(pDX, IDC_AUTO_MIDI, m_bAutoMidi);
}

BOOL CConfigPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CreateToolTips(m_tips, *this,
                   {{IDC_DONT_RANDOMIZE, IDS_OPTIONS_TIP_FIRST + 0}, {IDC_RANDOMIZE, IDS_OPTIONS_TIP_FIRST + 1},
                    {IDC_RANDOM_WALLPAPER, IDS_OPTIONS_TIP_FIRST + 2}, {IDC_RANDOM_STARTUP, IDS_OPTIONS_TIP_FIRST + 3},
                    {IDC_RANDOM_WAIT, IDS_OPTIONS_TIP_FIRST + 4}, {IDC_RANDOM_SAFE, IDS_OPTIONS_TIP_FIRST + 5},
                    {IDC_DONT_LOAD, IDS_OPTIONS_TIP_FIRST + 6}, {IDC_LOAD, IDS_OPTIONS_TIP_FIRST + 7},
                    {IDC_SHOW_DISPLAY_ICON, IDS_OPTIONS_TIP_FIRST + 8}, {IDC_CLEAR_DOCUMENTS, IDS_OPTIONS_TIP_FIRST + 9},
                    {IDC_CLEAR_NOW, IDS_OPTIONS_TIP_FIRST + 10}, {IDC_AUTO_MIDI, IDS_OPTIONS_TIP_FIRST + 11}});
    EnableCategories(m_nRandomize == 1);
    if (theApp.m_nRunYet == 0) {
        // The first run: the user is asked to load the program with Windows.
        if (CWnd* warning = GetDlgItem(IDC_MUST_CLICK_OK))
            warning->ShowWindow(SW_SHOW);
        m_nLoad = 1;
        UpdateData(FALSE);
    }
    if (m_nLoad == 0)
        OnDontLoad();
    return TRUE;
}

BOOL CConfigPage::PreTranslateMessage(MSG* pMsg)
{
    m_tips.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CConfigPage::EnableCategories(BOOL enable)
{
    for (int id : kCategoryBoxes)
        if (CWnd* box = GetDlgItem(id))
            box->EnableWindow(enable);
}

void CConfigPage::OnDontRandomize()
{
    EnableCategories(FALSE);
    SetModified();
}

void CConfigPage::OnRandomize()
{
    EnableCategories(TRUE);
    SetModified();
}

void CConfigPage::OnDontLoad()
{
    if (CWnd* box = GetDlgItem(IDC_CLEAR_DOCUMENTS))
        box->EnableWindow(FALSE);
    SetModified();
}

void CConfigPage::OnLoad()
{
    if (CWnd* box = GetDlgItem(IDC_CLEAR_DOCUMENTS))
        box->EnableWindow(TRUE);
    SetModified();
}

void CConfigPage::OnChanged()
{
    SetModified();
}

void CConfigPage::OnClearNow()
{
    ClearDocumentsMenu();
}

void CConfigPage::OnOK()
{
    m_bStored = false;
    if (!UpdateData(TRUE))
        return;
    int left[kConfigSettings];
    for (int i = 0; i < kConfigSettings; ++i)
        left[i] = *Settings(i);
    ProfileStore& profile = AfxGetApp()->Profile();
    WritePlan plan = PlanConfigSave(profile, TheRegistry(), m_read, left, m_nLoad, theApp.m_strInstallFolder);
    if (auto refused = RunWritePlan(plan)) {
        AfxMessageBox(RefusedWriteMessage(*refused).c_str(), MB_OK);
        return;
    }
    m_bStored = true;
    m_read = ReadConfigPage(profile, TheRegistry());
    if (CWnd* main = theApp.GetMainWnd())
        main->SendMessage(WM_SETTINGSCHANGED, 0, SCF_DISPLAYICON);
    CPropertyPage::OnOK();
}

BOOL CConfigPage::OnApply()
{
    // A refused write keeps the sheet open on the page, which says what could not be written.
    OnOK();
    return m_bStored;
}

// ---- the sheets -----------------------------------------------------------------------------

CConfigSheet::CConfigSheet(CWnd* pParentWnd) : CLookSheet(IDS_CONFIG_CAPTION, pParentWnd)
{
    AddPage(&m_configPage);
    AddPage(&m_aboutPage);
}

CMyPropertySheet::CMyPropertySheet(CWnd* pParentWnd) : CLookSheet(IDS_OPTIONS_CAPTION, pParentWnd)
{
    m_pTrayIconPage = new CTrayIconPage;
    m_pTrayMenuPage = new CTrayIconMenuPage;
    m_pConfigPage = new CConfigPage;
    m_pCornerPage = new CScreenSaverCornerPage;
    m_pAboutPage = new CAboutPage;
    AddPage(m_pTrayIconPage);
    AddPage(m_pTrayMenuPage);
    AddPage(m_pConfigPage);
    AddPage(m_pCornerPage);
    AddPage(m_pAboutPage);
}

CMyPropertySheet::~CMyPropertySheet()
{
    if (m_hWnd)
        DestroyWindow();  // the pages' windows go before their objects
    delete m_pTrayIconPage;
    delete m_pTrayMenuPage;
    delete m_pConfigPage;
    delete m_pCornerPage;
    delete m_pAboutPage;
}
