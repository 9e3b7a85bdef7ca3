#include "own_formats.h"

#include <algorithm>

#include "byte_reader.h"

namespace imageconv {

namespace {

struct TgaHeader {
  uint32_t idLength, mapType, type, mapFirst, mapLength, mapBits, width, height, bits, descriptor;
};

TgaHeader ReadHeader(std::span<const uint8_t> file) {
  ByteReader in(file);
  TgaHeader h{};
  h.idLength = in.U8();
  h.mapType = in.U8();
  h.type = in.U8();
  h.mapFirst = in.U16();
  h.mapLength = in.U16();
  h.mapBits = in.U8();
  in.Skip(4);  // the origin on the screen
  h.width = in.U16();
  h.height = in.U16();
  h.bits = in.U8();
  h.descriptor = in.U8();
  return h;
}

bool ColourBits(uint32_t bits) { return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32; }

// One value of 8 (grey), 15 or 16 (x R5 G5 B5), 24 (B G R) or 32 (B G R A) bits as R G B;
// 16 bits of a grey picture are grey and alpha. Alpha is dropped.
void Colour(const uint8_t* p, uint32_t bits, bool grey, uint8_t* rgb) {
  if (bits == 8 || (bits == 16 && grey)) {
    std::fill_n(rgb, 3, p[0]);
  } else if (bits <= 16) {
    const uint32_t v = p[0] | p[1] << 8;
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>(((v >> (10 - 5 * c)) & 31) * 255 / 31);
  } else {
    rgb[0] = p[2], rgb[1] = p[1], rgb[2] = p[0];
  }
}

}  // namespace

// The header alone decides (the format has no signature), so the converter asks only after
// every other format has declined.
bool IsTga(std::span<const uint8_t> file) {
  if (file.size() < 18) return false;
  const TgaHeader h = ReadHeader(file);
  if (h.mapType > 1 || h.width == 0 || h.height == 0 || !ColourBits(h.bits)) return false;
  if (h.mapType == 1 && !ColourBits(h.mapBits)) return false;
  const uint32_t type = h.type & ~8u;
  if (type == 1) return h.mapType == 1 && (h.bits == 8 || h.bits == 16);
  return type == 2 || type == 3;
}

// Header (18 bytes): u8 ID length, u8 colour map type (0 none, 1 present), u8 image type
// (1 colour-mapped, 2 true colour, 3 grey; 8 more when run-length coded), u16 index of the
// map's first entry, u16 map length, u8 bits a map entry, u16 x and y origin on the screen,
// u16 width, u16 height, u8 bits a pixel, u8 descriptor (bits 0-3 alpha bits, bit 4 right
// to left, bit 5 top to bottom). Then the ID, the colour map (also in pictures that do not
// use it) and the pixels: raw, or packets of a u8 head (bit 7 a run, bits 0-6 count - 1)
// followed by one pixel for a run or by count pixels; packets may cross rows.
// A colour-mapped pixel value v is entry v - first of the map; one outside the map is damage
// and ends the picture there, as the end of the file does.
ConversionResult DecodeTga(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsTga(file)) return ConversionResult::kUnreadable;
  const TgaHeader h = ReadHeader(file);
  const bool mapped = (h.type & 7) == 1, grey = (h.type & 7) == 3, runs = (h.type & 8) != 0;
  ByteReader in(file);
  in.Seek(18 + h.idLength);
  const uint32_t entryBytes = (h.mapBits + 7) / 8;
  const std::span<const uint8_t> map = h.mapType == 1 ? in.Bytes(uint64_t{h.mapLength} * entryBytes) : std::span<const uint8_t>();
  if (!in.ok() || (mapped && map.empty())) return ConversionResult::kUnreadable;
  // A file cut short still gives its picture, but one whose data cannot fill a thousandth of
  // the rows it claims (at most 128 pixels a packet of runs) is not that picture.
  const uint32_t pixelBytes = (h.bits + 7) / 8;
  const uint64_t fillable = runs ? (in.remaining() + pixelBytes) / (1 + pixelBytes) * 128 : in.remaining() / pixelBytes;
  if (fillable * 1000 < uint64_t{h.width} * h.height) return ConversionResult::kUnreadable;
  const ConversionResult r = StartImage(out, h.width, h.height, maxPixels);
  if (r != ConversionResult::kOk) return r;

  const bool rightToLeft = (h.descriptor & 0x10) != 0, topDown = (h.descriptor & 0x20) != 0;
  const size_t width = h.width, count = size_t{h.width} * h.height;
  size_t done = 0, left = 0;  // pixels placed; pixels left in the current packet
  bool repeat = false, fresh = false;
  uint8_t rgb[3] = {};
  for (; done < count; ++done) {
    if (runs && left == 0) {
      const uint8_t head = in.U8();
      repeat = (head & 0x80) != 0;
      left = (head & 0x7Fu) + 1;
      fresh = true;
    }
    if (!runs || !repeat || fresh) {
      const std::span<const uint8_t> p = in.Bytes(pixelBytes);
      if (!in.ok()) break;
      if (mapped) {
        const uint32_t v = h.bits == 8 ? p[0] : static_cast<uint32_t>(p[0] | p[1] << 8);
        if (v < h.mapFirst || v - h.mapFirst >= h.mapLength) break;
        Colour(map.data() + (v - h.mapFirst) * entryBytes, h.mapBits, false, rgb);
      } else {
        Colour(p.data(), h.bits, grey, rgb);
      }
      fresh = false;
    }
    const size_t row = done / width, column = done % width;
    const size_t y = topDown ? row : h.height - 1 - row, x = rightToLeft ? width - 1 - column : column;
    std::copy_n(rgb, 3, out.rgb.data() + (y * width + x) * 3);
    if (runs) --left;
  }
  if (done < width) return ConversionResult::kUnreadable;  // not one whole row
  return ConversionResult::kOk;
}

}  // namespace imageconv
