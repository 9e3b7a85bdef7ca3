#include "InstallPages.h"

#include "Helpers.h"
#include "SharedDialogs.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shellapi.h>

namespace {

const char kInstallKey[] = "SOFTWARE\\Marrowby Corp.\\Tunewright 97";

void ShowExclamation(const char* text)
{
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

BOOL CInstallWizardPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CInstallWizardPage::CreateToolTips(std::initializer_list<std::pair<int, const char*>> tips)
{
    if (!m_toolTip.Create(this))
        return;
    for (const auto& [id, text] : tips)
        m_toolTip.AddTool(GetDlgItem(id), text);
}

void CInstallWizardPage::SetButtons(DWORD buttons)
{
    if (CPropertySheet* sheet = GetSheet())
        sheet->SetWizardButtons(buttons);
}

// ---- page one: the destination folder ------------------------------------------------------

BEGIN_MESSAGE_MAP(CInstallPage, CInstallWizardPage)
    ON_BN_CLICKED(IDC_INSTALL_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CInstallPage::CInstallPage() : CInstallWizardPage(IDD_INSTALL_PAGE, IDS_INSTALL_CAPTION)
{
    m_strFolder = ProposeInstallFolder(
        GetRegistryString(HKEY_LOCAL_MACHINE, kInstallKey, "Installed Path"),
        GetRegistryString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesPath"));
}

void CInstallPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_INSTALL_FOLDER, m_strFolder);
    DDV_MaxChars(pDX, m_strFolder, 255);
}

BOOL CInstallPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CreateToolTips({{IDC_INSTALL_FOLDER, "Enter the folder to install to here, or click the browse button"},
                    {IDC_INSTALL_BROWSE, "Click to browse for a destination folder"}});
    return TRUE;
}

BOOL CInstallPage::OnSetActive()
{
    SetButtons(PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CInstallPage::OnBrowse()
{
    if (const char* folder = BrowseForFolder(m_hWnd, "Browse for destination folder")) {
        m_strFolder = folder;
        SetDlgItemText(IDC_INSTALL_FOLDER, m_strFolder);
    }
}

LRESULT CInstallPage::OnWizardNext()
{
    if (!UpdateData(TRUE))
        return -1;
    CString folder = NormalizeInstallFolder(m_strFolder);
    if (folder.IsEmpty()) {
        ShowExclamation("Please enter a destination folder, or click the browse button to browse for one.");
        return -1;
    }
    if (!IsFullFolderPath(folder)) {
        ShowExclamation(kFolderNotFullPathMessage);
        GotoDlgCtrl(GetDlgItem(IDC_INSTALL_FOLDER));
        return -1;
    }
    theApp.m_strInstallFolder = folder;
    return 0;
}

// ---- page two: the installation ------------------------------------------------------------

WizardInstallEnvironment::WizardInstallEnvironment() : MachineInstallEnvironment(theApp.Profile()) {}

void WizardInstallEnvironment::ClearProgress()
{
    if (m_pPage && m_pPage->m_listProgress.m_hWnd)
        m_pPage->m_listProgress.ResetContent();
}

void WizardInstallEnvironment::AddProgress(const CString& line)
{
    if (m_pPage)
        m_pPage->AddProgressLine(line);
}

void WizardInstallEnvironment::SetPrompt(const CString& text)
{
    if (m_pPage && m_pPage->m_staticPrompt.m_hWnd)
        m_pPage->m_staticPrompt.SetWindowText(text);
}

void WizardInstallEnvironment::Repaint()
{
    if (m_pPage && m_pPage->m_hWnd)
        ::RedrawWindow(m_pPage->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void WizardInstallEnvironment::ShowMessage(const CString& text)
{
    ShowExclamation(text);
}

HWND WizardInstallEnvironment::OwnerWindow()
{
    return m_pPage ? m_pPage->m_hWnd : nullptr;
}

CInstallPage2::CInstallPage2() : CInstallPage2(std::make_unique<WizardInstallEnvironment>()) {}

CInstallPage2::CInstallPage2(std::unique_ptr<WizardInstallEnvironment> environment)
    : CInstallWizardPage(IDD_INSTALL_PAGE2, IDS_INSTALL_CAPTION), m_environment(std::move(environment)), m_installation(*m_environment)
{
    m_environment->m_pPage = this;
}

void CInstallPage2::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_INSTALL_PROMPT, m_staticPrompt);
    DDX_Control(pDX, IDC_INSTALL_PROGRESS, m_listProgress);
}

BOOL CInstallPage2::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
    CreateToolTips({{IDC_INSTALL_PROGRESS, "This is a display of the installation progress"}});
    return TRUE;
}

void CInstallPage2::OnOK()
{
    // Enter on this page does not end the wizard; its buttons do.
}

BOOL CInstallPage2::OnSetActive()
{
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
    m_installation.Begin(theApp.m_strInstallFolder);
    return CPropertyPage::OnSetActive();
}

LRESULT CInstallPage2::OnWizardBack()
{
    return 0;
}

void CInstallPage2::AddProgressLine(const char* line)
{
    if (!m_listProgress.m_hWnd)
        return;
    // The newest line stays in sight once the list is longer than the box.
    int index = m_listProgress.AddString(line);
    if (index >= 0)
        m_listProgress.SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

BOOL CInstallPage2::RunInstallation()
{
    CWaitCursor wait;
    return m_installation.RunInstallation();
}

LRESULT CInstallPage2::OnWizardNext()
{
    if (RunInstallation()) {
        if (CPropertySheet* sheet = GetSheet())
            sheet->SetFinishText(LoadResourceString(IDS_INSTALL_FINISH));
    } else {
        SetButtons(PSWIZB_BACK);
    }
    return -1;  // the page stays: Finish or Back goes on from here
}

BOOL CInstallPage2::OnWizardFinish()
{
    if (!m_installation.m_bDone || !m_installation.m_bSuccess) {
        ShowExclamation("Installation was not successful.  Press 'Back' to try again, or 'Cancel' to quit.");
        return FALSE;
    }
    AddProgressLine("Running Tunewright 97 for the first time.");
    ::ShellExecuteA(m_hWnd, nullptr, m_installation.m_strExePath, nullptr, m_installation.m_strFolder, SW_SHOWNORMAL);
    return TRUE;
}

void RunInstallationWizard()
{
    CPropertySheet sheet(IDS_INSTALL_CAPTION);
    sheet.SetWizardMode();
    auto folderPage = std::make_unique<CInstallPage>();
    auto installPage = std::make_unique<CInstallPage2>();
    sheet.AddPage(folderPage.get());
    sheet.AddPage(installPage.get());
    sheet.DoModal();
}
