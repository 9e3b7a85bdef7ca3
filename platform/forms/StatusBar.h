// The system status bar with panels of fixed widths; each panel has its text, alignment, bevel
// and may be owner-drawn.
#pragma once

#include "Control.h"

#include <vector>

namespace forms {

enum StatusPanelBevel { pbNone, pbLowered, pbRaised };
enum StatusPanelStyle { psText, psOwnerDraw };

struct StatusPanel {
    std::string text;
    int width = 50;
    Alignment alignment = taLeftJustify;
    StatusPanelBevel bevel = pbLowered;
    StatusPanelStyle style = psText;
};

using DrawPanelEvent = Event<Component*, int, HDC, const RECT&>;

class StatusBar : public Control {
public:
    explicit StatusBar(Component* owner);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    const StatusPanel& Panel(int i) const { return panels_[static_cast<size_t>(i)]; }
    void AddPanel(const StatusPanel& p);
    void SetPanelText(int i, const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool s);
    DrawPanelEvent OnDrawPanel;

protected:
    void GetWindowParams(WindowParams& p) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void UpdateParts();
    void UpdatePanel(int i);
    std::vector<StatusPanel> panels_;
    bool sizeGrip_ = true;
};

} // namespace forms
