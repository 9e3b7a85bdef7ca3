#include "Graphics.h"

namespace forms {

COLORREF ColorToRGB(Color c)
{
    if (c & 0x80000000u)
        return GetSysColor(static_cast<int>(c & 0xFF));
    return c & 0x00FFFFFF;
}

HFONT Font::Handle() const
{
    if (!handle_) {
        LOGFONTA lf = {};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_.Reset(CreateFontIndirectA(&lf));
    }
    return handle_.Get();
}

} // namespace forms

namespace forms {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP bm = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm))
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

namespace {
// A monochrome mask of bitmap part: 1 where the pixel has the transparent colour.
HBITMAP MakeMask(HDC like, HBITMAP bitmap, int srcX, int srcY, int w, int h, COLORREF transparent)
{
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    MemoryDC src(like), dst(like);
    SelectGuard s1(src.Get(), bitmap), s2(dst.Get(), mask);
    SetBkColor(src.Get(), transparent);
    BitBlt(dst.Get(), 0, 0, w, h, src.Get(), srcX, srcY, SRCCOPY);
    return mask;
}
} // namespace

void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int w, int h,
                     COLORREF transparent)
{
    if (!bitmap || w <= 0 || h <= 0)
        return;
    Bitmap mask(MakeMask(dc, bitmap, srcX, srcY, w, h, transparent));
    // The image with its transparent pixels turned black, ready to OR in.
    MemoryDC img(dc), maskDC(dc);
    Bitmap copy(CreateCompatibleBitmap(dc, w, h));
    SelectGuard g1(img.Get(), copy.Get());
    {
        MemoryDC src(dc);
        SelectGuard g(src.Get(), bitmap);
        BitBlt(img.Get(), 0, 0, w, h, src.Get(), srcX, srcY, SRCCOPY);
    }
    SelectGuard g2(maskDC.Get(), mask.Get());
    // The mask's set (transparent) bits become white, the rest black, so that AND NOT keeps
    // the image only where it is not transparent.
    SetBkColor(img.Get(), RGB(255, 255, 255));
    SetTextColor(img.Get(), RGB(0, 0, 0));
    BitBlt(img.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, 0x00220326); // DSna: image AND NOT mask
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, w, h, maskDC.Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, w, h, img.Get(), 0, 0, SRCPAINT);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
}

void DrawEmbossed(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int w, int h,
                  COLORREF transparent)
{
    if (!bitmap || w <= 0 || h <= 0)
        return;
    // Dark pixels of the image form the shape; it is drawn in highlight one pixel down and
    // right, then in shadow in place.
    Bitmap mono(CreateBitmap(w, h, 1, 1, nullptr));
    {
        MemoryDC src(dc), dst(dc);
        SelectGuard s1(src.Get(), bitmap), s2(dst.Get(), mono.Get());
        PatBlt(dst.Get(), 0, 0, w, h, WHITENESS);
        SetBkColor(src.Get(), transparent);
        BitBlt(dst.Get(), 0, 0, w, h, src.Get(), srcX, srcY, SRCCOPY);
        // Light pixels count as background too.
        SetBkColor(src.Get(), RGB(255, 255, 255));
        BitBlt(dst.Get(), 0, 0, w, h, src.Get(), srcX, srcY, SRCPAINT);
    }
    MemoryDC monoDC(dc);
    SelectGuard g(monoDC.Get(), mono.Get());
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    Brush hi(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
    Brush sh(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    {
        SelectGuard b(dc, hi.Get());
        BitBlt(dc, x + 1, y + 1, w, h, monoDC.Get(), 0, 0, 0x00E20746);
    }
    {
        SelectGuard b(dc, sh.Get());
        BitBlt(dc, x, y, w, h, monoDC.Get(), 0, 0, 0x00E20746);
    }
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
}

} // namespace forms
