// The screen-saver corner: a worker thread with its own message loop that watches the pointer
// and starts the screen saver when it rests in the chosen corner. What it does on each event is
// the portable CornerWatcher's; the thread gives it the pointer, the settings and its timers.
#pragma once

#include "CornerWatcher.h"
#include "framework/CWinThread.h"

#include <atomic>

class CScreenSaverThread : public CWinThread, private CornerTimers {
public:
    CScreenSaverThread();
    BOOL InitInstance() override;
    int ExitInstance() override;

    // What the thread watches now, readable from any thread.
    int WatchedCorner() const { return m_nCorner; }
    bool IsPolling() const { return m_bPolling; }

protected:
    void OnReloadCorner(WPARAM wParam, LPARAM lParam);
    void LoadCorner();
    DECLARE_MESSAGE_MAP()

private:
    static void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD);
    static void CALLBACK DelayTimerProc(HWND, UINT, UINT_PTR, DWORD);
    void Published();

    bool StartPollTimer(uint32_t ms) override;
    void KillPollTimer() override;
    bool StartDelayTimer(uint32_t ms) override;
    void KillDelayTimer() override;
    void StartScreenSaver() override;
    void ReportTimerFailure() override;

    CornerWatcher m_watcher{*this};
    std::atomic<int> m_nCorner = 0;
    std::atomic<bool> m_bPolling = false;
    UINT_PTR m_nPollTimer = 0;
    UINT_PTR m_nDelayTimer = 0;
};
