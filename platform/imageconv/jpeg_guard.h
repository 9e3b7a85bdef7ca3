// A check made before the packaged JPEG decoder sees a file: that decoder writes past its
// Huffman tables when a table declares more than 256 symbols.
#pragma once

#include <cstdint>
#include <span>

namespace imageconv {

// False when a Huffman table segment declares more than 256 symbols; true otherwise,
// including for files that are not JPEG or that the decoder will reject on its own.
bool JpegTablesAreSafe(std::span<const uint8_t> file);

}  // namespace imageconv
