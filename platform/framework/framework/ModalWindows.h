// The modal windows of a thread: the dialogs, sheets, message boxes and common dialogs that the
// framework runs, innermost last. Leaving a program ends them innermost first, each with its
// most cautious answer (Cancel, else No, else OK), and each only once the one above it has
// returned, so that a handler below a box never finds freed what it held before the box.
// Meanwhile nothing new opens: a box, dialog or sheet asked for returns that answer at once.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

class CModalWindowScope {
public:
    // The modal window the framework made, or nullptr for one that the system makes inside the
    // call this scope surrounds (a message box, a common dialog): it is taken as it is created.
    explicit CModalWindowScope(HWND hWnd = nullptr);
    ~CModalWindowScope();
    CModalWindowScope(const CModalWindowScope&) = delete;
    CModalWindowScope& operator=(const CModalWindowScope&) = delete;

    HWND m_hWnd;
    bool m_bAwaiting;      // the system's window is not made yet
    bool m_bTold = false;  // its cautious answer has been posted
    HHOOK m_hHook = nullptr;
};

// Starts ending every modal window of the calling thread; once the last one has returned,
// posts message to hWndNotify (nullptr: to the thread). False, with nothing posted, when none
// is open.
bool AfxEndModalWindows(HWND hWndNotify, UINT message);
// True from AfxEndModalWindows until the thread's last modal window has returned.
bool AfxEndingModalWindows();
int AfxModalWindowCount();
// What a box of this type answers when nobody may answer it: Cancel, else No, else OK.
int AfxCautiousAnswer(UINT nType);

// The common dialogs, run as modal windows of the thread; while its modal windows are being
// ended they show nothing and return as cancelled.
BOOL AfxGetOpenFileName(OPENFILENAMEA* ofn);
LPITEMIDLIST AfxBrowseForFolder(BROWSEINFOA* info);
