// The state of one user-interface item (menu item, toolbar button, dialog control) while its
// command-update handler runs. The handler only says enabled, checked or a text; the kind of
// item decides how that shows.
#pragma once

#include <windows.h>

class CCmdTarget;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;

    UINT m_nID = 0;           // the command
    UINT m_nIndex = 0;        // position in the menu or bar
    UINT m_nIndexMax = 0;     // items in the menu or bar
    HMENU m_hMenu = nullptr;  // a menu item, when set
    CWnd* m_pOther = nullptr; // a bar or control, when set
    BOOL m_bEnableChanged = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetText(const char* lpszText);

    // Routes the update to the target (for a frame: view, document, frame, application).
    // Without an update handler the item is enabled as long as some command handler takes
    // it, disabled otherwise, when bDisableIfNoHandler is set. True when a handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};

// The command-UI object of the update under way on this thread (for the handler call).
CCmdUI* AfxGetCurrentCmdUI();

// Runs the update handlers of a popup menu's items before it opens.
void AfxUpdateMenuItems(HMENU hMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
