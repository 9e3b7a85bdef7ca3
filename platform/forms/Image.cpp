#include "Image.h"

namespace forms {

Image::Image(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 105, 105);
}

void Image::SetBitmap(HBITMAP bitmap)
{
    bitmap_.Reset(bitmap);
    Invalidate();
}

void Image::Paint(HDC dc)
{
    if (icon_) {
        int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
        int x = center_ ? (Width() - w) / 2 : 0, y = center_ ? (Height() - h) / 2 : 0;
        DrawIconEx(dc, x, y, icon_, stretch_ ? Width() : w, stretch_ ? Height() : h, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!bitmap_)
        return;
    SIZE s = BitmapSize(bitmap_.Get());
    MemoryDC mem(dc);
    SelectGuard g(mem.Get(), bitmap_.Get());
    if (stretch_) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, Width(), Height(), mem.Get(), 0, 0, s.cx, s.cy, SRCCOPY);
    } else {
        int x = center_ ? (Width() - s.cx) / 2 : 0, y = center_ ? (Height() - s.cy) / 2 : 0;
        BitBlt(dc, x, y, s.cx, s.cy, mem.Get(), 0, 0, SRCCOPY);
    }
}

} // namespace forms
