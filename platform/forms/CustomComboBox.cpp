#include "CustomComboBox.h"

#include <algorithm>

namespace forms {

namespace {
bool SortsBefore(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }
} // namespace

CustomComboBox::CustomComboBox(Component* owner) : Control(owner)
{
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
}

void CustomComboBox::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = "COMBOBOX";
    p.style |= WS_VSCROLL | CBS_DROPDOWNLIST;
    if (style_ == csOwnerDrawFixed)
        p.style |= CBS_OWNERDRAWFIXED;
}

void CustomComboBox::HandleCreated()
{
    // The window's height is the closed box plus the drop-down list.
    SetWindowPos(WindowHandle(), nullptr, 0, 0, Width(), Height() + itemHeight_ * dropDownCount_ + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (style_ == csOwnerDrawFixed) {
        Perform(CB_SETITEMHEIGHT, 0, std::max(1, itemHeight_));
        Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, itemHeight_));
    }
    Reload();
}

void CustomComboBox::Reload()
{
    if (!WindowHandle())
        return;
    Perform(CB_RESETCONTENT, 0, 0);
    for (const std::string& text : items_)
        Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Perform(CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void CustomComboBox::SetStyle(ComboStyle s)
{
    if (s == style_)
        return;
    style_ = s;
    if (WindowHandle())
        RecreateWnd();
}

void CustomComboBox::SetItemHeight(int h)
{
    itemHeight_ = h;
    if (WindowHandle() && style_ == csOwnerDrawFixed) {
        Perform(CB_SETITEMHEIGHT, 0, std::max(1, h));
        Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, h));
    }
}

int CustomComboBox::AddItem(const std::string& text, ULONG_PTR object)
{
    size_t at = items_.size();
    if (sorted_)
        at = static_cast<size_t>(std::upper_bound(items_.begin(), items_.end(), text, SortsBefore) - items_.begin());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), text);
    objects_.insert(objects_.begin() + static_cast<std::ptrdiff_t>(at), object);
    if (itemIndex_ >= static_cast<int>(at))
        ++itemIndex_;
    if (WindowHandle())
        Perform(CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(items_[at].c_str()));
    return static_cast<int>(at);
}

void CustomComboBox::Clear()
{
    items_.clear();
    objects_.clear();
    itemIndex_ = -1;
    Perform(CB_RESETCONTENT, 0, 0);
}

int CustomComboBox::IndexOf(const std::string& text) const
{
    auto it = std::find(items_.begin(), items_.end(), text);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int CustomComboBox::IndexOfIgnoringCase(const std::string& text) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (lstrcmpiA(items_[i].c_str(), text.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

void CustomComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        index = -1;
    itemIndex_ = index;
    Perform(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string CustomComboBox::Text() const
{
    return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string();
}

void CustomComboBox::Click() { Control::Click(); }

void CustomComboBox::Change() { OnChange(this); }

bool CustomComboBox::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wp) == CBN_SELCHANGE) {
            itemIndex_ = static_cast<int>(Perform(CB_GETCURSEL, 0, 0));
            Click();
            Change();
            result = 0;
            return true;
        }
        return false;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        mis->itemHeight = static_cast<UINT>(std::max(1, itemHeight_));
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        const bool selected = (dis->itemState & ODS_SELECTED) != 0;
        HGDIOBJ oldFont = SelectObject(dis->hDC, GetFont().Handle());
        SetTextColor(dis->hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(GetFont().GetColor()));
        SetBkColor(dis->hDC, selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(GetColor()));
        const int index = static_cast<int>(dis->itemID);
        if (index >= 0 && index < Count())
            DrawItem(dis->hDC, index, dis->rcItem, dis->itemState);
        else
            ExtTextOutA(dis->hDC, 0, 0, ETO_OPAQUE, &dis->rcItem, "", 0, nullptr);
        if ((dis->itemState & ODS_FOCUS) && !(dis->itemState & ODS_COMBOBOXEDIT))
            DrawFocusRect(dis->hDC, &dis->rcItem);
        SelectObject(dis->hDC, oldFont);
        result = TRUE;
        return true;
    }
    default:
        (void)wp;
        return false;
    }
}

void CustomComboBox::DrawItem(HDC dc, int index, RECT rect, unsigned)
{
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
    const std::string& text = items_[static_cast<size_t>(index)];
    RECT t{rect.left + 2, rect.top, rect.right, rect.bottom};
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace forms
