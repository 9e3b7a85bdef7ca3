#include "DrawGrid.h"

#include <algorithm>

namespace forms {

DrawGrid::DrawGrid(Component* owner) : Control(owner)
{
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
}

void DrawGrid::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void DrawGrid::SetColCount(int n)
{
    colCount_ = std::max(1, n);
    col_ = std::min(col_, colCount_ - 1);
    Invalidate();
}

void DrawGrid::SetRowCount(int n)
{
    rowCount_ = std::max(1, n);
    row_ = std::min(row_, rowCount_ - 1);
    Invalidate();
}

RECT DrawGrid::CellRect(int col, int row) const
{
    const int line = GridLineWidth();
    const int left = col * (colWidth_ + line);
    const int top = row * (rowHeight_ + line);
    return RECT{left, top, left + colWidth_, top + rowHeight_};
}

bool DrawGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    if (x < 0 || y < 0)
        return false;
    const int line = GridLineWidth();
    col = x / (colWidth_ + line);
    row = y / (rowHeight_ + line);
    return col < colCount_ && row < rowCount_;
}

bool DrawGrid::SelectCell(int col, int row)
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return false;
    bool can = true;
    OnSelectCell(this, col, row, can);
    if (!can)
        return false;
    if (HWND w = WindowHandle()) {
        RECT old = CellRect(col_, row_);
        InvalidateRect(w, &old, FALSE);
        RECT now = CellRect(col, row);
        InvalidateRect(w, &now, FALSE);
    }
    col_ = col;
    row_ = row;
    return true;
}

void DrawGrid::MouseDown(MouseButton button, unsigned shift, int x, int y)
{
    SetFocus();
    int c = 0, r = 0;
    if (button == mbLeft && MouseToCell(x, y, c, r))
        SelectCell(c, r);
    Control::MouseDown(button, shift, x, y);
}

LRESULT DrawGrid::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_GETDLGCODE)
        return DLGC_WANTARROWS;
    if (msg == WM_KEYDOWN) {
        int c = col_, r = row_;
        switch (wp) {
        case VK_LEFT: --c; break;
        case VK_RIGHT: ++c; break;
        case VK_UP: --r; break;
        case VK_DOWN: ++r; break;
        default: return Control::WndProc(msg, wp, lp);
        }
        SelectCell(c, r);
        return 0;
    }
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        Invalidate();
    }
    if (msg == WM_RBUTTONDOWN)
        SetFocus();
    return Control::WndProc(msg, wp, lp);
}

void DrawGrid::Paint(HDC dc)
{
    SelectGuard font(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    const bool focused = Focused();
    for (int r = 0; r < rowCount_; ++r) {
        for (int c = 0; c < colCount_; ++c) {
            RECT cell = CellRect(c, r);
            unsigned state = 0;
            if (c == col_ && r == row_)
                state |= gdSelected | (focused ? static_cast<unsigned>(gdFocused) : 0u);
            SetTextColor(dc, ColorToRGB(GetFont().GetColor()));
            canvas_ = dc;
            DrawCell(dc, c, r, cell, state);
            canvas_ = nullptr;
        }
    }
    if (gridLines_) {
        Pen pen(CreatePen(PS_SOLID, 1, ColorToRGB(clSilver)));
        SelectGuard p(dc, pen.Get());
        const int width = colCount_ * (colWidth_ + 1);
        const int height = rowCount_ * (rowHeight_ + 1);
        for (int c = 1; c <= colCount_; ++c) {
            const int x = c * (colWidth_ + 1) - 1;
            MoveToEx(dc, x, 0, nullptr);
            LineTo(dc, x, height);
        }
        for (int r = 1; r <= rowCount_; ++r) {
            const int y = r * (rowHeight_ + 1) - 1;
            MoveToEx(dc, 0, y, nullptr);
            LineTo(dc, width, y);
        }
    }
}

void DrawGrid::DrawCell(HDC dc, int col, int row, RECT r, unsigned state)
{
    if (state & gdFocused) {
        DrawFocusRect(dc, &r);
    }
    OnDrawCell(this, col, row, r, state);
}

void StringGrid::Resize()
{
    cells_.resize(static_cast<size_t>(ColCount()) * static_cast<size_t>(RowCount()));
}

const std::string& StringGrid::Cells(int col, int row) const
{
    static const std::string empty;
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return empty;
    return cells_[static_cast<size_t>(row) * static_cast<size_t>(ColCount()) + static_cast<size_t>(col)];
}

void StringGrid::SetCells(int col, int row, const std::string& text)
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return;
    cells_[static_cast<size_t>(row) * static_cast<size_t>(ColCount()) + static_cast<size_t>(col)] = text;
    if (HWND w = WindowHandle()) {
        RECT r = CellRect(col, row);
        InvalidateRect(w, &r, TRUE);
    }
}

void StringGrid::DrawCell(HDC dc, int col, int row, RECT r, unsigned state)
{
    if (OnDrawCell) {
        DrawGrid::DrawCell(dc, col, row, r, state);
        return;
    }
    if (state & gdSelected) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    // Each byte is drawn as a character (no prefixes; code 0 and control codes are glyphs too).
    const std::string& text = Cells(col, row);
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    ExtTextOutA(dc, r.left + 2, r.top + (r.bottom - r.top - extent.cy) / 2, ETO_CLIPPED, &r, text.data(),
                static_cast<UINT>(text.size()), nullptr);
    if (state & gdFocused)
        DrawFocusRect(dc, &r);
}

} // namespace forms
