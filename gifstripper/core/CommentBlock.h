// Comment extension (label FE): its text is the data of its sub-blocks in order.
//
//   21 FE | sub-blocks ... 00
#pragma once

#include <string>

#include "ByteReader.h"
#include "DataSubBlock.h"
#include "GifBlock.h"

class CommentBlock : public GifBlock {
public:
    CommentBlock() : GifBlock("CM") {}
    void read(ByteReader& in) { subBlocks.read(in); }
    void write(ByteWriter& out) const override;

    // The data of all sub-blocks, one after the other.
    std::string text() const;
    // Fills an empty block: sub-blocks of 255 bytes, the last with the 1..255 left, then the
    // terminator. An empty text gives the terminator alone.
    void setText(const std::string& text);

    SubBlocks subBlocks;
};
