// Writes Windows bitmap files: a 14-byte file header, a 40-byte information header, the
// colour table (8 bits only), then rows bottom-up, each padded to four bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "rgb_image.h"

namespace imageconv {

// Receives a file's bytes in order, piece by piece; false stops the writing.
using ByteSink = std::function<bool(std::span<const uint8_t>)>;

std::vector<uint8_t> WriteBitmap24(const RgbView& image);
// The same file in pieces of a bounded size, so that a large picture is not held a second
// time as a whole file (fresh memory is what a one-off conversion pays for most); false
// when the sink refused a piece.
bool WriteBitmap24(const RgbView& image, const ByteSink& sink);
inline std::vector<uint8_t> WriteBitmap24(const RgbImage& image) {
  return WriteBitmap24(RgbView{image.width, image.height, image.rgb.data()});
}
std::vector<uint8_t> WriteBitmap8(const IndexedImage& image);

}  // namespace imageconv
