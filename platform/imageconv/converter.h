// The converter's two jobs over bytes in memory: any readable image to a 24-bit bitmap file,
// and any readable image to a boot-screen file (a 320 x 400 bitmap of 8 bits a pixel).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "bitmap_writer.h"
#include "conversion_result.h"
#include "image_decoder.h"
#include "rgb_image.h"

namespace imageconv {

constexpr int kBootScreenWidth = 320;
constexpr int kBootScreenHeight = 400;

ConversionResult ConvertToBitmap(std::span<const uint8_t> source, std::vector<uint8_t>& bitmap,
                                 int64_t maxPixels = kMaxPixels);
// The same bitmap file handed to the sink in pieces as it is made (kCannotWriteFile when the
// sink refuses one); nothing reaches the sink unless the source decodes.
ConversionResult ConvertToBitmap(std::span<const uint8_t> source, const ByteSink& sink,
                                 int64_t maxPixels = kMaxPixels);
ConversionResult MakeBootScreen(std::span<const uint8_t> source, std::vector<uint8_t>& bootScreen,
                                int64_t maxPixels = kMaxPixels);

// Resamples to exactly width x height (a copy when the size already matches).
RgbImage Resize(const RgbImage& image, int width, int height);

}  // namespace imageconv
