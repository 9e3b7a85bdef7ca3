#include "reports/text_placement.h"

#include <algorithm>

namespace reports {

int BaselineInBox(int top, int boxHeight, const FontCell& cell) {
    if (cell.height <= boxHeight) return top + cell.ascent;
    const int nominal = cell.height - cell.internalLeading;
    return top + (boxHeight - nominal) / 2 + nominal * 4 / 5;
}

double ShrinkFactor(int askedSize, int drawnSize) {
    if (askedSize <= 0 || drawnSize <= askedSize + std::max(1, askedSize / 8)) return 1.0;
    return static_cast<double>(askedSize) / drawnSize;
}

}  // namespace reports
