// A window object bound to one window handle. Every framework window runs through one window
// procedure that finds its object in the handle map; the object is attached before the first
// message arrives (through a thread-local "being created" pointer and a creation hook), so even
// WM_NCCREATE reaches it.
#pragma once

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The permanent object of a handle, or nullptr; FromHandle gives a temporary object for a
    // handle without one, valid until the thread is next idle.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes an existing window (a dialog's control) through this object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Message handling, in the order the framework calls it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Messages a parent hands back to its child's object (command, notify, colour, owner
    // draw); true when the child handled them.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // After the last message: frames and self-owning windows delete themselves here.
    virtual void PostNcDestroy();
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // The message being handled on this thread, passed on by Default().
    LRESULT Default();
    static const MSG* GetCurrentMessage();

    // Thin calls on the handle.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL ShowWindow(int nCmdShow) const;
    BOOL EnableWindow(BOOL bEnable = TRUE) const;
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    void SetWindowText(const char* text) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, const char* text) const;
    int GetDlgItemText(int nID, CString& text) const;
    void SetDlgItemInt(int nID, UINT value, BOOL bSigned = TRUE) const;
    UINT GetDlgItemInt(int nID, BOOL* pTranslated = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nID, UINT nCheck) const;
    UINT IsDlgButtonChecked(int nID) const;
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int GetDlgCtrlID() const;
    CWnd* SetFocus() const;
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    BOOL SetForegroundWindow() const;
    void BringWindowToTop() const;
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    void Invalidate(BOOL bErase = TRUE) const;
    void UpdateWindow() const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr) const;
    BOOL KillTimer(UINT_PTR nIDEvent) const;
    int MessageBox(const char* text, const char* caption = nullptr, UINT nType = MB_OK) const;
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    void DragAcceptFiles(BOOL bAccept = TRUE) const;

    static CWnd* GetDesktopWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* FindWindow(const char* lpszClassName, const char* lpszWindowName);

protected:
    // Default behaviour of the cracked messages; a class's map entries call its own versions.
    int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    void OnClose() { Default(); }
    void OnPaint() { Default(); }
    void OnDestroy() { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    BOOL OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
    void OnShowWindow(BOOL, UINT) { Default(); }
    void OnContextMenu(CWnd*, POINT) { Default(); }

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

    WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before ours

private:
    void OnFinalNcDestroy();
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
    friend class CWinThread;
};

// The one window procedure of every framework window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Arms the creation hook so that the next window made on this thread is attached to pWnd
// before its first message; the unhook tells whether it was taken.
void AfxHookWindowCreate(CWnd* pWnd);
bool AfxUnhookWindowCreate();

// Runs the pre-translation of one message on the calling thread: walks from the message's
// window up through its parents to the top-level window, then the thread itself.
BOOL AfxPreTranslateMessage(MSG* pMsg);
BOOL AfxWalkPreTranslateTree(MSG* pMsg);
// One message of a modal loop: gets it, pre-translates and dispatches it. FALSE when the loop
// must end: the queue failed, or it gave the quit message, which is posted again for the
// outer loop.
BOOL AfxPumpModalMessage();

// The framework's own window class, registered on first use (double clicks, arrow cursor).
const char* AfxFrameworkWindowClass();

// Temporary objects made by FromHandle are released when the thread is idle.
void AfxDeleteTempMaps();
