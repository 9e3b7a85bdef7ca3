#include "TrayIcon.h"

#include "framework/CWinApp.h"
#include "ResourceStrings.h"
#include "resource.h"

#include <cstring>

namespace {

void CopyTip(char* tip, const char* text)
{
    // 63 characters at most, and always ended.
    std::strncpy(tip, text ? text : "", 63);
    tip[63] = '\0';
}

}  // namespace

void ClearNotifyIconData(NOTIFYICONDATAA& nid)
{
    std::memset(&nid, 0, sizeof nid);
    // The size of the structure this build has: 88 bytes on 32-bit Windows, wider on 64-bit
    // where the handles in it are 8 bytes.
    nid.cbSize = sizeof nid;
}

BOOL AddNotifyIcon(NOTIFYICONDATAA& nid, HWND owner)
{
    nid.hWnd = owner;
    if (::Shell_NotifyIconA(NIM_ADD, &nid))
        return TRUE;
    nid.hIcon = nullptr;
    AfxMessageBox(IDS_TRAYICON_FAILED, MB_OK);
    return FALSE;
}

void RemoveNotifyIcon(NOTIFYICONDATAA& nid)
{
    if (nid.hIcon && nid.hWnd)
        ::Shell_NotifyIconA(NIM_DELETE, &nid);
    ClearNotifyIconData(nid);
}

CTrayIcon::CTrayIcon(UINT uID)
{
    ClearNotifyIconData(m_nid);
    m_nid.uID = uID;
    CopyTip(m_nid.szTip, LoadResourceString(130));
}

CTrayIcon::~CTrayIcon()
{
    SetIcon(0u);
    if (m_hLoadedIcon)
        ::DestroyIcon(m_hLoadedIcon);
}

void CTrayIcon::SetNotifyWindow(CWnd* pWnd, UINT uCallbackMessage)
{
    m_nid.hWnd = pWnd ? pWnd->m_hWnd : nullptr;
    m_nid.uCallbackMessage = uCallbackMessage;
}

BOOL CTrayIcon::SetIcon(UINT nResourceID)
{
    if (nResourceID == 0)
        return SetIcon(static_cast<HICON>(nullptr), nullptr);
    if (!m_hLoadedIcon || m_nLoadedID != nResourceID) {
        HICON loaded = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nResourceID),
                                                       IMAGE_ICON, 16, 16, 0));
        if (!loaded)
            return FALSE;
        if (m_hLoadedIcon && m_nid.hIcon != m_hLoadedIcon)
            ::DestroyIcon(m_hLoadedIcon);
        m_hLoadedIcon = loaded;
        m_nLoadedID = nResourceID;
    }
    HICON hIcon = m_hLoadedIcon;
    CString tip;
    tip.LoadString(nResourceID);
    return SetIcon(hIcon, tip);
}

BOOL CTrayIcon::SetIcon(HICON hIcon, const char* lpszTip)
{
    DWORD action;
    m_nid.uFlags = 0;
    if (hIcon) {
        bool shown = m_nid.hIcon != nullptr;
        m_nid.hIcon = hIcon;
        m_nid.uFlags = NIF_ICON;
        action = shown ? NIM_MODIFY : NIM_ADD;
    } else {
        if (!m_nid.hIcon)
            return TRUE;
        action = NIM_DELETE;
    }
    if (lpszTip)
        CopyTip(m_nid.szTip, lpszTip);
    if (m_nid.szTip[0])
        m_nid.uFlags |= NIF_TIP;
    if (m_nid.uCallbackMessage && m_nid.hWnd)
        m_nid.uFlags |= NIF_MESSAGE;
    BOOL result = ::Shell_NotifyIconA(action, &m_nid);
    if (action == NIM_DELETE || !result)
        m_nid.hIcon = nullptr;
    return result;
}
