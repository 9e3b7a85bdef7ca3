#include "SplashDialog.h"

#include "ResourceStrings.h"
#include "SharedDialogs.h"
#include "resource.h"

CSplashDialog::CSplashDialog() : CDialog(IDD_SPLASH) {}

BOOL CSplashDialog::Create()
{
    if (!CDialog::Create(IDD_SPLASH, nullptr))
        return FALSE;
    UpdateWindow();
    return TRUE;
}

void CSplashDialog::SetStatus(UINT nStringID)
{
    if (!m_hWnd)
        return;
    SetDlgItemText(IDC_SPLASH_STATUS, LoadResourceString(nStringID));
    if (CWnd* status = GetDlgItem(IDC_SPLASH_STATUS))
        status->UpdateWindow();
}

void CSplashDialog::Close()
{
    if (!m_hWnd)
        return;
    ReleaseTemplatePictures(m_hWnd);
    DestroyWindow();
}
