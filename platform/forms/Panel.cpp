#include "Panel.h"

namespace forms {

void Frame3D(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight, int width)
{
    Pen tl(CreatePen(PS_SOLID, 1, topLeft)), br(CreatePen(PS_SOLID, 1, bottomRight));
    for (int i = 0; i < width; ++i) {
        --r.right;
        --r.bottom;
        {
            SelectGuard g(dc, tl.Get());
            MoveToEx(dc, r.left, r.bottom, nullptr);
            LineTo(dc, r.left, r.top);
            LineTo(dc, r.right, r.top);
        }
        {
            SelectGuard g(dc, br.Get());
            LineTo(dc, r.right, r.bottom);
            LineTo(dc, r.left - 1, r.bottom);
        }
        ++r.left;
        ++r.top;
    }
}

Panel::Panel(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 185, 41);
    clickOnMouseUp_ = true;
}

void Panel::Paint(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
    if (bevelOuter_ != bvNone)
        Frame3D(dc, r, bevelOuter_ == bvRaised ? hi : sh, bevelOuter_ == bvRaised ? sh : hi, bevelWidth_);
    if (bevelInner_ != bvNone)
        Frame3D(dc, r, bevelInner_ == bvRaised ? hi : sh, bevelInner_ == bvRaised ? sh : hi, bevelWidth_);
    if (Caption().empty())
        return;
    SelectGuard g(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetFont().GetColor()));
    UINT flags = DT_SINGLELINE | DT_VCENTER |
                 (alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT);
    DrawTextA(dc, Caption().c_str(), -1, &r, flags);
}

} // namespace forms
