#include "framework/CControlBar.h"

#include "framework/CWinApp.h"

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD old = m_dwStyle;
    m_dwStyle = dwStyle;
    if (old != dwStyle)
        OnBarStyleChange(old, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

SIZE CControlBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    SIZE size = {0, 0};
    RECT rect;
    if (bStretch) {
        if (CFrameWnd* frame = GetParentFrame()) {
            frame->GetClientRect(&rect);
            size.cx = rect.right - rect.left;
        }
    } else {
        GetWindowRect(&rect);
        size.cx = rect.right - rect.left;
    }
    return size;
}

CFrameWnd* CControlBar::GetParentFrame() const
{
    return dynamic_cast<CFrameWnd*>(GetTopLevelParent());
}

void CControlBar::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        // Bars inside the bar run their own updates.
        if (dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(child)))
            continue;
        int id = ::GetDlgCtrlID(child);
        if (id <= 0)
            continue;
        state.m_nID = static_cast<UINT>(id);
        state.m_pOther = CWnd::FromHandle(child);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_IDLEUPDATECMDUI:
        if (IsWindowVisible())
            if (CFrameWnd* frame = GetParentFrame())
                OnUpdateCmdUI(frame, static_cast<BOOL>(wParam));
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_SETMESSAGESTRING:
    case WM_POPMESSAGESTRING: {
        // What the bar itself does not take, its frame handles as its own.
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result))
            return result;
        if (CFrameWnd* frame = GetParentFrame())
            return frame->SendMessage(message, wParam, lParam);
        return DefWindowProc(message, wParam, lParam);
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~DWORD(CBRS_ALL)) | WS_CHILD | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                        CCS_NORESIZE | CCS_NODIVIDER;
    if (!CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, 0, 0, 0, 0, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(nIDResource), RT_TOOLBAR);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    ToolBarResource resource;
    if (!data || !ParseToolBarResource(static_cast<const uint8_t*>(data), ::SizeofResource(module, found), resource))
        return FALSE;
    int images = 0;
    for (uint16_t id : resource.items)
        images += id != 0;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(resource.imageWidth, resource.imageHeight));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(resource.imageWidth + 7, resource.imageHeight + 7));
    TBADDBITMAP bitmap = {module, nIDResource};
    if (images > 0 && SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&bitmap)) == -1)
        return FALSE;
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (uint16_t id : resource.items) {
        TBBUTTON button = {};
        button.idCommand = id;
        if (id == 0) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.iBitmap = image++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
        button.iString = -1;
        buttons.push_back(button);
    }
    return buttons.empty() ||
           SendMessage(TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

int CToolBar::GetCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return (button.fsStyle & TBSTYLE_SEP) ? 0 : static_cast<UINT>(button.idCommand);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind));
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return;
    BYTE kind = static_cast<BYTE>(LOWORD(nStyle));
    BYTE state = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    if (button.fsStyle != kind) {
        // The toolbar of the first common controls cannot change a button's kind in place.
        button.fsStyle = kind;
        button.fsState = state;
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex));
        SendMessage(TB_INSERTBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
    } else if (button.fsState != state) {
        SendMessage(TB_SETSTATE, static_cast<WPARAM>(button.idCommand), MAKELPARAM(state, 0));
    }
}

SIZE CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    SIZE size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    RECT item = {0, 0, 0, 0};
    if (GetCount() > 0 && SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)))
        size.cy = item.bottom + 2;
    else
        size.cy = HIWORD(SendMessage(TB_GETBUTTONSIZE)) + 4;
    return size;
}

void CToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (!(dwNewStyle & CBRS_TOOLTIPS) || (dwOldStyle & CBRS_TOOLTIPS) || !m_hWnd)
        return;
    if (SendMessage(TB_GETTOOLTIPS))
        return;  // the toolbar made its own
    // The tooltip belongs to the bar's frame and goes with it; the toolbar keeps the tools'
    // rectangles and relays the mouse to it.
    HWND tip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, AfxGetInstanceHandle(), nullptr);
    if (!tip)
        return;
    SendMessage(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tip));
    for (int i = 0, count = GetCount(); i < count; ++i) {
        UINT id = GetItemID(i);
        if (id == 0)
            continue;
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_hWnd;
        tool.uId = id;
        SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool.rect));
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CToolBar::UpdateButtons(CCmdUI& state, CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;  // a separator
        // The bar's own handlers first, then the frame's routing.
        if (!state.DoUpdate(this, FALSE))
            state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CToolCmdUI state;
    UpdateButtons(state, pTarget, bDisableIfNoHandler);
}

void CToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CToolBar*>(m_pOther);
    int index = static_cast<int>(m_nIndex);
    UINT style = bar->GetButtonStyle(index);
    UINT next = ToolButtonStyleForEnable(style, bOn != FALSE);
    if (next != style)
        bar->SetButtonStyle(index, next);
}

void CToolCmdUI::SetCheck(int nCheck)
{
    auto* bar = static_cast<CToolBar*>(m_pOther);
    int index = static_cast<int>(m_nIndex);
    UINT style = bar->GetButtonStyle(index);
    UINT next = ToolButtonStyleForCheck(style, nCheck);
    if (next != style)
        bar->SetButtonStyle(index, next);
}
