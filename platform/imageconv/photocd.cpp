#include "own_formats.h"

#include <algorithm>
#include <cstring>

#include "byte_reader.h"

namespace imageconv {

namespace {

constexpr size_t kSector = 2048;
constexpr size_t kBaseAt = 96 * kSector;  // after the overview sectors and the two smaller sizes
constexpr int kBaseWidth = 768, kBaseHeight = 512;

uint8_t Clamp(double v) { return static_cast<uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); }

}  // namespace

bool IsPhotoCd(std::span<const uint8_t> file) {
  return file.size() >= 0x808 && std::memcmp(file.data() + 0x800, "PCD_IPI", 7) == 0;
}

// An image pack: "PCD_IPI" at 0x800, the rotation in the low two bits of the byte at 0xE02
// (quarter turns anticlockwise), the base picture (768 x 512) at sector 96. Its rows come in
// pairs: two rows of luma, then one row each of the two chroma channels at half width.
// PhotoYCC to RGB as Kodak gives it. A file cut short keeps the rows it holds.
ConversionResult DecodePhotoCd(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsPhotoCd(file)) return ConversionResult::kUnreadable;
  if (file.size() < kBaseAt + kBaseWidth * 3) return ConversionResult::kUnreadable;
  RgbImage base;
  ConversionResult r = StartImage(base, kBaseWidth, kBaseHeight, maxPixels);
  if (r != ConversionResult::kOk) return r;
  ByteReader in(file);
  in.Seek(kBaseAt);
  for (int y = 0; y < kBaseHeight; y += 2) {
    const auto luma0 = in.Bytes(kBaseWidth), luma1 = in.Bytes(kBaseWidth);
    const auto c1 = in.Bytes(kBaseWidth / 2), c2 = in.Bytes(kBaseWidth / 2);
    if (!in.ok()) break;
    for (int row = 0; row < 2; ++row)
      for (size_t x = 0; x < kBaseWidth; ++x) {
        const double luma = 1.3584 * (row ? luma1 : luma0)[x];
        const double chroma1 = 2.2179 * (c1[x / 2] - 156.0), chroma2 = 1.8215 * (c2[x / 2] - 137.0);
        uint8_t* p = base.rgb.data() + ((static_cast<size_t>(y + row)) * kBaseWidth + x) * 3;
        p[0] = Clamp(luma + chroma2);
        p[1] = Clamp(luma - 0.194 * chroma1 - 0.509 * chroma2);
        p[2] = Clamp(luma + chroma1);
      }
  }
  const int turns = file[0xE02] & 3;
  if (turns == 0) {
    out = std::move(base);
    return ConversionResult::kOk;
  }
  const bool sideways = turns % 2 == 1;
  r = StartImage(out, sideways ? kBaseHeight : kBaseWidth, sideways ? kBaseWidth : kBaseHeight, maxPixels);
  if (r != ConversionResult::kOk) return r;
  for (int y = 0; y < kBaseHeight; ++y)
    for (int x = 0; x < kBaseWidth; ++x) {
      int tx = x, ty = y;  // where (x, y) of the stored picture lands
      if (turns == 1) tx = y, ty = kBaseWidth - 1 - x;
      if (turns == 2) tx = kBaseWidth - 1 - x, ty = kBaseHeight - 1 - y;
      if (turns == 3) tx = kBaseHeight - 1 - y, ty = x;
      std::copy_n(base.Pixel(x, y), 3, out.rgb.data() + (static_cast<size_t>(ty) * static_cast<size_t>(out.width) + static_cast<size_t>(tx)) * 3);
    }
  return ConversionResult::kOk;
}

}  // namespace imageconv
