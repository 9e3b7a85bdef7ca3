// Run-length compressed Windows bitmaps (4 and 8 bits a pixel), which the general decoder
// does not read.
#pragma once

#include <cstdint>
#include <span>

#include "conversion_result.h"
#include "rgb_image.h"

namespace imageconv {

// kUnreadable unless the file is a bitmap with a 40-byte (or longer Windows) header and RLE4
// or RLE8 compression. Pixels the stream never reaches take colour 0; a stream that ends
// early gives the rows decoded so far, one that ends before its first pixel kUnreadable.
ConversionResult DecodeRleBitmap(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels = INT64_MAX);

}  // namespace imageconv
