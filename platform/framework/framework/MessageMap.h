// Message maps are data: every class that handles messages has one static const table of
// entries (message, notification code, id range, handler kind, member) chained to its base
// class's table. One dispatcher walks the chain; what no entry takes goes to the default
// procedure.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CCmdTarget;
class CWnd;

enum class AfxSig : unsigned char {
    end,
    v_v,          // void ()
    v_u,          // void (UINT id)                 command and control ranges
    l_wl,         // LRESULT (WPARAM, LPARAM)       window and registered messages
    v_wl,         // void (WPARAM, LPARAM)          thread messages
    v_nm,         // void (NMHDR*, LRESULT*)        notifications
    v_unm,        // void (UINT id, NMHDR*, LRESULT*) notification ranges
    i_cs,         // int (LPCREATESTRUCT)           WM_CREATE
    v_timer,      // void (UINT_PTR)                WM_TIMER
    v_size,       // void (UINT, int, int)          WM_SIZE
    b_dc,         // BOOL (HDC)                     WM_ERASEBKGND
    v_show,       // void (BOOL, UINT)              WM_SHOWWINDOW
    v_ctx,        // void (CWnd*, POINT)            WM_CONTEXTMENU
    v_cmdui,      // void (CCmdUI*)                 command-update handlers
};

union AfxHandler {
    void (CCmdTarget::*v_v)();
    void (CCmdTarget::*v_u)(UINT);
    LRESULT (CCmdTarget::*l_wl)(WPARAM, LPARAM);
    void (CCmdTarget::*v_wl)(WPARAM, LPARAM);
    void (CCmdTarget::*v_nm)(NMHDR*, LRESULT*);
    void (CCmdTarget::*v_unm)(UINT, NMHDR*, LRESULT*);
    int (CCmdTarget::*i_cs)(LPCREATESTRUCT);
    void (CCmdTarget::*v_timer)(UINT_PTR);
    void (CCmdTarget::*v_size)(UINT, int, int);
    BOOL (CCmdTarget::*b_dc)(HDC);
    void (CCmdTarget::*v_show)(BOOL, UINT);
    void (CCmdTarget::*v_ctx)(CWnd*, POINT);
    void (CCmdTarget::*v_cmdui)(class CCmdUI*);
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;            // WM_COMMAND, WM_NOTIFY, a window or thread message
    UINT nCode;               // notification code for commands and notifications
    UINT nID;                 // first control or command id
    UINT nLastID;             // last id of the range
    const UINT* pRegistered;  // for registered messages: where the message number is kept
    AfxSig nSig;
    AfxHandler pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Finds the entry for a message in one table; nullptr when none.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* entries, UINT nMsg, UINT nCode, UINT nID);

#define DECLARE_MESSAGE_MAP()                        \
protected:                                           \
    static const AFX_MSGMAP* GetThisMessageMap();    \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                    \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                               \
    {                                                                             \
        typedef theClass ThisClass [[maybe_unused]];                              \
        typedef baseClass TheBaseClass;                                           \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                 \
            {0, 0, 0, 0, nullptr, AfxSig::end, {}}                        \
        };                                                                \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
        return &messageMap;                                               \
    }

#define AFX_PMSG_CAST(kind, type, fn) {.kind = static_cast<type>(fn)}

#define ON_COMMAND(id, memberFxn)                                                        \
    {WM_COMMAND, 0, UINT(id), UINT(id), nullptr, AfxSig::v_v,                          \
     AFX_PMSG_CAST(v_v, void (CCmdTarget::*)(), static_cast<void (ThisClass::*)()>(&ThisClass::memberFxn))},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                          \
    {WM_COMMAND, 0, UINT(id), UINT(idLast), nullptr, AfxSig::v_u,                      \
     AFX_PMSG_CAST(v_u, void (CCmdTarget::*)(UINT), static_cast<void (ThisClass::*)(UINT)>(&ThisClass::memberFxn))},
#define ON_CONTROL(code, id, memberFxn)                                                  \
    {WM_COMMAND, UINT(code), UINT(id), UINT(id), nullptr, AfxSig::v_v,                 \
     AFX_PMSG_CAST(v_v, void (CCmdTarget::*)(), static_cast<void (ThisClass::*)()>(&ThisClass::memberFxn))},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                    \
    {WM_COMMAND, UINT(code), UINT(id), UINT(idLast), nullptr, AfxSig::v_u,             \
     AFX_PMSG_CAST(v_u, void (CCmdTarget::*)(UINT), static_cast<void (ThisClass::*)(UINT)>(&ThisClass::memberFxn))},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)

#define ON_NOTIFY(code, id, memberFxn)                                                   \
    {WM_NOTIFY, UINT(code), UINT(id), UINT(id), nullptr, AfxSig::v_nm,                 \
     AFX_PMSG_CAST(v_nm, void (CCmdTarget::*)(NMHDR*, LRESULT*),                      \
                   static_cast<void (ThisClass::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                     \
    {WM_NOTIFY, UINT(code), UINT(id), UINT(idLast), nullptr, AfxSig::v_unm,            \
     AFX_PMSG_CAST(v_unm, void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*),               \
                   static_cast<void (ThisClass::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},

#define ON_MESSAGE(message, memberFxn)                                                   \
    {UINT(message), 0, 0, 0, nullptr, AfxSig::l_wl,                                    \
     AFX_PMSG_CAST(l_wl, LRESULT (CCmdTarget::*)(WPARAM, LPARAM),                     \
                   static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                               \
    {0xC000, 0, 0, 0, &nMessageVariable, AfxSig::l_wl,                                 \
     AFX_PMSG_CAST(l_wl, LRESULT (CCmdTarget::*)(WPARAM, LPARAM),                     \
                   static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))},
#define ON_THREAD_MESSAGE(message, memberFxn)                                            \
    {UINT(message), 0, 0, 0, nullptr, AfxSig::v_wl,                                    \
     AFX_PMSG_CAST(v_wl, void (CCmdTarget::*)(WPARAM, LPARAM),                        \
                   static_cast<void (ThisClass::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))},

// Command-update handlers: asked whether a menu item or a toolbar button is enabled or
// checked, through the same routing as the command itself.
#define CN_UPDATE_COMMAND_UI (-1)
// Asks the routing whether some handler takes a command, without running it.
#define CN_COMMAND_PROBE (-2)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                              \
    {WM_COMMAND, UINT(CN_UPDATE_COMMAND_UI), UINT(id), UINT(id), nullptr, AfxSig::v_cmdui, \
     AFX_PMSG_CAST(v_cmdui, void (CCmdTarget::*)(CCmdUI*),                            \
                   static_cast<void (ThisClass::*)(CCmdUI*)>(&ThisClass::memberFxn))},

#define ON_WM_CREATE()                                                                   \
    {WM_CREATE, 0, 0, 0, nullptr, AfxSig::i_cs,                                        \
     AFX_PMSG_CAST(i_cs, int (CCmdTarget::*)(LPCREATESTRUCT),                         \
                   static_cast<int (ThisClass::*)(LPCREATESTRUCT)>(&ThisClass::OnCreate))},
#define ON_WM_TIMER()                                                                    \
    {WM_TIMER, 0, 0, 0, nullptr, AfxSig::v_timer,                                      \
     AFX_PMSG_CAST(v_timer, void (CCmdTarget::*)(UINT_PTR),                           \
                   static_cast<void (ThisClass::*)(UINT_PTR)>(&ThisClass::OnTimer))},
#define ON_WM_SIZE()                                                                     \
    {WM_SIZE, 0, 0, 0, nullptr, AfxSig::v_size,                                        \
     AFX_PMSG_CAST(v_size, void (CCmdTarget::*)(UINT, int, int),                      \
                   static_cast<void (ThisClass::*)(UINT, int, int)>(&ThisClass::OnSize))},
#define ON_WM_ERASEBKGND()                                                               \
    {WM_ERASEBKGND, 0, 0, 0, nullptr, AfxSig::b_dc,                                    \
     AFX_PMSG_CAST(b_dc, BOOL (CCmdTarget::*)(HDC),                                   \
                   static_cast<BOOL (ThisClass::*)(HDC)>(&ThisClass::OnEraseBkgnd))},
#define ON_WM_SHOWWINDOW()                                                               \
    {WM_SHOWWINDOW, 0, 0, 0, nullptr, AfxSig::v_show,                                  \
     AFX_PMSG_CAST(v_show, void (CCmdTarget::*)(BOOL, UINT),                          \
                   static_cast<void (ThisClass::*)(BOOL, UINT)>(&ThisClass::OnShowWindow))},
// The point is in screen coordinates; (-1, -1) when the menu was asked for from the keyboard.
#define ON_WM_CONTEXTMENU()                                                              \
    {WM_CONTEXTMENU, 0, 0, 0, nullptr, AfxSig::v_ctx,                                  \
     AFX_PMSG_CAST(v_ctx, void (CCmdTarget::*)(CWnd*, POINT),                         \
                   static_cast<void (ThisClass::*)(CWnd*, POINT)>(&ThisClass::OnContextMenu))},
#define AFX_ON_VOID_MESSAGE(message, memberFxn)                                          \
    {UINT(message), 0, 0, 0, nullptr, AfxSig::v_v,                                     \
     AFX_PMSG_CAST(v_v, void (CCmdTarget::*)(), static_cast<void (ThisClass::*)()>(&ThisClass::memberFxn))},
#define ON_WM_CLOSE() AFX_ON_VOID_MESSAGE(WM_CLOSE, OnClose)
#define ON_WM_PAINT() AFX_ON_VOID_MESSAGE(WM_PAINT, OnPaint)
#define ON_WM_DESTROY() AFX_ON_VOID_MESSAGE(WM_DESTROY, OnDestroy)
