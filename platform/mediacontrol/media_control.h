// A media control of our own, in place of the platform's media player control: a window class
// that a dialog template places like any control. Its property is the file name: setting a
// path opens it on the multimedia device its extension calls for and plays it to the end;
// setting "" stops and unloads. Its events reach the parent as WM_NOTIFY from the control's
// id: a change of play state and an error. Events are posted, never raised inside the setter.
#pragma once

#include <windows.h>

#define MEDIACONTROL_CLASS "SuiteMediaControl"

// lParam: the file name (const char*, nullptr for ""). Returns TRUE.
#define MPM_SETFILENAME (WM_USER + 0x300)
// wParam: buffer size, lParam: buffer (char*). Returns the length of the whole name.
#define MPM_GETFILENAME (WM_USER + 0x301)
// Returns the play state: 0 stopped, 1 paused, 2 running.
#define MPM_GETSTATE (WM_USER + 0x302)

// Notification codes, each with its own structure.
#define MPN_STATECHANGE (0U - 2950U)  // NMMEDIASTATE
#define MPN_ERROR (0U - 2951U)        // NMMEDIAERROR

struct NMMEDIASTATE {
    NMHDR hdr;
    long oldState;
    long newState;
};

struct NMMEDIAERROR {
    NMHDR hdr;
    short code;
    const char* description;
    const char* source;
};

// Registers the class for every module of the process; true when it is (or already was).
bool RegisterMediaControlClass();
