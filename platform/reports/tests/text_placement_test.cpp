#include "reports/text_placement.h"

#include <gtest/gtest.h>

namespace reports {
namespace {

// Metrics as Wine reports them for 16-pixel faces, in boxes of 24 pixels from 100.
TEST(TextPlacement, TheLettersOfEveryFaceStandInTheirBox) {
    struct Case {
        const char* face;
        FontCell cell;
        int baseline;
    };
    const Case cases[] = {
        {"Arial", {17, 14, 3, 2}, 114},  // fits: cell top at the box's top
        {"fills the box", {24, 19, 5, 3}, 119},
        {"DejaVu Math TeX Gyre", {69, 39, 30, 52}, 116},  // nominal 17 centred
        {"tall, no leading", {40, 30, 10, 0}, 100 - 8 + 32},
    };
    for (const auto& c : cases) {
        const int baseline = BaselineInBox(100, 24, c.cell);
        EXPECT_EQ(baseline, c.baseline) << c.face;
        const int nominal = c.cell.height - c.cell.internalLeading;
        if (nominal > 24) continue;
        EXPECT_GE(baseline - nominal * 4 / 5, 100) << c.face;
        EXPECT_LE(baseline + nominal / 5, 124) << c.face;
    }
}

// Bitmap faces at a page shown small: the system gives their smallest size.
TEST(TextPlacement, OnlyAFaceDrawnTooLargeIsShrunk) {
    struct Case {
        int asked, drawn;
        double factor;
    };
    const Case cases[] = {
        {7, 13, 7.0 / 13},   // Courier below its smallest size
        {4, 12, 4.0 / 12},   // Fixedsys
        {16, 17, 1.0},       // a pixel of rounding
        {16, 18, 1.0},       // within an eighth
        {16, 19, 16.0 / 19},
        {16, 13, 1.0},       // smaller than asked: drawn as it is, never blown up
        {167, 169, 1.0},     // a bitmap face scaled by a whole factor
        {0, 13, 1.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ShrinkFactor(c.asked, c.drawn), c.factor) << c.asked << " " << c.drawn;
}

// The system picks a bitmap face's size by its cell: System asked for a nominal 667 pixels
// comes at 546, asked for 27 at 26. Counted at the asked size, it is never drawn wider than
// counted: shrunk when larger, as given when smaller.
TEST(TextPlacement, ABitmapFaceIsCountedAtTheAskedSizeAndNeverDrawnLarger) {
    struct Case {
        int asked, drawn;
        double counted, shrink;
    };
    const Case cases[] = {
        {667, 546, 667.0 / 546, 1.0},
        {27, 26, 27.0 / 26, 1.0},
        {24, 26, 24.0 / 26, 24.0 / 26},
        {7, 13, 7.0 / 13, 7.0 / 13},
        {16, 16, 1.0, 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(CountFactor(c.asked, c.drawn, true), c.counted) << c.asked << " " << c.drawn;
        EXPECT_DOUBLE_EQ(ShrinkFactor(c.asked, c.drawn, true), c.shrink) << c.asked << " " << c.drawn;
        EXPECT_LE(c.drawn * c.shrink, c.drawn * c.counted + 1e-9);
    }
    EXPECT_DOUBLE_EQ(CountFactor(16, 19, false), 16.0 / 19);
    EXPECT_DOUBLE_EQ(CountFactor(16, 17, false), 1.0);
}

}  // namespace
}  // namespace reports
