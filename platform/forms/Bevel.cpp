#include "Bevel.h"

#include "Panel.h"

namespace forms {

Bevel::Bevel(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 50, 50);
    clickOnMouseUp_ = false;
}

void Bevel::Paint(HDC dc)
{
    COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
    COLORREF c1 = style_ == bsLowered ? sh : hi, c2 = style_ == bsLowered ? hi : sh;
    RECT r{0, 0, Width(), Height()};
    auto line = [&](COLORREF c, int x1, int y1, int x2, int y2) {
        Pen p(CreatePen(PS_SOLID, 1, c));
        SelectGuard g(dc, p.Get());
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    };
    switch (shape_) {
    case bsBox: Frame3D(dc, r, c1, c2, 1); break;
    case bsFrame: {
        RECT inner{1, 1, Width(), Height()};
        Frame3D(dc, inner, c2, c2, 1);
        RECT outer{0, 0, Width() - 1, Height() - 1};
        Frame3D(dc, outer, c1, c1, 1);
        break;
    }
    case bsTopLine: line(c1, 0, 0, Width(), 0); line(c2, 0, 1, Width(), 1); break;
    case bsBottomLine: line(c1, 0, Height() - 2, Width(), Height() - 2); line(c2, 0, Height() - 1, Width(), Height() - 1); break;
    case bsLeftLine: line(c1, 0, 0, 0, Height()); line(c2, 1, 0, 1, Height()); break;
    case bsRightLine: line(c1, Width() - 2, 0, Width() - 2, Height()); line(c2, Width() - 1, 0, Width() - 1, Height()); break;
    }
}

} // namespace forms
