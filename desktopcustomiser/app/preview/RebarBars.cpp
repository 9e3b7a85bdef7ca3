#include "RebarBars.h"

#include "framework/CWinApp.h"
#include "resource_preview.h"

#include <string>
#include <vector>

// The rebar.

BOOL CRebarControlBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!CreateEx(0, REBARCLASSNAMEA, nullptr, dwStyle, 0, 0, 400, 275, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    // The record's size is the header's, which is what this build's common controls expect.
    REBARINFO info = {};
    info.cbSize = sizeof info;
    return static_cast<BOOL>(SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CRebarControlBar::InsertBand(CWnd* pChild, UINT fStyle, const char* lpszText, UINT cyMinChild, UINT cxMinChild,
                                  HBITMAP hbmBack, COLORREF clrFore, COLORREF clrBack)
{
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_COLORS | RBBIM_CHILD | RBBIM_CHILDSIZE;
    band.fStyle = fStyle;
    band.clrFore = clrFore;
    band.clrBack = clrBack;
    band.hwndChild = pChild ? pChild->m_hWnd : nullptr;
    band.cyMinChild = cyMinChild;
    band.cxMinChild = cxMinChild;
    if (lpszText) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<char*>(lpszText);
    }
    if (hbmBack) {
        band.fMask |= RBBIM_BACKGROUND;
        band.hbmBack = hbmBack;
    }
    return static_cast<BOOL>(SendMessage(RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)));
}

LRESULT CRebarControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETMESSAGESTRING:
    case WM_POPMESSAGESTRING:
        // The toolbar's prompts go to the frame: the parent of the bar that holds the rebar.
        if (HWND holder = ::GetParent(m_hWnd))
            if (HWND frame = ::GetParent(holder))
                ::SendMessageA(frame, message, wParam, lParam);
        return 1;
    case WM_PAINT:
        return DefWindowProc(message, wParam, lParam);  // the rebar paints itself
    default:
        return CControlBar::WindowProc(message, wParam, lParam);
    }
}

// The sizing bar around the rebar.

namespace {
const char kFrameBarClass[] = "ReBarFrameWindow32";

HCURSOR ArrowCursor()
{
    static HCURSOR cursor = ::LoadCursorA(nullptr, IDC_ARROW);
    return cursor;
}

HCURSOR SizingCursor()
{
    static HCURSOR cursor = [] {
        HCURSOR own = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_PREVIEW_SIZENS));
        return own ? own : ::LoadCursorA(nullptr, IDC_SIZENS);
    }();
    return cursor;
}
}  // namespace

BOOL CRebarFrameBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    HINSTANCE instance = AfxGetInstanceHandle() ? AfxGetInstanceHandle() : ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(instance, kFrameBarClass, &wc)) {
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFrameBarClass;
        if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return FALSE;
    }
    return CreateEx(0, kFrameBarClass, nullptr, dwStyle & ~DWORD(CBRS_ALL), 0, 0, 0, 0,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

SIZE CRebarFrameBar::CalcFixedLayout(BOOL, BOOL)
{
    SIZE size = {0, m_nHeight};
    RECT client;
    if (HWND frame = ::GetParent(m_hWnd)) {
        ::GetClientRect(frame, &client);
        size.cx = client.right - client.left;
    }
    return size;
}

void CRebarFrameBar::RelayoutFrame()
{
    if (CFrameWnd* frame = GetParentFrame()) {
        frame->RecalcLayout();
        ::RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void CRebarFrameBar::OnRebarHeightChange()
{
    int rows = static_cast<int>(m_pRebar->SendMessage(RB_GETROWCOUNT));
    int height = 0;
    for (int row = 0; row < rows; ++row)
        height += static_cast<int>(m_pRebar->SendMessage(RB_GETROWHEIGHT, static_cast<WPARAM>(row)));
    m_nHeight = height + m_cyBorder;
    SIZE size = CalcFixedLayout(TRUE, TRUE);
    SetWindowPos(nullptr, 0, 0, size.cx, m_nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RelayoutFrame();
}

void CRebarFrameBar::EndDrag(int y)
{
    m_nHeight += y - m_nDragStartY;
    RECT rebar;
    m_pRebar->GetWindowRect(&rebar);
    int wanted = m_nHeight - m_cyBorder;
    m_pRebar->SetWindowPos(nullptr, 0, 0, rebar.right - rebar.left, wanted < 0 ? 0 : wanted,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The rebar may refuse the height; the bar follows what it took.
    m_pRebar->GetWindowRect(&rebar);
    m_nHeight = rebar.bottom - rebar.top + m_cyBorder;
    m_bDragging = FALSE;
    ::ReleaseCapture();
    RelayoutFrame();
}

LRESULT CRebarFrameBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_SIZE:
        if (m_pRebar && m_pRebar->IsWindow())
            m_pRebar->SetWindowPos(nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->code == RBN_HEIGHTCHANGE && m_pRebar && m_pRebar->IsWindow()) {
            OnRebarHeightChange();
            return 1;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (!m_bDragging) {
            RECT client;
            GetClientRect(&client);
            ::SetCursor(y < client.bottom - m_cyBorder ? ArrowCursor() : SizingCursor());
        }
        return 0;
    case WM_LBUTTONDOWN: {
        RECT client;
        GetClientRect(&client);
        if (y >= client.bottom - m_cyBorder && m_pRebar) {
            ::SetCapture(m_hWnd);
            m_bDragging = TRUE;
            m_nDragStartY = y;
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (m_bDragging)
            EndDrag(y);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a message box, a switch of task): the drag is over and
        // the bar keeps its height.
        if (m_bDragging && reinterpret_cast<HWND>(lParam) != m_hWnd)
            m_bDragging = FALSE;
        return 0;
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

// The flat toolbar.

CFlatToolBar::~CFlatToolBar()
{
    if (m_hImages)
        ImageList_Destroy(m_hImages);
    if (m_hHotImages)
        ImageList_Destroy(m_hHotImages);
}

BOOL CFlatToolBar::Create(CWnd* pParentWnd)
{
    const FlatToolBarDesc* d = m_pDesc;
    if (!d)
        return FALSE;
    std::vector<std::string> labels;
    for (int i = 0; i < d->nButtons; ++i)
        labels.emplace_back(d->pButtons[i].pszLabel ? d->pButtons[i].pszLabel : "");
    std::vector<int> labelIndex;
    if (!PackFlatToolLabels(labels, m_szText, labelIndex))
        return FALSE;

    DWORD style = d->dwStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CCS_NORESIZE |
                  CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (!CreateEx(WS_EX_TOOLWINDOW, TOOLBARCLASSNAMEA, nullptr, style, 0, 0, 0, 0,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(d->nID))))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETMAXTEXTROWS, 2);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(d->cxImage, d->cyImage));

    HINSTANCE module = AfxGetResourceHandle();
    m_hImages = ImageList_LoadImageA(module, MAKEINTRESOURCEA(d->nIDNormalImages), d->cxImage, 0, RGB(0xC0, 0xC0, 0xC0),
                                     IMAGE_BITMAP, 0);
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hImages));
    m_hHotImages = ImageList_LoadImageA(module, MAKEINTRESOURCEA(d->nIDHotImages), d->cxImage, 0,
                                        RGB(0xC0, 0xC0, 0xC0), IMAGE_BITMAP, LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION);
    SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hHotImages));

    std::vector<TBBUTTON> buttons(static_cast<size_t>(d->nButtons));
    for (int i = 0; i < d->nButtons; ++i) {
        const FlatToolButtonDesc& desc = d->pButtons[i];
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.iBitmap = desc.iImage;
        button.idCommand = static_cast<int>(desc.idCommand);
        button.fsState = desc.fsState;
        button.fsStyle = desc.fsStyle;
        button.iString = labelIndex[static_cast<size_t>(i)];
    }
    SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(m_pszText));

    // Labels are measured in the icon-title font, the one the toolbar draws them in.
    int widest = 0;
    {
        LOGFONTA font = {};
        ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
        HDC dc = ::GetDC(m_hWnd);
        HFONT hFont = ::CreateFontIndirectA(&font);
        HGDIOBJ old = ::SelectObject(dc, hFont);
        for (const std::string& label : labels) {
            SIZE extent = {0, 0};
            ::GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &extent);
            widest = extent.cx > widest ? extent.cx : widest;
        }
        ::SelectObject(dc, old);
        ::DeleteObject(hFont);
        ::ReleaseDC(m_hWnd, dc);
    }
    // Around a label the toolbar keeps its padding and an edge on either side.
    int labelMargin = LOWORD(SendMessage(TB_GETPADDING)) + 2 * ::GetSystemMetrics(SM_CXEDGE);
    FlatToolButtonWidth width = FlatToolButtonWidths(d->cxImage, d->cyImage, (d->dwStyle & TBSTYLE_LIST) != 0,
                                                     widest, ::GetSystemMetrics(SM_CXBORDER), m_cxTextPad, labelMargin);
    SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(width.minimum, width.maximum));
    return TRUE;
}

void CFlatToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CFlatToolCmdUI state;
    UpdateButtons(state, pTarget, bDisableIfNoHandler);
}
