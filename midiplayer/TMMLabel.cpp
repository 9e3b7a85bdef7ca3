#include "TMMLabel.h"

namespace platterly {

TMMLabel::TMMLabel(forms::Component* owner) : Label(owner)
{
    normalColor_ = GetFont().GetColor();
    SetTransparent(true);
}

void TMMLabel::Loaded()
{
    Label::Loaded();
    if (mouseSensitive_) {
        normalColor_ = GetFont().GetColor();
    } else {
        normalColor_ = linkColor_;
        SetFontColor(linkColor_);
    }
}

void TMMLabel::MouseEnter()
{
    Label::MouseEnter();
    if (mouseSensitive_ && !isClicked_) {
        normalColor_ = GetFont().GetColor();
        SetFontColor(linkColor_);
    }
}

void TMMLabel::MouseLeave()
{
    Label::MouseLeave();
    if (mouseSensitive_ && !isClicked_)
        SetFontColor(normalColor_);
}

void TMMLabel::Click()
{
    Label::Click();
    isClicked_ = true;
    SetFontColor(followedColor_);
}

void TMMLabel::SetIsClicked(bool c)
{
    if (c == isClicked_)
        return;
    isClicked_ = c;
    if (!c)
        SetFontColor(normalColor_);
}

} // namespace platterly
