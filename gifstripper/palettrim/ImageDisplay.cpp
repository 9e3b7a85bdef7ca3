#include "ImageDisplay.h"

#include <vector>

namespace {

// Plots into the 32-bit pixels of a top-down DIB section.
class DibTarget : public PixelTarget {
public:
    DibTarget(uint32_t* bits, int width, int height) : bits_(bits), width_(width), height_(height) {}
    void setPixel(int x, int y, uint32_t colour) override
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return;
        // The DIB holds blue in the low byte; the table's colours hold red there.
        bits_[size_t(y) * size_t(width_) + size_t(x)] =
            ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    }

    void setRow(int y, const uint8_t* indices, int width, const uint32_t* colours,
                size_t count) override
    {
        if (y < 0 || y >= height_)
            return;
        uint32_t* row = bits_ + size_t(y) * size_t(width_);
        for (int x = 0; x < width && x < width_; ++x) {
            if (indices[x] < count) {
                uint32_t c = colours[indices[x]];
                row[x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
            }
        }
    }

private:
    uint32_t* bits_;
    int width_;
    int height_;
};

HPALETTE paletteOf(const ColorTable& table)
{
    int count = table.entryCount();
    if (count <= 0)
        return nullptr;
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * size_t(count));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = WORD(count);
    for (int i = 0; i < count; ++i) {
        uint32_t c = table.colours[size_t(i)];
        logical->palPalEntry[i] = {ColorTable::red(c), ColorTable::green(c), ColorTable::blue(c), 0};
    }
    return CreatePalette(logical);
}

} // namespace

ImageDisplay::~ImageDisplay() { destroy(); }

void ImageDisplay::destroy()
{
    if (memory_) {
        SelectObject(memory_, originalBitmap_);
        DeleteDC(memory_);
        memory_ = nullptr;
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = nullptr;
    if (palette_)
        DeleteObject(palette_);
    palette_ = nullptr;
}

void ImageDisplay::show(HWND window, GifFile& gif)
{
    auto rect = gif.firstImageRect();
    if (!rect)
        return;
    if (!memory_) {
        HDC windowDc = GetDC(window);
        memory_ = CreateCompatibleDC(windowDc);
        ReleaseDC(window, windowDc);
        if (!memory_)
            return;
        originalBitmap_ = GetCurrentObject(memory_, OBJ_BITMAP);
    }
    SelectObject(memory_, originalBitmap_);
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = nullptr;
    width_ = height_ = 0;
    if (palette_)
        DeleteObject(palette_);
    palette_ = paletteOf(gif.globalTable());

    if (rect->width <= 0 || rect->height <= 0)
        return; // an empty image leaves an empty area
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = rect->width;
    info.bmiHeader.biHeight = -rect->height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits)
        return;
    width_ = rect->width;
    height_ = rect->height;
    auto* pixels = static_cast<uint32_t*>(bits);
    std::fill(pixels, pixels + size_t(width_) * size_t(height_), 0x00FFFFFFu);
    DibTarget target(pixels, width_, height_);
    gif.drawFirstImage(target);
    GdiFlush();
    SelectObject(memory_, bitmap_);
}

void ImageDisplay::paint(HDC dc, const RECT& area, bool showImage)
{
    FillRect(dc, &area, HBRUSH(GetStockObject(WHITE_BRUSH)));
    if (!showImage || !memory_ || !bitmap_)
        return;
    HPALETTE previous = nullptr;
    if (palette_) {
        previous = SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
    }
    int w = area.right - area.left;
    int h = area.bottom - area.top;
    BitBlt(dc, area.left, area.top, w < width_ ? w : width_, h < height_ ? h : height_, memory_, 0, 0,
           SRCCOPY);
    if (previous)
        SelectPalette(dc, previous, FALSE);
}
