#include "core/font_list_row.h"

#include <gtest/gtest.h>

namespace glyphwell {
namespace {

// Metrics as Wine reports them for the list's 12-point faces; rows of 24 pixels from 100.
TEST(FontListRow, TheNameOfEveryFaceStandsInItsRow) {
    struct Case {
        const char* face;
        FontCell cell;
        int baseline;
    };
    const Case cases[] = {
        {"Arial", {17, 14, 3, 2}, 115},                  // fits: cell top one pixel down
        {"Courier (bitmap)", {13, 11, 2, 0}, 112},
        {"fills the row", {23, 19, 4, 3}, 120},
        {"DejaVu Math TeX Gyre", {69, 39, 30, 52}, 116},  // nominal 17 centred
        {"tall and no leading", {40, 30, 10, 0}, 100 - 8 + 32},
    };
    for (const auto& c : cases) {
        const int baseline = ListRowBaseline(100, 24, c.cell);
        EXPECT_EQ(baseline, c.baseline) << c.face;
        const int nominal = c.cell.height - c.cell.internalLeading;
        // Letters of a face whose nominal size fits the row lie inside it.
        if (nominal <= 24) {
            EXPECT_GE(baseline - nominal * 4 / 5, 100) << c.face;
            EXPECT_LE(baseline + nominal / 5, 124) << c.face;
        }
    }
}

}  // namespace
}  // namespace glyphwell
