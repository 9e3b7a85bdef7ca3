// The preview frame's bar when the common controls have a rebar: a sizing bar that the
// frame lays out at its top (CRebarFrameBar), the rebar inside it (CRebarControlBar), and the
// flat toolbar with labels and hot images that the rebar holds as its band (CFlatToolBar).
#pragma once

#include "framework/CControlBar.h"
#include "FlatToolLabels.h"

#include <commctrl.h>

class CRebarControlBar : public CControlBar {
public:
    // A rebar child of the parent; the result of giving it its (empty) bar information.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    BOOL InsertBand(CWnd* pChild, UINT fStyle, const char* lpszText, UINT cyMinChild, UINT cxMinChild,
                    HBITMAP hbmBack, COLORREF clrFore, COLORREF clrBack);

    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CRebarFrameBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_cyBorder = 3;                      // the sizing strip along the bottom edge
    CRebarControlBar* m_pRebar = nullptr;    // not owned
    int m_nHeight = 0;
    int m_nDragStartY = 0;
    BOOL m_bDragging = FALSE;

private:
    void OnRebarHeightChange();
    void EndDrag(int y);
    void RelayoutFrame();
};

struct FlatToolButtonDesc {
    int iImage;
    UINT idCommand;
    BYTE fsState;
    BYTE fsStyle;
    const char* pszLabel;
    const char* pszUnused;
};

struct FlatToolBarDesc {
    DWORD dwStyle;         // toolbar window styles added to the fixed ones
    UINT nID;
    UINT nIDNormalImages;
    UINT nIDHotImages;
    int nButtons;
    int cxImage;
    int cyImage;
    const FlatToolButtonDesc* pButtons;
};

class CFlatToolBar : public CToolBar {
public:
    ~CFlatToolBar() override;

    // Builds the bar from m_pDesc; FALSE when the window cannot be made or the labels do not
    // fit.
    BOOL Create(CWnd* pParentWnd);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    char m_szText[kFlatToolTextSize] = {};
    char* m_pszText = m_szText;
    const FlatToolBarDesc* m_pDesc = nullptr;
    int m_cxTextPad = 16;

private:
    HIMAGELIST m_hImages = nullptr;
    HIMAGELIST m_hHotImages = nullptr;
};

// The flat toolbar's update object; its buttons are toolbar buttons, so enabling and checking
// work as on the classic toolbar.
class CFlatToolCmdUI : public CToolCmdUI {};
