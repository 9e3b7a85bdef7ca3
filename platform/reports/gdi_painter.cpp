#include "reports/gdi_painter.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace reports {

namespace {

int Scale(int units, double scale) { return static_cast<int>(std::lround(units * scale)); }

HFONT MakeFont(const FontSpec& font, double scaleY) {
    const double pixels = font.sizePoints * static_cast<double>(kUnitsPerInch) / 72.0 * scaleY;
    const int height = -std::max(1, static_cast<int>(std::lround(pixels)));
    return CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic ? TRUE : FALSE,
                       FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
}

int PenPixels(int penWidth, double scale) { return std::max(1, Scale(penWidth, scale)); }

void Paint(HDC dc, const TextRun& run, const PagePlacement& at) {
    HFONT font = MakeFont(run.font, at.scaleY);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, run.font.color);
    RECT box{at.originX + Scale(run.box.left, at.scaleX), at.originY + Scale(run.box.top, at.scaleY),
             at.originX + Scale(run.box.right, at.scaleX), at.originY + Scale(run.box.bottom, at.scaleY)};
    // ExtTextOut draws every byte as a character: no prefixes, and control codes (even 0) are
    // glyphs of the font rather than line ends.
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, run.text.data(), static_cast<int>(run.text.size()), &extent);
    int x = box.left;
    if (run.alignment == Alignment::Center) x = (box.left + box.right - extent.cx) / 2;
    if (run.alignment == Alignment::Right) x = box.right - extent.cx;
    ExtTextOutA(dc, x, box.top, run.clip ? ETO_CLIPPED : 0, &box, run.text.data(), static_cast<UINT>(run.text.size()),
                nullptr);
    SelectObject(dc, old);
    DeleteObject(font);
}

void Paint(HDC dc, const BoxShape& shape, const PagePlacement& at) {
    HPEN pen = CreatePen(PS_SOLID, PenPixels(shape.penWidth, at.scaleX), RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, at.originX + Scale(shape.box.left, at.scaleX), at.originY + Scale(shape.box.top, at.scaleY),
              at.originX + Scale(shape.box.right, at.scaleX), at.originY + Scale(shape.box.bottom, at.scaleY));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void Paint(HDC dc, const LineShape& line, const PagePlacement& at) {
    HPEN pen = CreatePen(PS_SOLID, PenPixels(line.penWidth, at.scaleY), RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, at.originX + Scale(line.x1, at.scaleX), at.originY + Scale(line.y1, at.scaleY), nullptr);
    LineTo(dc, at.originX + Scale(line.x2, at.scaleX), at.originY + Scale(line.y2, at.scaleY));
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

}  // namespace

PagePlacement DevicePlacement(HDC dc) {
    PagePlacement at;
    at.scaleX = GetDeviceCaps(dc, LOGPIXELSX) / static_cast<double>(kUnitsPerInch);
    at.scaleY = GetDeviceCaps(dc, LOGPIXELSY) / static_cast<double>(kUnitsPerInch);
    at.originX = -GetDeviceCaps(dc, PHYSICALOFFSETX);
    at.originY = -GetDeviceCaps(dc, PHYSICALOFFSETY);
    return at;
}

void PaintPage(HDC dc, const Page& page, const PagePlacement& placement) {
    const int savedBk = SetBkMode(dc, TRANSPARENT);
    for (const auto& item : page.items)
        std::visit([&](const auto& shape) { Paint(dc, shape, placement); }, item);
    SetBkMode(dc, savedBk);
}

}  // namespace reports
