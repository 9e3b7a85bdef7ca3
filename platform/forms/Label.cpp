#include "Label.h"

namespace forms {

Label::Label(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 65, 13);
}

void Label::SetParent(Control* parent)
{
    Control::SetParent(parent);
    AdjustSize();
}

void Label::SetCaption(const std::string& text)
{
    Control::SetCaption(text);
    AdjustSize();
}

void Label::SetFont(const Font& f)
{
    Control::SetFont(f);
    AdjustSize();
}

void Label::FontChanged()
{
    Control::FontChanged();
    AdjustSize();
}

void Label::SetFontColor(Color c)
{
    Font f = GetFont();
    f.SetColor(c);
    Control::SetFont(f);
    Invalidate();
}

void Label::SetAutoSize(bool a)
{
    autoSize_ = a;
    AdjustSize();
}

void Label::SetShowAccelChar(bool s)
{
    showAccelChar_ = s;
    AdjustSize();
    Invalidate();
}

UINT Label::TextFlags() const
{
    UINT flags = wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    else if (alignment_ == taCenter) flags |= DT_CENTER;
    return flags | DT_EXPANDTABS;
}

void Label::AdjustSize()
{
    if (!autoSize_)
        return;
    WindowDC screen(nullptr);
    SelectGuard g(screen.Get(), GetFont().Handle());
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    DrawTextA(screen.Get(), text.c_str(), -1, &r, TextFlags() | DT_CALCRECT);
    SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right, r.bottom);
}

void Label::EraseBackground(HDC dc)
{
    // A transparent label shows its parent's colour behind the text.
    if (transparent_ && Parent()) {
        RECT r{0, 0, Width(), Height()};
        Brush b(CreateSolidBrush(ColorToRGB(Parent()->GetColor())));
        FillRect(dc, &r, b.Get());
        return;
    }
    Control::EraseBackground(dc);
}

void Label::Paint(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    SelectGuard g(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    if (!Enabled()) {
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, Caption().c_str(), -1, &r, TextFlags());
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, ColorToRGB(GetFont().GetColor()));
    }
    DrawTextA(dc, Caption().c_str(), -1, &r, TextFlags());
}

} // namespace forms
