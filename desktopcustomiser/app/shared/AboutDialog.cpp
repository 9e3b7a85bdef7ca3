#include "AboutDialog.h"

#include "Helpers.h"
#include "HomePageLaunch.h"
#include "SharedDialogs.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shellapi.h>

#include <cstring>

bool IsBirthdayToday()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now.wMonth == 7 && now.wDay == 18;
}

void ShowBirthdayButton(CWnd& dialog)
{
    if (CWnd* button = dialog.GetDlgItem(IDC_ABOUT_BIRTHDAY)) {
        bool birthday = IsBirthdayToday();
        button->ShowWindow(birthday ? SW_SHOW : SW_HIDE);
        button->EnableWindow(birthday);
    }
}

void RunBirthdaySong()
{
    if (!IsBirthdayToday())
        return;
    if (AfxMessageBox("Cool! It's my BIRTHDAY!\nWill you sing 'Happy Birthday' to me?", MB_YESNO) == IDYES)
        AfxMessageBox("Thank you very much!");
    else
        AfxMessageBox("OOPS!\nI accidentally broke some windows!\nI think you'd better restart your system to fix them!");
}

namespace {

bool Started(INT_PTR result)
{
    return result > 32;
}

// The program that opens ".htm" files, found through an empty file of that name in Temp.
CString FindDefaultBrowser()
{
    char probe[kPathBufferSize] = {};
    char temp[kPathBufferSize] = {};
    DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return CString();
    std::memcpy(probe, temp, length + 1);
    if (AppendPath(probe, ".htm") < 0)
        return CString();
    HANDLE file = ::CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return CString();
    ::CloseHandle(file);
    char program[MAX_PATH] = {};
    INT_PTR found = reinterpret_cast<INT_PTR>(::FindExecutableA(probe, nullptr, program));
    ::DeleteFileA(probe);
    return found > 32 ? CString(program) : CString();
}

}  // namespace

void OpenHomePage()
{
    char address[100] = {};
    ::LoadStringA(AfxGetResourceHandle(), IDS_HOMEPAGE_ADDRESS, address, sizeof address);
    HWND desktop = ::GetDesktopWindow();
    LaunchHomePage(address, FindDefaultBrowser(), [desktop](const char* program, const char* parameters) {
        return Started(reinterpret_cast<INT_PTR>(::ShellExecuteA(desktop, nullptr, program, parameters, nullptr, SW_SHOW)));
    });
}

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_BIRTHDAY, OnBirthday)
    ON_BN_CLICKED(IDC_ABOUT_HOMEPAGE, OnHomePage)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDialog::Create(CWnd* pParentWnd)
{
    m_bModeless = TRUE;
    if (!CDialog::Create(IDD_ABOUTBOX, pParentWnd))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowBirthdayButton(*this);
    return TRUE;
}

void CAboutDialog::OnOK()
{
    if (m_bModeless)
        DestroyWindow();
    else
        CDialog::OnOK();
}

void CAboutDialog::OnCancel()
{
    if (m_bModeless)
        DestroyWindow();
    else
        CDialog::OnCancel();
}

void CAboutDialog::OnDestroy()
{
    ReleaseTemplatePictures(m_hWnd);
    Default();
}

void CAboutDialog::PostNcDestroy()
{
    if (m_bModeless)
        delete this;
}

void CAboutDialog::OnBirthday() { RunBirthdaySong(); }
void CAboutDialog::OnHomePage() { OpenHomePage(); }

BEGIN_MESSAGE_MAP(CAboutPage, CPropertyPage)
    ON_BN_CLICKED(IDC_ABOUT_BIRTHDAY, OnBirthday)
    ON_BN_CLICKED(IDC_ABOUT_HOMEPAGE, OnHomePage)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CPropertyPage(IDD_ABOUTBOX) {}

BOOL CAboutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_buttonOK.SubclassDlgItem(IDOK, this);
    m_buttonOK.EnableWindow(FALSE);
    m_buttonOK.ShowWindow(SW_HIDE);  // a page has no OK button of its own
    ShowBirthdayButton(*this);
    return TRUE;
}

void CAboutPage::OnDestroy()
{
    ReleaseTemplatePictures(m_hWnd);
    Default();
}

void CAboutPage::OnBirthday() { RunBirthdaySong(); }
void CAboutPage::OnHomePage() { OpenHomePage(); }
