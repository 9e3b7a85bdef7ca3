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

CInstallWizardPage::~CInstallWizardPage()
{
    if (m_hPicture)
        ::DeleteObject(m_hPicture);
}

void CInstallWizardPage::FitPicture()
{
    CWnd* picture = GetDlgItem(IDC_INSTALL_PICTURE);
    if (!picture)
        return;
    HBITMAP source = static_cast<HBITMAP>(
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!source)
        return;
    RECT frame = {3, 5, 3 + 151, 5 + 164};
    ::MapDialogRect(m_hWnd, &frame);
    picture->SetWindowPos(nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                          SWP_NOZORDER | SWP_NOACTIVATE);
    RECT inside;
    picture->GetClientRect(&inside);
    BITMAP info = {};
    ::GetObjectA(source, sizeof info, &info);
    PictureRect fit = ::FitPicture(info.bmWidth, info.bmHeight, inside.right, inside.bottom);

    // The frame's sides take the picture's own edge colour, so the frame reads as one picture.
    HDC screen = ::GetDC(nullptr);
    HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
    HBITMAP drawn = ::CreateCompatibleBitmap(screen, inside.right, inside.bottom);
    HGDIOBJ oldFrom = ::SelectObject(from, source), oldTo = ::SelectObject(to, drawn);
    HBRUSH edge = ::CreateSolidBrush(::GetPixel(from, 0, 0));
    ::FillRect(to, &inside, edge);
    ::DeleteObject(edge);
    ::SetStretchBltMode(to, HALFTONE);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, fit.left, fit.top, fit.width, fit.height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(source);

    // The control takes the size of what it shows; it goes back to its frame after.
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
        picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(drawn)));
    if (old)
        ::DeleteObject(old);
    if (m_hPicture)
        ::DeleteObject(m_hPicture);
    m_hPicture = drawn;
    picture->SetWindowPos(nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

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
    FitPicture();
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
    if (m_pPage && m_pPage->m_listProgress.m_hWnd) {
        m_pPage->m_listProgress.ResetContent();
        m_pPage->m_listProgress.SendMessage(LB_SETHORIZONTALEXTENT, 0);
    }
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
    FitPicture();
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
    // A line wider than the box (a deep folder) scrolls sideways instead of being cut.
    HDC dc = ::GetDC(m_listProgress.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(m_listProgress.SendMessage(WM_GETFONT)));
    SIZE extent = {0, 0};
    ::GetTextExtentPoint32A(dc, line, lstrlenA(line), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_listProgress.m_hWnd, dc);
    int wanted = extent.cx + 2 * ::GetSystemMetrics(SM_CXEDGE);
    if (wanted > static_cast<int>(m_listProgress.SendMessage(LB_GETHORIZONTALEXTENT)))
        m_listProgress.SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(wanted));
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
