#include "bitmap_writer.h"

#include <algorithm>
#include <cstddef>

namespace imageconv {

namespace {

//  0 u16 "BM"   2 u32 file size   6 u32 0   10 u32 pixel offset
// 14 u32 40     18 i32 width      22 i32 height (bottom-up)   26 u16 1 plane   28 u16 bits
// 30 u32 0 (no compression)       34 u32 pixel bytes   38/42 i32 2835 (72 dpi)
// 46 u32 colours used             50 u32 colours important
void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// The two headers and room for the colour table, for a file whose rows are stride bytes.
std::vector<uint8_t> Headers(int width, int height, uint16_t bits, uint32_t colours, size_t stride) {
  const size_t offset = 14 + 40 + colours * 4;
  const size_t pixels = stride * static_cast<size_t>(height);
  std::vector<uint8_t> out(offset, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<uint32_t>(offset + pixels));
  Put32(out, 10, static_cast<uint32_t>(offset));
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<uint32_t>(width));
  Put32(out, 22, static_cast<uint32_t>(height));
  Put16(out, 26, 1);
  Put16(out, 28, bits);
  Put32(out, 34, static_cast<uint32_t>(pixels));
  Put32(out, 38, 2835);
  Put32(out, 42, 2835);
  Put32(out, 46, colours);
  Put32(out, 50, colours);
  return out;
}

}  // namespace

bool WriteBitmap24(const RgbView& image, const ByteSink& sink) {
  const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
  // At least one row a piece; rows are at most 48 KB.
  constexpr size_t kPiece = size_t{256} << 10;
  const std::vector<uint8_t> header = Headers(image.width, image.height, 24, 0, stride);
  std::vector<uint8_t> piece(std::max(kPiece, header.size() + stride));
  std::copy(header.begin(), header.end(), piece.begin());
  size_t used = header.size();
  for (int y = image.height - 1; y >= 0; --y) {
    if (used + stride > piece.size()) {
      if (!sink(std::span<const uint8_t>(piece.data(), used))) return false;
      used = 0;
    }
    uint8_t* row = piece.data() + used;
    const uint8_t* src = image.Pixel(0, y);
    for (int x = 0; x < image.width; ++x, src += 3, row += 3) {
      row[0] = src[2];
      row[1] = src[1];
      row[2] = src[0];
    }
    std::fill(row, piece.data() + used + stride, uint8_t{0});
    used += stride;
  }
  return sink(std::span<const uint8_t>(piece.data(), used));
}

std::vector<uint8_t> WriteBitmap24(const RgbView& image) {
  std::vector<uint8_t> out;
  out.reserve(54 + ((static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3}) * static_cast<size_t>(image.height));
  WriteBitmap24(image, [&](std::span<const uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
  });
  return out;
}

std::vector<uint8_t> WriteBitmap8(const IndexedImage& image) {
  const size_t stride = (static_cast<size_t>(image.width) + 3) & ~size_t{3};
  // The full table is always written: boot-screen readers expect 256 entries.
  std::vector<uint8_t> out = Headers(image.width, image.height, 8, 256, stride);
  out.resize(out.size() + stride * static_cast<size_t>(image.height));
  for (size_t i = 0; i < image.palette.size() && i < 256; ++i) {
    const uint32_t c = image.palette[i];
    out[54 + i * 4 + 0] = static_cast<uint8_t>(c);
    out[54 + i * 4 + 1] = static_cast<uint8_t>(c >> 8);
    out[54 + i * 4 + 2] = static_cast<uint8_t>(c >> 16);
  }
  const size_t offset = 54 + 256 * 4;
  for (int y = 0; y < image.height; ++y) {
    uint8_t* row = out.data() + offset + stride * static_cast<size_t>(image.height - 1 - y);
    const uint8_t* src = image.indices.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width);
    for (int x = 0; x < image.width; ++x) row[x] = src[x];
  }
  return out;
}

}  // namespace imageconv
