#include "framework/ModalWindows.h"

#include "framework/CPropertySheet.h"

#include <vector>

namespace {

struct ModalState {
    std::vector<CModalWindowScope*> stack;  // innermost last
    bool ending = false;
    HWND notify = nullptr;
    UINT message = 0;
    UINT_PTR timer = 0;
};
thread_local ModalState t_modal;

LRESULT CALLBACK TakeSystemWindow(int code, WPARAM wParam, LPARAM lParam)
{
    // The first top-level dialog made inside the call is the box or common dialog itself.
    if (code == HCBT_CREATEWND && !t_modal.stack.empty() && t_modal.stack.back()->m_bAwaiting) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        char cls[16] = {};
        auto hWnd = reinterpret_cast<HWND>(wParam);
        ::GetClassNameA(hWnd, cls, sizeof cls);
        if (!(create->lpcs->style & WS_CHILD) && lstrcmpA(cls, "#32770") == 0) {
            CModalWindowScope* top = t_modal.stack.back();
            top->m_hWnd = hWnd;
            top->m_bAwaiting = false;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool VisibleButton(HWND hWnd, int id)
{
    HWND button = ::GetDlgItem(hWnd, id);
    return button && (::GetWindowLongPtrA(button, GWL_STYLE) & WS_VISIBLE);
}

// Posted, never sent: the window's own loop takes it once whatever runs now has returned.
void PostCautiousAnswer(HWND hWnd)
{
    if (dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(hWnd))) {
        ::PostMessageA(hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return;
    }
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (VisibleButton(hWnd, id)) {
            ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, id)));
            return;
        }
    }
    ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
}

void FinishEnding()
{
    if (t_modal.timer)
        ::KillTimer(nullptr, t_modal.timer);
    t_modal.timer = 0;
    t_modal.ending = false;
    if (t_modal.message)
        ::PostMessageA(t_modal.notify, t_modal.message, 0, 0);
    t_modal.notify = nullptr;
    t_modal.message = 0;
}

void EndInnermost()
{
    if (t_modal.stack.empty()) {
        FinishEnding();
        return;
    }
    CModalWindowScope* top = t_modal.stack.back();
    if (top->m_bTold || !top->m_hWnd || !::IsWindow(top->m_hWnd))
        return;  // told already, or not made yet: the timer looks again
    top->m_bTold = true;
    PostCautiousAnswer(top->m_hWnd);
}

// A window told before it could take the answer, or one still being made, is looked at again.
void CALLBACK LookAgain(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_modal.ending)
        EndInnermost();
}

}  // namespace

CModalWindowScope::CModalWindowScope(HWND hWnd) : m_hWnd(hWnd), m_bAwaiting(hWnd == nullptr)
{
    if (m_bAwaiting)
        m_hHook = ::SetWindowsHookExA(WH_CBT, TakeSystemWindow, nullptr, ::GetCurrentThreadId());
    t_modal.stack.push_back(this);
}

CModalWindowScope::~CModalWindowScope()
{
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
    // Scopes live on the stack of their calls, so the innermost goes first.
    for (auto it = t_modal.stack.end(); it != t_modal.stack.begin();) {
        if (*--it == this) {
            t_modal.stack.erase(it);
            break;
        }
    }
    if (t_modal.ending)
        EndInnermost();
}

bool AfxEndModalWindows(HWND hWndNotify, UINT message)
{
    if (t_modal.stack.empty())
        return false;
    t_modal.notify = hWndNotify;
    t_modal.message = message;
    if (!t_modal.ending) {
        t_modal.ending = true;
        t_modal.timer = ::SetTimer(nullptr, 0, 100, LookAgain);
    }
    EndInnermost();
    return true;
}

bool AfxEndingModalWindows()
{
    return t_modal.ending;
}

int AfxModalWindowCount()
{
    return static_cast<int>(t_modal.stack.size());
}

int AfxCautiousAnswer(UINT nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

BOOL AfxGetOpenFileName(OPENFILENAMEA* ofn)
{
    if (t_modal.ending)
        return FALSE;
    CModalWindowScope scope;
    return ::GetOpenFileNameA(ofn);
}

LPITEMIDLIST AfxBrowseForFolder(BROWSEINFOA* info)
{
    if (t_modal.ending)
        return nullptr;
    CModalWindowScope scope;
    return ::SHBrowseForFolderA(info);
}
