// A top-level frame window. Frames own themselves: the object is deleted after its window's
// last message. The frame passes commands it does not handle on to the application.
#pragma once

#include "framework/CWnd.h"

class CControlBar;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

// What a frame needs to build its view: the view's factory and the document it shows.
struct CCreateContext {
    CView* (*m_pNewViewClass)() = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

#define AFX_IDW_TOOLBAR 0xE800     // the frame's toolbar
#define AFX_IDW_PANE_FIRST 0xE900  // the frame's view
// The framework's own messages between frames, bars and views.
#define WM_SETMESSAGESTRING 0x0362  // a bar's prompt for the status text
#define WM_IDLEUPDATECMDUI 0x0363   // bars run their command-update handlers (wParam: disable if none)
#define WM_INITIALUPDATE 0x0364     // views: the document is in place
#define WM_POPMESSAGESTRING 0x0375  // the status text goes back

// Frame style: the document's title goes before the frame's own in the caption.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd {
public:
    static const RECT rectDefault;

    BOOL Create(const char* lpszClassName, const char* lpszWindowName,
                DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = nullptr, const char* lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    // Document/view frames (FrameLayout.cpp). The resource id gives the menu and, as the
    // first field of its string, the frame's title.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument() const;
    // Makes the first view active, runs every view's initial update and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    // Top and bottom control bars take the height they ask for; the view gets the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Bars dock at the frame's edges only (no floating); these remember where they may go.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar);
    // Command-update handlers of the bars, run when the thread is idle.
    void UpdateControlBars();
    // Menu items and buttons that no handler takes are disabled (frames opt in).
    BOOL m_bAutoMenuEnable = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnHelpFinder();
    void OnHelp();
    void OnContextHelp();
    void OnDefaultHelp();
    void PostNcDestroy() override;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    // Palette messages go on to every child window, so that views can realise theirs.
    LRESULT OnQueryNewPalette(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaletteChanged(WPARAM wParam, LPARAM lParam);
    // Tooltip texts of bar buttons: the second line of the command's string.
    void OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // Prompt texts of bars for a status bar; frames without one ignore them.
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);

    CView* m_pViewActive = nullptr;
    CString m_strTitle;
    UINT m_nIDHelp = 0;
    DWORD m_dwDockStyle = 0;
    BOOL m_bAddToTitle = FALSE;

    DECLARE_MESSAGE_MAP()
};
