#include "image_decoder.h"

#include "rle_bitmap.h"

#include <cstring>
#include <limits>

// stb_image is compiled here and nowhere else, with only the formats the converter offers.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_ONLY_TGA
#define STBI_ONLY_PSD
#define STBI_ONLY_PIC
#define STBI_ONLY_PNM
#define STBI_MAX_DIMENSIONS 16384
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image.h>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace imageconv {

DecodedImage::~DecodedImage() {
  if (pixels_) stbi_image_free(pixels_);
}

ConversionResult DecodedImage::Decode(std::span<const uint8_t> file) {
  if (pixels_) {
    stbi_image_free(pixels_);
    pixels_ = nullptr;
  }
  if (file.empty() || file.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
    return ConversionResult::kUnreadable;
  const int length = static_cast<int>(file.size());
  int w = 0, h = 0, channels = 0;
  // Run-length compressed bitmaps are ours to decode; everything else is stb's.
  auto ownDecoder = [&] {
    const ConversionResult r = DecodeRleBitmap(file, own_);
    if (r == ConversionResult::kOk) {
      width_ = own_.width;
      height_ = own_.height;
    }
    return r;
  };
  if (!stbi_info_from_memory(file.data(), length, &w, &h, &channels)) return ownDecoder();
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return ConversionResult::kTooLarge;
  // Alpha is dropped: a bitmap file has none, and the colour under it is what remains.
  pixels_ = stbi_load_from_memory(file.data(), length, &w, &h, &channels, 3);
  if (!pixels_) return ownDecoder();
  width_ = w;
  height_ = h;
  return ConversionResult::kOk;
}

ConversionResult DecodeImage(std::span<const uint8_t> file, RgbImage& out) {
  DecodedImage decoded;
  const ConversionResult r = decoded.Decode(file);
  if (r != ConversionResult::kOk) return r;
  const RgbView view = decoded.View();
  out.width = view.width;
  out.height = view.height;
  out.rgb.assign(view.rgb, view.rgb + static_cast<size_t>(view.width) * static_cast<size_t>(view.height) * 3);
  return ConversionResult::kOk;
}

}  // namespace imageconv
