// Graphic control extension (label F9).
//
//   21 F9 size | packed | delay LE16 | transparent index | sub-blocks ... 00
//   packed: bits 4-2 disposal method, bit 1 user input, bit 0 transparent colour
//
// The body is read as long as its size byte says (a short body leaves the rest as
// constructed); it is always written as the standard 4-byte body and its terminator.
#pragma once

#include <cstdint>

#include "ByteReader.h"
#include "GifBlock.h"

class GraphicControlBlock : public GifBlock {
public:
    GraphicControlBlock() : GifBlock("CB") {}
    // Reads from the size byte on, through the terminator.
    void read(ByteReader& in);
    void write(ByteWriter& out) const override;

    uint8_t packed = 0;
    int disposal = 0;
    int userInput = 0;
    int transparentFlag = 0;
    int delay = -1;
    uint8_t transparentIndex = 0;
};
