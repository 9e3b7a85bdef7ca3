// Writes Windows bitmap files: a 14-byte file header, a 40-byte information header, the
// colour table (8 bits only), then rows bottom-up, each padded to four bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace imageconv {

std::vector<uint8_t> WriteBitmap24(const RgbView& image);
inline std::vector<uint8_t> WriteBitmap24(const RgbImage& image) {
  return WriteBitmap24(RgbView{image.width, image.height, image.rgb.data()});
}
std::vector<uint8_t> WriteBitmap8(const IndexedImage& image);

}  // namespace imageconv
