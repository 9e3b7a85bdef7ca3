// Plain text extension (label 01).
//
//   21 01 size | grid left, top, width, height (LE16 each) | cell width, cell height,
//   foreground index, background index | sub-blocks ... 00
//
// The body is kept exactly as long as its size byte says (12 in a standard file), so it is
// written back as it was read.
#pragma once

#include <cstdint>
#include <vector>

#include "ByteReader.h"
#include "DataSubBlock.h"
#include "GifBlock.h"

class PlainTextBlock : public GifBlock {
public:
    PlainTextBlock() : GifBlock("PT") {}
    // Reads from the size byte on, through the terminator.
    void read(ByteReader& in);
    void write(ByteWriter& out) const override;

    uint8_t blockSize = 0;
    int gridLeft = 0;
    int gridTop = 0;
    int gridWidth = 0;
    int gridHeight = 0;
    uint8_t cellWidth = 0;
    uint8_t cellHeight = 0;
    uint8_t foreground = 0;
    uint8_t background = 0;
    std::vector<uint8_t> bodyTail; // body bytes past the standard 12
    SubBlocks subBlocks;
};
