#include "GroupBox.h"

namespace forms {

GroupBox::GroupBox(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 185, 105);
    clickOnMouseUp_ = true;
}

void GroupBox::Paint(HDC dc)
{
    SelectGuard g(dc, GetFont().Handle());
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    RECT frame{0, tm.tmHeight / 2, Width(), Height()};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty())
        return;
    RECT text{8, 0, 0, 0};
    DrawTextA(dc, Caption().c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    text.left -= 1;
    text.right += 1;
    Brush face(CreateSolidBrush(ColorToRGB(GetColor())));
    FillRect(dc, &text, face.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetFont().GetColor()));
    OffsetRect(&text, 1, 0);
    DrawTextA(dc, Caption().c_str(), -1, &text, DT_SINGLELINE);
}

} // namespace forms
