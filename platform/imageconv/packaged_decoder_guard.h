// Checks made before the packaged image decoder sees a file, for the faults it has on damaged
// input: its JPEG reader writes past its Huffman tables when a table declares more than 256
// symbols and reads a table that a scan names but no segment defined; its PSD reader gives
// a picture of nothing for a file cut off before its pixels; and its PNG reader asks for as
// much memory as a chunk's length or the header's size claims.
#pragma once

#include <cstdint>
#include <span>

namespace imageconv {

// False when the file would meet one of those faults; true otherwise, including for files
// the decoder will reject on its own.
bool SafeForPackagedDecoder(std::span<const uint8_t> file);

}  // namespace imageconv
