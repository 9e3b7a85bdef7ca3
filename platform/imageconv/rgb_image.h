// An in-memory picture as the converter passes it between its steps: rows top-down,
// three bytes a pixel in red, green, blue order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imageconv {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;

  const uint8_t* Pixel(int x, int y) const {
    return rgb.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  }
};

// Borrowed rows in the same layout, for pictures held in another owner's buffer.
struct RgbView {
  int width = 0;
  int height = 0;
  const uint8_t* rgb = nullptr;

  const uint8_t* Pixel(int x, int y) const {
    return rgb + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  }
};

// A picture of at most 256 colours: one palette index a pixel, rows top-down.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> indices;
  std::vector<uint32_t> palette;  // 0x00RRGGBB, at most 256 entries
};

}  // namespace imageconv
