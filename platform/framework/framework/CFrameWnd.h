// A top-level frame window. Frames own themselves: the object is deleted after its window's
// last message. The frame passes commands it does not handle on to the application.
#pragma once

#include "framework/CWnd.h"

struct CCreateContext {};

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

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnHelpFinder();
    void OnHelp();
    void OnContextHelp();
    void OnDefaultHelp();
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
};
