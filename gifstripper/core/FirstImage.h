// Drawing the first image of a file: its decoded colour indices are plotted, pixel by pixel,
// with the colours of its local table (or else the global one) into a target the display
// provides. Coordinates are those of the image itself, (0, 0) its top left corner, so that
// an image placed at an offset on its logical screen still fills its bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PixelTarget {
public:
    virtual ~PixelTarget() = default;
    // colour: red in the low byte, then green, then blue.
    virtual void setPixel(int x, int y, uint32_t colour) = 0;
    // One decoded row of colour indices from x = 0 (width of them: the image's width, fewer
    // in a last row the data ended in); indices past the table's count are not drawn. By
    // default each pixel goes through setPixel; targets that own their pixels write rows.
    virtual void setRow(int y, const uint8_t* indices, int width, const uint32_t* colours,
                        size_t count);
};

// The image rows in the order their lines arrive: top to bottom, or for an interlaced image
// the four passes (every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from
// 1); passes that hold no rows are skipped.
std::vector<int> plotRowOrder(int height, bool interlaced);
