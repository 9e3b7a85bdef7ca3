#include "Shape.h"

namespace forms {

Shape::Shape(Component* owner) : Control(owner) { SetBounds(0, 0, 65, 65); }

void Shape::Paint(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    Brush b(CreateSolidBrush(ColorToRGB(brush_)));
    FillRect(dc, &r, b.Get());
    if (outline_)
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

} // namespace forms
