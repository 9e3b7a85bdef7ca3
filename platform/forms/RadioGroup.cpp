#include "RadioGroup.h"

#include "TabOrder.h"

#include <algorithm>

namespace forms {

namespace {
constexpr UINT kFirstButtonId = 100;
}

RadioGroup::RadioGroup(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 185, 105);
    SetTabStop(true);
}

RadioGroup::~RadioGroup()
{
    for (HWND b : buttons_)
        DestroyWindow(b);
}

void RadioGroup::SetItems(const std::vector<std::string>& items)
{
    items_ = items;
    if (itemIndex_ >= static_cast<int>(items_.size()))
        itemIndex_ = -1;
    MakeButtons();
}

void RadioGroup::SetColumns(int c)
{
    columns_ = c < 1 ? 1 : c;
    PlaceButtons();
}

void RadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    itemIndex_ = index;
    for (size_t i = 0; i < buttons_.size(); ++i)
        SendMessageA(buttons_[i], BM_SETCHECK, static_cast<int>(i) == itemIndex_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

HWND RadioGroup::FocusWindow()
{
    if (buttons_.empty())
        return WindowHandle();
    return buttons_[itemIndex_ >= 0 && itemIndex_ < static_cast<int>(buttons_.size()) ? static_cast<size_t>(itemIndex_) : 0];
}

void RadioGroup::ArrowKey(HWND from, bool forward)
{
    auto at = std::find(buttons_.begin(), buttons_.end(), from);
    const int current = at == buttons_.end() ? itemIndex_ : static_cast<int>(at - buttons_.begin());
    const int next = NextRadioButton(static_cast<int>(buttons_.size()), current, forward);
    if (next < 0)
        return;
    ::SetFocus(buttons_[static_cast<size_t>(next)]);
    if (next != itemIndex_) {
        SetItemIndex(next);
        Click();
    }
}

void RadioGroup::HandleCreated() { MakeButtons(); }

void RadioGroup::MakeButtons()
{
    HWND w = WindowHandle();
    if (!w)
        return;
    for (HWND b : buttons_)
        DestroyWindow(b);
    buttons_.clear();
    for (size_t i = 0; i < items_.size(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
        HWND b = CreateWindowExA(0, "BUTTON", items_[i].c_str(), style, 0, 0, 10, 10, w,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kFirstButtonId + i)),
                                 GetModuleHandleA(nullptr), nullptr);
        SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
        buttons_.push_back(b);
    }
    PlaceButtons();
    SetItemIndex(itemIndex_);
}

void RadioGroup::PlaceButtons()
{
    if (buttons_.empty())
        return;
    const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
    const int top = 16;
    const int innerWidth = Width() - 16;
    const int innerHeight = Height() - top - 4;
    const int colWidth = innerWidth / columns_;
    const int rowHeight = rows > 0 ? innerHeight / rows : innerHeight;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const int col = static_cast<int>(i) / rows;
        const int row = static_cast<int>(i) % rows;
        MoveWindow(buttons_[i], 8 + col * colWidth, top + row * rowHeight + (rowHeight - 17) / 2, colWidth - 4,
                   17, TRUE);
    }
}

void RadioGroup::Resized()
{
    PlaceButtons();
    Control::Resized();
}

void RadioGroup::FontChanged()
{
    Control::FontChanged();
    for (HWND b : buttons_)
        SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), TRUE);
}

void RadioGroup::Paint(HDC dc)
{
    SelectGuard font(dc, GetFont().Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT frame{0, tm.tmHeight / 2, Width(), Height()};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!Caption().empty()) {
        SetBkColor(dc, ColorToRGB(GetColor()));
        SetTextColor(dc, ColorToRGB(GetFont().GetColor()));
        SetBkMode(dc, OPAQUE);
        RECT text{8, 0, Width() - 8, tm.tmHeight};
        DrawTextA(dc, Caption().c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        DrawTextA(dc, Caption().c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX);
    }
}

LRESULT RadioGroup::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED && LOWORD(wp) >= kFirstButtonId &&
        LOWORD(wp) < kFirstButtonId + buttons_.size()) {
        const int index = static_cast<int>(LOWORD(wp) - kFirstButtonId);
        if (index != itemIndex_) {
            SetItemIndex(index);
            Click();
        }
        return 0;
    }
    if (msg == WM_SETFOCUS && !buttons_.empty()) {
        // The group's own window hands the focus on to its button.
        Control::WndProc(msg, wp, lp);
        ::SetFocus(FocusWindow());
        return 0;
    }
    if (msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wp);
        return reinterpret_cast<LRESULT>(ControlColor(dc));
    }
    return Control::WndProc(msg, wp, lp);
}

} // namespace forms
