// The screen-saver corner: a worker thread with its own message loop that watches the pointer
// and starts the screen saver when it rests in the chosen corner.
#pragma once

#include "CornerRect.h"
#include "framework/CWinThread.h"

class CScreenSaverThread : public CWinThread {
public:
    CScreenSaverThread();
    BOOL InitInstance() override;
    int ExitInstance() override;

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

    int m_nCorner = 0;
    UINT_PTR m_nPollTimer = 0;
    UINT_PTR m_nDelayTimer = 0;
    CornerRect m_rectCorner;
};
