#include "converter.h"

#include <new>

#include "bitmap_writer.h"
#include "colour_reducer.h"
#include "image_decoder.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_resize.h>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace imageconv {

RgbImage Resize(const RgbImage& image, int width, int height) {
  if (image.width == width && image.height == height) return image;
  RgbImage out;
  out.width = width;
  out.height = height;
  out.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  stbir_resize_uint8(image.rgb.data(), image.width, image.height, 0, out.rgb.data(), width, height, 0, 3);
  return out;
}

ConversionResult ConvertToBitmap(std::span<const uint8_t> source, std::vector<uint8_t>& bitmap, int64_t maxPixels) {
  try {
    DecodedImage image;
    const ConversionResult r = image.Decode(source, maxPixels);
    if (r != ConversionResult::kOk) return r;
    bitmap = WriteBitmap24(image.View());
    return ConversionResult::kOk;
  } catch (const std::bad_alloc&) {
    return ConversionResult::kOutOfMemory;
  }
}

ConversionResult ConvertToBitmap(std::span<const uint8_t> source, const ByteSink& sink, int64_t maxPixels) {
  try {
    DecodedImage image;
    const ConversionResult r = image.Decode(source, maxPixels);
    if (r != ConversionResult::kOk) return r;
    return WriteBitmap24(image.View(), sink) ? ConversionResult::kOk : ConversionResult::kCannotWriteFile;
  } catch (const std::bad_alloc&) {
    return ConversionResult::kOutOfMemory;
  }
}

ConversionResult MakeBootScreen(std::span<const uint8_t> source, std::vector<uint8_t>& bootScreen, int64_t maxPixels) {
  try {
    RgbImage image;
    const ConversionResult r = DecodeImage(source, image, maxPixels);
    if (r != ConversionResult::kOk) return r;
    const RgbImage sized = Resize(image, kBootScreenWidth, kBootScreenHeight);
    bootScreen = WriteBitmap8(ReduceColours(sized, 256));
    return ConversionResult::kOk;
  } catch (const std::bad_alloc&) {
    return ConversionResult::kOutOfMemory;
  }
}

}  // namespace imageconv
