#include "image_decoder.h"

#include "own_formats.h"
#include "packaged_decoder_guard.h"

#include <algorithm>
#include <cstring>
#include <limits>

// stb_image is compiled here and nowhere else, with only the formats the converter offers.
// Its Softimage PIC loader dereferences a null pointer on a file cut short, and its PNM loader
// reads past its buffer on a damaged 16-bit file; its BMP loader misreads OS/2 colour tables
// and refuses top-down rows, and its TGA loader ignores the right-to-left bit and the map's
// first index: all four formats are ours.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_PSD
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

namespace {

struct OwnFormat {
  bool (*is)(std::span<const uint8_t>);
  ConversionResult (*decode)(std::span<const uint8_t>, RgbImage&, int64_t);
};

constexpr OwnFormat kOwnFormats[] = {
    {IsBmp, DecodeBmp},
    {IsSoftimagePic, DecodeSoftimagePic},
    {IsPnm, DecodePnm},
    {IsPcx, DecodePcx},
    {IsTiff, DecodeTiff},
    {IsFlic, DecodeFlic},
    {IsClipboardFile, DecodeClipboardFile},
    {IsPhotoCd, DecodePhotoCd},
    {IsEps, DecodeEps},
    {IsQuickTime, DecodeQuickTime},
    {IsWpg, DecodeWpg},
};

}  // namespace

ConversionResult StartImage(RgbImage& out, int64_t width, int64_t height, int64_t maxPixels) {
  if (width <= 0 || height <= 0) return ConversionResult::kUnreadable;
  if (width > kMaxSide || height > kMaxSide || width * height > maxPixels) return ConversionResult::kTooLarge;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.rgb.assign(static_cast<size_t>(width * height) * 3, 0);
  return ConversionResult::kOk;
}

DecodedImage::~DecodedImage() {
  if (pixels_) stbi_image_free(pixels_);
}

ConversionResult DecodedImage::Decode(std::span<const uint8_t> file, int64_t maxPixels) {
  if (pixels_) {
    stbi_image_free(pixels_);
    pixels_ = nullptr;
  }
  if (file.empty() || file.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
    return ConversionResult::kUnreadable;
  const int length = static_cast<int>(file.size());
  maxPixels = std::min(maxPixels, PixelsFileMayClaim(file.size()));
  int w = 0, h = 0, channels = 0;
  auto keep = [&](ConversionResult r) {
    if (r == ConversionResult::kOk) {
      width_ = own_.width;
      height_ = own_.height;
    }
    return r;
  };
  for (const OwnFormat& format : kOwnFormats)
    if (format.is(file)) return keep(format.decode(file, own_, maxPixels));
  if (!SafeForPackagedDecoder(file)) return ConversionResult::kUnreadable;
  if (!stbi_info_from_memory(file.data(), length, &w, &h, &channels))
    return IsTga(file) ? keep(DecodeTga(file, own_, maxPixels)) : ConversionResult::kUnreadable;
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || int64_t{w} * h > maxPixels)
    return ConversionResult::kTooLarge;
  // Alpha is dropped: a bitmap file has none, and the colour under it is what remains.
  pixels_ = stbi_load_from_memory(file.data(), length, &w, &h, &channels, 3);
  if (!pixels_) return ConversionResult::kUnreadable;
  width_ = w;
  height_ = h;
  return ConversionResult::kOk;
}

ConversionResult DecodeImage(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  DecodedImage decoded;
  const ConversionResult r = decoded.Decode(file, maxPixels);
  if (r != ConversionResult::kOk) return r;
  const RgbView view = decoded.View();
  out.width = view.width;
  out.height = view.height;
  out.rgb.assign(view.rgb, view.rgb + static_cast<size_t>(view.width) * static_cast<size_t>(view.height) * 3);
  return ConversionResult::kOk;
}

}  // namespace imageconv
