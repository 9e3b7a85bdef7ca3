// Decodes an image file held in memory, whatever its extension says: JPEG, PNG, GIF (first
// frame) and PSD through the packaged decoder; BMP (Windows and OS/2 layouts, uncompressed,
// bit fields or run-length compressed), TGA, binary PNM, Softimage PIC, PCX, TIFF, FLI and FLC
// (first frame), clipboard files, PhotoCD (base size), EPS (TIFF preview), QuickTime (first
// frame) and WordPerfect bitmaps through our own (own_formats.h). Metafiles, CGM and WordPerfect
// drawings and AVI are drawn by the platform, at the library's Windows edge.
#pragma once

#include <cstdint>
#include <span>

#include "conversion_result.h"
#include "rgb_image.h"

namespace imageconv {

// Largest side accepted, so that row sizes and the bitmap file size stay within 32 bits.
constexpr int kMaxSide = 16384;
// Largest picture accepted; callers that must stay small (the fuzzer) pass less.
constexpr int64_t kMaxPixels = int64_t{kMaxSide} * kMaxSide;

// The largest picture a file of fileBytes may claim: any picture up to kAnyFilePixels, and
// beyond that kPixelsPerFileByte for each byte of the file. Only flat areas pack tighter than
// that in the codings read here, and without it a file of a few hundred bytes could have the
// converter hold and write hundreds of megabytes (at most 64 MB for a file under 1 KB).
constexpr int64_t kAnyFilePixels = int64_t{1} << 22;
constexpr int64_t kPixelsPerFileByte = 4096;
constexpr int64_t PixelsFileMayClaim(size_t fileBytes) {
  return fileBytes > static_cast<size_t>(kAnyFilePixels / kPixelsPerFileByte) ? static_cast<int64_t>(fileBytes) * kPixelsPerFileByte
                                                                              : kAnyFilePixels;
}

ConversionResult DecodeImage(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels = kMaxPixels);

// The decoded picture in the decoder's own buffer, freed with the object (no copy).
class DecodedImage {
public:
  DecodedImage() = default;
  ~DecodedImage();
  DecodedImage(const DecodedImage&) = delete;
  DecodedImage& operator=(const DecodedImage&) = delete;

  ConversionResult Decode(std::span<const uint8_t> file, int64_t maxPixels = kMaxPixels);
  RgbView View() const { return RgbView{width_, height_, pixels_ ? pixels_ : own_.rgb.data()}; }

private:
  uint8_t* pixels_ = nullptr;
  RgbImage own_;  // pictures decoded by our own code
  int width_ = 0;
  int height_ = 0;
};

}  // namespace imageconv
