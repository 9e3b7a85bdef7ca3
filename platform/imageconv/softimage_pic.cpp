#include "own_formats.h"

#include <algorithm>

#include "byte_reader.h"

namespace imageconv {

namespace {

constexpr uint8_t kPicMagic[4] = {0x53, 0x80, 0xF6, 0x34};

// One value of a packet: a byte for each channel its mask names, red, green, blue, alpha.
// Alpha is read and dropped.
bool ReadValue(ByteReader& in, uint8_t channels, uint8_t value[4]) {
  for (int i = 0; i < 4; ++i)
    if (channels & (0x80 >> i)) value[i] = in.U8();
  return in.ok();
}

void Store(uint8_t* pixel, uint8_t channels, const uint8_t value[4]) {
  for (int i = 0; i < 3; ++i)
    if (channels & (0x80 >> i)) pixel[i] = value[i];
}

struct Packet {
  uint8_t type = 0;
  uint8_t channels = 0;
};

}  // namespace

bool IsSoftimagePic(std::span<const uint8_t> file) {
  return file.size() >= 104 && std::equal(kPicMagic, kPicMagic + 4, file.begin()) && file[88] == 'P' &&
         file[89] == 'I' && file[90] == 'C' && file[91] == 'T';
}

// Header (big-endian): 0 u32 magic 53 80 F6 34, 4 version, 8 comment[80], 88 "PICT",
// 92 u16 width, 94 u16 height, 96 ratio, 100 fields, 102 pad. Then channel packets of four
// bytes (chained flag, bits 8, type, channel mask 0x80 R 0x40 G 0x20 B 0x10 A) until one is
// not chained. Rows follow top-down, each holding every packet's data in turn:
//   type 0: one value a pixel;
//   type 1: count, value (count pixels);
//   type 2: c < 128 gives c + 1 literal values; c == 128 a u16 count and a value; c > 128
//           c - 127 copies of a value.
// A file cut short keeps the rows decoded so far, the rest black; with no whole row it fails.
ConversionResult DecodeSoftimagePic(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsSoftimagePic(file)) return ConversionResult::kUnreadable;
  ByteReader in(file, true);
  in.Seek(92);
  const int width = in.U16();
  const int height = in.U16();
  in.Seek(104);
  Packet packets[8];
  int count = 0;
  for (bool chained = true; chained;) {
    if (count == 8) return ConversionResult::kUnreadable;
    chained = in.U8() != 0;
    const uint8_t bits = in.U8();
    packets[count].type = in.U8();
    packets[count].channels = in.U8();
    if (!in.ok() || bits != 8 || packets[count].type > 2) return ConversionResult::kUnreadable;
    ++count;
  }
  const ConversionResult r = StartImage(out, width, height, maxPixels);
  if (r != ConversionResult::kOk) return r;

  int y = 0;
  auto cutShort = [&] { return y > 0 ? ConversionResult::kOk : ConversionResult::kUnreadable; };
  for (; y < height; ++y) {
    uint8_t* row = out.rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
    for (int p = 0; p < count; ++p) {
      const Packet& packet = packets[p];
      int x = 0;
      uint8_t value[4] = {};
      while (x < width) {
        int run = 1;
        bool repeat = true;
        if (packet.type == 1) {
          run = in.U8();
        } else if (packet.type == 2) {
          const int c = in.U8();
          if (c < 128) {
            run = c + 1;
            repeat = false;
          } else {
            run = c == 128 ? in.U16() : c - 127;
          }
        }
        if (!in.ok()) return cutShort();
        if (run > width - x) run = width - x;  // a run past the row's end is cut there
        if (repeat && !ReadValue(in, packet.channels, value)) return cutShort();
        for (int i = 0; i < run; ++i, ++x) {
          if (!repeat && !ReadValue(in, packet.channels, value)) return cutShort();
          Store(row + static_cast<size_t>(x) * 3, packet.channels, value);
        }
      }
    }
  }
  return ConversionResult::kOk;
}

}  // namespace imageconv
