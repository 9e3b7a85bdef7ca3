// Any bytes into the run-length bitmap decoder: no read outside the buffer, and a decoded
// picture always holds exactly width x height pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "rle_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Huge declared pictures only measure the allocator.
  if (size >= 26) {
    const int64_t w = static_cast<int32_t>(data[18] | (data[19] << 8) | (data[20] << 16) | (static_cast<uint32_t>(data[21]) << 24));
    const int64_t h = static_cast<int32_t>(data[22] | (data[23] << 8) | (data[24] << 16) | (static_cast<uint32_t>(data[25]) << 24));
    if (w * h > (int64_t{1} << 16)) return 0;
  }
  std::unique_ptr<uint8_t[]> copy(new uint8_t[size + 1]);
  if (size) std::memcpy(copy.get(), data, size);
  imageconv::RgbImage image;
  if (imageconv::DecodeRleBitmap(std::span<const uint8_t>(copy.get(), size), image) == imageconv::ConversionResult::kOk &&
      image.rgb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3)
    std::abort();
  return 0;
}
