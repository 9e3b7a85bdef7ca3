#include "TrayIconWnd.h"

#include "AboutDialog.h"
#include "MainFrame.h"
#include "MainFrameMessages.h"
#include "Helpers.h"
#include "TrayIcon.h"
#include "UserEntries.h"
#include "framework/Afx.h"
#include "resource.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CTrayIconWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
    ON_COMMAND(ID_USERICON_OPEN, OnOpen)
    ON_COMMAND(ID_USERICON_OPENMAX, OnOpenMaximized)
    ON_COMMAND(ID_USERICON_OPENMIN, OnOpenMinimized)
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND_RANGE(kFirstUserMenuId, kFirstUserIconId - 1, OnUserMenuItem)
END_MESSAGE_MAP()

CTrayIconWnd::CTrayIconWnd()
{
    ClearNotifyIconData(m_nid);
}

CTrayIconWnd::~CTrayIconWnd()
{
    DestroyWindow();
}

BOOL CTrayIconWnd::Create(UINT nIconID, CWnd* pParentWnd, HICON hIcon, const char* lpszDescription,
                          const char* lpszProgram, const char* lpszParameters)
{
    std::strncpy(m_nid.szTip, lpszDescription ? lpszDescription : "", 63);
    m_nid.szTip[63] = '\0';
    m_hOwnedIcon = hIcon;
    m_nid.hIcon = hIcon ? hIcon : AfxGetApp()->LoadIcon(IDI_USERTRAYICON);
    m_nid.uID = nIconID;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYNOTIFY;
    m_strProgram = lpszProgram;
    m_strParameters = lpszParameters;
    m_strOpenText.Format(LoadResourceString(IDS_OPEN_PROGRAM), lpszDescription ? lpszDescription : "");
    CString title = CString("Tunewright 97 Tray Icon: ") + lpszDescription;
    RECT rect = {0, 0, 0, 0};
    return CWnd::Create(nullptr, title, 0, rect, pParentWnd, nIconID);
}

int CTrayIconWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    return AddNotifyIcon(m_nid, m_hWnd) ? 0 : -1;
}

BOOL CTrayIconWnd::DestroyWindow()
{
    RemoveNotifyIcon(m_nid);
    if (m_hOwnedIcon)
        ::DestroyIcon(m_hOwnedIcon);
    m_hOwnedIcon = nullptr;
    return m_hWnd ? CWnd::DestroyWindow() : FALSE;
}

void CTrayIconWnd::RebuildMenu()
{
    m_menu.LoadMenu(IDR_USERTRAYMENU);
    CMenu* popup = m_menu.GetSubMenu(0);
    if (!popup)
        return;
    popup->DeleteMenu(0, MF_BYPOSITION);
    popup->InsertMenu(0, MF_BYPOSITION | MF_STRING, ID_USERICON_OPEN, m_strOpenText);
    CWinApp* app = AfxGetApp();
    std::vector<MenuEntry> items =
        ReadMenuEntries(app->GetProfileString("Tray Menus", "Menu Text"), app->GetProfileString("Tray Menus", "Executable Path"));
    for (size_t i = 0; i < items.size(); ++i)
        popup->InsertMenu(ID_APP_ABOUT, MF_BYCOMMAND | MF_STRING, kFirstUserMenuId + i, items[i].text);
    if (!items.empty())
        popup->InsertMenu(ID_APP_ABOUT, MF_BYCOMMAND | MF_SEPARATOR);
}

LRESULT CTrayIconWnd::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (lParam == WM_RBUTTONUP) {
        POINT pt;
        ::GetCursorPos(&pt);
        RebuildMenu();
        if (CMenu* popup = m_menu.GetSubMenu(0)) {
            popup->SetDefaultItem(0, TRUE);
            SetForegroundWindow();
            popup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
            PostMessage(WM_NULL);
        }
    } else if (lParam == WM_LBUTTONDBLCLK) {
        RunProgram(m_hWnd, m_strProgram, SW_SHOWNORMAL, m_strParameters);
    }
    return 1;
}

void CTrayIconWnd::OnOpen() { RunProgram(m_hWnd, m_strProgram, SW_SHOWNORMAL, m_strParameters); }
void CTrayIconWnd::OnOpenMaximized() { RunProgram(m_hWnd, m_strProgram, SW_SHOWMAXIMIZED, m_strParameters); }
void CTrayIconWnd::OnOpenMinimized() { RunProgram(m_hWnd, m_strProgram, SW_SHOWMINIMIZED, m_strParameters); }

void CTrayIconWnd::OnAbout()
{
    auto* about = new CAboutDialog;
    if (!about->Create(AfxGetMainWnd()))
        delete about;
}

void CTrayIconWnd::OnUserMenuItem(UINT nID)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->RunUserItem(nID);
}
