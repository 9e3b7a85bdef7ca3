#include "Timer.h"

#include "Application.h"
#include "HiddenWindow.h"

namespace forms {
namespace {
const char kTimerClass[] = "FormsTimer";
}

LRESULT CALLBACK Timer::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER) {
        auto* t = reinterpret_cast<Timer*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (t)
            Application::Instance().Guard([t] { t->OnTimer(t); });
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

Timer::Timer(Component* owner) : Component(owner)
{
    window_ = CreateHiddenWindow(kTimerClass, &Timer::WindowProc, this);
    Update();
}

Timer::~Timer()
{
    if (window_) {
        KillTimer(window_, 1);
        DestroyWindow(window_);
    }
}

void Timer::SetEnabled(bool e)
{
    if (e == enabled_)
        return;
    enabled_ = e;
    Update();
}

void Timer::SetInterval(UINT ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    Update();
}

void Timer::Update()
{
    KillTimer(window_, 1);
    if (enabled_ && interval_ > 0)
        SetTimer(window_, 1, interval_, nullptr);
}

} // namespace forms
