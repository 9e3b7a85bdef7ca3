#include "core/font_set.h"

#include <gtest/gtest.h>

namespace glyphwell {
namespace {

EnumeratedFont Font(std::string face, std::uint8_t charset = kAnsiCharset,
                    std::uint32_t type = kTrueTypeFontType, std::uint8_t pitch = 2) {
    return EnumeratedFont{std::move(face), charset, type, pitch};
}

TEST(FontSet, OneEntryPerFaceSortedWithoutRegardToCase) {
    // As Wine enumerates: each family once per character set.
    const std::vector<EnumeratedFont> fonts = {
        Font("Tahoma"), Font("Arial"), Font("Tahoma", 204), Font("arial black"), Font("Arial", 161),
        Font("Courier", kAnsiCharset, kRasterFontType), Font("ARIAL"), Font("")};
    EXPECT_EQ(FontNames(fonts), (std::vector<std::string>{"Arial", "arial black", "Courier", "Tahoma"}));
    FontSet set;
    set.AddAll(fonts);
    EXPECT_EQ(set.IndexOfExact("Courier"), 2);
    EXPECT_EQ(set.IndexOfExact("tahoma"), -1);
    EXPECT_EQ(set.IndexOfIgnoringCase("tahoma"), 3);
    EXPECT_EQ(set.Items()[2].fontType, kRasterFontType);
}

TEST(FontSet, ScreenAndPrinterFontsListedOnce) {
    FontSet both;
    both.Add(Font("Arial"));
    EXPECT_FALSE(both.Add(Font("Arial", kAnsiCharset, kDeviceFontType)));
    EXPECT_TRUE(both.Add(Font("Courier", kAnsiCharset, kDeviceFontType)));
    EXPECT_EQ(both.Count(), 2u);
    EXPECT_EQ(both.Items()[0].fontType, kTrueTypeFontType);
}

TEST(FontOptions, EachFilterAndTheirCombination) {
    const auto ansiTT = Font("A");
    const auto oemRaster = Font("Terminal", kOemCharset, kRasterFontType, kFixedPitch);
    const auto greekDevice = Font("G", 161, kDeviceFontType);
    EXPECT_TRUE(PassesFontOptions(ansiTT, foAnsiOnly));
    EXPECT_FALSE(PassesFontOptions(greekDevice, foAnsiOnly));
    EXPECT_FALSE(PassesFontOptions(greekDevice, foTrueTypeOnly));
    EXPECT_TRUE(PassesFontOptions(oemRaster, foFixedPitchOnly));
    EXPECT_FALSE(PassesFontOptions(ansiTT, foFixedPitchOnly));
    EXPECT_TRUE(PassesFontOptions(oemRaster, foOEMFontsOnly));
    EXPECT_FALSE(PassesFontOptions(oemRaster, foNoOEMFonts));
    EXPECT_FALSE(PassesFontOptions(oemRaster, foScalableOnly));
    EXPECT_TRUE(PassesFontOptions(greekDevice, foScalableOnly | foNoOEMFonts));
    FontSet none;
    none.AddAll({ansiTT, oemRaster, greekDevice}, foOEMFontsOnly | foNoOEMFonts);
    EXPECT_TRUE(none.Empty());
}

TEST(FontComparison, NamesOnlyOneSetHas) {
    const std::vector<std::string> screen = {"Arial", "Symbol", "Tahoma"};
    const std::vector<std::string> printer = {"arial", "Courier", "Helvetica"};
    EXPECT_EQ(FontsOnlyIn(screen, printer), (std::vector<std::string>{"Symbol", "Tahoma"}));
    EXPECT_EQ(FontsOnlyIn(printer, screen), (std::vector<std::string>{"Courier", "Helvetica"}));
    EXPECT_TRUE(FontsOnlyIn({}, screen).empty());
    EXPECT_EQ(FontCountText(3, false), "3 Screen Fonts");
    EXPECT_EQ(FontCountText(0, true), "0 Printer Fonts");
}

}  // namespace
}  // namespace glyphwell
