// A view: a child window of a frame that shows its document. CScrollView adds scroll bars
// sized in pixels that appear only when the content is larger than the window, and shifts the
// drawing by the scroll position.
#pragma once

#include "framework/CFrameWnd.h"

class CDocument;

class CView : public CWnd {
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint);
    virtual void OnDraw(HDC hdc) = 0;
    virtual void OnPrepareDC(HDC hdc);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // A view's own handlers first, then its document's.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    void OnDestroy();
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

class CScrollView : public CView {
public:
    static const SIZE sizeDefault;

    // Sizes in pixels (MM_TEXT); a default page is a tenth of the whole, a default line a
    // tenth of the page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    SIZE GetTotalSize() const { return m_totalDev; }
    POINT GetScrollPosition() const;
    void ScrollToPosition(POINT pt);
    void OnPrepareDC(HDC hdc) override;

protected:
    void UpdateBars();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    void OnScroll(int nBar, UINT nCode);

    int m_nMapMode = 0;
    SIZE m_totalDev = {0, 0};
    SIZE m_pageDev = {0, 0};
    SIZE m_lineDev = {0, 0};
    bool m_bInsideUpdate = false;

    DECLARE_MESSAGE_MAP()
};
