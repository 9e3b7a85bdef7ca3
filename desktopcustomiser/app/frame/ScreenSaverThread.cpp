#include "ScreenSaverThread.h"

#include "MainFrameMessages.h"
#include "framework/CWinApp.h"

namespace {
// The thread's timers have no window; their procedures find the thread here. There is one
// corner thread per process.
CScreenSaverThread* g_pCornerThread;

POINT PointerPlace()
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        pt = {-1000000, -1000000};  // nowhere near a corner
    return pt;
}
}  // namespace

BEGIN_MESSAGE_MAP(CScreenSaverThread, CWinThread)
    ON_THREAD_MESSAGE(WM_RELOADCORNER, OnReloadCorner)
END_MESSAGE_MAP()

CScreenSaverThread::CScreenSaverThread()
{
    m_bAutoDelete = FALSE;  // the main frame decides when the object goes
}

BOOL CScreenSaverThread::InitInstance()
{
    g_pCornerThread = this;
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_IDLE);
    LoadCorner();
    return TRUE;
}

int CScreenSaverThread::ExitInstance()
{
    m_watcher.Stop();
    Published();
    g_pCornerThread = nullptr;
    return CWinThread::ExitInstance();
}

void CScreenSaverThread::OnReloadCorner(WPARAM, LPARAM)
{
    LoadCorner();
}

void CScreenSaverThread::LoadCorner()
{
    m_watcher.Reload(ReadCornerSettings(AfxGetApp()->Profile()), ::GetSystemMetrics(SM_CXSCREEN),
                     ::GetSystemMetrics(SM_CYSCREEN));
    Published();
}

void CScreenSaverThread::Published()
{
    m_nCorner = m_watcher.Corner();
    m_bPolling = m_watcher.Polling();
}

void CALLBACK CScreenSaverThread::PollTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (CScreenSaverThread* self = g_pCornerThread) {
        POINT pt = PointerPlace();
        self->m_watcher.Poll(pt.x, pt.y, ReadCornerDelayMs(AfxGetApp()->Profile()));
    }
}

void CALLBACK CScreenSaverThread::DelayTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (CScreenSaverThread* self = g_pCornerThread) {
        POINT pt = PointerPlace();
        self->m_watcher.DelayEnded(pt.x, pt.y);
    }
}

bool CScreenSaverThread::StartPollTimer(uint32_t ms)
{
    m_nPollTimer = ::SetTimer(nullptr, 0, ms, PollTimerProc);
    return m_nPollTimer != 0;
}

void CScreenSaverThread::KillPollTimer()
{
    if (m_nPollTimer)
        ::KillTimer(nullptr, m_nPollTimer);
    m_nPollTimer = 0;
}

bool CScreenSaverThread::StartDelayTimer(uint32_t ms)
{
    m_nDelayTimer = ::SetTimer(nullptr, 0, ms, DelayTimerProc);
    return m_nDelayTimer != 0;
}

void CScreenSaverThread::KillDelayTimer()
{
    if (m_nDelayTimer)
        ::KillTimer(nullptr, m_nDelayTimer);
    m_nDelayTimer = 0;
}

void CScreenSaverThread::StartScreenSaver()
{
    ::SendMessageA(::GetDesktopWindow(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

void CScreenSaverThread::ReportTimerFailure()
{
    ::MessageBoxA(nullptr, "Sleep Corner System Error: Error setting timer", AfxGetApp() ? AfxGetApp()->m_pszAppName : "",
                  MB_OK | MB_ICONSTOP);
}
