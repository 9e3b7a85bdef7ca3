// A painted rectangle with an optional outline (stShape) in its brush colour.
#pragma once

#include "Control.h"

namespace forms {

class Shape : public Control {
public:
    explicit Shape(Component* owner);
    Color BrushColor() const { return brush_; }
    void SetBrushColor(Color c) { brush_ = c; Invalidate(); }
    bool Outline() const { return outline_; }
    void SetOutline(bool o) { outline_ = o; Invalidate(); }

protected:
    void Paint(HDC dc) override;
    void EraseBackground(HDC) override {}

private:
    Color brush_ = clWhite;
    bool outline_ = true;
};

} // namespace forms
