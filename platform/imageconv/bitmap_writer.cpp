#include "bitmap_writer.h"

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

std::vector<uint8_t> Headers(int width, int height, uint16_t bits, uint32_t colours, size_t stride) {
  const size_t offset = 14 + 40 + colours * 4;
  const size_t pixels = stride * static_cast<size_t>(height);
  std::vector<uint8_t> out(offset + pixels, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<uint32_t>(out.size()));
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

std::vector<uint8_t> WriteBitmap24(const RgbView& image) {
  const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
  std::vector<uint8_t> out = Headers(image.width, image.height, 24, 0, stride);
  const size_t offset = 54;
  for (int y = 0; y < image.height; ++y) {
    uint8_t* row = out.data() + offset + stride * static_cast<size_t>(image.height - 1 - y);
    const uint8_t* src = image.Pixel(0, y);
    for (int x = 0; x < image.width; ++x, src += 3, row += 3) {
      row[0] = src[2];
      row[1] = src[1];
      row[2] = src[0];
    }
  }
  return out;
}

std::vector<uint8_t> WriteBitmap8(const IndexedImage& image) {
  const size_t stride = (static_cast<size_t>(image.width) + 3) & ~size_t{3};
  // The full table is always written: boot-screen readers expect 256 entries.
  std::vector<uint8_t> out = Headers(image.width, image.height, 8, 256, stride);
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
