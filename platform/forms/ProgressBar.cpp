#include "ProgressBar.h"

#include <commctrl.h>

namespace forms {
namespace {
int Clamp16(int v) { return v < 0 ? 0 : v > 65535 ? 65535 : v; }
}

ProgressBar::ProgressBar(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 150, 16);
}

void ProgressBar::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = PROGRESS_CLASSA;
}

void ProgressBar::HandleCreated()
{
    SendMessageA(WindowHandle(), PBM_SETRANGE, 0, MAKELPARAM(min_, max_));
    SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::SetMin(int v)
{
    min_ = Clamp16(v);
    if (WindowHandle())
        SendMessageA(WindowHandle(), PBM_SETRANGE, 0, MAKELPARAM(min_, max_));
}

void ProgressBar::SetMax(int v)
{
    max_ = Clamp16(v);
    if (WindowHandle())
        SendMessageA(WindowHandle(), PBM_SETRANGE, 0, MAKELPARAM(min_, max_));
}

void ProgressBar::SetPosition(int v)
{
    position_ = Clamp16(v);
    if (WindowHandle())
        SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

} // namespace forms
