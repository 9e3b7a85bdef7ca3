#include <gtest/gtest.h>

#include "byte_reader.h"
#include "converter_block_layout.h"
#include "input_format.h"

namespace tunewright {
namespace {

TEST(InputFormatCode, ExtensionsMapWithoutCase) {
  const std::pair<const char*, int> cases[] = {
      {"a.bmp", 200}, {"a.DIB", 200}, {"a.rle", 200}, {"C:\\LOGO.SYS", 200}, {"a.pcx", 205},
      {"a.tga", 207}, {"a.Targa", 207}, {"a.tif", 208}, {"a.TIFF", 208}, {"a.wmf", 21},
      {"a.emf", 22}, {"a.gif", 202}, {"a.jpg", 203}, {"a.JPEG", 203}, {"a.jpe", 203},
      {"a.avi", 100}, {"a.mov", 102}, {"a.clp", 20}, {"a.cgm", 23}, {"a.wpg", 25},
      {"a.eps", 24}, {"a.pcd", 204}, {"a.pic", 206}, {"a.fli", 101}, {"a.FLC", 101},
      {"a.png", 0}, {"noextension", 0}, {"a.", 0}, {"a.tar.gz", 0}, {"x.y.gif", 202},
      {"C:\\my.pics\\photo", 0}, {"", 0},
  };
  for (auto [path, code] : cases) EXPECT_EQ(InputFormatCode(path), code) << path;
}

TEST(ConverterBlock, DepthClassesRoundUpAndDeepScreensKeepThePreviousClass) {
  EXPECT_EQ(ColourDepthClass(1), 1);
  EXPECT_EQ(ColourDepthClass(2), 4);
  EXPECT_EQ(ColourDepthClass(4), 4);
  EXPECT_EQ(ColourDepthClass(8), 8);
  EXPECT_EQ(ColourDepthClass(16), 24);
  EXPECT_EQ(ColourDepthClass(24), 24);
  EXPECT_EQ(ColourDepthClass(32), 0);

  uint8_t block[converter_block::kSize] = {};
  FillDisplayInfo(block, DisplayInfo{.planesTimesBits = 16, .logPixelsX = 96, .logPixelsY = 120,
                                     .paletteDevice = true, .sideBlock = 0x1234});
  EXPECT_EQ(GetU16(block + 4), 24);
  EXPECT_EQ(GetU16(block + 446), 24);
  EXPECT_EQ(GetU32(block + 16), 1u);
  EXPECT_EQ(GetU32(block + 264), 96u);
  EXPECT_EQ(GetU32(block + 268), 120u);
  EXPECT_EQ(GetU32(block + 332), 234u);
  EXPECT_EQ(GetU32(block + 340), 256u);
  EXPECT_EQ(GetU32(block + 356), 0x1234u);
  EXPECT_EQ(GetU32(block + 360), 1u);
  PutU32(block + 288, 0xABCD);  // instance and main window are not the refill's
  PutU32(block + 348, 77);
  FillDisplayInfo(block, DisplayInfo{.planesTimesBits = 32});
  EXPECT_EQ(GetU16(block + 4), 24);
  EXPECT_EQ(GetU16(block + 446), 24);
  EXPECT_EQ(GetU32(block + 288), 0xABCDu);
  EXPECT_EQ(GetU32(block + 348), 0u);
  EXPECT_EQ(GetU32(block + 360), 0u);
}

TEST(ConverterBlock, EachConversionClearsItsFieldsAndSetsTheFormat) {
  uint8_t block[converter_block::kSize];
  std::fill(std::begin(block), std::end(block), 0xEE);
  PrepareConversion(block, 203);
  EXPECT_EQ(GetU32(block + 6), 0u);
  EXPECT_EQ(GetU32(block + 586), 0u);
  EXPECT_EQ(GetU16(block + 452), 203);
  EXPECT_EQ(block[5], 0xEE);
  EXPECT_EQ(block[10], 0xEE);
  EXPECT_EQ(block[590], 0xEE);
}

}  // namespace
}  // namespace tunewright
