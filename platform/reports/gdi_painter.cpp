#include "reports/gdi_painter.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "reports/text_placement.h"

namespace reports {

namespace {

int Scale(int units, double scale) { return static_cast<int>(std::lround(units * scale)); }

// The font's nominal height in device pixels at the placement's scale.
int AskedPixels(const FontSpec& font, double scaleY) {
    const double pixels = font.sizePoints * static_cast<double>(kUnitsPerInch) / 72.0 * scaleY;
    return std::max(1, static_cast<int>(std::lround(pixels)));
}

HFONT MakeFont(const FontSpec& font, int pixels) {
    return CreateFontA(-pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic ? TRUE : FALSE,
                       FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
}

int PenPixels(int penWidth, double scale) { return std::max(1, Scale(penWidth, scale)); }

// A bitmap face that the system scaled by a whole factor to reach a cell height: its glyphs come
// out unscaled and spread apart (under Wine). Answers the face at its own size and the factor,
// or nothing when the cell height is one of the face's own.
HFONT UnscaledBitmapFace(HDC dc, const FontSpec& spec, int cellHeight, int& factor) {
    for (int k = cellHeight; k >= 2; --k) {
        if (cellHeight % k != 0) continue;
        const int own = cellHeight / k;
        HFONT candidate = CreateFontA(own, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic ? TRUE : FALSE,
                                      FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, spec.name.c_str());
        HGDIOBJ old = SelectObject(dc, candidate);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        if (metrics.tmHeight == own) {
            factor = k;
            return candidate;
        }
        DeleteObject(candidate);
    }
    return nullptr;
}

// Text drawn with `font` into a bitmap, then stretched by `scale` onto the device: a face the
// system gives larger than asked (a bitmap face below its smallest size) shrunk to the size the
// layout counted with, a scaled bitmap face drawn from its own size. White is left as it was
// (the text is ANDed on), so only the letters mark the page.
void PaintStretched(HDC dc, const TextRun& run, HFONT font, double scale, int x, int cellTop) {
    HGDIOBJ oldDcFont = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, run.text.data(), static_cast<int>(run.text.size()), &extent);
    SelectObject(dc, oldDcFont);
    const int width = std::max<int>(1, extent.cx);
    const int height = std::max<int>(1, metrics.tmHeight);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont = SelectObject(memory, font);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, run.font.color);
    ExtTextOutA(memory, 0, 0, 0, nullptr, run.text.data(), static_cast<UINT>(run.text.size()), nullptr);
    SelectObject(memory, oldFont);
    const int mode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, x, cellTop, std::max(1, static_cast<int>(std::lround(width * scale))),
               std::max(1, static_cast<int>(std::lround(height * scale))), memory, 0, 0, width, height, SRCAND);
    SetStretchBltMode(dc, mode);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void Paint(HDC dc, const TextRun& run, const PagePlacement& at) {
    const int asked = AskedPixels(run.font, at.scaleY);
    HFONT font = MakeFont(run.font, asked);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, run.font.color);
    RECT box{at.originX + Scale(run.box.left, at.scaleX), at.originY + Scale(run.box.top, at.scaleY),
             at.originX + Scale(run.box.right, at.scaleX), at.originY + Scale(run.box.bottom, at.scaleY)};
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, run.text.data(), static_cast<int>(run.text.size()), &extent);
    // TMPF_VECTOR clear: a bitmap face.
    const bool bitmapFace = (metrics.tmPitchAndFamily & TMPF_VECTOR) == 0;
    const double shrink = ShrinkFactor(asked, metrics.tmHeight - metrics.tmInternalLeading, bitmapFace);
    auto shrunk = [shrink](LONG pixels) { return static_cast<int>(std::lround(pixels * shrink)); };
    const FontCell cell{shrunk(metrics.tmHeight), shrunk(metrics.tmAscent), shrunk(metrics.tmDescent),
                        shrunk(metrics.tmInternalLeading)};
    const int width = shrunk(extent.cx);
    int x = box.left;
    if (run.alignment == Alignment::Center) x = (box.left + box.right - width) / 2;
    if (run.alignment == Alignment::Right) x = box.right - width;
    const int baseline = BaselineInBox(box.top, box.bottom - box.top, cell);
    const int saved = SaveDC(dc);
    if (run.clip) IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    int factor = 1;
    HFONT own = bitmapFace ? UnscaledBitmapFace(dc, run.font, metrics.tmHeight, factor) : nullptr;
    if (own) {
        PaintStretched(dc, run, own, shrink * factor, x, baseline - cell.ascent);
        DeleteObject(own);
    } else if (shrink < 1.0) {
        PaintStretched(dc, run, font, shrink, x, baseline - cell.ascent);
    } else {
        // ExtTextOut draws every byte as a character: no prefixes, and control codes (even 0)
        // are glyphs of the font rather than line ends.
        SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
        ExtTextOutA(dc, x, baseline, 0, nullptr, run.text.data(), static_cast<UINT>(run.text.size()), nullptr);
    }
    RestoreDC(dc, saved);
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
