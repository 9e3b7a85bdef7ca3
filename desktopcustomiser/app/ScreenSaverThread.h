// The screen-saver corner: a worker thread with its own message loop that watches the pointer
// and starts the screen saver when it rests in the chosen corner.
#pragma once

#include "CornerRect.h"
#include "framework/CWinThread.h"

#include <atomic>

class CScreenSaverThread : public CWinThread {
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
    void OnPoll();
    void OnDelay();
    bool PointerInCorner() const;

    std::atomic<int> m_nCorner = 0;
    std::atomic<bool> m_bPolling = false;
    UINT_PTR m_nPollTimer = 0;
    UINT_PTR m_nDelayTimer = 0;
    CornerRect m_rectCorner;
};
