// A grid of equal cells drawn by its owner (DrawGrid) or showing a text per cell (StringGrid).
// Fixed rows and columns and scroll bars are not offered: every cell is always in view.
#pragma once

#include "Control.h"

#include <string>
#include <vector>

namespace forms {

enum GridDrawState : unsigned { gdSelected = 1, gdFocused = 2 };

using DrawCellEvent = Event<Component*, int, int, RECT, unsigned>;
using SelectCellEvent = Event<Component*, int, int, bool&>;

class DrawGrid : public Control {
public:
    explicit DrawGrid(Component* owner);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    virtual void SetColCount(int n);
    virtual void SetRowCount(int n);
    int DefaultColWidth() const { return colWidth_; }
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultColWidth(int w) { colWidth_ = w; Invalidate(); }
    void SetDefaultRowHeight(int h) { rowHeight_ = h; Invalidate(); }
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool g) { gridLines_ = g; Invalidate(); }
    int GridLineWidth() const { return gridLines_ ? 1 : 0; }

    int Col() const { return col_; }
    int Row() const { return row_; }
    // Selects a cell as a click would: OnSelectCell may refuse it.
    bool SelectCell(int col, int row);

    RECT CellRect(int col, int row) const;
    // The cell under a point of the client area; false outside every cell.
    bool MouseToCell(int x, int y, int& col, int& row) const;

    // The canvas an OnDrawCell handler draws on (valid only while painting); its font starts
    // as the grid's.
    HDC Canvas() const { return canvas_; }
    DrawCellEvent OnDrawCell;
    SelectCellEvent OnSelectCell;

protected:
    void GetWindowParams(WindowParams& p) override;
    void Paint(HDC dc) override;
    void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void DrawCell(HDC dc, int col, int row, RECT r, unsigned state);

private:
    int colCount_ = 5;
    int rowCount_ = 5;
    int colWidth_ = 64;
    int rowHeight_ = 24;
    bool gridLines_ = true;
    int col_ = 0;
    int row_ = 0;
    HDC canvas_ = nullptr;
};

class StringGrid : public DrawGrid {
public:
    explicit StringGrid(Component* owner) : DrawGrid(owner) { Resize(); }
    void SetColCount(int n) override { DrawGrid::SetColCount(n); Resize(); }
    void SetRowCount(int n) override { DrawGrid::SetRowCount(n); Resize(); }
    const std::string& Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);

protected:
    // Without an OnDrawCell handler the cell's text is drawn as it is (no "&" prefixes).
    void DrawCell(HDC dc, int col, int row, RECT r, unsigned state) override;

private:
    void Resize();
    std::vector<std::string> cells_;
};

} // namespace forms
