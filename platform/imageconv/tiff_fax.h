// CCITT bilevel coding in TIFF strips and tiles: modified Huffman (compression 2), Group 3
// one- and two-dimensional (3) and Group 4 (4).
#pragma once

#include <cstdint>
#include <span>

#include "tiff_codecs.h"

namespace imageconv {

struct FaxLayout {
  int width = 0;          // pixels a row
  uint32_t options = 0;   // T4Options or T6Options: bit 0 two-dimensional (Group 3), bit 1 uncompressed mode
};

// Decodes whole rows of one bit a pixel (black is 1, rows padded to whole bytes) into out;
// returns the bytes of the rows decoded. Damage, the end of the data or an end-of-page code
// ends the chunk after the last whole row; uncompressed mode is not read.
size_t UnpackFax(TiffCompression compression, const FaxLayout& layout, std::span<const uint8_t> in, std::span<uint8_t> out);

}  // namespace imageconv
