// Image preview windows: each shows one image file, converted to a temporary bitmap first, in
// a frame of its own with zoom, scale-to-fit and a command that opens the image for editing.
// Every preview runs in a user-interface thread of its own; its frame, view, document and
// template live on that thread only.
#pragma once

#include "PreviewZoom.h"
#include "RebarBars.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CWinThread.h"
#include "win32/cdib.h"

#include <atomic>

// Opens a preview of the image in a thread of its own; the caller keeps nothing. What the
// image pages and the image chooser's Preview call.
void OpenImagePreview(const char* lpszPath);
// Closes every open preview and waits until its thread has ended, so that no temporary bitmap
// is left and nothing a preview shares with the program (the converter block above all) goes
// while it runs; previews that start afterwards open no window. At exit.
void CloseAllPreviews();

class CPreviewThread : public CWinThread {
public:
    explicit CPreviewThread(const char* lpszPath);
    ~CPreviewThread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL ConvertForPreview(const char* lpszSource, const char* lpszDestination);

    CString m_strPath;
    CString m_strTempFile;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
};

class CPreviewDoc : public CDocument {
public:
    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

    tunewright::CDIB m_dib;
};

class CPreviewFrameWnd : public CFrameWnd {
public:
    CFlatToolBar m_wndFlatToolBar;
    CRebarControlBar m_wndRebar;
    CRebarFrameBar m_wndRebarFrame;
    CToolBar m_wndToolBar;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    BOOL CreateRebar();
    void OnSwallowMouse();
    void OnUpdateScaleToFit(CCmdUI* pCmdUI);
    void OnUpdateZoomIn(CCmdUI* pCmdUI);
    void OnUpdateZoomOut(CCmdUI* pCmdUI);
    void OnUpdateNormalSize(CCmdUI* pCmdUI);
    void OnPreviewClose();
    class CPreviewViewWnd* PreviewView() const;

    DECLARE_MESSAGE_MAP()
};

class CPreviewViewWnd : public CScrollView {
public:
    CPreviewDoc* GetDocument() const { return static_cast<CPreviewDoc*>(m_pDocument); }
    const PreviewZoom& Zoom() const { return m_zoom; }

    void OnInitialUpdate() override;
    void OnDraw(HDC hdc) override;

protected:
    void OnOpenInPaint();
    void OnScaleToFit();
    void OnZoomIn();
    void OnZoomOut();
    void OnNormalSize();
    void OnSize(UINT nType, int cx, int cy);

    PreviewZoom m_zoom;  // scale to fit, zoom level and magnification

    DECLARE_MESSAGE_MAP()
};

// Set by every preview frame while it is created: 1 when the common controls have the rebar
// and flat toolbar, 0 for the classic toolbar.
extern std::atomic<int> UseRebarControls;
// The decision from the common controls' file version (most and least significant parts).
int RebarControlsForVersion(DWORD versionMS, DWORD versionLS);
