#include "own_formats.h"

#include <algorithm>

#include "byte_reader.h"

namespace imageconv {

bool IsPcx(std::span<const uint8_t> file) {
  if (file.size() < 128 || file[0] != 0x0A || file[1] > 5 || file[2] > 1) return false;
  const uint8_t bits = file[3], planes = file[65];
  return (bits == 1 && (planes == 1 || planes == 3 || planes == 4)) || ((bits == 2 || bits == 4) && planes == 1) ||
         (bits == 8 && (planes == 1 || planes == 3 || planes == 4));
}

// Header (little-endian, 128 bytes): 0 0x0A, 1 version, 2 encoding (1 run-length, 0 none),
// 3 bits a pixel a plane, 4 u16 xmin ymin xmax ymax, 16 colour map of 16 RGB triples,
// 65 planes, 66 u16 bytes a plane line. Each row holds every plane's line in turn.
// Run-length: a byte of 0xC0 or above repeats the next byte (its low six bits) times; runs
// may go on into the next line. Colours:
//   1 bit x 1 plane: the first two header colours (black and white when the map is empty);
//   1 bit x 3 or 4 planes, 2 or 4 bits x 1 plane: the header colours by index;
//   8 bits x 1 plane: the 256-colour table after a 0x0C byte at the end, else grey;
//   8 bits x 3 or 4 planes: red, green, blue (and alpha, dropped) planes.
ConversionResult DecodePcx(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsPcx(file)) return ConversionResult::kUnreadable;
  ByteReader in(file);
  in.Seek(2);
  const bool rle = in.U8() == 1;
  const int bits = in.U8();
  const int64_t xmin = in.U16(), ymin = in.U16(), xmax = in.U16(), ymax = in.U16();
  in.Seek(65);
  const int planes = in.U8();
  const size_t lineBytes = in.U16();
  const int64_t width = xmax - xmin + 1, height = ymax - ymin + 1;
  if (width <= 0 || height <= 0) return ConversionResult::kUnreadable;
  if (lineBytes * 8 < static_cast<uint64_t>(width) * static_cast<uint64_t>(bits)) return ConversionResult::kUnreadable;
  const ConversionResult r = StartImage(out, width, height, maxPixels);
  if (r != ConversionResult::kOk) return r;

  uint8_t palette[256][3] = {};
  const bool empty = std::all_of(file.begin() + 16, file.begin() + 64, [](uint8_t b) { return b == 0; });
  for (int i = 0; i < 16; ++i)
    for (int c = 0; c < 3; ++c) palette[i][c] = file[16 + static_cast<size_t>(i) * 3 + static_cast<size_t>(c)];
  if (bits == 1 && planes == 1 && empty) std::fill_n(palette[1], 3, uint8_t{255});
  if (bits == 8 && planes == 1) {
    if (file.size() >= 128 + 769 && file[file.size() - 769] == 0x0C) {
      for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c) palette[i][c] = file[file.size() - 768 + static_cast<size_t>(i) * 3 + static_cast<size_t>(c)];
    } else {
      for (int i = 0; i < 256; ++i) std::fill_n(palette[i], 3, static_cast<uint8_t>(i));
    }
  }

  in.Seek(128);
  std::vector<uint8_t> row(lineBytes * static_cast<size_t>(planes));
  uint8_t runValue = 0;
  size_t runLeft = 0;
  for (int64_t y = 0; y < height; ++y) {
    for (uint8_t& b : row) {
      if (rle && runLeft == 0) {
        const uint8_t c = in.U8();
        if (c >= 0xC0) {
          runLeft = c & 0x3F;
          runValue = in.U8();
        } else {
          runLeft = 1;
          runValue = c;
        }
      }
      b = rle ? runValue : in.U8();
      if (rle) --runLeft;
      if (!in.ok()) return y > 0 ? ConversionResult::kOk : ConversionResult::kUnreadable;
    }
    uint8_t* pixel = out.rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
    for (int64_t x = 0; x < width; ++x, pixel += 3) {
      const size_t xs = static_cast<size_t>(x);
      if (bits == 8 && planes >= 3) {
        for (size_t c = 0; c < 3; ++c) pixel[c] = row[c * lineBytes + xs];
        continue;
      }
      uint32_t index = 0;  // one value from each plane, plane 0 lowest
      for (int p = planes - 1; p >= 0; --p)
        index = index << bits | PackedValue(row.data() + static_cast<size_t>(p) * lineBytes, xs, bits);
      std::copy_n(palette[index], 3, pixel);
    }
  }
  return ConversionResult::kOk;
}

}  // namespace imageconv
