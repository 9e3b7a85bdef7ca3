// A thread with its own message loop. The main thread's is the application object; others are
// started with CreateThread and ended with a quit message and a bounded wait.
#pragma once

#include "framework/CWnd.h"

class CWinThread : public CCmdTarget {
public:
    CWinThread();
    ~CWinThread() override;

    // Starts the thread (CREATE_SUSPENDED in dwCreateFlags leaves it suspended); it has its
    // message queue before this returns, so messages posted at once are not lost.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: runs until WM_QUIT, then ExitInstance.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd();

    DWORD SuspendThread() const;
    DWORD ResumeThread() const;
    int GetThreadPriority() const;
    BOOL SetThreadPriority(int nPriority) const;
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Ends the loop of a running thread from another one: posts WM_QUIT and waits up to the
    // bound. True when the thread has ended (or never ran).
    bool QuitAndWait(DWORD timeoutMs);

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;  // threads made with new delete themselves when they end
    MSG m_msgCur = {};

protected:
    // Thread messages (no window) through this object's message map; true when handled.
    BOOL DispatchThreadMessageEx(MSG* pMsg);

private:
    static unsigned __stdcall ThreadEntry(void* param);
};

// The object of the calling thread (the application on the main thread).
CWinThread* AfxGetThread();
void AfxSetThread(CWinThread* pThread);
