#include "ScreenSaverThread.h"

#include "MainFrameMessages.h"
#include "Timing.h"
#include "framework/CWinApp.h"

namespace {
// The thread's timers have no window; their procedures find the thread here. There is one
// corner thread per process.
CScreenSaverThread* g_pCornerThread;
bool g_bStarted;  // the delay timer was armed during the pointer's present stay

void TimerFailed()
{
    ::MessageBoxA(nullptr, "Sleep Corner System Error: Error setting timer", AfxGetApp() ? AfxGetApp()->m_pszAppName : "",
                  MB_OK | MB_ICONSTOP);
}
}  // namespace

BEGIN_MESSAGE_MAP(CScreenSaverThread, CWinThread)
    ON_THREAD_MESSAGE(WM_RELOADCORNER, OnReloadCorner)
END_MESSAGE_MAP()

CScreenSaverThread::CScreenSaverThread()
{
    m_bAutoDelete = FALSE;  // embedded in the main frame
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
    if (m_nPollTimer)
        ::KillTimer(nullptr, m_nPollTimer);
    if (m_nDelayTimer)
        ::KillTimer(nullptr, m_nDelayTimer);
    m_nPollTimer = m_nDelayTimer = 0;
    m_bPolling = false;
    g_pCornerThread = nullptr;
    return CWinThread::ExitInstance();
}

void CScreenSaverThread::OnReloadCorner(WPARAM, LPARAM)
{
    LoadCorner();
}

void CScreenSaverThread::LoadCorner()
{
    CWinApp* app = AfxGetApp();
    m_nCorner = NormalizeCorner(app->GetProfileInt("Settings", "Screen Saver Activate Corner", 0));
    int pixels = app->GetProfileInt("Settings", "Screen Saver Pixel", 1);
    m_rectCorner = ComputeCornerRect(m_nCorner, pixels, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (m_nCorner == 0) {
        if (m_nPollTimer)
            ::KillTimer(nullptr, m_nPollTimer);
        m_nPollTimer = 0;
        m_bPolling = false;
        return;
    }
    if (!m_nPollTimer) {
        UINT interval = CornerIntervalMs(app->GetProfileInt("Settings", "Screen Saver Timer", 500));
        m_nPollTimer = ::SetTimer(nullptr, 0, interval, PollTimerProc);
        if (!m_nPollTimer)
            TimerFailed();
    }
    m_bPolling = m_nPollTimer != 0;
}

bool CScreenSaverThread::PointerInCorner() const
{
    POINT pt;
    return ::GetCursorPos(&pt) && m_rectCorner.Contains(pt.x, pt.y);
}

void CALLBACK CScreenSaverThread::PollTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pCornerThread)
        g_pCornerThread->OnPoll();
}

void CALLBACK CScreenSaverThread::DelayTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pCornerThread)
        g_pCornerThread->OnDelay();
}

void CScreenSaverThread::OnPoll()
{
    if (m_nCorner == 0)
        return;
    if (PointerInCorner()) {
        if (g_bStarted || m_nDelayTimer)
            return;
        UINT delay = CornerIntervalMs(AfxGetApp()->GetProfileInt("Settings", "Screen Saver Delay", 500));
        m_nDelayTimer = ::SetTimer(nullptr, 0, delay, DelayTimerProc);
        if (m_nDelayTimer)
            g_bStarted = true;
        else
            TimerFailed();  // tried again at the next poll
    } else {
        if (m_nDelayTimer)
            ::KillTimer(nullptr, m_nDelayTimer);
        m_nDelayTimer = 0;
        g_bStarted = false;
    }
}

void CScreenSaverThread::OnDelay()
{
    if (m_nDelayTimer)
        ::KillTimer(nullptr, m_nDelayTimer);
    m_nDelayTimer = 0;
    if (PointerInCorner())
        ::SendMessageA(::GetDesktopWindow(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}
