#include "Glyphs.h"

#include <Graphics.h>

namespace platterly {
namespace {

const COLORREF kTransparent = RGB(0, 128, 128);

void Poly(HDC dc, const POINT* pts, int n, COLORREF c)
{
    forms::Pen p(CreatePen(PS_SOLID, 1, c));
    forms::Brush b(CreateSolidBrush(c));
    forms::SelectGuard pg(dc, p.Get()), bg(dc, b.Get());
    Polygon(dc, pts, n);
}

void Box(HDC dc, int l, int t, int r, int b, COLORREF c)
{
    forms::Brush br(CreateSolidBrush(c));
    RECT rc{l, t, r, b};
    FillRect(dc, &rc, br.Get());
}

void DrawKind(HDC dc, int ox, GlyphKind kind, COLORREF c)
{
    switch (kind) {
    case GlyphKind::Add:
        Box(dc, ox + 7, 3, ox + 9, 13, c); Box(dc, ox + 3, 7, ox + 13, 9, c); break;
    case GlyphKind::AddAll:
        Box(dc, ox + 4, 2, ox + 6, 10, c); Box(dc, ox + 1, 5, ox + 9, 7, c);
        Box(dc, ox + 10, 6, ox + 12, 14, c); Box(dc, ox + 7, 9, ox + 15, 11, c); break;
    case GlyphKind::Remove:
        Box(dc, ox + 3, 7, ox + 13, 9, c); break;
    case GlyphKind::RemoveAll:
        for (int i = 0; i < 9; ++i) {
            Box(dc, ox + 3 + i, 3 + i, ox + 5 + i, 5 + i, c);
            Box(dc, ox + 11 - i, 3 + i, ox + 13 - i, 5 + i, c);
        }
        break;
    case GlyphKind::Play:
    case GlyphKind::Resume: {
        POINT t[] = {{ox + 4, 2}, {ox + 12, 8}, {ox + 4, 14}};
        Poly(dc, t, 3, c);
        break;
    }
    case GlyphKind::Pause:
        Box(dc, ox + 4, 3, ox + 7, 13, c); Box(dc, ox + 9, 3, ox + 12, 13, c); break;
    case GlyphKind::Skip: {
        POINT t[] = {{ox + 3, 3}, {ox + 10, 8}, {ox + 3, 13}};
        Poly(dc, t, 3, c);
        Box(dc, ox + 11, 3, ox + 13, 13, c);
        break;
    }
    case GlyphKind::Stop:
        Box(dc, ox + 4, 4, ox + 12, 12, c); break;
    case GlyphKind::Author:
        Box(dc, ox + 6, 2, ox + 10, 6, c); Box(dc, ox + 4, 8, ox + 12, 14, c); break;
    case GlyphKind::Ok:
        for (int i = 0; i < 4; ++i) Box(dc, ox + 3 + i, 8 + i, ox + 5 + i, 10 + i, c);
        for (int i = 0; i < 7; ++i) Box(dc, ox + 7 + i, 10 - i, ox + 9 + i, 12 - i, c);
        break;
    }
}

COLORREF KindColor(GlyphKind k)
{
    switch (k) {
    case GlyphKind::Add: case GlyphKind::AddAll: case GlyphKind::Play: case GlyphKind::Resume:
    case GlyphKind::Ok: return RGB(0, 128, 0);
    case GlyphKind::Remove: case GlyphKind::RemoveAll: case GlyphKind::Stop: return RGB(192, 0, 0);
    default: return RGB(0, 0, 160);
    }
}

} // namespace

HBITMAP MakeGlyph(GlyphKind kind)
{
    forms::WindowDC screen(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen.Get(), 32, 16);
    forms::MemoryDC dc(screen.Get());
    forms::SelectGuard g(dc.Get(), bmp);
    Box(dc.Get(), 0, 0, 32, 16, kTransparent);
    DrawKind(dc.Get(), 0, kind, KindColor(kind));
    DrawKind(dc.Get(), 17, kind, RGB(255, 255, 255));
    DrawKind(dc.Get(), 16, kind, RGB(128, 128, 128));
    return bmp;
}

HBITMAP MakeLogo(int size)
{
    forms::WindowDC screen(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen.Get(), size, size);
    forms::MemoryDC dc(screen.Get());
    forms::SelectGuard g(dc.Get(), bmp);
    Box(dc.Get(), 0, 0, size, size, GetSysColor(COLOR_BTNFACE));
    // A disc with a note on it.
    forms::Brush disc(CreateSolidBrush(RGB(32, 32, 32)));
    forms::Pen none(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    {
        forms::SelectGuard bg(dc.Get(), disc.Get()), pg(dc.Get(), none.Get());
        Ellipse(dc.Get(), 0, 0, size, size);
    }
    int s = size / 8;
    Box(dc.Get(), 4 * s, 2 * s, 4 * s + 2, 5 * s + 2, RGB(255, 220, 0));
    Box(dc.Get(), 4 * s, 2 * s, 6 * s, 2 * s + 3, RGB(255, 220, 0));
    forms::Brush head(CreateSolidBrush(RGB(255, 220, 0)));
    forms::SelectGuard bg(dc.Get(), head.Get());
    Ellipse(dc.Get(), 2 * s, 5 * s - 1, 4 * s + 2, 6 * s + 3);
    return bmp;
}

HICON MakeProgramIcon()
{
    const int size = 32;
    HBITMAP color = MakeLogo(size);
    forms::WindowDC screen(nullptr);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    {
        forms::MemoryDC dc(screen.Get());
        forms::SelectGuard g(dc.Get(), mask);
        PatBlt(dc.Get(), 0, 0, size, size, WHITENESS);
        forms::Brush black(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        forms::SelectGuard bg(dc.Get(), GetStockObject(BLACK_BRUSH));
        forms::SelectGuard pg(dc.Get(), GetStockObject(BLACK_PEN));
        Ellipse(dc.Get(), 0, 0, size, size);
        black.Release();
    }
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmMask = mask;
    ii.hbmColor = color;
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

} // namespace platterly
