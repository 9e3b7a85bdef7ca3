#include "rle_bitmap.h"

#include <algorithm>

#include "image_decoder.h"

namespace imageconv {

namespace {

uint32_t Get16(std::span<const uint8_t> b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t Get32(std::span<const uint8_t> b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

}  // namespace

// File header: 0 "BM", 10 u32 pixel offset. Header at 14: 0 u32 size (40, 108, 124),
// 4 i32 width, 8 i32 height (bottom-up only), 14 u16 bits, 16 u32 compression (1 RLE8,
// 2 RLE4), 32 u32 colours used; then the colour table of B, G, R, 0 entries.
// The stream is pairs: a non-zero count repeats the next byte (RLE4: its two nibbles in
// turn); a zero count is followed by 0 end of row, 1 end of picture, 2 a move right and up,
// or n >= 3 literal pixels padded to an even byte count.
ConversionResult DecodeRleBitmap(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return ConversionResult::kUnreadable;
  const uint32_t offset = Get32(file, 10);
  const uint32_t headerSize = Get32(file, 14);
  if (headerSize < 40 || headerSize > 124) return ConversionResult::kUnreadable;
  const int32_t width = static_cast<int32_t>(Get32(file, 18));
  const int32_t height = static_cast<int32_t>(Get32(file, 22));
  const uint32_t bits = Get16(file, 28);
  const uint32_t compression = Get32(file, 30);
  if (!((compression == 1 && bits == 8) || (compression == 2 && bits == 4)))
    return ConversionResult::kUnreadable;
  if (width <= 0 || height <= 0) return ConversionResult::kUnreadable;
  if (width > kMaxSide || height > kMaxSide || int64_t{width} * height > maxPixels) return ConversionResult::kTooLarge;

  uint32_t colours = Get32(file, 46);
  const uint32_t maxColours = 1u << bits;
  if (colours == 0 || colours > maxColours) colours = maxColours;
  const size_t tableAt = 14 + static_cast<size_t>(headerSize);
  uint8_t table[256][3] = {};
  for (uint32_t i = 0; i < colours; ++i) {
    const size_t at = tableAt + i * 4;
    if (at + 3 > file.size()) break;  // a short table leaves the rest black
    table[i][0] = file[at + 2];
    table[i][1] = file[at + 1];
    table[i][2] = file[at];
  }
  if (offset >= file.size()) return ConversionResult::kUnreadable;

  std::vector<uint8_t> indices(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  int x = 0, y = 0;  // y counts rows from the bottom
  bool decoded = false;  // a pixel set, or the end of the picture reached
  // Pixels past the row's end are dropped; x and y never grow past the picture.
  auto put = [&](uint32_t index) {
    if (x >= width) return;
    decoded = true;
    indices[static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
        static_cast<uint8_t>(index);
    ++x;
  };
  size_t pos = offset;
  const bool four = bits == 4;
  while (pos + 1 < file.size() && y < height) {
    const uint32_t count = file[pos], value = file[pos + 1];
    pos += 2;
    if (count > 0) {
      for (uint32_t i = 0; i < count && x < width; ++i)
        put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      decoded = true;
      break;
    } else if (value == 2) {
      if (pos + 1 >= file.size()) break;
      x = std::min(x + file[pos], width);
      y = std::min(y + file[pos + 1], height);
      pos += 2;
    } else {
      const size_t bytes = four ? (value + 1) / 2 : value;
      if (pos + bytes > file.size()) break;
      for (uint32_t i = 0; i < value; ++i) {
        const uint32_t b = file[pos + (four ? i / 2 : i)];
        put(four ? ((i & 1) ? b & 15 : b >> 4) : b);
      }
      pos += bytes + (bytes & 1);
    }
  }

  if (!decoded) return ConversionResult::kUnreadable;  // no stream, or nothing in it to decode
  out.width = width;
  out.height = height;
  out.rgb.resize(indices.size() * 3);
  for (size_t i = 0; i < indices.size(); ++i) std::copy_n(table[indices[i]], 3, out.rgb.data() + i * 3);
  return ConversionResult::kOk;
}

}  // namespace imageconv
