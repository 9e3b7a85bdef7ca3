// The document/view side of frames: building the view, the active view, laying out the top
// and bottom bars around it, the caption with the document's title, and the command-update
// passes of menus and bars.
#include "framework/CControlBar.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CCmdUI.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/SubString.h"

namespace {

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        SendToDescendants(child, message, wParam, lParam);
    }
}

}  // namespace

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString full;
    full.LoadString(nIDResource);
    AfxExtractSubString(m_strTitle, full, 0);
    m_bAddToTitle = (dwDefaultStyle & FWS_ADDTOTITLE) != 0;
    DWORD style = dwDefaultStyle & ~DWORD(FWS_ADDTOTITLE);
    if (!Create(nullptr, m_strTitle, style, rectDefault, pParentWnd, MAKEINTRESOURCEA(nIDResource), 0, pContext))
        return FALSE;
    if (HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource))) {
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
    }
    return TRUE;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CView* pView = pContext->m_pNewViewClass();
    if (!pView)
        return nullptr;
    RECT none = {0, 0, 0, 0};
    // The view's window owns the object from here: a failed window deletes it.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, none, this, nID, pContext))
        return nullptr;
    return pView;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (pViewOld && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (!m_pViewActive) {
        if (auto* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))))
            SetActiveView(pView, FALSE);
    }
    SendToDescendants(m_hWnd, WM_INITIALUPDATE, 0, 0);
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible) {
        ActivateFrame();
        if (m_pViewActive)
            m_pViewActive->SetFocus();
        UpdateWindow();
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString title = m_strTitle;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && m_bAddToTitle && pDoc && !pDoc->GetTitle().IsEmpty())
        title = pDoc->GetTitle() + " - " + m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    RECT area;
    GetClientRect(&area);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* pBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(child));
        if (!pBar || !::IsWindowVisible(child))
            continue;
        DWORD align = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        bool top = (align & CBRS_ALIGN_TOP) != 0, bottom = !top && (align & CBRS_ALIGN_BOTTOM) != 0;
        if (!top && !bottom)
            continue;
        SIZE size = pBar->CalcFixedLayout(TRUE, TRUE);
        int height = size.cy < 0 ? 0 : size.cy;
        if (height > area.bottom - area.top)
            height = area.bottom - area.top;
        int y = top ? area.top : area.bottom - height;
        ::SetWindowPos(child, nullptr, area.left, y, area.right - area.left, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        if (top)
            area.top += height;
        else
            area.bottom -= height;
    }
    if (HWND view = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::SetWindowPos(view, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

void CFrameWnd::DockControlBar(CControlBar* pBar)
{
    // Without floating bars the bar goes to the first edge both allow, the top first.
    DWORD allowed = m_dwDockStyle & pBar->m_dwDockStyle;
    DWORD edge = (allowed & CBRS_ALIGN_TOP) ? CBRS_ALIGN_TOP
                 : (allowed & CBRS_ALIGN_BOTTOM) ? CBRS_ALIGN_BOTTOM
                                                 : (pBar->GetBarStyle() & CBRS_ALIGN_ANY);
    pBar->SetBarStyle((pBar->GetBarStyle() & ~DWORD(CBRS_ALIGN_ANY)) | edge);
    RecalcLayout();
}

void CFrameWnd::UpdateControlBars()
{
    SendToDescendants(m_hWnd, WM_IDLEUPDATECMDUI, static_cast<WPARAM>(m_bAutoMenuEnable), 0);
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    Default();
    if (!HIWORD(lParam))  // not the system menu
        AfxUpdateMenuItems(reinterpret_cast<HMENU>(wParam), this, m_bAutoMenuEnable);
    return 0;
}

LRESULT CFrameWnd::OnQueryNewPalette(WPARAM wParam, LPARAM lParam)
{
    BOOL realised = FALSE;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        realised |= static_cast<BOOL>(::SendMessageA(child, WM_QUERYNEWPALETTE, wParam, lParam));
    return realised;
}

LRESULT CFrameWnd::OnPaletteChanged(WPARAM wParam, LPARAM lParam)
{
    Default();
    SendToDescendants(m_hWnd, WM_PALETTECHANGED, wParam, lParam);
    return 0;
}

void CFrameWnd::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    // Toolbars of the newer common controls ask in Unicode, the older in ANSI: both get the
    // prompt's second line.
    const bool wide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags
                      : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    if (flags & TTF_IDISHWND)
        nID = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
    CString full, tip;
    if (nID != 0 && full.LoadString(nID) && !AfxExtractSubString(tip, full, 1))
        tip = full;
    if (wide) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        const int size = static_cast<int>(sizeof info->szText / sizeof info->szText[0]);
        if (::MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, size) == 0)
            info->szText[size - 1] = L'\0';  // too long: cut, as the ANSI copy is
        info->lpszText = info->szText;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        ::lstrcpynA(info->szText, tip, sizeof info->szText);
        info->lpszText = info->szText;
    }
    *pResult = 0;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM, LPARAM)
{
    return 0;
}
