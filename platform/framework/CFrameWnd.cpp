#include "framework/CFrameWnd.h"

#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
    ON_NOTIFY_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnSetMessageString)
    ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_COMMAND(ID_DEFAULT_HELP, OnDefaultHelp)
END_MESSAGE_MAP()

BOOL CFrameWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, const char* lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = lpszMenuName ? ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName) : nullptr;
    int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, hMenu, pContext)) {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    return OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams)) ? 0 : -1;
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode)
{
    // The active view (and through it its document) sees commands before the frame.
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    // What the frame does not take, the application may (About, for example).
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode);
}

void CFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(dwData, nCmd);
}

void CFrameWnd::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

void CFrameWnd::OnHelp()
{
    WinHelp(0, HELP_CONTENTS);
}

void CFrameWnd::OnContextHelp()
{
    WinHelp(0, HELP_CONTENTS);
}

void CFrameWnd::OnDefaultHelp()
{
    WinHelp(0, HELP_INDEX);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
