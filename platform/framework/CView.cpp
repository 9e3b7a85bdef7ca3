#include "framework/CView.h"

#include "framework/CDocument.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    return m_hWnd ? dynamic_cast<CFrameWnd*>(GetTopLevelParent()) : nullptr;
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::PostNcDestroy()
{
    // The last view of an auto-deleting document takes the document with it.
    delete this;
}

void CView::OnPaint()
{
    PAINTSTRUCT paint;
    HDC hdc = ::BeginPaint(m_hWnd, &paint);
    OnPrepareDC(hdc);
    OnDraw(hdc);
    ::EndPaint(m_hWnd, &paint);
}

void CView::OnPrepareDC(HDC) {}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0);
}

void CView::OnUpdate(CView*, LPARAM)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && m_hWnd)
        SetFocus();
}

LRESULT CView::OnMouseActivate(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetActiveView(this);
    return result;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode);
}

// Scroll view.

const SIZE CScrollView::sizeDefault = {0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_MESSAGE(WM_HSCROLL, OnHScroll)
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;  // pixels only: the preview draws in device units
    m_totalDev = {sizeTotal.cx < 0 ? 0 : sizeTotal.cx, sizeTotal.cy < 0 ? 0 : sizeTotal.cy};
    m_pageDev = sizePage;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    m_lineDev = sizeLine;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10 > 0 ? m_pageDev.cx / 10 : 1;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10 > 0 ? m_pageDev.cy / 10 : 1;
    if (m_hWnd)
        UpdateBars();
}

POINT CScrollView::GetScrollPosition() const
{
    POINT pt = {0, 0};
    if (GetStyle() & WS_HSCROLL)
        pt.x = ::GetScrollPos(m_hWnd, SB_HORZ);
    if (GetStyle() & WS_VSCROLL)
        pt.y = ::GetScrollPos(m_hWnd, SB_VERT);
    return pt;
}

void CScrollView::OnPrepareDC(HDC hdc)
{
    // Drawing happens in content coordinates; the scroll position moves the origin.
    POINT pt = GetScrollPosition();
    ::SetMapMode(hdc, MM_TEXT);
    ::SetViewportOrgEx(hdc, -pt.x, -pt.y, nullptr);
}

void CScrollView::ScrollToPosition(POINT pt)
{
    POINT old = GetScrollPosition();
    if (GetStyle() & WS_HSCROLL)
        ::SetScrollPos(m_hWnd, SB_HORZ, pt.x, TRUE);
    if (GetStyle() & WS_VSCROLL)
        ::SetScrollPos(m_hWnd, SB_VERT, pt.y, TRUE);
    POINT now = GetScrollPosition();
    if (now.x != old.x || now.y != old.y)
        ::ScrollWindow(m_hWnd, old.x - now.x, old.y - now.y, nullptr, nullptr);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || !m_hWnd)
        return;
    m_bInsideUpdate = true;
    // The client size the window would have without any scroll bar.
    RECT client;
    GetClientRect(&client);
    int cx = client.right, cy = client.bottom;
    DWORD style = GetStyle();
    if (style & WS_VSCROLL)
        cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        cy += ::GetSystemMetrics(SM_CYHSCROLL);
    bool needH = m_totalDev.cx > cx, needV = m_totalDev.cy > cy;
    // One bar takes room from the other direction.
    if (needH && !needV)
        needV = m_totalDev.cy > cy - ::GetSystemMetrics(SM_CYHSCROLL);
    if (needV && !needH)
        needH = m_totalDev.cx > cx - ::GetSystemMetrics(SM_CXVSCROLL);
    int pageX = cx - (needV ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    int pageY = cy - (needH ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
    POINT old = GetScrollPosition();

    ::ShowScrollBar(m_hWnd, SB_HORZ, needH);
    ::ShowScrollBar(m_hWnd, SB_VERT, needV);
    // Each bar shown gets its range and page; the position stays within them.
    auto setBar = [this](int nBar, bool shown, int total, int page, int oldPos) {
        if (!shown)
            return 0;
        int pos = oldPos > total - page ? total - page : oldPos;
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
        info.nMax = total - 1;
        info.nPage = static_cast<UINT>(page);
        info.nPos = pos;
        ::SetScrollInfo(m_hWnd, nBar, &info, TRUE);
        return pos;
    };
    POINT pos = {setBar(SB_HORZ, needH, m_totalDev.cx, pageX, old.x), setBar(SB_VERT, needV, m_totalDev.cy, pageY, old.y)};
    if (pos.x != old.x || pos.y != old.y)
        Invalidate(TRUE);
    m_bInsideUpdate = false;
}

void CScrollView::OnSize(UINT, int, int)
{
    Default();
    UpdateBars();
}

void CScrollView::OnScroll(int nBar, UINT nCode)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, nBar, &info))
        return;
    int line = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    int page = nBar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    int pos = info.nPos;
    switch (nCode) {
    case SB_TOP: pos = info.nMin; break;
    case SB_BOTTOM: pos = info.nMax; break;
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK: pos = info.nTrackPos; break;
    default: return;
    }
    int last = info.nMax - static_cast<int>(info.nPage) + 1;
    pos = pos > last ? last : pos;
    pos = pos < info.nMin ? info.nMin : pos;
    POINT pt = GetScrollPosition();
    (nBar == SB_HORZ ? pt.x : pt.y) = pos;
    ScrollToPosition(pt);
}

LRESULT CScrollView::OnHScroll(WPARAM wParam, LPARAM)
{
    OnScroll(SB_HORZ, LOWORD(wParam));
    return 0;
}

LRESULT CScrollView::OnVScroll(WPARAM wParam, LPARAM)
{
    OnScroll(SB_VERT, LOWORD(wParam));
    return 0;
}
