// BMP, TGA and TIFF layouts that other programs write, built here byte by byte around a
// known picture and compared pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <tuple>

#include "converter.h"
#include "image_decoder.h"
#include "packaged_decoder_guard.h"
#include "tiff_codecs.h"

namespace imageconv {
namespace {
size_t g_largest = 0;  // the largest allocation asked for since it was last cleared
}  // namespace
}  // namespace imageconv

// Replaced so that a test can see how much a decoder asks for at once (malloc and free
// underneath, as GCC cannot tell from the inlined pair).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(size_t n) {
  imageconv::g_largest = std::max(imageconv::g_largest, n);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace imageconv {
namespace {

// Eight colours of full-scale channels, so that every bit depth holds them exactly.
uint32_t ColourOf(int i) { return (i & 4 ? 0xFF0000u : 0) | (i & 2 ? 0x00FF00u : 0) | (i & 1 ? 0x0000FFu : 0); }
int IndexAt(int x, int y) { return (x * 3 + y * 5) % 8; }
uint32_t ColourAt(int x, int y) { return ColourOf(IndexAt(x, y)); }

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
  if (b.size() < at + static_cast<size_t>(bytes)) b.resize(at + static_cast<size_t>(bytes));
  for (int i = 0; i < bytes; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// Every pixel of the picture, as decoded, against the colour the picture should have there.
void ExpectPicture(const RgbImage& image, int w, int h, uint32_t (*colour)(int, int), const char* name, int rows = -1) {
  ASSERT_EQ(image.width, w) << name;
  ASSERT_EQ(image.height, h) << name;
  int wrong = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = image.Pixel(x, y);
      const uint32_t got = static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
      const uint32_t want = rows < 0 || y < rows ? colour(x, y) : 0;
      if (got != want && wrong++ < 3) ADD_FAILURE() << name << " at " << x << "," << y << ": " << std::hex << got << " not " << want;
    }
}

enum class BmpKind { kCore1, kCore8, kTopDown8, kTopDown565, kTable24, kOs2Long8, kOs2Short24 };

// A w x h bitmap file of the picture. The core (OS/2) kinds index a table of 3-byte entries
// whose entry i is colour i % 8 (all 256 of them for 8 bits, pixels using the last eight);
// 1 bit shows black and white. The OS/2 2.x kinds have 64 and 16-byte headers, the fields
// past the Windows ones set to values that mean nothing to a Windows reader.
std::vector<uint8_t> Bmp(BmpKind kind, int w, int h) {
  const bool core = kind == BmpKind::kCore1 || kind == BmpKind::kCore8;
  const int bits = kind == BmpKind::kCore1 ? 1 : kind == BmpKind::kTopDown565 ? 16
                   : kind == BmpKind::kTable24 || kind == BmpKind::kOs2Short24 ? 24 : 8;
  const uint32_t header = core ? 12 : kind == BmpKind::kTopDown565 ? 108 : kind == BmpKind::kOs2Long8 ? 64
                          : kind == BmpKind::kOs2Short24 ? 16 : 40;
  std::vector<uint8_t> b(14 + header, 0);
  b[0] = 'B', b[1] = 'M';
  Put(b, 14, header, 4);
  if (core) {
    Put(b, 18, static_cast<uint32_t>(w), 2);
    Put(b, 20, static_cast<uint32_t>(h), 2);
    Put(b, 22, 1, 2);
    Put(b, 24, static_cast<uint32_t>(bits), 2);
  } else {
    Put(b, 18, static_cast<uint32_t>(w), 4);
    const bool bottomUp = kind == BmpKind::kTable24 || kind == BmpKind::kOs2Long8 || kind == BmpKind::kOs2Short24;
    Put(b, 22, static_cast<uint32_t>(bottomUp ? h : -h), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<uint32_t>(bits), 2);
    if (kind == BmpKind::kTopDown565) {
      Put(b, 30, 3, 4);
      Put(b, 54, 0xF800, 4), Put(b, 58, 0x07E0, 4), Put(b, 62, 0x001F, 4);
    }
    if (kind == BmpKind::kTable24) Put(b, 46, 16, 4);  // a 16-entry table the pixels do not use
    if (kind == BmpKind::kOs2Long8) std::fill(b.begin() + 54, b.end(), 0xA5);
  }
  const int entries = bits == 24 ? 16 : bits == 16 ? 0 : 1 << bits;
  for (int i = 0; i < entries; ++i) {
    const uint32_t c = bits == 1 ? (i ? 0xFFFFFF : 0) : bits == 24 ? 0x123456 : ColourOf(i % 8);
    const uint8_t entry[] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16), 0};
    b.insert(b.end(), entry, entry + (core ? 3 : 4));
  }
  Put(b, 10, static_cast<uint32_t>(b.size()), 4);
  const size_t rowBytes = (static_cast<size_t>(w) * static_cast<size_t>(bits) + 31) / 32 * 4;
  for (int stored = 0; stored < h; ++stored) {
    const int y = kind == BmpKind::kTopDown8 || kind == BmpKind::kTopDown565 ? stored : h - 1 - stored;
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < w; ++x) {
      const uint32_t c = ColourAt(x, y);
      const size_t ux = static_cast<size_t>(x);
      if (bits == 1) row[ux / 8] |= static_cast<uint8_t>((c == 0xFFFFFF) << (7 - ux % 8));
      if (bits == 8) row[ux] = static_cast<uint8_t>(248 + IndexAt(x, y));
      if (bits == 16) Put(row, ux * 2, (c & 0xF80000) >> 8 | (c & 0xFC00) >> 5 | (c & 0xF8) >> 3, 2);
      if (bits == 24) Put(row, ux * 3, c, 3);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  Put(b, 2, static_cast<uint32_t>(b.size()), 4);
  return b;
}

uint32_t BlackOrWhite(int x, int y) { return ColourAt(x, y) == 0xFFFFFF ? 0xFFFFFF : 0; }

TEST(RasterFormats, BitmapLayoutsOtherProgramsWrite) {
  struct Case {
    const char* name;
    BmpKind kind;
    uint32_t (*colour)(int, int);
  } cases[] = {
      {"OS/2 1 bit", BmpKind::kCore1, BlackOrWhite},
      {"OS/2 256 colours", BmpKind::kCore8, ColourAt},
      {"top-down 8 bits", BmpKind::kTopDown8, ColourAt},
      {"top-down 5-6-5 bit fields", BmpKind::kTopDown565, ColourAt},
      {"24 bits with a colour table", BmpKind::kTable24, ColourAt},
      {"OS/2 2.x 64-byte header, 8 bits", BmpKind::kOs2Long8, ColourAt},
      {"OS/2 2.x 16-byte header, 24 bits", BmpKind::kOs2Short24, ColourAt},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> file = Bmp(c.kind, 13, 6);
    RgbImage image;
    ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk) << c.name;
    ExpectPicture(image, 13, 6, c.colour, c.name);
    // Cut inside the last stored row: the rows before it stay, the rest is black.
    const std::vector<uint8_t> cut(file.begin(), file.end() - 4);
    if (c.kind == BmpKind::kTopDown8) {
      ASSERT_EQ(DecodeImage(cut, image), ConversionResult::kOk) << c.name;
      ExpectPicture(image, 13, 6, c.colour, c.name, 5);
    }
    // No pixels at all is an error, not a black picture.
    const size_t offset = file[10] | file[11] << 8;
    EXPECT_EQ(DecodeImage(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(offset) + 1), image),
              ConversionResult::kUnreadable) << c.name;
  }
  // An OS/2 file may end before the offset where a longer header keeps its colours used.
  const std::vector<uint8_t> tiny = Bmp(BmpKind::kCore1, 1, 1);
  ASSERT_LT(tiny.size(), 50u);
  RgbImage image;
  ASSERT_EQ(DecodeImage(tiny, image), ConversionResult::kOk);
  ExpectPicture(image, 1, 1, BlackOrWhite, "OS/2 1x1");
}

// A TGA file of the picture. Colour-mapped (type 1, or 9 run-length coded) with a map of
// eight B G R entries whose first index is 39; or true colour B G R (type 2). descriptor
// bit 4: stored right to left, bit 5: stored top to bottom.
std::vector<uint8_t> Tga(int type, uint8_t descriptor, int w, int h) {
  const bool mapped = (type & 7) == 1;
  std::vector<uint8_t> b(18, 0);
  b[1] = mapped;
  b[2] = static_cast<uint8_t>(type);
  if (mapped) {
    Put(b, 3, 39, 2);
    Put(b, 5, 8, 2);
    b[7] = 24;
  }
  Put(b, 12, static_cast<uint32_t>(w), 2);
  Put(b, 14, static_cast<uint32_t>(h), 2);
  b[16] = mapped ? 8 : 24;
  b[17] = descriptor;
  for (int i = 0; mapped && i < 8; ++i) Put(b, b.size(), ColourOf(i), 3);
  for (int stored = 0; stored < h; ++stored) {
    const int y = descriptor & 0x20 ? stored : h - 1 - stored;
    for (int column = 0; column < w; ++column) {
      const int x = descriptor & 0x10 ? w - 1 - column : column;
      if (type == 9) b.push_back(0);  // one raw pixel a packet
      if (mapped) b.push_back(static_cast<uint8_t>(39 + IndexAt(x, y)));
      else Put(b, b.size(), ColourAt(x, y), 3);
    }
  }
  return b;
}

TEST(RasterFormats, TargaOriginsAndColourMapStart) {
  struct Case {
    const char* name;
    int type;
    uint8_t descriptor;
  } cases[] = {
      {"true colour, bottom right", 2, 0x10}, {"true colour, top right", 2, 0x30},
      {"mapped, top left", 1, 0x20},          {"mapped, bottom left", 1, 0x00},
      {"mapped runs, top right", 9, 0x30},
  };
  for (const Case& c : cases) {
    RgbImage image;
    ASSERT_EQ(DecodeImage(Tga(c.type, c.descriptor, 7, 4), image), ConversionResult::kOk) << c.name;
    ExpectPicture(image, 7, 4, ColourAt, c.name);
  }
  // A value outside the map is damage: the picture ends there (or fails without a whole row).
  std::vector<uint8_t> file = Tga(1, 0x20, 7, 4);
  const size_t pixels = 18 + 24;
  file[pixels + 7 * 3] = 47;  // row 3, past the map's last entry (46)
  RgbImage image;
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  ExpectPicture(image, 7, 4, ColourAt, "damaged row 3", 3);
  file[pixels + 3] = 38;  // row 0, before the map's first entry
  EXPECT_EQ(DecodeImage(file, image), ConversionResult::kUnreadable);
}

// A little-endian TIFF of one directory: entries of (tag, type, values) with their values
// after the directory, then the data; offsets into the data are given relative to it.
struct TiffEntry {
  uint16_t tag, type;
  std::vector<uint32_t> values;
  bool intoData = false;  // values are offsets into data
};
std::vector<uint8_t> Tiff(std::vector<TiffEntry> entries, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> b = {'I', 'I', 42, 0, 8, 0, 0, 0};
  Put(b, 8, static_cast<uint32_t>(entries.size()), 2);
  const size_t valuesAt = 10 + entries.size() * 12 + 4;
  size_t extra = 0;
  for (const TiffEntry& e : entries) extra += e.values.size() > (e.type == 3 ? 2u : 1u) ? e.values.size() * (e.type == 3 ? 2 : 4) : 0;
  const size_t dataAt = valuesAt + extra;
  size_t next = valuesAt;
  for (size_t i = 0; i < entries.size(); ++i) {
    const TiffEntry& e = entries[i];
    const int size = e.type == 3 ? 2 : 4;
    const size_t at = 10 + i * 12;
    Put(b, at, e.tag, 2);
    Put(b, at + 2, e.type, 2);
    Put(b, at + 4, static_cast<uint32_t>(e.values.size()), 4);
    size_t to = at + 8;
    if (e.values.size() * static_cast<size_t>(size) > 4) {
      Put(b, to, static_cast<uint32_t>(next), 4);
      to = next;
      next += e.values.size() * static_cast<size_t>(size);
    }
    for (uint32_t v : e.values) {
      Put(b, to, e.intoData ? static_cast<uint32_t>(dataAt) + v : v, size);
      to += static_cast<size_t>(size);
    }
  }
  b.resize(dataAt);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

uint32_t Grey(int x, int y) { return static_cast<uint32_t>((x * 7 + y * 11) & 0xFF) * 0x010101u; }

TEST(RasterFormats, TiffTilesUnderEitherTagPair) {
  // 40 x 20 grey in 16 x 16 tiles: three across, two down, the last column and row clipped.
  const int w = 40, h = 20, tile = 16;
  std::vector<uint8_t> data;
  std::vector<uint32_t> offsets, counts;
  for (int ty = 0; ty < 2; ++ty)
    for (int tx = 0; tx < 3; ++tx) {
      offsets.push_back(static_cast<uint32_t>(data.size()));
      counts.push_back(tile * tile);
      for (int y = ty * tile; y < ty * tile + tile; ++y)
        for (int x = tx * tile; x < tx * tile + tile; ++x) data.push_back(static_cast<uint8_t>(Grey(x, y)));
    }
  for (const bool stripTags : {false, true}) {
    const std::vector<uint8_t> file = Tiff({{256, 3, {w}}, {257, 3, {h}}, {258, 3, {8}}, {259, 3, {1}}, {262, 3, {1}},
                                            {stripTags ? uint16_t{273} : uint16_t{324}, 4, offsets, true}, {277, 3, {1}},
                                            {stripTags ? uint16_t{279} : uint16_t{325}, 4, counts}, {322, 3, {tile}}, {323, 3, {tile}}},
                                           data);
    RgbImage image;
    ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk) << stripTags;
    ExpectPicture(image, w, h, Grey, stripTags ? "tiles under the strip tags" : "tiles");
  }
}

// Codes packed least significant bit first, widening as writers before TIFF 6.0 did: to 10
// bits once the next free slot reaches 512.
std::vector<uint8_t> OldLzw(const std::vector<int>& codes) {
  std::vector<uint8_t> out;
  uint32_t buffer = 0;
  int bits = 0, width = 9, next = 258;
  bool first = true;
  for (int c : codes) {
    buffer |= static_cast<uint32_t>(c) << bits;
    for (bits += width; bits >= 8; bits -= 8, buffer >>= 8) out.push_back(static_cast<uint8_t>(buffer));
    if (c == 256) {
      next = 258, width = 9, first = true;
      continue;
    }
    if (!first) ++next;
    first = false;
    if (next >= (1 << width)) ++width;
  }
  if (bits) out.push_back(static_cast<uint8_t>(buffer));
  return out;
}

TEST(RasterFormats, OldStyleLzwDecodes) {
  // 300 literals carry the table past 511 entries, where the two styles' widths part.
  std::vector<int> codes = {256};
  std::vector<uint8_t> want;
  for (int i = 0; i < 300; ++i) {
    codes.push_back((i * 37) & 0xFF);
    want.push_back(static_cast<uint8_t>((i * 37) & 0xFF));
  }
  codes.push_back(258);  // the first two literals again
  want.insert(want.end(), {want[0], want[1]});
  codes.push_back(257);
  const std::vector<uint8_t> stream = OldLzw(codes);
  std::vector<uint8_t> out(want.size());
  ASSERT_EQ(UnpackTiffChunk(TiffCompression::kLzw, stream, out), want.size());
  EXPECT_EQ(out, want);
  // The same strip in a file: a grey picture of those bytes, 302 x 1.
  const std::vector<uint8_t> file = Tiff({{256, 3, {302}}, {257, 3, {1}}, {258, 3, {8}}, {259, 3, {5}}, {262, 3, {1}},
                                          {273, 4, {0}, true}, {277, 3, {1}}, {279, 4, {static_cast<uint32_t>(stream.size())}}},
                                         stream);
  RgbImage image;
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  for (int x = 0; x < 302; ++x) ASSERT_EQ(image.Pixel(x, 0)[0], want[static_cast<size_t>(x)]) << x;
}

// Modified Huffman rows (byte-aligned, no end-of-line codes) of a 100-pixel-wide picture:
// row 0 white 8, black 4, white 88 (64 + 24); row 1 black 100 (64 + 36, after white 0).
TEST(RasterFormats, ModifiedHuffmanRows) {
  // 10011 011 11011 0101000 | 00110101 0000001111 000011010100
  const std::vector<uint8_t> data = {0b10011011, 0b11011010, 0b10000000,
                                     0b00110101, 0b00000011, 0b11000011, 0b01010000};
  const std::vector<uint8_t> file = Tiff({{256, 3, {100}}, {257, 3, {2}}, {258, 3, {1}}, {259, 3, {2}}, {262, 3, {0}},
                                          {273, 4, {0}, true}, {277, 3, {1}}, {279, 4, {static_cast<uint32_t>(data.size())}}},
                                         data);
  RgbImage image;
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  ExpectPicture(image, 100, 2, [](int x, int y) { return y == 1 || (x >= 8 && x < 12) ? 0u : 0xFFFFFFu; }, "MH");
}

// A file cut off before its pixels, or a strip that holds less than a row, is an error
// rather than a black picture.
TEST(RasterFormats, NothingDecodedIsAnError) {
  std::ifstream in(std::filesystem::path(IMAGECONV_CORPUS) / "formats" / "rgb.psd", std::ios::binary);
  const std::vector<uint8_t> psd{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GT(psd.size(), 40u);
  RgbImage image;
  EXPECT_EQ(DecodeImage(std::vector<uint8_t>(psd.begin(), psd.begin() + 40), image), ConversionResult::kUnreadable);
  const std::vector<uint8_t> tiff = Tiff({{256, 3, {10}}, {257, 3, {2}}, {258, 3, {8}}, {259, 3, {1}}, {262, 3, {1}},
                                          {273, 4, {0}, true}, {277, 3, {1}}, {279, 4, {3}}},
                                         {7, 8, 9});
  EXPECT_EQ(DecodeImage(tiff, image), ConversionResult::kUnreadable);
}

// The fax samples in the corpus (ImageMagick's picture, coded by libtiff's tiffcp as MH, Group 3
// two-dimensional with least significant bits first, and Group 4) against the same picture
// uncompressed.
TEST(RasterFormats, FaxCodingsMatchTheUncompressedPicture) {
  auto read = [](const char* name) {
    std::ifstream in(std::filesystem::path(IMAGECONV_CORPUS) / "formats" / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  };
  RgbImage want;
  ASSERT_EQ(DecodeImage(read("fax-none.tif"), want), ConversionResult::kOk);
  for (const char* name : {"fax-mh.tif", "fax-g3.tif", "fax-g4.tif"}) {
    RgbImage image;
    ASSERT_EQ(DecodeImage(read(name), image), ConversionResult::kOk) << name;
    EXPECT_EQ(image.width, want.width);
    EXPECT_EQ(image.rgb, want.rgb) << name;
  }
}

uint8_t Reversed(uint8_t b) {
  uint8_t r = 0;
  for (int i = 0; i < 8; ++i) r = static_cast<uint8_t>(r | ((b >> i) & 1) << (7 - i));
  return r;
}

// FillOrder 2 stores every byte of a strip with its bits reversed, whatever the compression:
// the same 9 x 3 grey picture uncompressed, as PackBits literals and as a stored Deflate block.
TEST(RasterFormats, FillOrderTwoReversesEveryStrip) {
  const int w = 9, h = 3;
  std::vector<uint8_t> pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(static_cast<uint8_t>(Grey(x, y)));
  std::vector<uint8_t> packBits = {static_cast<uint8_t>(pixels.size() - 1)};
  packBits.insert(packBits.end(), pixels.begin(), pixels.end());
  uint32_t a = 1, b = 0;  // the zlib stream's Adler-32
  for (uint8_t p : pixels) a = (a + p) % 65521, b = (b + a) % 65521;
  const uint8_t n = static_cast<uint8_t>(pixels.size());
  std::vector<uint8_t> deflate = {0x78, 0x01, 0x01, n, 0, static_cast<uint8_t>(~n), 0xFF};
  deflate.insert(deflate.end(), pixels.begin(), pixels.end());
  for (int i = 3; i >= 0; --i) deflate.push_back(static_cast<uint8_t>((b << 16 | a) >> (8 * i)));
  const struct {
    uint32_t compression;
    std::vector<uint8_t> stream;
  } cases[] = {{1, pixels}, {32773, packBits}, {8, deflate}};
  for (const auto& c : cases) {
    std::vector<uint8_t> stored;
    for (uint8_t v : c.stream) stored.push_back(Reversed(v));
    const std::vector<uint8_t> file = Tiff({{256, 3, {w}}, {257, 3, {h}}, {258, 3, {8}}, {259, 3, {c.compression}}, {262, 3, {1}},
                                            {266, 3, {2}}, {273, 4, {0}, true}, {277, 3, {1}},
                                            {279, 4, {static_cast<uint32_t>(stored.size())}}},
                                           stored);
    RgbImage image;
    ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk) << c.compression;
    ExpectPicture(image, w, h, Grey, "fill order 2");
  }
}

// A 1 x 1 grey TIFF whose one strip or tile is given by the entries added to the basic ones.
std::vector<uint8_t> TinyTiff(std::vector<TiffEntry> more, const std::vector<uint8_t>& data, uint32_t side = 1) {
  std::vector<TiffEntry> entries = {{256, 3, {side}}, {257, 3, {side}}, {258, 3, {8}}, {259, 3, {32773}}, {277, 3, {1}}};
  entries.insert(entries.end(), more.begin(), more.end());
  std::sort(entries.begin(), entries.end(), [](const TiffEntry& x, const TiffEntry& y) { return x.tag < y.tag; });
  return Tiff(entries, data);
}

// A PNG of the signature, an IHDR of w x h 8-bit RGB, then chunks of (type, stated length, bytes).
std::vector<uint8_t> Png(uint32_t w, uint32_t h, std::vector<std::tuple<const char*, uint32_t, std::vector<uint8_t>>> chunks) {
  std::vector<uint8_t> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto be = [&](uint32_t v) { for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i))); };
  be(13);
  b.insert(b.end(), {'I', 'H', 'D', 'R'});
  be(w), be(h);
  b.insert(b.end(), {8, 2, 0, 0, 0});
  be(0);  // the CRC, which the guard does not read
  for (const auto& [type, length, bytes] : chunks) {
    be(length);
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), bytes.begin(), bytes.end());
  }
  return b;
}

// Files that describe something else than what their data holds, each read as the reader
// ahead of the converter would: refused, or (TIFF tiles past a small picture's edge) read
// without a buffer of the tile's claimed size. "largest" bounds the biggest allocation.
TEST(RasterFormats, FilesClaimingMoreThanTheyHoldAreRefusedOrBounded) {
  // 8 bits, 252 colours used, yet the pixels start where the table does.
  std::vector<uint8_t> palette = Bmp(BmpKind::kTable24, 4, 2);
  palette.resize(14 + 40 + 252 * 4 + 8, 0x11);
  Put(palette, 2, static_cast<uint32_t>(palette.size()), 4);
  Put(palette, 10, 54, 4);
  Put(palette, 28, 8, 2);
  Put(palette, 46, 252, 4);
  std::vector<uint8_t> tga = Tga(3 | 8, 0, 1, 1);  // grey runs: one 16384-pixel row of 16384
  Put(tga, 12, 16384, 2), Put(tga, 14, 16384, 2), tga[16] = 8;
  tga.resize(18);
  for (int i = 0; i < 128; ++i) tga.insert(tga.end(), {0xFF, 0x80});
  std::vector<uint8_t> oneRow = Bmp(BmpKind::kCore1, 7000, 1);  // then claiming 16384 rows
  Put(oneRow, 20, 16384, 2);
  std::vector<uint8_t> tileRuns;  // PackBits: one tile row, runs of 128 zero bytes
  for (int i = 0; i < 128; ++i) tileRuns.insert(tileRuns.end(), {0x81, 0});
  const struct Case {
    const char* name;
    std::vector<uint8_t> file;
    ConversionResult want;
  } cases[] = {
      {"TIFF Photometric 2^31 + 2 as a LONG", TinyTiff({{262, 4, {0x80000002u}}, {273, 4, {0}, true}, {279, 4, {2}}}, {0, 7}),
       ConversionResult::kUnreadable},
      {"TIFF 4 x 4 in strips of one row, one strip offset",
       TinyTiff({{262, 3, {1}}, {273, 4, {0}, true}, {278, 3, {1}}, {279, 4, {5}}}, {3, 1, 2, 3, 4}, 4),
       ConversionResult::kUnreadable},
      {"TIFF 4 x 4 in 2 x 2 tiles, three tile offsets",
       TinyTiff({{262, 3, {1}}, {322, 3, {2}}, {323, 3, {2}}, {324, 4, {0, 0, 0}, true}, {325, 4, {3, 3, 3}}}, {1, 9, 9}, 4),
       ConversionResult::kUnreadable},
      {"TIFF 1 x 1 in a 16384 x 16384 tile",
       TinyTiff({{262, 3, {1}}, {322, 3, {16384}}, {323, 3, {16384}}, {324, 4, {0}, true},
                 {325, 4, {static_cast<uint32_t>(tileRuns.size())}}}, tileRuns),
       ConversionResult::kOk},
      {"BMP of 252 colours whose pixels start inside the table", palette, ConversionResult::kUnreadable},
      {"TGA of 274 bytes claiming 16384 x 16384", tga, ConversionResult::kUnreadable},
      {"BMP of 7000 x 16384 in 1 KB", oneRow, ConversionResult::kTooLarge},
      {"PNG whose IDAT claims 2 GiB", Png(1, 1, {{"IDAT", 0x7FFFFFF0u, {0x78, 1, 0}}}), ConversionResult::kUnreadable},
  };
  for (const Case& c : cases) {
    g_largest = 0;
    std::vector<uint8_t> bmp;
    EXPECT_EQ(ConvertToBitmap(c.file, bmp), c.want) << c.name;
    EXPECT_LT(g_largest, size_t{64} << 20) << c.name;
  }
  EXPECT_FALSE(SafeForPackagedDecoder(cases[7].file));
}

}  // namespace
}  // namespace imageconv
