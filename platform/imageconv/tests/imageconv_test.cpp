#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "bitmap_writer.h"
#include "colour_reducer.h"
#include "converter.h"
#include "file_replacement.h"
#include "image_decoder.h"

namespace imageconv {
namespace {

RgbImage Make(int w, int h, auto colourAt) {
  RgbImage image;
  image.width = w;
  image.height = h;
  image.rgb.resize(static_cast<size_t>(w * h * 3));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = colourAt(x, y);
      uint8_t* p = image.rgb.data() + (y * w + x) * 3;
      p[0] = static_cast<uint8_t>(c >> 16);
      p[1] = static_cast<uint8_t>(c >> 8);
      p[2] = static_cast<uint8_t>(c);
    }
  return image;
}

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// A binary PPM, the simplest input the decoder takes.
std::vector<uint8_t> Ppm(const RgbImage& image) {
  const std::string head = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
  std::vector<uint8_t> out(head.begin(), head.end());
  out.insert(out.end(), image.rgb.begin(), image.rgb.end());
  return out;
}

TEST(BitmapWriter, TwentyFourBitFileRoundTripsThroughTheDecoder) {
  const RgbImage image = Make(5, 3, [](int x, int y) { return static_cast<uint32_t>(x * 40 << 16 | y * 70 << 8 | (x + y) * 20); });
  const std::vector<uint8_t> bmp = WriteBitmap24(image);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(Get32(bmp, 2), bmp.size());
  EXPECT_EQ(Get32(bmp, 10), 54u);
  EXPECT_EQ(Get32(bmp, 14), 40u);
  EXPECT_EQ(bmp.size(), 54u + 16u * 3u);  // 15 bytes a row, padded to 16
  RgbImage back;
  ASSERT_EQ(DecodeImage(bmp, back), ConversionResult::kOk);
  EXPECT_EQ(back.width, 5);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.rgb, image.rgb);
}

TEST(BitmapWriter, EightBitFileHasFullTableAndPaddedRows) {
  IndexedImage image;
  image.width = 3;
  image.height = 2;
  image.indices = {0, 1, 2, 2, 1, 0};
  image.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  const std::vector<uint8_t> bmp = WriteBitmap8(image);
  EXPECT_EQ(bmp[28], 8);
  EXPECT_EQ(Get32(bmp, 46), 256u);
  EXPECT_EQ(Get32(bmp, 10), 54u + 1024u);
  EXPECT_EQ(bmp.size(), 54u + 1024u + 8u);
  EXPECT_EQ(bmp[54 + 2], 0xFF);          // entry 0 red, stored B G R 0
  EXPECT_EQ(bmp[54 + 4 * 2 + 0], 0xFF);  // entry 2 blue
  EXPECT_EQ(bmp[1078 + 0], 2);           // bottom row first
  EXPECT_EQ(bmp[1078 + 4], 0);
}

TEST(ColourReducer, FewColoursAreKeptExactly) {
  const RgbImage image = Make(40, 30, [](int x, int y) { return static_cast<uint32_t>(((x / 4) * 25) << 16 | ((y / 3) * 25)); });
  const IndexedImage reduced = ReduceColours(image);
  EXPECT_EQ(reduced.palette.size(), 100u);
  for (int i = 0; i < 40 * 30; ++i) {
    const uint32_t c = reduced.palette[reduced.indices[static_cast<size_t>(i)]];
    const uint8_t* p = image.rgb.data() + i * 3;
    ASSERT_EQ(c, static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2])) << i;
  }
}

TEST(ColourReducer, ManyColoursGiveAtMost256AndStayCloseOnAverage) {
  const RgbImage image = Make(256, 128, [](int x, int y) {
    return static_cast<uint32_t>(x << 16 | (y * 2) << 8 | ((x + y * 2) / 2));
  });
  const IndexedImage reduced = ReduceColours(image);
  ASSERT_LE(reduced.palette.size(), 256u);
  EXPECT_GT(reduced.palette.size(), 200u);
  // Error diffusion keeps local averages: compare 8 x 8 block means.
  double worst = 0;
  for (int by = 0; by < 128; by += 8)
    for (int bx = 0; bx < 256; bx += 8)
      for (int c = 0; c < 3; ++c) {
        double want = 0, got = 0;
        for (int y = by; y < by + 8; ++y)
          for (int x = bx; x < bx + 8; ++x) {
            want += image.rgb[static_cast<size_t>((y * 256 + x) * 3 + c)];
            const uint32_t p = reduced.palette[reduced.indices[static_cast<size_t>(y * 256 + x)]];
            got += (p >> (16 - 8 * c)) & 0xFF;
          }
        worst = std::max(worst, std::fabs(want - got) / 64.0);
      }
  EXPECT_LT(worst, 6.0);
}

TEST(ColourReducer, TwoColourLimitIsHonoured) {
  const RgbImage image = Make(16, 16, [](int x, int) { return static_cast<uint32_t>(x * 16 * 0x010101); });
  const IndexedImage reduced = ReduceColours(image, 2);
  EXPECT_LE(reduced.palette.size(), 2u);
  std::set<uint8_t> used(reduced.indices.begin(), reduced.indices.end());
  EXPECT_LE(used.size(), 2u);
}

TEST(Converter, BootScreenIs320By400EightBitWhateverTheSource) {
  const RgbImage image = Make(64, 48, [](int x, int y) { return static_cast<uint32_t>((x * 4) << 16 | (y * 5) << 8 | 0x40); });
  std::vector<uint8_t> boot;
  ASSERT_EQ(MakeBootScreen(Ppm(image), boot), ConversionResult::kOk);
  EXPECT_EQ(Get32(boot, 18), 320u);
  EXPECT_EQ(Get32(boot, 22), 400u);
  EXPECT_EQ(boot[28], 8);
  EXPECT_EQ(boot.size(), 54u + 1024u + 320u * 400u);
  // A boot screen fed back in is already the right size and colour count: unchanged.
  std::vector<uint8_t> again;
  ASSERT_EQ(MakeBootScreen(boot, again), ConversionResult::kOk);
  RgbImage a, b;
  ASSERT_EQ(DecodeImage(boot, a), ConversionResult::kOk);
  ASSERT_EQ(DecodeImage(again, b), ConversionResult::kOk);
  EXPECT_EQ(a.rgb, b.rgb);
}

TEST(Converter, UnreadableAndDamagedSourcesFail) {
  std::vector<uint8_t> out{1, 2, 3};
  const std::vector<uint8_t> garbage(100, 0x5A);
  EXPECT_EQ(ConvertToBitmap(garbage, out), ConversionResult::kUnreadable);
  EXPECT_EQ(ConvertToBitmap({}, out), ConversionResult::kUnreadable);
  // PCX and TIFF files that end inside their headers.
  const std::vector<uint8_t> pcx = {0x0A, 5, 1, 8, 0, 0, 0, 0, 15, 0, 15, 0};
  const std::vector<uint8_t> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0};
  EXPECT_EQ(ConvertToBitmap(pcx, out), ConversionResult::kUnreadable);
  EXPECT_EQ(ConvertToBitmap(tiff, out), ConversionResult::kUnreadable);
  // A picture cut off in its header.
  std::vector<uint8_t> ppm = Ppm(Make(8, 8, [](int, int) { return 0x123456u; }));
  ppm.resize(5);
  EXPECT_NE(ConvertToBitmap(ppm, out), ConversionResult::kOk);
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3}));  // left alone on failure
  // Dimensions beyond the limit are refused before any pixel is decoded.
  const std::string huge = "P6\n20000 2\n255\n";
  EXPECT_EQ(ConvertToBitmap(std::vector<uint8_t>(huge.begin(), huge.end()), out), ConversionResult::kTooLarge);
}

// A picture of several pieces, rows padded: the pieces make the whole file, which decodes to
// the source; nothing is handed out for a source that does not decode, and a refused piece
// fails the conversion.
TEST(Converter, BitmapFileInPiecesIsTheWholePicture) {
  const RgbImage image = Make(301, 300, [](int x, int y) { return static_cast<uint32_t>(x << 16 | y << 8 | (x ^ y)); });
  std::vector<uint8_t> file;
  int pieces = 0;
  const auto keep = [&](std::span<const uint8_t> piece) {
    file.insert(file.end(), piece.begin(), piece.end());
    return ++pieces > 0;
  };
  ASSERT_EQ(ConvertToBitmap(Ppm(image), keep), ConversionResult::kOk);
  EXPECT_GT(pieces, 1);
  RgbImage back;
  ASSERT_EQ(DecodeImage(file, back), ConversionResult::kOk);
  EXPECT_EQ(back.rgb, image.rgb);
  pieces = 0;
  EXPECT_EQ(ConvertToBitmap(std::vector<uint8_t>(100, 0x5A), keep), ConversionResult::kUnreadable);
  EXPECT_EQ(pieces, 0);
  EXPECT_EQ(ConvertToBitmap(Ppm(image), [](std::span<const uint8_t>) { return false; }), ConversionResult::kCannotWriteFile);
}

TEST(Converter, ResizeKeepsAFlatColourFlat) {
  const RgbImage image = Make(7, 5, [](int, int) { return 0x336699u; });
  const RgbImage big = Resize(image, 320, 400);
  ASSERT_EQ(big.rgb.size(), 320u * 400u * 3u);
  for (size_t i = 0; i < big.rgb.size(); i += 3) {
    ASSERT_NEAR(big.rgb[i], 0x33, 1);
    ASSERT_NEAR(big.rgb[i + 2], 0x99, 1);
  }
}

}  // namespace
}  // namespace imageconv

namespace imageconv {
namespace {

// A bitmap file around an RLE stream: width x height, 4 or 8 bits, palette entry i = (i*10, i, 255-i).
std::vector<uint8_t> RleFile(int width, int height, int bits, std::vector<uint8_t> stream) {
  const uint32_t colours = bits == 8 ? 256 : 16;
  std::vector<uint8_t> out(54 + colours * 4, 0);
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i)); };
  out[0] = 'B';
  out[1] = 'M';
  put32(10, static_cast<uint32_t>(out.size()));
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  out[26] = 1;
  out[28] = static_cast<uint8_t>(bits);
  put32(30, bits == 8 ? 1 : 2);
  for (uint32_t i = 0; i < colours; ++i) {
    out[54 + i * 4 + 2] = static_cast<uint8_t>(i * 10);
    out[54 + i * 4 + 1] = static_cast<uint8_t>(i);
    out[54 + i * 4 + 0] = static_cast<uint8_t>(255 - i);
  }
  for (uint8_t b : stream) out.push_back(b);
  put32(2, static_cast<uint32_t>(out.size()));
  return out;
}

int IndexAt(const RgbImage& image, int x, int y) { return image.Pixel(x, y)[1]; }  // green = index

TEST(RleBitmap, Rle8RunsLiteralsDeltaAndEnd) {
  // Bottom row: 3 x index 5, literal 7 8 9 (padded), end of row; next row: delta 2 right,
  // then 1 x index 4, end of picture.
  const auto file = RleFile(6, 3, 8, {3, 5, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 2, 0, 1, 4, 0, 1});
  RgbImage image;
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  ASSERT_EQ(image.width, 6);
  ASSERT_EQ(image.height, 3);
  const int bottom[] = {5, 5, 5, 7, 8, 9};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(IndexAt(image, x, 2), bottom[x]) << x;
  EXPECT_EQ(IndexAt(image, 1, 1), 0);
  EXPECT_EQ(IndexAt(image, 2, 1), 4);
  EXPECT_EQ(image.Pixel(2, 1)[0], 40);
  EXPECT_EQ(IndexAt(image, 0, 0), 0);
}

TEST(RleBitmap, Rle4AlternatesNibbles) {
  // Bottom row: 5 pixels from 0x12 (1 2 1 2 1), literal of 3 nibbles 3 4 5 (two bytes, even).
  const auto file = RleFile(8, 1, 4, {5, 0x12, 0, 3, 0x34, 0x50, 0, 1});
  RgbImage image;
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  const int row[] = {1, 2, 1, 2, 1, 3, 4, 5};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(IndexAt(image, x, 0), row[x]) << x;
}

TEST(RleBitmap, DamagedStreamsStopWithoutReadingPastTheEnd) {
  const std::vector<uint8_t> stream = {3, 5, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 250, 250, 200, 1, 0, 9, 1, 2};
  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    auto file = RleFile(6, 3, 8, std::vector<uint8_t>(stream.begin(), stream.begin() + static_cast<long>(cut)));
    std::vector<uint8_t> exact(file);  // exact size so that the sanitizers see overreads
    RgbImage image;
    const ConversionResult r = DecodeImage(exact, image);
    if (r == ConversionResult::kOk) {
      EXPECT_EQ(image.rgb.size(), 6u * 3u * 3u);
    }
  }
  // RLE8 claimed at 4 bits is not a bitmap any decoder reads.
  auto wrong = RleFile(2, 2, 4, {0, 1});
  wrong[30] = 1;
  RgbImage image;
  // A stream that ends before its first pixel holds no picture.
  EXPECT_EQ(DecodeImage(RleFile(6, 3, 8, {3}), image), ConversionResult::kUnreadable);
  EXPECT_EQ(DecodeImage(wrong, image), ConversionResult::kUnreadable);
}

}  // namespace
}  // namespace imageconv

namespace imageconv {
namespace {

// A Softimage PIC of w x h with one RGB packet of the given type; pixel (x, y) is
// (x * 20, y * 30, 7) so that runs form along rows only where x repeats (never).
std::vector<uint8_t> Pic(int w, int h, int type, bool grey = false) {
  std::vector<uint8_t> out(104, 0);
  const uint8_t magic[] = {0x53, 0x80, 0xF6, 0x34};
  std::copy(magic, magic + 4, out.begin());
  std::copy_n("PICT", 4, out.begin() + 88);
  out[92] = static_cast<uint8_t>(w >> 8);
  out[93] = static_cast<uint8_t>(w);
  out[94] = static_cast<uint8_t>(h >> 8);
  out[95] = static_cast<uint8_t>(h);
  out.insert(out.end(), {0, 8, static_cast<uint8_t>(type), 0xE0});
  for (int y = 0; y < h; ++y) {
    auto value = [&](int x) {
      const uint8_t v = grey ? static_cast<uint8_t>(y) : static_cast<uint8_t>(x * 20);
      out.insert(out.end(), {v, static_cast<uint8_t>(grey ? y : y * 30), static_cast<uint8_t>(grey ? y : 7)});
    };
    if (type == 0) {
      for (int x = 0; x < w; ++x) value(x);
    } else if (type == 1) {  // grey rows: one run a row
      out.push_back(static_cast<uint8_t>(w));
      value(0);
    } else if (grey) {  // a long run through the u16 count
      out.insert(out.end(), {128, static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w)});
      value(0);
    } else {  // literals
      out.push_back(static_cast<uint8_t>(w - 1));
      for (int x = 0; x < w; ++x) value(x);
    }
  }
  return out;
}

TEST(SoftimagePic, RawRunAndMixedPacketsDecode) {
  struct Case {
    int type;
    bool grey;
  } cases[] = {{0, false}, {1, true}, {2, false}, {2, true}};
  for (const Case& c : cases) {
    RgbImage image;
    ASSERT_EQ(DecodeImage(Pic(7, 5, c.type, c.grey), image), ConversionResult::kOk) << c.type;
    ASSERT_EQ(image.width, 7);
    ASSERT_EQ(image.height, 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const uint8_t* p = image.Pixel(x, y);
        EXPECT_EQ(p[0], c.grey ? y : x * 20) << c.type << " " << x << "," << y;
        EXPECT_EQ(p[1], c.grey ? y : y * 30);
        EXPECT_EQ(p[2], c.grey ? y : 7);
      }
  }
}

TEST(SoftimagePic, EveryCutOfTheFileConvertsOrFails) {
  for (int type = 0; type < 3; ++type) {
    const std::vector<uint8_t> whole = Pic(9, 6, type, type == 1);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
      const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(cut));
      std::vector<uint8_t> bmp;
      const bool ok = ConvertToBitmap(part, bmp) == ConversionResult::kOk;
      EXPECT_EQ(ok ? bmp.size() : 0u, ok ? 54u + 28u * 6u : 0u) << type << " cut " << cut;
      EXPECT_FALSE(ok && cut <= 108) << type << " cut " << cut;  // no whole row
    }
    std::vector<uint8_t> boot;
    EXPECT_EQ(MakeBootScreen(std::vector<uint8_t>(whole.begin(), whole.end() - 9), boot), ConversionResult::kOk);
  }
}

}  // namespace
}  // namespace imageconv

#include "tiff_codecs.h"

namespace imageconv {
namespace {

// Codes packed most significant bit first at 9 bits.
std::vector<uint8_t> Codes9(std::initializer_list<int> codes) {
  std::vector<uint8_t> out;
  uint32_t buffer = 0;
  int bits = 0;
  for (int c : codes) {
    buffer = buffer << 9 | static_cast<uint32_t>(c);
    for (bits += 9; bits >= 8; bits -= 8) out.push_back(static_cast<uint8_t>(buffer >> (bits - 8)));
  }
  if (bits) out.push_back(static_cast<uint8_t>(buffer << (8 - bits)));
  return out;
}

TEST(TiffCodecs, StreamsExpandAndDamageStopsCleanly) {
  struct Case {
    const char* name;
    TiffCompression compression;
    std::vector<uint8_t> in;
    std::vector<uint8_t> want;
  } cases[] = {
      // clear, a, b, ab (258), then 260 before it exists: the KwKwK case gives "abab" + "a".
      {"lzw", TiffCompression::kLzw, Codes9({256, 'a', 'b', 258, 260, 257}), {'a', 'b', 'a', 'b', 'a', 'b', 'a'}},
      {"lzw code beyond the table", TiffCompression::kLzw, Codes9({256, 'a', 300, 'b'}), {'a'}},
      {"lzw without a clear code", TiffCompression::kLzw, Codes9({'x', 'y', 258}), {'x', 'y', 'x', 'y'}},
      {"packbits", TiffCompression::kPackBits, {2, 1, 2, 3, 0xFE, 9, 0x80, 0, 4}, {1, 2, 3, 9, 9, 9, 4}},
      {"packbits literal cut short", TiffCompression::kPackBits, {5, 1, 2}, {1, 2}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> out(c.want.size() + 3, 0xEE);
    const size_t done = UnpackTiffChunk(c.compression, c.in, out);
    out.resize(done);
    EXPECT_EQ(out, c.want) << c.name;
  }
  // Output that fills up stops the stream; nothing is written past the chunk.
  std::vector<uint8_t> small(3);
  EXPECT_EQ(UnpackTiffChunk(TiffCompression::kLzw, Codes9({256, 'a', 'b', 258, 260, 257}), small), 3u);
  EXPECT_EQ(small, (std::vector<uint8_t>{'a', 'b', 'a'}));
}

}  // namespace
}  // namespace imageconv

namespace imageconv {
namespace {

// A w x h animation whose first frame shows index (x + y) % 4 of a four-colour palette.
// kind: 'c' FLC with 256-level colours and byte runs, 'i' FLI with 64-level colours and a
// raw copy, 'd' FLC whose first frame is a delta over black.
std::vector<uint8_t> Flic(int w, int h, char kind) {
  std::vector<uint8_t> out(128, 0);
  auto put16 = [](std::vector<uint8_t>& b, size_t at, uint32_t v) { b[at] = static_cast<uint8_t>(v); b[at + 1] = static_cast<uint8_t>(v >> 8); };
  auto put32 = [&](std::vector<uint8_t>& b, size_t at, uint32_t v) { put16(b, at, v); put16(b, at + 2, v >> 16); };
  put16(out, 4, kind == 'i' ? 0xAF11 : 0xAF12);
  put16(out, 6, 2);
  put16(out, 8, static_cast<uint32_t>(w));
  put16(out, 10, static_cast<uint32_t>(h));
  put16(out, 12, 8);
  put32(out, 80, 128);
  auto chunk = [&](uint16_t type, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> c(body.size() + 6, 0);
    put32(c, 0, static_cast<uint32_t>(c.size()));
    put16(c, 4, type);
    std::copy(body.begin(), body.end(), c.begin() + 6);
    return c;
  };
  const int scale = kind == 'i' ? 4 : 1;
  std::vector<uint8_t> colours = {1, 0, 0, 4};  // one packet: skip 0, set 4
  for (int i = 0; i < 4; ++i) colours.insert(colours.end(), {static_cast<uint8_t>(i * 60 / scale), static_cast<uint8_t>(200 / scale), static_cast<uint8_t>(i * 10 / scale)});
  std::vector<uint8_t> pixels;
  if (kind == 'c') {
    for (int y = 0; y < h; ++y) {
      pixels.push_back(0);
      pixels.push_back(static_cast<uint8_t>(-w));  // copy the whole row
      for (int x = 0; x < w; ++x) pixels.push_back(static_cast<uint8_t>((x + y) % 4));
    }
  } else if (kind == 'i') {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pixels.push_back(static_cast<uint8_t>((x + y) % 4));
  } else {  // FLC delta: every row one packet of w / 2 words
    pixels = {static_cast<uint8_t>(h), 0};
    for (int y = 0; y < h; ++y) {
      pixels.insert(pixels.end(), {1, 0, 0, static_cast<uint8_t>(w / 2)});
      for (int x = 0; x < w; ++x) pixels.push_back(static_cast<uint8_t>((x + y) % 4));
    }
  }
  const auto c1 = chunk(kind == 'i' ? 11 : 4, colours);
  const auto c2 = chunk(kind == 'c' ? 15 : kind == 'i' ? 16 : 7, pixels);
  std::vector<uint8_t> frameBody = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  frameBody.insert(frameBody.end(), c1.begin(), c1.end());
  frameBody.insert(frameBody.end(), c2.begin(), c2.end());
  const auto frame = chunk(0xF1FA, frameBody);
  out.insert(out.end(), frame.begin(), frame.end());
  put32(out, 0, static_cast<uint32_t>(out.size()));
  return out;
}

TEST(Flic, FirstFrameOfEachKindDecodes) {
  for (char kind : {'c', 'i', 'd'}) {
    RgbImage image;
    ASSERT_EQ(DecodeImage(Flic(6, 5, kind), image), ConversionResult::kOk) << kind;
    ASSERT_EQ(image.width, 6);
    ASSERT_EQ(image.height, 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        const int i = (x + y) % 4;
        const uint8_t* p = image.Pixel(x, y);
        EXPECT_EQ(p[0], kind == 'i' ? (i * 15) << 2 | (i * 15) >> 4 : i * 60) << kind << x << y;
        EXPECT_EQ(p[1], kind == 'i' ? 50 << 2 | 50 >> 4 : 200) << kind;
      }
  }
  // Cut inside the frame's header, after its colours, and after the pixels' chunk header:
  // nothing drawn is an error; cut inside the pixels, the rows so far.
  const std::vector<uint8_t> whole = Flic(6, 5, 'c');
  const size_t pixelsAt = 128 + 16 + 6 + 4 + 12 + 6;  // frame, colour chunk, pixel chunk header
  for (size_t cut : {size_t{140}, pixelsAt - 6, pixelsAt}) {
    RgbImage image;
    EXPECT_EQ(DecodeImage(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)), image),
              ConversionResult::kUnreadable) << cut;
  }
  RgbImage image;
  ASSERT_EQ(DecodeImage(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(pixelsAt + 9)), image),
            ConversionResult::kOk);
  EXPECT_EQ(image.Pixel(5, 0)[0], 60);
}

}  // namespace
}  // namespace imageconv

namespace imageconv {
namespace {

// A PhotoCD image pack whose base picture has luma 100 and neutral chroma on its left half,
// luma 150 with chroma (200, 100) on its right half; turned a quarter anticlockwise.
TEST(PhotoCd, BaseResolutionTurnedAndColoured) {
  std::vector<uint8_t> file(96 * 2048 + 768 * 512 * 3 / 2, 0);
  std::copy_n("PCD_IPI", 7, file.begin() + 0x800);
  file[0xE02] = 1;
  for (size_t pair = 0; pair < 256; ++pair) {
    uint8_t* at = file.data() + 96 * 2048 + pair * 768 * 3;
    for (size_t x = 0; x < 768; ++x) at[x] = at[768 + x] = x < 384 ? 100 : 150;
    for (size_t x = 0; x < 384; ++x) {
      at[1536 + x] = x < 192 ? 156 : 200;
      at[1920 + x] = x < 192 ? 137 : 100;
    }
  }
  RgbImage image;
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  ASSERT_EQ(image.width, 512);
  ASSERT_EQ(image.height, 768);
  // Stored (x, y) lands at (y, 767 - x): the left half ends at the bottom.
  const uint8_t* grey = image.Pixel(10, 700);
  EXPECT_EQ(grey[0], 136);  // 1.3584 x 100
  EXPECT_EQ(grey[1], 136);
  EXPECT_EQ(grey[2], 136);
  const uint8_t* colour = image.Pixel(10, 10);  // 204 - 67 = 137 red, 204 - 19 + 34 = 219 green, 255 blue
  EXPECT_NEAR(colour[0], 137, 1);
  EXPECT_NEAR(colour[1], 219, 1);
  EXPECT_EQ(colour[2], 255);
  file.resize(96 * 2048 + 768 * 3 * 10);  // ten row pairs: the rest black
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  EXPECT_EQ(image.Pixel(10, 700)[0], 136);
  EXPECT_EQ(image.Pixel(100, 700)[0], 0);
}

}  // namespace
}  // namespace imageconv

#include <fstream>
#include <iterator>

namespace imageconv {
namespace {

std::vector<uint8_t> Atom(const char* type, const std::vector<uint8_t>& body) {
  const uint32_t size = static_cast<uint32_t>(body.size() + 8);
  std::vector<uint8_t> out(size);
  for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (24 - 8 * i));
  std::copy_n(type, 4, out.begin() + 4);
  std::copy(body.begin(), body.end(), out.begin() + 8);
  return out;
}
std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}
std::vector<uint8_t> Be(uint64_t v, int bytes) {
  std::vector<uint8_t> out;
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}

// A movie of one sound track and one video track of the given codec whose first sample
// (stored after the movie atom) is the given bytes.
std::vector<uint8_t> Movie(const char* codec, int w, int h, int depth, const std::vector<uint8_t>& sample) {
  auto track = [&](const char* handler, uint32_t offset) {
    const auto description = Join({std::vector<uint8_t>(codec, codec + 4), Be(0, 6), Be(1, 2), std::vector<uint8_t>(16, 0),
                                    Be(static_cast<uint32_t>(w), 2), Be(static_cast<uint32_t>(h), 2), Be(0x480000, 4),
                                    Be(0x480000, 4), Be(0, 4), Be(1, 2), std::vector<uint8_t>(32, 0),
                                    Be(static_cast<uint32_t>(depth), 2), Be(0xFFFF, 2)});
    const auto stsd = Atom("stsd", Join({Be(0, 4), Be(1, 4), Be(static_cast<uint32_t>(description.size() + 4), 4), description}));
    const auto stbl = Atom("stbl", Join({stsd, Atom("stsz", Join({Be(0, 4), Be(0, 4), Be(1, 4), Be(static_cast<uint32_t>(sample.size()), 4)})),
                                         Atom("stco", Join({Be(0, 4), Be(1, 4), Be(offset, 4)}))}));
    const auto hdlr = Atom("hdlr", Join({Be(0, 4), std::vector<uint8_t>{'m', 'h', 'l', 'r'}, std::vector<uint8_t>(handler, handler + 4), std::vector<uint8_t>(12, 0)}));
    return Atom("trak", Atom("mdia", Join({hdlr, Atom("minf", stbl)})));
  };
  // Two passes: the sample's offset depends on the movie atom's size, which does not depend on it.
  const size_t moovSize = Atom("moov", Join({track("soun", 0), track("vide", 0)})).size();
  const uint32_t offset = static_cast<uint32_t>(moovSize + 8);
  return Join({Atom("moov", Join({track("soun", 0), track("vide", offset)})), Atom("mdat", sample)});
}

TEST(QuickTime, FirstFrameOfRawAndPhotoJpegMoviesAndOthersRefused) {
  std::vector<uint8_t> raw;
  for (int i = 0; i < 4 * 3; ++i) raw.insert(raw.end(), {static_cast<uint8_t>(i * 20), 7, static_cast<uint8_t>(255 - i)});
  std::vector<uint8_t> argb;
  for (size_t i = 0; i < raw.size(); i += 3) argb.insert(argb.end(), {0xFF, raw[i], raw[i + 1], raw[i + 2]});
  std::ifstream in(std::string(IMAGECONV_CORPUS) + "/formats/photo.jpg", std::ios::binary);
  const std::vector<uint8_t> jpeg{std::istreambuf_iterator<char>(in), {}};
  RgbImage want;
  ASSERT_EQ(DecodeImage(jpeg, want), ConversionResult::kOk);
  struct Case {
    const char* codec;
    int depth;
    std::vector<uint8_t> sample;
    std::vector<uint8_t> pixels;  // empty: refused
  } cases[] = {
      {"raw ", 24, raw, raw},
      {"raw ", 32, argb, raw},
      {"jpeg", 24, jpeg, want.rgb},
      {"avc1", 24, raw, {}},
  };
  for (const Case& c : cases) {
    const int w = c.codec[0] == 'j' ? want.width : 4, h = c.codec[0] == 'j' ? want.height : 3;
    RgbImage image;
    const ConversionResult r = DecodeImage(Movie(c.codec, w, h, c.depth, c.sample), image);
    if (c.pixels.empty()) {
      EXPECT_EQ(r, ConversionResult::kUnreadable) << c.codec;
      continue;
    }
    ASSERT_EQ(r, ConversionResult::kOk) << c.codec << c.depth;
    EXPECT_EQ(image.width, w);
    EXPECT_EQ(image.rgb, c.pixels) << c.codec << c.depth;
  }
}

}  // namespace
}  // namespace imageconv

namespace imageconv {
namespace {

// A 4 x 4 WordPerfect bitmap of 8 bits with a two-entry colour map, its rows coded with each
// kind of control byte: a run, literals, a repeat of the previous row, a run of 0xFF.
TEST(Wpg, EveryRunKindDecodes) {
  const std::vector<uint8_t> file = {
      0xFF, 'W', 'P', 'C', 16, 0, 0, 0, 1, 0x16, 1, 0, 0, 0, 0, 0,
      0x0E, 9, 5, 2, 0, 10, 20, 30, 40, 50, 60,   // colours 5 and 6
      0x0B, 20, 4, 0, 4, 0, 8, 0, 75, 0, 75, 0,   // 4 x 4, 8 bits
      0x84, 5, 0x04, 5, 6, 5, 6, 0x00, 1, 0x80, 4,
      0x10, 0};
  RgbImage image;
  ASSERT_EQ(DecodeImage(file, image), ConversionResult::kOk);
  const int want[4][4] = {{5, 5, 5, 5}, {5, 6, 5, 6}, {5, 6, 5, 6}, {255, 255, 255, 255}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const int i = want[y][x];
      EXPECT_EQ(image.Pixel(x, y)[0], i == 5 ? 10 : i == 6 ? 40 : 0) << x << "," << y;
    }
}

// The colour map's first index is one byte in some writers and a word in others; the record's
// length tells which, and a length that fits neither is damaged.
TEST(Wpg, ColourMapOfEitherIndexWidthAndDamagedOnes) {
  struct Case {
    std::vector<uint8_t> map;  // the 0x0E record
    ConversionResult result;
  };
  const Case cases[] = {
      {{0x0E, 6, 5, 1, 0, 10, 20, 30}, ConversionResult::kOk},
      {{0x0E, 7, 5, 0, 1, 0, 10, 20, 30}, ConversionResult::kOk},
      {{0x0E, 8, 5, 0, 1, 0, 10, 20, 30, 0}, ConversionResult::kUnreadable},
      {{0x0E, 7, 5, 1, 0, 10, 20, 30, 0}, ConversionResult::kUnreadable},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = {0xFF, 'W', 'P', 'C', 16, 0, 0, 0, 1, 0x16, 1, 0, 0, 0, 0, 0};
    file.insert(file.end(), c.map.begin(), c.map.end());
    file.insert(file.end(), {0x0B, 12, 1, 0, 1, 0, 8, 0, 75, 0, 75, 0, 0x81, 5, 0x10, 0});  // 1 x 1, colour 5
    RgbImage image;
    ASSERT_EQ(DecodeImage(file, image), c.result) << int{c.map[1]};
    if (c.result == ConversionResult::kOk) {
      EXPECT_EQ(std::vector<uint8_t>(image.Pixel(0, 0), image.Pixel(0, 0) + 3), (std::vector<uint8_t>{10, 20, 30}));
    }
  }
}

}  // namespace
}  // namespace imageconv

#include "cgm.h"
#include "metafile_header.h"

namespace imageconv {
namespace {

// One inch square in metric scaling (100 units of 0.254 mm), a rectangle in its lower left
// quarter: a placeable metafile of 96 x 96 pixels whose rectangle has y turned downwards.
TEST(Cgm, DrawingBecomesAPlaceableMetafileOfItsStatedSize) {
  const std::vector<uint8_t> cgm = {
      0x00, 0x22, 0, 0,                                        // begin metafile
      0x20, 0x26, 0, 1, 0x3E, 0x82, 0x0C, 0x4A,                // scaling mode: metric, 0.254
      0x20, 0xC8, 0, 0, 0, 0, 0, 100, 0, 100,                  // VDC extent 0,0 to 100,100
      0x52, 0xC2, 0, 1,                                        // interior style solid
      0x41, 0x68, 0, 10, 0, 10, 0, 40, 0, 30,                  // rectangle (10,10)-(40,30)
      0x00, 0xA0};                                             // end picture
  std::vector<uint8_t> wmf;
  ASSERT_EQ(CgmToMetafile(cgm, wmf), ConversionResult::kOk);
  const MetafileHeader header = ReadMetafileHeader(wmf, 96, 96);
  ASSERT_EQ(header.kind, MetafileKind::kPlaceable);
  EXPECT_EQ(header.width, 96);
  EXPECT_EQ(header.height, 96);
  // The rectangle record: size 7 words, 0x041B, bottom, right, top, left.
  const uint8_t rect[] = {7, 0, 0, 0, 0x1B, 0x04, 87, 0, 39, 0, 67, 0, 10, 0};
  EXPECT_NE(std::search(wmf.begin(), wmf.end(), std::begin(rect), std::end(rect)), wmf.end());
  // A metafile that ends before drawing anything is refused.
  EXPECT_EQ(CgmToMetafile(std::vector<uint8_t>(cgm.begin(), cgm.begin() + 22), wmf), ConversionResult::kUnreadable);
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// Each clear-text picture translates exactly as its binary form does: keywords in any case
// and with '_', comments, quoted strings holding separators, points with or without
// parentheses, the '/' terminator, based numbers.
TEST(Cgm, ClearTextReadsAsItsBinaryForm) {
  const std::vector<uint8_t> head = {0x00, 0x22, 0, 0, 0x20, 0x26, 0, 1, 0x3E, 0x82, 0x0C, 0x4A,
                                     0x20, 0xC8, 0, 0, 0, 0, 0, 100, 0, 100};
  const std::string_view textHead = "BEGMF 'a;b'; % scaling; extent % mf_desc \"x\"\"y\";\n"
                                    "ScaleMode METRIC, 0.254; vdc_ext (0,0) (100, 100);\n";
  struct Case {
    std::vector<uint8_t> binary;
    std::string_view text;
  };
  const Case cases[] = {
      {{0x54, 0x44, 2, 255, 0, 0,              // colour table from index 2: red
        0x52, 0xE1, 2, 0, 0x52, 0xC2, 0, 1,    // fill colour 2, interior solid
        0x53, 0x84, 0, 1, 0, 0, 0x53, 0xC2, 0, 1,  // edge width 1 (scaled), edge visible
        0x41, 0x68, 0, 10, 0, 10, 0, 40, 0, 30},
       "COLRTABLE 2 255 0 0; fillcolr 2; INT_STYLE solid; EDGEWIDTH 1.0; EDGEVIS on;\n"
       "RECT (10,10) (40,30) / ENDPIC;"},
      {{0x20, 0x42, 0, 1, 0x20, 0x62, 0, 0,    // direct colour, absolute line width
        0x50, 0x62, 0, 4, 0x50, 0x83, 0, 0, 255, 0,
        0x40, 0x2C, 0, 0, 0, 0, 0, 50, 0, 50, 0, 100, 0, 0,
        0x40, 0xEC, 0, 10, 0, 10, 0, 20, 0, 80, 0, 90, 0, 10,
        0x41, 0x86, 0, 50, 0, 50, 0, 20},
       "COLRMODE direct; LINEWIDTHMODE abs; LINEWIDTH 16#4; LINECOLR 0 0 255;\n"
       "LINE (0,0) (50,50) (100,0); POLYGON 10 10 20 80 90 10; CIRCLE (50,50) 20; ENDPIC;"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> binary = head;
    binary.insert(binary.end(), c.binary.begin(), c.binary.end());
    std::vector<uint8_t> want, got;
    ASSERT_EQ(CgmToMetafile(binary, want), ConversionResult::kOk);
    ASSERT_EQ(CgmToMetafile(Bytes(std::string(textHead) + std::string(c.text)), got), ConversionResult::kOk) << c.text;
    EXPECT_EQ(got, want) << c.text;
  }
  // Refused as the binary form is: real coordinates, and a picture that draws nothing.
  std::vector<uint8_t> wmf;
  EXPECT_EQ(CgmToMetafile(Bytes("BEGMF ''; VDCTYPE real; LINE 0 0 1 1; ENDMF;"), wmf), ConversionResult::kUnreadable);
  EXPECT_EQ(CgmToMetafile(Bytes(std::string(textHead) + "ENDPIC;"), wmf), ConversionResult::kUnreadable);
}

}  // namespace
}  // namespace imageconv

namespace imageconv {
namespace {

// Replacing on a system without a replacing move (Windows 95), over a file system of names
// and contents where a move from one chosen name fails.
TEST(FileReplacement, TheOldFileStaysUntilTheNewOneIsInPlace) {
  const struct {
    const char* name;
    bool destinationThere;
    const char* failingMoveFrom;
    bool want;
    const char* wantDestination;  // nullptr: absent
  } cases[] = {
      {"replaced", true, "", true, "new"},
      {"nothing to replace", false, "", true, "new"},
      {"the new file cannot be moved in", true, "temp", false, "old"},
      {"the old file cannot be moved aside", true, "dest", false, "old"},
  };
  for (const auto& c : cases) {
    std::map<std::string, std::string> disk = {{"temp", "new"}};
    if (c.destinationThere) disk["dest"] = "old";
    FileOperations ops;
    ops.moveReplacing = [](const std::string&, const std::string&) { return false; };
    ops.move = [&](const std::string& from, const std::string& to) {
      if (!disk.count(from) || disk.count(to) || from == c.failingMoveFrom) return false;
      disk[to] = disk[from];
      disk.erase(from);
      return true;
    };
    ops.remove = [&](const std::string& path) { return disk.erase(path) > 0; };
    ops.exists = [&](const std::string& path) { return disk.count(path) > 0; };
    ops.freeNameBeside = [](const std::string&) { return std::string("aside"); };
    EXPECT_EQ(MoveIntoPlace(ops, "temp", "dest"), c.want) << c.name;
    if (c.wantDestination) EXPECT_EQ(disk["dest"], c.wantDestination) << c.name;
    else EXPECT_FALSE(disk.count("dest")) << c.name;
    EXPECT_FALSE(disk.count("aside")) << c.name;
  }
}

}  // namespace
}  // namespace imageconv
