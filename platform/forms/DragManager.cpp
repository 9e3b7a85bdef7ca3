#include "DragManager.h"

#include "Application.h"
#include "Control.h"
#include "Screen.h"

#include <cstdlib>

namespace forms {
namespace {
const int kThreshold = 5;

POINT MessagePoint(const MSG& msg)
{
    POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ClientToScreen(msg.hwnd, &p);
    return p;
}
} // namespace

DragManager& DragManager::Instance()
{
    static DragManager manager;
    return manager;
}

void DragManager::BeginDrag(Control* source, bool immediate)
{
    if (dragging_ || !source->HandleAllocated())
        return;
    DWORD pos = GetMessagePos();
    BeginDragAt(source, immediate, POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))});
}

void DragManager::BeginDragAt(Control* source, bool immediate, POINT start)
{
    if (dragging_ || !source->HandleAllocated())
        return;
    source_ = source;
    target_ = nullptr;
    accepted_ = false;
    start_ = start;
    pending_ = true;
    if (immediate)
        Start();
}


void DragManager::Start()
{
    pending_ = false;
    dragging_ = true;
    SetCapture(source_->WindowHandle());
    ::SetCursor(Screen::Instance().Cursors(crNoDrop));
}

Control* DragManager::TargetAt(POINT screen, POINT& local)
{
    HWND under = WindowFromPoint(screen);
    Control* c = Control::FindControl(under);
    if (c && c->WindowHandle()) {
        local = screen;
        ScreenToClient(c->WindowHandle(), &local);
    }
    return c;
}

void DragManager::Move(POINT screen)
{
    POINT local{};
    Control* t = TargetAt(screen, local);
    if (t != target_ && target_) {
        bool ignored = false;
        POINT old = screen;
        ScreenToClient(target_->WindowHandle(), &old);
        target_->DragOver(source_, old.x, old.y, dsDragLeave, ignored);
    }
    bool accept = false;
    if (t) {
        t->DragOver(source_, local.x, local.y, t != target_ ? dsDragEnter : dsDragMove, accept);
    }
    target_ = t;
    accepted_ = t && accept;
    ::SetCursor(Screen::Instance().Cursors(accepted_ ? source_->DragCursor() : crNoDrop));
}

void DragManager::Drop(POINT screen)
{
    Move(screen);
    Control* target = accepted_ ? target_ : nullptr;
    Control* source = source_;
    POINT local{};
    if (target) {
        local = screen;
        ScreenToClient(target->WindowHandle(), &local);
    }
    End();
    if (target)
        target->DragDrop(source, local.x, local.y);
}

void DragManager::End()
{
    bool had = dragging_;
    dragging_ = false;
    pending_ = false;
    source_ = nullptr;
    target_ = nullptr;
    if (had)
        ReleaseCapture();
}

void DragManager::CancelDrag() { End(); }

void DragManager::ControlDestroyed(Control* c)
{
    if (c == source_)
        End();
    if (c == target_)
        target_ = nullptr;
}

bool DragManager::PreProcess(const MSG& msg)
{
    if (!pending_ && !dragging_)
        return false;
    try {
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            POINT p = MessagePoint(msg);
            if (pending_) {
                if (!(msg.wParam & MK_LBUTTON)) {
                    End();
                    return false;
                }
                if (std::abs(p.x - start_.x) < kThreshold && std::abs(p.y - start_.y) < kThreshold)
                    return false;
                // The source keeps its own button-down tracking out of the way.
                Start();
            }
            Move(p);
            return true;
        }
        case WM_LBUTTONUP: {
            if (pending_) {
                End();
                return false;
            }
            POINT p = MessagePoint(msg);
            HWND srcWnd = source_->WindowHandle();
            Drop(p);
            // Let the source end whatever tracking it began on the button-down.
            if (IsWindow(srcWnd))
                PostMessageA(srcWnd, WM_CANCELMODE, 0, 0);
            return true;
        }
        case WM_KEYDOWN:
            if (dragging_ && msg.wParam == VK_ESCAPE) {
                End();
                return true;
            }
            return false;
        case WM_CAPTURECHANGED:
            return false;
        default:
            return false;
        }
    } catch (const std::exception& e) {
        End();
        Application::Instance().HandleException(e);
        return true;
    }
}

} // namespace forms
