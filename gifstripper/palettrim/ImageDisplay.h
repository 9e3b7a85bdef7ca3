// The first image of the file being handled, kept in a memory bitmap that painting copies
// into the window; and the logical palette made from the file's global table, realised when
// the display uses a palette.
#pragma once

#include <windows.h>

#include "GifFile.h"

class ImageDisplay {
public:
    ImageDisplay() = default;
    ~ImageDisplay();
    ImageDisplay(const ImageDisplay&) = delete;
    ImageDisplay& operator=(const ImageDisplay&) = delete;

    // Decodes and draws the file's first image into a new bitmap as large as the image.
    void show(HWND window, GifFile& gif);
    bool hasContext() const { return memory_ != nullptr; }
    // Fills area white and, when showImage, copies the bitmap into its top left corner.
    void paint(HDC dc, const RECT& area, bool showImage);
    int width() const { return width_; }
    void destroy();

private:
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    HPALETTE palette_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
