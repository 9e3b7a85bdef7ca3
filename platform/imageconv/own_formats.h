// The formats decoded by our own bounded code rather than by the packaged image library.
// Each Is function looks only at the signature; its Decode function then owns the verdict, so
// a damaged file of a recognised kind never falls through to another decoder. Decoders give
// kUnreadable for a file they cannot use, and keep what they decoded of a file cut short.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "conversion_result.h"
#include "image_decoder.h"
#include "rgb_image.h"

namespace imageconv {

// Checks the size against the side and pixel limits and makes a black width x height picture.
ConversionResult StartImage(RgbImage& out, int64_t width, int64_t height, int64_t maxPixels);

bool IsBmp(std::span<const uint8_t> file);
ConversionResult DecodeBmp(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

// TGA has no signature: IsTga judges the header alone, so it is asked after every other format.
bool IsTga(std::span<const uint8_t> file);
ConversionResult DecodeTga(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

bool IsSoftimagePic(std::span<const uint8_t> file);
ConversionResult DecodeSoftimagePic(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

bool IsPnm(std::span<const uint8_t> file);
ConversionResult DecodePnm(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

bool IsPcx(std::span<const uint8_t> file);
ConversionResult DecodePcx(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

bool IsTiff(std::span<const uint8_t> file);
ConversionResult DecodeTiff(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

bool IsFlic(std::span<const uint8_t> file);
ConversionResult DecodeFlic(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

// A device-independent bitmap in memory (a bitmap file less its 14-byte header), as the
// clipboard and the video-file interface hand them over.
ConversionResult DecodeDib(std::span<const uint8_t> dib, RgbImage& out, int64_t maxPixels);

bool IsClipboardFile(std::span<const uint8_t> file);
ConversionResult DecodeClipboardFile(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);
// A clipboard file's metafile entry, for the platform to draw when it holds no bitmap: the
// metafile's bytes (empty when there is none) and the picture's stated size, if any.
struct ClipboardMetafile {
  std::span<const uint8_t> bits;
  int64_t widthHundredthsMm = 0;
  int64_t heightHundredthsMm = 0;
};
ClipboardMetafile FindClipboardMetafile(std::span<const uint8_t> file);

bool IsPhotoCd(std::span<const uint8_t> file);
ConversionResult DecodePhotoCd(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

bool IsWpg(std::span<const uint8_t> file);
ConversionResult DecodeWpg(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);
// A WordPerfect graphic without a bitmap, its drawing records as a placeable metafile for the
// platform to draw.
ConversionResult WpgToMetafile(std::span<const uint8_t> file, std::vector<uint8_t>& metafile);

bool IsQuickTime(std::span<const uint8_t> file);
ConversionResult DecodeQuickTime(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);

// EPS with a binary header, through its TIFF preview; one with a metafile preview is for the
// platform to draw (EpsMetafilePreview gives those bytes, or nothing).
bool IsEps(std::span<const uint8_t> file);
ConversionResult DecodeEps(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels);
std::span<const uint8_t> EpsMetafilePreview(std::span<const uint8_t> file);

}  // namespace imageconv
