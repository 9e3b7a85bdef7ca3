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
    // Reads what follows the separator byte, through the terminator. The bytes read must
    // outlive the block.
    void read(ByteReader& in);
    void write(ByteWriter& out) const override;

    int localEntryCount() const { return localTable ? localTable->entryCount() : 0; }
    // The image data's sub-blocks, terminator included. They are taken apart from the file's
    // bytes when first asked for: a rewrite copies a whole image at once, and only the
    // display of the first image walks them.
    const SubBlockList& subBlocks() const { return data_.list(); }
    // True when the block was read through its terminator: it is then written as read.
    bool readWhole() const { return readWhole_; }

    uint8_t separator = 0x2C;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    uint8_t packed = 0;
    bool interlaced = false;
    std::unique_ptr<ColorTable> localTable;
    uint8_t minimumCodeSize = 0;

private:
    SubBlocks data_;
    bool readWhole_ = false;
};
