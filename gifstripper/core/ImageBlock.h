// Image descriptor and image data.
//
//   2C | left | top | width | height (LE16 each) | packed | local table (3 x 2^N bytes)
//   | LZW minimum code size | sub-blocks ... 00
//   packed: bit 7 local table present, bit 6 interlaced, bits 2-0 size code N - 1
#pragma once

#include <cstdint>
#include <memory>

#include "ByteReader.h"
#include "ColorTable.h"
#include "DataSubBlock.h"
#include "GifBlock.h"

class ImageBlock : public GifBlock {
public:
    ImageBlock() : GifBlock("IM") {}
    // Reads what follows the separator byte, through the terminator.
    void read(ByteReader& in);
    void write(ByteWriter& out) const override;

    int localEntryCount() const { return localTable ? localTable->entryCount() : 0; }

    uint8_t separator = 0x2C;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    uint8_t packed = 0;
    bool interlaced = false;
    std::unique_ptr<ColorTable> localTable;
    uint8_t minimumCodeSize = 0;
    SubBlockList subBlocks;
};
