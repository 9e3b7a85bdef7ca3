// A timer component: OnTimer every Interval milliseconds while Enabled.
#pragma once

#include "Component.h"
#include "Event.h"

#include <windows.h>

namespace forms {

class Timer : public Component {
public:
    explicit Timer(Component* owner);
    ~Timer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT ms);
    NotifyEvent OnTimer;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Update();
    bool enabled_ = true;
    UINT interval_ = 1000;
    HWND window_ = nullptr;
};

} // namespace forms
