// TIEPanel: a left-aligned panel with a double grip at its left edge; clicking the grip
// collapses it to CollapsedWidth or expands it to ExpandedWidth.
#pragma once

#include <Panel.h>

namespace platterly {

class TIEPanel : public forms::Panel {
public:
    explicit TIEPanel(forms::Component* owner);
    bool Collapsed() const { return collapsed_; }
    void SetCollapsed(bool c);
    int CollapsedWidth() const { return collapsedWidth_; }
    void SetCollapsedWidth(int w);
    int ExpandedWidth() const { return expandedWidth_; }
    void SetExpandedWidth(int w);
    void Click() override;

    // One flag for all panels of the program: each mouse move over a panel sets it.
    static bool OverGrip();

protected:
    void Paint(HDC dc) override;
    void MouseMove(unsigned shift, int x, int y) override;

private:
    void DrawGrip(HDC dc, int x, int y);
    bool collapsed_ = false;
    int collapsedWidth_ = 12;
    int expandedWidth_ = 12;
};

} // namespace platterly
