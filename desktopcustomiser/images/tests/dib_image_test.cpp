#include "dib_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bmp_builder.h"
#include "byte_reader.h"

namespace tunewright {
namespace {

using testing::BmpSpec;
using testing::BuildBmp;

// Reads through an exact-size heap copy so that the sanitizers catch any read past the end.
DibReadResult ReadExact(DibImage& dib, const std::vector<uint8_t>& bytes) {
  std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size() + (bytes.empty() ? 1 : 0)]);
  if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
  return dib.Read(std::span<const uint8_t>(copy.get(), bytes.size()));
}

const uint8_t* Entry(const DibImage& dib, int i) { return dib.InfoBlock() + 40 + i * 4; }

void ExpectStillBlank16(const DibImage& dib) {
  ASSERT_TRUE(dib.HasImage());
  EXPECT_EQ(dib.Width(), 16);
  EXPECT_EQ(dib.Height(), 16);
  EXPECT_EQ(dib.BitsSize(), 256u);
}

TEST(DibImage, NewImageIsBlank16By16GreyEightBit) {
  DibImage dib;
  ExpectStillBlank16(dib);
  EXPECT_EQ(dib.BitCount(), 8);
  EXPECT_EQ(GetU32(dib.InfoBlock()), 40u);
  EXPECT_EQ(GetU16(dib.InfoBlock() + 12), 1);
  for (int i : {0, 1, 128, 255}) {
    EXPECT_EQ(Entry(dib, i)[0], i);
    EXPECT_EQ(Entry(dib, i)[2], i);
    EXPECT_EQ(Entry(dib, i)[3], 0);
  }
  for (size_t k = 0; k < dib.BitsSize(); ++k) ASSERT_EQ(dib.Bits()[k], 0);
}

TEST(DibImage, CreateRoundsRowsToFourAndRefusesEmptySizes) {
  DibImage dib;
  ASSERT_TRUE(dib.Create(5, 3));
  EXPECT_EQ(dib.BitsSize(), 8u * 3u);
  EXPECT_FALSE(dib.Create(0, 3));
  EXPECT_FALSE(dib.HasImage());
  EXPECT_FALSE(dib.Create(100000, 100000));
  EXPECT_FALSE(dib.HasImage());
}

TEST(DibImage, ColourCountsFollowBitDepthAndColoursUsed) {
  uint8_t h[40] = {};
  PutU32(h, 40);
  const std::pair<uint16_t, uint32_t> cases[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
  for (auto [bits, want] : cases) {
    PutU16(h + 14, bits);
    EXPECT_EQ(DibImage::GetNumColors(h), want) << bits;
  }
  PutU32(h + 32, 20);
  EXPECT_EQ(DibImage::GetNumColors(h), 20u);
  uint8_t os2[12] = {};
  PutU32(os2, 12);
  PutU16(os2 + 10, 4);
  EXPECT_EQ(DibImage::GetNumColors(os2), 16u);
  EXPECT_FALSE(DibImage::IsWindowsHeader(os2));
  EXPECT_TRUE(DibImage::IsWindowsHeader(h));
}

TEST(DibImage, ReadsWindowsLayoutsOfEveryDepth) {
  struct Case { uint16_t bits; uint32_t entries; };
  for (Case c : {Case{1, 2}, Case{4, 16}, Case{8, 256}, Case{16, 0}, Case{24, 0}, Case{32, 0}}) {
    BmpSpec s;
    s.width = 7;
    s.height = 3;
    s.bitCount = c.bits;
    s.tableEntries = c.entries;
    const auto file = BuildBmp(s);
    DibImage dib;
    ASSERT_EQ(ReadExact(dib, file), DibReadResult::kOk) << c.bits;
    EXPECT_EQ(dib.Width(), 7);
    EXPECT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.BitCount(), c.bits);
    EXPECT_EQ(dib.BitsSize(), DibRowBytes(7, c.bits) * 3);
    EXPECT_EQ(dib.Bits()[5], 5);
    if (c.entries > 1) {
      const uint8_t* last = Entry(dib, static_cast<int>(c.entries - 1));
      EXPECT_EQ(last[0], static_cast<uint8_t>(c.entries - 1));
      EXPECT_EQ(last[2], static_cast<uint8_t>(3 * (c.entries - 1)));
      EXPECT_EQ(last[3], 0x77);  // the file's reserved byte is kept as read
    }
  }
}

TEST(DibImage, Os2HeaderBecomesWindowsHeaderWithThreeByteTable) {
  for (uint16_t bits : {1, 4, 8, 24}) {
    BmpSpec s;
    s.os2 = true;
    s.width = 3;
    s.height = 2;
    s.bitCount = bits;
    s.tableEntries = bits == 24 ? 0 : (1u << bits);
    DibImage dib;
    ASSERT_EQ(ReadExact(dib, BuildBmp(s)), DibReadResult::kOk) << bits;
    const uint8_t* h = dib.InfoBlock();
    EXPECT_EQ(GetU32(h), 40u);
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(GetU32(h + 16), 0u);
    EXPECT_EQ(GetU32(h + 32), 0u);
    if (bits == 8) {
      EXPECT_EQ(Entry(dib, 255)[0], 255);
      EXPECT_EQ(Entry(dib, 255)[1], static_cast<uint8_t>(510));
      EXPECT_EQ(Entry(dib, 255)[3], 0);
      EXPECT_EQ(Entry(dib, 10)[3], 0);
    }
  }
}

TEST(DibImage, SmallOs2FileShorterThanAWindowsHeaderReads) {
  BmpSpec s;
  s.os2 = true;
  s.width = 1;
  s.height = 1;
  s.bitCount = 1;
  s.tableEntries = 2;
  const auto file = BuildBmp(s);
  ASSERT_LT(file.size(), 54u);
  DibImage dib;
  EXPECT_EQ(ReadExact(dib, file), DibReadResult::kOk);
}

TEST(DibImage, ColoursUsedReadsThatManyEntriesAndLeavesTheRestZero) {
  BmpSpec s;
  s.bitCount = 8;
  s.coloursUsed = 20;
  s.tableEntries = 20;
  DibImage dib;
  ASSERT_EQ(ReadExact(dib, BuildBmp(s)), DibReadResult::kOk);
  EXPECT_EQ(Entry(dib, 19)[0], 19);
  for (int i = 20; i < 256; ++i)
    ASSERT_TRUE(Entry(dib, i)[0] == 0 && Entry(dib, i)[1] == 0 && Entry(dib, i)[2] == 0) << i;
}

TEST(DibImage, ColoursUsedAboveTheBlockIsCutTo256) {
  BmpSpec s;
  s.bitCount = 24;
  s.coloursUsed = 300;
  s.tableEntries = 300;
  DibImage dib;
  ASSERT_EQ(ReadExact(dib, BuildBmp(s)), DibReadResult::kOk);
  EXPECT_EQ(GetU32(dib.InfoBlock() + 32), 256u);
  EXPECT_EQ(Entry(dib, 255)[0], 255);
}

TEST(DibImage, TopDownRleAndBitfieldLayouts) {
  BmpSpec top;
  top.bitCount = 24;
  top.height = -3;
  DibImage dib;
  ASSERT_EQ(ReadExact(dib, BuildBmp(top)), DibReadResult::kOk);
  EXPECT_EQ(dib.Height(), -3);

  BmpSpec rle;
  rle.bitCount = 8;
  rle.compression = 1;
  rle.tableEntries = 256;
  rle.pixelBytes = 6;  // compressed data is shorter than the rows
  ASSERT_EQ(ReadExact(dib, BuildBmp(rle)), DibReadResult::kOk);
  EXPECT_EQ(GetU32(dib.InfoBlock() + 20), 6u);  // image size bounds the decoder
  rle.bitCount = 4;
  rle.compression = 2;
  rle.tableEntries = 16;
  EXPECT_EQ(ReadExact(dib, BuildBmp(rle)), DibReadResult::kOk);

  BmpSpec fields;
  fields.bitCount = 16;
  fields.compression = 3;
  fields.tableEntries = 3;  // the three masks
  ASSERT_EQ(ReadExact(dib, BuildBmp(fields)), DibReadResult::kOk);
  EXPECT_EQ(Entry(dib, 2)[2], 6);
}

TEST(DibImage, MalformedFilesAreRefusedAndTheImageKept) {
  struct Case { const char* what; BmpSpec layout; DibReadResult want; };
  auto with = [](auto change) { BmpSpec s; s.tableEntries = 256; change(s); return s; };
  const Case cases[] = {
      {"pixel offset past file size", with([](BmpSpec& s) { s.pixelOffsetDelta = 5000; }),
       DibReadResult::kBadPixelRange},
      {"file size beyond the data", with([](BmpSpec& s) { s.fileSizeDelta = 100; }),
       DibReadResult::kShortPixels},
      {"rows longer than the data", with([](BmpSpec& s) { s.pixelBytes = 4; }),
       DibReadResult::kShortPixels},
      {"bit depth 7", with([](BmpSpec& s) { s.bitCount = 7; }), DibReadResult::kUnsupportedFormat},
      {"RLE8 at 4 bits", with([](BmpSpec& s) { s.bitCount = 4; s.compression = 1; }),
       DibReadResult::kUnsupportedFormat},
      {"compression 9", with([](BmpSpec& s) { s.compression = 9; }), DibReadResult::kUnsupportedFormat},
      {"zero width", with([](BmpSpec& s) { s.width = 0; }), DibReadResult::kBadHeader},
      {"two planes", with([](BmpSpec& s) { s.planes = 2; }), DibReadResult::kBadHeader},
      {"16 bits in the OS/2 layout", with([](BmpSpec& s) { s.os2 = true; s.bitCount = 16; s.tableEntries = 0; }),
       DibReadResult::kUnsupportedFormat},
  };
  for (const Case& c : cases) {
    DibImage dib;
    EXPECT_EQ(ReadExact(dib, BuildBmp(c.layout)), c.want) << c.what;
    ExpectStillBlank16(dib);
  }
}

TEST(DibImage, OtherHeaderSizesAndWrongTypeAreRefused) {
  auto file = BuildBmp(BmpSpec{.tableEntries = 256});
  DibImage dib;
  auto bad = file;
  bad[0] = 'X';
  EXPECT_EQ(ReadExact(dib, bad), DibReadResult::kNotABitmap);
  for (uint32_t size : {0u, 64u, 108u, 124u}) {
    bad = file;
    PutU32(bad.data() + 14, size);
    EXPECT_EQ(ReadExact(dib, bad), DibReadResult::kBadHeader) << size;
  }
  ExpectStillBlank16(dib);
}

TEST(DibImage, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
  for (bool os2 : {false, true}) {
    BmpSpec s;
    s.os2 = os2;
    s.bitCount = 4;
    s.tableEntries = 16;
    const auto file = BuildBmp(s);
    for (size_t cut = 0; cut < file.size(); ++cut) {
      std::vector<uint8_t> part(file.begin(), file.begin() + static_cast<long>(cut));
      DibImage dib;
      EXPECT_NE(ReadExact(dib, part), DibReadResult::kOk) << "os2 " << os2 << " cut " << cut;
      ExpectStillBlank16(dib);
    }
  }
}

TEST(DibImage, SuccessfulReadReplacesAnEarlierImage) {
  DibImage dib;
  BmpSpec first;
  first.bitCount = 24;
  first.width = 9;
  ASSERT_EQ(ReadExact(dib, BuildBmp(first)), DibReadResult::kOk);
  BmpSpec broken = first;
  broken.pixelBytes = 3;
  EXPECT_NE(ReadExact(dib, BuildBmp(broken)), DibReadResult::kOk);
  EXPECT_EQ(dib.Width(), 9);
  EXPECT_EQ(dib.BitCount(), 24);
}

}  // namespace
}  // namespace tunewright
