// The strip and tile compressions of baseline TIFF readers: none, PackBits, LZW and Deflate.
#pragma once

#include <cstdint>
#include <span>

namespace imageconv {

enum class TiffCompression { kNone = 1, kLzw = 5, kDeflate = 8, kPackBits = 32773 };

// Expands one strip or tile into out (its size is the chunk's full size); returns how many
// bytes were produced. A damaged or short stream gives what came before the damage.
size_t UnpackTiffChunk(TiffCompression compression, std::span<const uint8_t> in, std::span<uint8_t> out);

}  // namespace imageconv
