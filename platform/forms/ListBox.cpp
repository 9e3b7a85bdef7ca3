#include "ListBox.h"

#include "DragManager.h"

#include <algorithm>

namespace forms {
namespace {
bool LessNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }
}

ListBox::ListBox(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

void ListBox::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = "LISTBOX";
    p.style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    p.exStyle |= WS_EX_CLIENTEDGE;
    if (multiSelect_)
        p.style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (sorted_)
        p.style |= LBS_SORT;
    if (style_ == lbOwnerDrawFixed)
        p.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    else if (style_ == lbOwnerDrawVariable)
        p.style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
}

void ListBox::HandleCreated()
{
    HWND w = WindowHandle();
    if (style_ != lbOwnerDrawVariable)
        SendMessageA(w, LB_SETITEMHEIGHT, 0, itemHeight_);
    for (const std::string& s : items_)
        SendMessageA(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

int ListBox::Add(const std::string& s)
{
    if (HWND w = WindowHandle()) {
        int index = static_cast<int>(SendMessageA(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())));
        if (index < 0)
            throw Exception("The list is full");
        items_.insert(items_.begin() + index, s);
        return index;
    }
    if (sorted_) {
        auto it = std::upper_bound(items_.begin(), items_.end(), s, LessNoCase);
        return static_cast<int>(items_.insert(it, s) - items_.begin());
    }
    items_.push_back(s);
    return Count() - 1;
}

void ListBox::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count())
        throw Exception("List index out of bounds");
    if (HWND w = WindowHandle())
        SendMessageA(w, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    items_.insert(items_.begin() + index, s);
}

void ListBox::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw Exception("List index out of bounds");
    if (HWND w = WindowHandle())
        SendMessageA(w, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    items_.erase(items_.begin() + index);
}

void ListBox::Clear()
{
    if (HWND w = WindowHandle())
        SendMessageA(w, LB_RESETCONTENT, 0, 0);
    items_.clear();
}

void ListBox::SetItems(const std::vector<std::string>& items)
{
    HWND w = WindowHandle();
    if (w)
        SendMessageA(w, WM_SETREDRAW, FALSE, 0);
    Clear();
    for (const std::string& s : items)
        Add(s);
    if (w) {
        SendMessageA(w, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(w, nullptr, TRUE);
    }
}

void ListBox::RecreateKeepingSelection()
{
    if (!WindowHandle())
        return;
    std::vector<int> selected;
    for (int i = 0; i < Count(); ++i)
        if (Selected(i))
            selected.push_back(i);
    RecreateWnd();
    for (int i : selected)
        SetSelected(i, true);
}

void ListBox::SetMultiSelect(bool m)
{
    if (m == multiSelect_) return;
    multiSelect_ = m;
    RecreateKeepingSelection();
}

void ListBox::SetExtendedSelect(bool e)
{
    if (e == extendedSelect_) return;
    extendedSelect_ = e;
    RecreateKeepingSelection();
}

void ListBox::SetSorted(bool s)
{
    if (s == sorted_) return;
    sorted_ = s;
    if (s)
        std::stable_sort(items_.begin(), items_.end(), LessNoCase);
    RecreateKeepingSelection();
}

void ListBox::SetStyle(ListBoxStyle s)
{
    if (s == style_) return;
    style_ = s;
    RecreateKeepingSelection();
}

void ListBox::SetItemHeight(int h)
{
    itemHeight_ = h;
    if (HWND w = WindowHandle()) {
        SendMessageA(w, LB_SETITEMHEIGHT, 0, h);
        Invalidate();
    }
}

bool ListBox::Selected(int i) const
{
    HWND w = WindowHandle();
    if (!w || i < 0 || i >= Count())
        return false;
    if (multiSelect_)
        return SendMessageA(w, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
    return SendMessageA(w, LB_GETCURSEL, 0, 0) == i;
}

void ListBox::SetSelected(int i, bool s)
{
    HWND w = Handle();
    if (i < 0 || i >= Count())
        throw Exception("List index out of bounds");
    if (multiSelect_)
        SendMessageA(w, LB_SETSEL, s, i);
    else if (s)
        SendMessageA(w, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    else if (Selected(i))
        SendMessageA(w, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int ListBox::SelCount() const
{
    HWND w = WindowHandle();
    if (!w)
        return 0;
    if (multiSelect_)
        return static_cast<int>(SendMessageA(w, LB_GETSELCOUNT, 0, 0));
    return SendMessageA(w, LB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
}

int ListBox::ItemIndex() const
{
    HWND w = WindowHandle();
    if (!w)
        return -1;
    if (multiSelect_)
        return static_cast<int>(SendMessageA(w, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageA(w, LB_GETCURSEL, 0, 0));
}

void ListBox::SetItemIndex(int i)
{
    HWND w = Handle();
    if (multiSelect_)
        SendMessageA(w, LB_SETCARETINDEX, static_cast<WPARAM>(i), FALSE);
    else
        SendMessageA(w, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

int ListBox::TopIndex() const
{
    HWND w = WindowHandle();
    return w ? static_cast<int>(SendMessageA(w, LB_GETTOPINDEX, 0, 0)) : 0;
}

void ListBox::SetTopIndex(int i)
{
    SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(i), 0);
}

int ListBox::ItemAtPos(POINT p, bool existing) const
{
    HWND w = WindowHandle();
    if (!w)
        return -1;
    RECT client;
    GetClientRect(w, &client);
    if (!PtInRect(&client, p))
        return existing ? -1 : Count();
    LRESULT r = SendMessageA(w, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    int index = LOWORD(r);
    if (HIWORD(r) || index >= Count())
        return existing ? -1 : Count();
    return index;
}

RECT ListBox::ItemRect(int i) const
{
    RECT r{0, 0, 0, 0};
    if (HWND w = WindowHandle())
        SendMessageA(w, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

void ListBox::DrawItem(int index, HDC dc, const RECT& rect, unsigned state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, dc, rect, state);
        return;
    }
    Brush b(CreateSolidBrush(GetSysColor((state & odSelected) ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
    FillRect(dc, &rect, b.Get());
    if (index < 0 || index >= Count())
        return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor((state & odSelected) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT r = rect;
    r.left += 2;
    DrawTextA(dc, Items(index).c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void ListBox::MeasureItem(int index, int& height)
{
    OnMeasureItem(this, index, height);
}

bool ListBox::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wp) == LBN_SELCHANGE) {
            Click();
            return true;
        }
        if (HIWORD(wp) == LBN_DBLCLK) {
            DblClick();
            return true;
        }
        return false;
    case WM_DRAWITEM: {
        auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        unsigned state = 0;
        if (dis.itemState & ODS_SELECTED) state |= odSelected;
        if (dis.itemState & ODS_FOCUS) state |= odFocused;
        if (dis.itemState & ODS_DISABLED) state |= odDisabled;
        SelectGuard g(dis.hDC, GetFont().Handle());
        if (dis.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
            DrawItem(static_cast<int>(dis.itemID), dis.hDC, dis.rcItem, state);
            if (dis.itemState & ODS_FOCUS)
                DrawFocusRect(dis.hDC, &dis.rcItem);
        } else if (dis.itemAction & ODA_FOCUS) {
            DrawFocusRect(dis.hDC, &dis.rcItem);
        }
        result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto& mis = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        int h = itemHeight_;
        MeasureItem(static_cast<int>(mis.itemID), h);
        mis.itemHeight = static_cast<UINT>(h);
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

LRESULT ListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    // With automatic dragging from a multi-select list, pressing on a selected item starts the
    // drag and keeps the selection (otherwise the press would select that item alone).
    if (msg == WM_LBUTTONDOWN && GetDragMode() == dmAutomatic && multiSelect_ &&
        !(wp & (MK_SHIFT | MK_CONTROL))) {
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        int i = ItemAtPos(p, true);
        if (i >= 0 && Selected(i)) {
            ::SetFocus(WindowHandle());
            POINT start = p;
            ::ClientToScreen(WindowHandle(), &start);
            DragManager::Instance().BeginDragAt(this, false, start);
            MouseDown(mbLeft, ShiftFromKeys(wp), p.x, p.y);
            return 0;
        }
    }
    return Control::WndProc(msg, wp, lp);
}

} // namespace forms
