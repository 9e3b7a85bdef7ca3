// A sunken or raised frame or line, for grouping controls visually.
#pragma once

#include "Control.h"

namespace forms {

enum BevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum BevelStyle { bsLowered, bsRaised };

class Bevel : public Control {
public:
    explicit Bevel(Component* owner);
    BevelShape Shape() const { return shape_; }
    void SetShape(BevelShape s) { shape_ = s; Invalidate(); }
    BevelStyle Style() const { return style_; }
    void SetStyle(BevelStyle s) { style_ = s; Invalidate(); }

protected:
    void Paint(HDC dc) override;

private:
    BevelShape shape_ = bsBox;
    BevelStyle style_ = bsLowered;
};

} // namespace forms
