// The test program's application object and helpers for answering dialogs from inside the
// thread's own message loops.
#pragma once

#include "framework/Afx.h"

#include <functional>
#include <string>

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(nullptr) {}
    void OnAppAbout() { ++aboutCount; }
    int aboutCount = 0;

protected:
    DECLARE_MESSAGE_MAP()
};

extern CTestApp theTestApp;

// Runs the action on this thread's message loop after the delay, once.
void RunSoon(UINT delayMs, std::function<void()> action);
// A visible message box of this thread, or nullptr.
HWND FindThreadMessageBox();
std::string MessageBoxText(HWND box);
std::string Caption(HWND hwnd);
