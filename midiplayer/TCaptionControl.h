// TCaptionControl: takes over its form's window procedure and paints the title bar itself: a
// gradient from black to the caption colour, the icon, the title-bar buttons, its own caption
// buttons and the caption text.
#pragma once

#include "core/CaptionMath.h"

#include <Component.h>
#include <Event.h>
#include <Form.h>
#include <Menu.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace platterly {

class ECaptionError : public forms::Exception {
public:
    using forms::Exception::Exception;
};

enum class TCaptionGradient { cgNone, cgActive, cgAlways };
enum class TDirection { dirLeft, dirRight };
enum class TCaptionButtonKind {
    cbkCustom, cbkOk, cbkRollUp, cbkRollDown, cbkDocument, cbkFolder, cbkWindow, cbkMail,
    cbkDownArrow, cbkUpArrow, cbkLeftArrow, cbkRightArrow, cbkMore, cbkFlag, cbkCool
};

struct TCaptionButton {
    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    bool Pushed = false;
    TCaptionButtonKind Kind = TCaptionButtonKind::cbkCustom;
};

class TCaptionButtonsList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TCaptionButton* Items(int i) const { return i >= 0 && i < Count() ? items_[static_cast<size_t>(i)].get() : nullptr; }
    void Add(const TCaptionButton& b) { items_.push_back(std::make_unique<TCaptionButton>(b)); }
    void Delete(int i) { if (i >= 0 && i < Count()) items_.erase(items_.begin() + i); }
    void Clear() { while (Count()) Delete(0); }

private:
    std::vector<std::unique_ptr<TCaptionButton>> items_;
};

using TDrawCaptionEvent = forms::Event<forms::Component*, std::string&, HDC, const RECT&, bool&>;
using TCaptionButtonDrawEvent = forms::Event<forms::Component*, int, bool&>;
using TCaptionButtonClickEvent = forms::Event<forms::Component*, int, bool&>;

class TCaptionControl : public forms::Component {
public:
    explicit TCaptionControl(forms::Component* owner);
    ~TCaptionControl() override;

    TCaptionGradient CaptionGradient() const { return gradient_; }
    void SetCaptionGradient(TCaptionGradient g);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool s);
    TDirection CaptionDirection() const { return captionDirection_; }
    void SetCaptionDirection(TDirection d);
    TDirection ButtonsDirection() const { return buttonsDirection_; }
    void SetButtonsDirection(TDirection d);
    TDirection WindowDirection() const { return windowDirection_; }
    void SetWindowDirection(TDirection d);
    bool RtlReading() const { return rtlReading_; }
    void SetRtlReading(bool r);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    TCaptionButtonsList& Buttons() { return buttons_; }
    forms::PopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(forms::PopupMenu* m) { popupMenu_ = m; }

    TDrawCaptionEvent OnDrawCaption;
    TCaptionButtonDrawEvent OnButtonDraw;
    TCaptionButtonClickEvent OnButtonClick;

    // The caption rectangle in window coordinates (empty for a borderless form).
    RECT CaptionRect() const;
    void Notification(forms::Component* removed) override;

private:
    static LRESULT CALLBACK HookProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Previous(UINT msg, WPARAM wp, LPARAM lp);
    void BuildColors();
    void RedrawFrame();
    RECT PaintCaption(HDC windowDC);
    void DrawButtonFace(HDC dc, const TCaptionButton& b, RECT face);
    int HitTest(POINT windowPoint) const;
    void SetExStyle(DWORD bit, bool on);
    void Unhook();
    void FormDestroy(forms::Component* sender);

    forms::Form* form_;
    HWND hooked_ = nullptr;
    WNDPROC previous_ = nullptr;
    forms::NotifyEvent previousOnDestroy_;
    std::array<std::array<Rgb, 64>, 2> colors_{};
    TCaptionGradient gradient_ = TCaptionGradient::cgNone;
    bool showButtons_ = false;
    TDirection captionDirection_ = TDirection::dirLeft;
    TDirection buttonsDirection_ = TDirection::dirRight;
    TDirection windowDirection_ = TDirection::dirLeft;
    bool rtlReading_ = false;
    bool enabled_ = false;
    bool active_ = false;
    bool maximized_ = false;
    int pressedIndex_ = -1;
    bool pressedLook_ = false;
    bool rightButton_ = false;
    int buttonWidth_ = 0;
    int firstButtonX_ = 0;
    forms::FontHandle captionFont_;
    TCaptionButtonsList buttons_;
    forms::PopupMenu* popupMenu_ = nullptr;
};

} // namespace platterly
