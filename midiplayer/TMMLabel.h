// TMMLabel: a link label whose colour follows the pointer and turns to FollowedColor once clicked.
#pragma once

#include <Label.h>

namespace platterly {

class TMMLabel : public forms::Label {
public:
    explicit TMMLabel(forms::Component* owner);
    forms::Color FollowedColor() const { return followedColor_; }
    void SetFollowedColor(forms::Color c) { followedColor_ = c; }
    bool IsClicked() const { return isClicked_; }
    void SetIsClicked(bool c);
    forms::Color LinkColor() const { return linkColor_; }
    void SetLinkColor(forms::Color c) { linkColor_ = c; }
    bool MouseSensitive() const { return mouseSensitive_; }
    void SetMouseSensitive(bool m) { mouseSensitive_ = m; }

    void Click() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Loaded() override;

private:
    forms::Color followedColor_ = forms::clRed;
    forms::Color linkColor_ = forms::clBlue;
    forms::Color normalColor_;
    bool isClicked_ = false;
    bool mouseSensitive_ = true;
};

} // namespace platterly
