#include "Timer.h"

#include "Application.h"

namespace forms {
namespace {
const char kTimerClass[] = "FormsTimer";
}

LRESULT CALLBACK Timer::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER) {
        auto* t = reinterpret_cast<Timer*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (t) {
            try {
                t->OnTimer(t);
            } catch (const std::exception& e) {
                Application::Instance().HandleException(e);
            } catch (...) {
                Application::Instance().HandleException(Exception("Unknown error"));
            }
        }
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

Timer::Timer(Component* owner) : Component(owner)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &Timer::WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kTimerClass;
        RegisterClassA(&wc);
        registered = true;
    }
    window_ = CreateWindowExA(0, kTimerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
