// One icon in the notification area, with its tip and callback.
#pragma once

#include "framework/CCmdTarget.h"
#include "framework/CWnd.h"

#include <shellapi.h>

// A notification record zeroed but for its size field.
void ClearNotifyIconData(NOTIFYICONDATAA& nid);
// Adds the record's icon for the owner window; on failure shows "Error: Tray Icon creation
// failed", forgets the icon and answers FALSE.
BOOL AddNotifyIcon(NOTIFYICONDATAA& nid, HWND owner);
// Takes the record's icon out of the notification area when it was added, then clears it.
void RemoveNotifyIcon(NOTIFYICONDATAA& nid);

class CTrayIcon : public CCmdTarget {
public:
    explicit CTrayIcon(UINT uID = 130);
    ~CTrayIcon() override;

    // The window (nullptr for none) and message the shell calls back with.
    void SetNotifyWindow(CWnd* pWnd, UINT uCallbackMessage);
    // 0 removes the icon; otherwise shows icon and tip string of that id from the resources.
    BOOL SetIcon(UINT nResourceID);
    // Shows (adds or changes) or, without an icon, removes; the shell's result. A failed call
    // leaves the icon marked as not shown, so that the next call adds it again.
    BOOL SetIcon(HICON hIcon, const char* lpszTip);
    bool IsShown() const { return m_nid.hIcon != nullptr; }
    // The icon loaded from the resources, kept across tries.
    HICON LoadedIcon() const { return m_hLoadedIcon; }

private:
    NOTIFYICONDATAA m_nid;
    // The icon loaded from the resources, kept for later tries (a shell that was not ready,
    // a new taskbar) so that each try does not load another handle.
    HICON m_hLoadedIcon = nullptr;
    UINT m_nLoadedID = 0;
};
