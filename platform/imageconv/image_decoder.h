// Decodes an image file held in memory, whatever its extension says: JPEG, PNG, BMP (Windows
// and OS/2 layouts, uncompressed), GIF (first frame), TGA, PSD, Softimage PIC and PNM.
#pragma once

#include <cstdint>
#include <span>

#include "conversion_result.h"
#include "rgb_image.h"

namespace imageconv {

// Largest side accepted, so that row sizes and the bitmap file size stay within 32 bits.
constexpr int kMaxSide = 16384;

ConversionResult DecodeImage(std::span<const uint8_t> file, RgbImage& out);

}  // namespace imageconv
