// The strip and tile compressions of baseline TIFF readers: none, PackBits, LZW (either bit
// order) and Deflate, and CCITT bilevel coding (tiff_fax.h).
#pragma once

#include <cstdint>
#include <span>

namespace imageconv {

enum class TiffCompression {
  kNone = 1, kCcittRle = 2, kCcittFax3 = 3, kCcittFax4 = 4, kLzw = 5, kDeflate = 8, kPackBits = 32773
};

struct FaxLayout;

// Expands one strip or tile into out (its size is the chunk's full size); returns how many
// bytes were produced. A damaged or short stream gives what came before the damage. The
// CCITT codings need the chunk's layout (fax), the others ignore it.
size_t UnpackTiffChunk(TiffCompression compression, std::span<const uint8_t> in, std::span<uint8_t> out,
                       const FaxLayout* fax = nullptr);

}  // namespace imageconv
