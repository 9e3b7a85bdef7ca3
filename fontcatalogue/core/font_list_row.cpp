#include "core/font_list_row.h"

namespace glyphwell {

int ListRowBaseline(int top, int rowHeight, const FontCell& cell) {
    if (cell.height + 1 <= rowHeight) return top + 1 + cell.ascent;
    const int nominal = cell.height - cell.internalLeading;
    return top + (rowHeight - nominal) / 2 + nominal * 4 / 5;
}

}  // namespace glyphwell
