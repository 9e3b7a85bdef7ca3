// A global or local colour table: 2^N entries of red, green, blue (N = 1..8).
// Each colour is held as red in the low byte, then green, then blue, top byte 0, which is
// also how the Windows build hands it to the display.
#pragma once

#include <cstdint>
#include <vector>

#include "ByteReader.h"
#include "GifBlock.h"

class ColorTable : public GifBlock {
public:
    ColorTable() : GifBlock("CT") {}
    // Reads 2^sizeCode entries; entries cut off by the end of the file stay black.
    void read(ByteReader& in, int sizeCode);
    void write(ByteWriter& out) const override;

    int entryCount() const { return int(colours.size()); }
    static uint8_t red(uint32_t c) { return uint8_t(c & 0xFF); }
    static uint8_t green(uint32_t c) { return uint8_t((c >> 8) & 0xFF); }
    static uint8_t blue(uint32_t c) { return uint8_t((c >> 16) & 0xFF); }

    std::vector<uint32_t> colours;
};
