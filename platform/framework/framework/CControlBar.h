// Control bars: child windows of a frame that the frame's layout places along an edge, that
// pass their commands and notifications on to the frame, and that run the command-update
// handlers of their items when the thread is idle. CToolBar is the classic toolbar over the
// common controls' toolbar, filled from a toolbar resource and its bitmap.
#pragma once

#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"
#include "framework/ToolBarData.h"

// Bar styles (the low word of a bar's style; they are not window styles).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ALL 0xFFFFL

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCEA(241)
#endif

class CControlBar : public CWnd {
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }

    // The size the bar asks of the frame's layout: with bStretch the frame's whole width.
    virtual SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) = 0;
    // The top-level frame the bar serves.
    CFrameWnd* GetParentFrame() const;
    // Runs the update handlers of the bar's child controls that have ids.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DWORD m_dwStyle = 0;      // CBRS_ bits
    DWORD m_dwDockStyle = 0;  // edges the bar may dock at

protected:
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
};

class CToolBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // Buttons, image size and bitmap from the toolbar resource and the bitmap of the same id.
    BOOL LoadToolBar(UINT nIDResource);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    // Kind in the low word, state in the high word (see ToolBarData.h).
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

protected:
    // With CBRS_TOOLTIPS the buttons get tooltips whose texts the frame gives.
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    // One update pass over the buttons with a command-UI object of the caller's kind.
    void UpdateButtons(CCmdUI& state, CFrameWnd* pTarget, BOOL bDisableIfNoHandler);
};

// Enable and check through the toolbar's button styles.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(const char*) override {}
};
