// Any bytes into the bitmap reader: it must refuse or accept without reading outside the
// buffer, and an accepted image must hold every row the drawing call will read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "byte_reader.h"
#include "dib_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<uint8_t[]> copy(new uint8_t[size + 1]);
  if (size) std::memcpy(copy.get(), data, size);
  tunewright::DibImage dib;
  if (dib.Read(std::span<const uint8_t>(copy.get(), size)) != tunewright::DibReadResult::kOk) {
    if (dib.Width() != 16 || dib.BitsSize() != 256) std::abort();  // the old image stays
    return 0;
  }
  const uint8_t* h = dib.InfoBlock();
  if (tunewright::GetU32(h) != 40 || tunewright::GetU32(h + 32) > 256) std::abort();
  const uint32_t compression = tunewright::GetU32(h + 16);
  if (compression == 0 || compression == 3) {
    const int64_t height = dib.Height();
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
    if (tunewright::DibRowBytes(static_cast<uint64_t>(dib.Width()), dib.BitCount()) * rows > dib.BitsSize())
      std::abort();
  }
  // Touch every byte handed on, so the sanitizer sees any block that is too small.
  unsigned sum = 0;
  for (size_t i = 0; i < tunewright::DibImage::kInfoBlockSize; ++i) sum += h[i];
  for (size_t i = 0; i < dib.BitsSize(); ++i) sum += dib.Bits()[i];
  return static_cast<int>(sum & 0);
}
