#include "reports/text_placement.h"

#include <algorithm>

namespace reports {

int BaselineInBox(int top, int boxHeight, const FontCell& cell) {
    if (cell.height <= boxHeight) return top + cell.ascent;
    const int nominal = cell.height - cell.internalLeading;
    return top + (boxHeight - nominal) / 2 + nominal * 4 / 5;
}

double ShrinkFactor(int askedSize, int drawnSize, bool bitmapFace) {
    const int tolerance = bitmapFace ? 0 : std::max(1, askedSize / 8);
    if (askedSize <= 0 || drawnSize <= askedSize + tolerance) return 1.0;
    return static_cast<double>(askedSize) / drawnSize;
}

double CountFactor(int askedSize, int drawnSize, bool bitmapFace) {
    if (!bitmapFace) return ShrinkFactor(askedSize, drawnSize);
    return askedSize > 0 && drawnSize > 0 ? static_cast<double>(askedSize) / drawnSize : 1.0;
}

}  // namespace reports
