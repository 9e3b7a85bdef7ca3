#include "TrackBar.h"

#include <commctrl.h>

namespace forms {

TrackBar::TrackBar(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TrackBar::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = TRACKBAR_CLASSA;
    p.style |= orientation_ == trVertical ? TBS_VERT : TBS_HORZ;
    if (tickStyle_ == tsNone)
        p.style |= TBS_NOTICKS;
    else if (tickStyle_ == tsAuto)
        p.style |= TBS_AUTOTICKS;
    switch (tickMarks_) {
    case tmBottomRight: p.style |= orientation_ == trVertical ? TBS_RIGHT : TBS_BOTTOM; break;
    case tmTopLeft: p.style |= orientation_ == trVertical ? TBS_LEFT : TBS_TOP; break;
    case tmBoth: p.style |= TBS_BOTH; break;
    }
}

void TrackBar::HandleCreated()
{
    HWND w = WindowHandle();
    SendMessageA(w, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(w, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageA(w, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageA(w, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageA(w, TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageA(w, TBM_SETPOS, TRUE, position_);
}

int TrackBar::Position() const
{
    if (HWND w = const_cast<TrackBar*>(this)->WindowHandle())
        position_ = static_cast<int>(SendMessageA(w, TBM_GETPOS, 0, 0));
    return position_;
}

void TrackBar::SetRange(int mn, int mx)
{
    min_ = mn;
    max_ = mx;
    if (HWND w = WindowHandle()) {
        SendMessageA(w, TBM_SETRANGEMIN, FALSE, min_);
        SendMessageA(w, TBM_SETRANGEMAX, TRUE, max_);
        SendMessageA(w, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    }
    if (position_ < min_) position_ = min_;
    if (position_ > max_) position_ = max_;
}

void TrackBar::SetMin(int v) { SetRange(v, max_); }
void TrackBar::SetMax(int v) { SetRange(min_, v); }

void TrackBar::SetPosition(int v)
{
    position_ = v < min_ ? min_ : v > max_ ? max_ : v;
    if (HWND w = WindowHandle())
        SendMessageA(w, TBM_SETPOS, TRUE, position_);
}

void TrackBar::SetFrequency(int f)
{
    frequency_ = f;
    if (HWND w = WindowHandle())
        SendMessageA(w, TBM_SETTICFREQ, static_cast<WPARAM>(f), 0);
}

void TrackBar::SetLineSize(int s)
{
    lineSize_ = s;
    if (HWND w = WindowHandle())
        SendMessageA(w, TBM_SETLINESIZE, 0, s);
}

void TrackBar::SetPageSize(int s)
{
    pageSize_ = s;
    if (HWND w = WindowHandle())
        SendMessageA(w, TBM_SETPAGESIZE, 0, s);
}

void TrackBar::SetOrientation(TrackBarOrientation o) { if (o != orientation_) { orientation_ = o; RecreateWnd(); } }
void TrackBar::SetTickMarks(TickMark t) { if (t != tickMarks_) { tickMarks_ = t; RecreateWnd(); } }
void TrackBar::SetTickStyle(TickStyle t) { if (t != tickStyle_) { tickStyle_ = t; RecreateWnd(); } }

bool TrackBar::Reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != WM_HSCROLL && msg != WM_VSCROLL)
        return false;
    int now = static_cast<int>(SendMessageA(WindowHandle(), TBM_GETPOS, 0, 0));
    (void)wp;
    if (now != position_) {
        position_ = now;
        OnChange(this);
    }
    result = 0;
    return true;
}

} // namespace forms
