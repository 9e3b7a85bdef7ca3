// The logical screen descriptor that follows the 6-byte header.
//
//   0      2       4       5           6
//   +------+-------+-------+-----------+--------+
//   |width |height |packed |background |aspect  |     width, height LE16
//   +------+-------+-------+-----------+--------+
//   packed: bit 7 global table present, bits 6-4 colour resolution, bits 2-0 size code - 1
#pragma once

#include <cstdint>

#include "ByteReader.h"
#include "GifBlock.h"

class ScreenDescriptor : public GifBlock {
public:
    ScreenDescriptor() : GifBlock("SC") {}
    void read(ByteReader& in);
    void write(ByteWriter& out) const override;

    int width = 0;
    int height = 0;
    uint8_t packed = 0;
    uint8_t background = 0;
    bool hasGlobalTable = false;
    int colourResolution = 0;
    int tableSizeCode = 1; // N: the table holds 2^N entries
    uint8_t aspect = 0;
};
