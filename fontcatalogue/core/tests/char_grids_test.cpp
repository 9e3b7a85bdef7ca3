#include "core/char_grids.h"

#include <gtest/gtest.h>

#include <set>

namespace glyphwell {
namespace {

TEST(CharSetGrid, PrintableCodesInReadingOrderThenZero) {
    EXPECT_EQ(CharSetCellCode(0, 0), '!');
    EXPECT_EQ(CharSetCellCode(1, 0), '"');
    EXPECT_EQ(CharSetCellCode(0, 1), 33 + 32);
    EXPECT_EQ(CharSetCellCode(30, 6), 255);
    EXPECT_EQ(CharSetCellCode(31, 6), 0);
    std::set<int> codes;
    for (int r = 0; r < kCharSetRows; ++r)
        for (int c = 0; c < kCharSetColumns; ++c) codes.insert(CharSetCellCode(c, r));
    EXPECT_EQ(codes.size(), 224u);
    EXPECT_EQ(CharacterText(0), std::string(1, '\0'));
    EXPECT_EQ(CharacterText('&'), "&");
}

TEST(WholeSetGrid, CodesAndTheirTexts) {
    EXPECT_EQ(WholeSetCellCode(0, 0), 0);
    EXPECT_EQ(WholeSetCellCode(15, 15), 255);
    EXPECT_EQ(WholeSetCellCode(1, 2), 33);
    EXPECT_EQ(WholeSetCodeText(255, true), "FF");
    EXPECT_EQ(WholeSetCodeText(255, false), "255");
    EXPECT_EQ(WholeSetCodeText(0, true), "00");
    EXPECT_EQ(WholeSetCodeText(0, false), "0");
    EXPECT_EQ(WholeSetCodeText(1000, true), "3E8");
    EXPECT_EQ(WholeSetCodeText(12345, false), "123");
}

TEST(Helpers, HexTextAndMaxOfIntegers) {
    EXPECT_EQ(HexText(0, 0), "0");
    EXPECT_EQ(HexText(0xABC, 2), "ABC");
    EXPECT_EQ(HexText(10, 4), "000A");
    EXPECT_EQ(HexText(0xFFFFFFFFu, 1), "FFFFFFFF");
    const int values[] = {3, 9, -2, 12};
    EXPECT_EQ(MaxOfIntegers(values, 2), 9);
    EXPECT_EQ(MaxOfIntegers(values, 0), 3);
    EXPECT_EQ(MaxOfIntegers(values, 3), 12);
}

TEST(Magnifier, CentredAcrossThePointerAndBelowIt) {
    const Point at = MagnifierPosition(Point{224, 2}, Point{40, 10}, 65, 65);
    EXPECT_EQ(at.x, 224 + 40 - 32);
    EXPECT_EQ(at.y, 2 + 10 + 32);
    EXPECT_EQ(MagnifierPosition(Point{0, 0}, Point{0, 0}, 7, 7).x, -3);  // toward zero
    EXPECT_EQ(CentredCharacterTop(30, 60, 16), 30 + 15 - 8);
}

}  // namespace
}  // namespace glyphwell

#include "core/rich_text.h"

namespace glyphwell {
namespace {

TEST(CopiedCharacter, RichTextHoldsTheCharacterInItsFontAndSize) {
    EXPECT_EQ(CharacterRichText("Arial", 12, 'A'),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\\pard\\plain\\f0\\fs24 \\'41\\par\n}");
    const std::string amp = CharacterRichText("A{b}\\c;d", 20, '&');
    EXPECT_NE(amp.find("fcharset0 Abcd;"), std::string::npos);
    EXPECT_NE(amp.find("\\fs40 \\'26"), std::string::npos);
    EXPECT_NE(CharacterRichText("Symbol", 8, 0xFF).find("\\'ff"), std::string::npos);
    EXPECT_NE(CharacterRichText("Symbol", 0, 0x07).find("\\fs2 \\'07"), std::string::npos);
}

}  // namespace
}  // namespace glyphwell
