// The root of everything that takes commands: the application, threads and windows.
#pragma once

#include "framework/MessageMap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the command handler for id and notification code from the message map chain;
    // false when no entry takes it. CN_UPDATE_COMMAND_UI runs the update handler with the
    // command-UI object of the update under way; CN_COMMAND_PROBE only asks.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    // The wait cursor of the application while the object lives in a handler.
    void BeginWaitCursor();
    void EndWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Calls one handler with the arguments its kind takes.
    LRESULT CallHandler(const AFX_MSGMAP_ENTRY& entry, UINT nID, WPARAM wParam, LPARAM lParam);

    friend class CWnd;
    friend class CWinThread;
};
