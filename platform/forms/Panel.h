// A painted container with an outer and inner bevel and a centred caption.
#pragma once

#include "Control.h"

namespace forms {

enum PanelBevel { bvNone, bvLowered, bvRaised };

class Panel : public Control {
public:
    explicit Panel(Component* owner);
    PanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(PanelBevel b) { bevelOuter_ = b; Invalidate(); }
    PanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(PanelBevel b) { bevelInner_ = b; Invalidate(); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int w) { bevelWidth_ = w; Invalidate(); }
    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment a) { alignment_ = a; Invalidate(); }

protected:
    void Paint(HDC dc) override;

private:
    PanelBevel bevelOuter_ = bvRaised;
    PanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    Alignment alignment_ = taCenter;
};

// Draws a one-pixel-per-step 3D frame and shrinks rect to its inside.
void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

} // namespace forms
