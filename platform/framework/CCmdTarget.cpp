#include "framework/CCmdTarget.h"

#include "framework/CCmdUI.h"
#include "framework/CWinApp.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, AfxSig::end, {}}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* entry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; entry->nSig != AfxSig::end; ++entry) {
        UINT message = entry->pRegistered ? *entry->pRegistered : entry->nMessage;
        if (entry->pRegistered && message == 0)
            continue;  // not registered yet
        if (message == nMsg && entry->nCode == nCode && nID >= entry->nID && nID <= entry->nLastID)
            return entry;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    // A probe looks for the command's own handler and runs nothing.
    const bool probe = nCode == CN_COMMAND_PROBE;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        if (const AFX_MSGMAP_ENTRY* entry =
                AfxFindMessageEntry(map->lpEntries, WM_COMMAND, probe ? 0u : static_cast<UINT>(nCode), nID)) {
            if (!probe)
                CallHandler(*entry, nID, 0, 0);
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT CCmdTarget::CallHandler(const AFX_MSGMAP_ENTRY& entry, UINT nID, WPARAM wParam, LPARAM lParam)
{
    switch (entry.nSig) {
    case AfxSig::end:
        return 0;
    case AfxSig::v_v:
        (this->*entry.pfn.v_v)();
        return 0;
    case AfxSig::v_u:
        (this->*entry.pfn.v_u)(nID);
        return 0;
    case AfxSig::l_wl:
        return (this->*entry.pfn.l_wl)(wParam, lParam);
    case AfxSig::v_wl:
        (this->*entry.pfn.v_wl)(wParam, lParam);
        return 0;
    case AfxSig::v_nm: {
        LRESULT result = 0;
        (this->*entry.pfn.v_nm)(reinterpret_cast<NMHDR*>(lParam), &result);
        return result;
    }
    case AfxSig::v_unm: {
        LRESULT result = 0;
        (this->*entry.pfn.v_unm)(nID, reinterpret_cast<NMHDR*>(lParam), &result);
        return result;
    }
    case AfxSig::i_cs:
        return (this->*entry.pfn.i_cs)(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig::v_timer:
        (this->*entry.pfn.v_timer)(static_cast<UINT_PTR>(wParam));
        return 0;
    case AfxSig::v_size:
        (this->*entry.pfn.v_size)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam)));
        return 0;
    case AfxSig::b_dc:
        return (this->*entry.pfn.b_dc)(reinterpret_cast<HDC>(wParam));
    case AfxSig::v_show:
        (this->*entry.pfn.v_show)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    case AfxSig::v_ctx:
        (this->*entry.pfn.v_ctx)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                 POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case AfxSig::v_cmdui:
        (this->*entry.pfn.v_cmdui)(AfxGetCurrentCmdUI());
        return 0;
    }
    return 0;
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}
