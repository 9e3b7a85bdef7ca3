#include "framework/CWinThread.h"

#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

#include <process.h>

#include <new>

namespace {
thread_local CWinThread* t_pThread;
}

CWinThread* AfxGetThread()
{
    return t_pThread;
}

void AfxSetThread(CWinThread* pThread)
{
    t_pThread = pThread;
}

CWinThread::CWinThread() = default;

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (t_pThread == this)
        t_pThread = nullptr;
}

namespace {
// What the creator hands the new thread. It lives on the creator's stack until the thread has
// signalled "started"; the thread then waits for "released", which the creator sets as its
// last touch of the object, so a thread that ends and deletes itself at once never frees
// members the creator still reads.
struct ThreadStart {
    CWinThread* self;
    HANDLE started;
    HANDLE released;
};
}  // namespace

unsigned __stdcall CWinThread::ThreadEntry(void* param)
{
    ThreadStart start = *static_cast<ThreadStart*>(param);
    CWinThread* self = start.self;
    t_pThread = self;
    MSG msg;
    ::PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue exists from here
    ::SetEvent(start.started);
    ::WaitForSingleObject(start.released, INFINITE);
    ::CloseHandle(start.released);
    int code = 0;
    try {
        code = self->InitInstance() ? self->Run() : self->ExitInstance();
    } catch (const std::bad_alloc&) {
        AfxReportOutOfMemory();
        code = -1;
    } catch (...) {
        code = -1;
    }
    t_pThread = nullptr;
    AfxDeleteTempMaps();
    if (self->m_bAutoDelete)
        delete self;
    return static_cast<unsigned>(code);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread)
        return FALSE;
    ThreadStart start = {this, ::CreateEventA(nullptr, TRUE, FALSE, nullptr), ::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    unsigned id = 0;
    uintptr_t handle = 0;
    if (start.started && start.released)
        handle = _beginthreadex(lpSecurityAttrs, nStackSize, ThreadEntry, &start, CREATE_SUSPENDED, &id);
    if (!handle) {
        if (start.started)
            ::CloseHandle(start.started);
        if (start.released)
            ::CloseHandle(start.released);
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    ::ResumeThread(m_hThread);
    ::WaitForSingleObject(start.started, INFINITE);
    ::CloseHandle(start.started);
    if (dwCreateFlags & CREATE_SUSPENDED)
        ::SuspendThread(m_hThread);
    ::SetEvent(start.released);  // from here on the thread may end and delete this object
    return TRUE;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    // The bars of a visible main frame show the state of their commands.
    if (lCount == 0)
        if (auto* frame = dynamic_cast<CFrameWnd*>(GetMainWnd()); frame && frame->IsWindowVisible())
            frame->UpdateControlBars();
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
    if (got <= 0)
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinThread::Run()
{
    for (;;) {
        MSG peek;
        if (!::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            OnIdle(0);
        if (!PumpMessage())
            return ExitInstance();
    }
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        if (const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(map->lpEntries, pMsg->message, 0, 0)) {
            if (entry->nSig == AfxSig::v_wl) {
                CallHandler(*entry, 0, pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd && DispatchThreadMessageEx(pMsg))
        return TRUE;
    return AfxWalkPreTranslateTree(pMsg);
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

DWORD CWinThread::SuspendThread() const { return ::SuspendThread(m_hThread); }
DWORD CWinThread::ResumeThread() const { return ::ResumeThread(m_hThread); }
int CWinThread::GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) const { return ::SetThreadPriority(m_hThread, nPriority); }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_nThreadID && ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
}

bool CWinThread::QuitAndWait(DWORD timeoutMs)
{
    if (!m_hThread)
        return true;
    if (::WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0)
        return true;
    ::PostThreadMessageA(m_nThreadID, WM_QUIT, 0, 0);
    return ::WaitForSingleObject(m_hThread, timeoutMs) == WAIT_OBJECT_0;
}
