#include "framework/CCmdUI.h"

#include "framework/CCmdTarget.h"
#include "framework/CWnd.h"

namespace {
thread_local CCmdUI* t_pCurrentCmdUI;
}

CCmdUI* AfxGetCurrentCmdUI()
{
    return t_pCurrentCmdUI;
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu) {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther) {
        // A control losing the focus as it is disabled would leave the keyboard nowhere.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
            ::SetFocus(::GetParent(m_pOther->m_hWnd));
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu) {
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetText(const char* lpszText)
{
    if (m_hMenu) {
        UINT state = ::GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        ::ModifyMenuA(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
    } else if (m_pOther) {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pTarget || m_nID == 0)
        return TRUE;  // separators and items without a command stay as they are
    m_bEnableChanged = FALSE;
    CCmdUI* saved = t_pCurrentCmdUI;
    t_pCurrentCmdUI = this;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI);
    t_pCurrentCmdUI = saved;
    if (!handled && bDisableIfNoHandler && !m_bEnableChanged)
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND_PROBE));
    return handled;
}

void AfxUpdateMenuItems(HMENU hMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    state.m_hMenu = hMenu;
    int count = ::GetMenuItemCount(hMenu);
    state.m_nIndexMax = count < 0 ? 0 : static_cast<UINT>(count);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        UINT id = ::GetMenuItemID(hMenu, static_cast<int>(state.m_nIndex));
        if (id == 0 || id == UINT(-1))
            continue;  // separators and sub-menus
        state.m_nID = id;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}
