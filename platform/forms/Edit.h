// A one-line text edit. OnKeyPress sees every typed character first; setting it to 0 discards it.
// Entered from the keyboard, it selects its whole text.
#pragma once

#include "Control.h"

namespace forms {

using KeyPressEvent = Event<Component*, char&>;

class Edit : public Control {
public:
    explicit Edit(Component* owner);
    std::string Text();
    void SetText(const std::string& text) { SetCaption(text); }
    KeyPressEvent OnKeyPress;
    NotifyEvent OnChange;

protected:
    void GetWindowParams(WindowParams& p) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

} // namespace forms
