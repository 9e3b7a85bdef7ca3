// TOfficeButton: a flat toolbar button that shows its frame only under the pointer, drops a
// popup menu from its lower edge, shows its glyph in colour, greyed or disabled form, and can be
// one of a group of exclusive toggle buttons.
#pragma once

#include "core/ButtonLayout.h"

#include <Control.h>
#include <Menu.h>

namespace platterly {

enum TExplorerButtonOption : unsigned { boMonoDisplay = 1, boIconOnly = 2, boPopupMark = 4, boShowBevel = 8 };
enum class TExplorerButtonShadingType { stLight, stMedium, stDark };
enum class TBevelStyle { bsLowered, bsRaised };

class TOfficeButton : public forms::Control {
public:
    explicit TOfficeButton(forms::Component* owner);
    ~TOfficeButton() override;

    TextAlign Alignment() const { return alignment_; }
    void SetAlignment(TextAlign a) { alignment_ = a; Invalidate(); }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool a);
    TBevelStyle BevelStyle() const { return bevelStyle_; }
    void SetBevelStyle(TBevelStyle b) { bevelStyle_ = b; Invalidate(); }
    // The bitmaps are taken over by the button.
    void SetBitmap(HBITMAP b);
    void SetNoFocusBitmap(HBITMAP b);
    void SetDisabledBitmap(HBITMAP b);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int g);
    bool Down() const { return down_; }
    void SetDown(bool d);
    forms::PopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(forms::PopupMenu* m);
    GlyphLayout Layout() const { return layout_; }
    void SetLayout(GlyphLayout l) { if (l != layout_) { layout_ = l; Invalidate(); } }
    unsigned Options() const { return options_; }
    void SetOptions(unsigned o);
    TExplorerButtonShadingType ShadingType() const { return shadingType_; }
    void SetShadingType(TExplorerButtonShadingType s);
    bool ShowDownPattern() const { return showDownPattern_; }
    void SetShowDownPattern(bool s) { if (s != showDownPattern_) { showDownPattern_ = s; Invalidate(); } }
    forms::Color UnselectedFontColor() const { return unselectedFontColor_; }
    void SetUnselectedFontColor(forms::Color c) { if (c != unselectedFontColor_) { unselectedFontColor_ = c; Invalidate(); } }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool w) { if (w != wordWrap_) { wordWrap_ = w; Invalidate(); } }
    void SetCaption(const std::string& text) override;
    void SetEnabled(bool e) override;

    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }

    forms::NotifyEvent OnEnter;
    forms::NotifyEvent OnExit;

    bool DialogChar(char ch) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Notification(forms::Component* removed) override;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Paint(HDC dc) override;
    void EraseBackground(HDC) override {}

private:
    void LeftDown();
    void LeftUp();
    bool CursorOver();
    void MakeGreyed();
    void ForEachInGroup(void (*fn)(TOfficeButton*, TOfficeButton*), TOfficeButton* self);

    TextAlign alignment_ = TextAlign::taCenter;
    bool allowAllUp_ = false;
    TBevelStyle bevelStyle_ = TBevelStyle::bsRaised;
    forms::Bitmap bitmap_, noFocusBitmap_, disabledBitmap_, greyed_;
    int groupIndex_ = 0;
    bool down_ = false;
    forms::PopupMenu* dropDownMenu_ = nullptr;
    GlyphLayout layout_ = GlyphLayout::blBitmapTop;
    unsigned options_ = boMonoDisplay | boPopupMark | boShowBevel;
    TExplorerButtonShadingType shadingType_ = TExplorerButtonShadingType::stMedium;
    bool showDownPattern_ = true;
    forms::Color unselectedFontColor_ = forms::clWindowText;
    bool wordWrap_ = false;
    bool hot_ = false;
    bool pressed_ = false;
};

} // namespace platterly
