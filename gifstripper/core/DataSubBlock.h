// One data sub-block: a size byte and that many data bytes. A size of 0 is the terminator that
// closes a comment, application, plain-text or image data list.
//
//   +------+-------------------+
//   | size | size bytes of data|      size 0 = terminator (the single byte 00)
//   +------+-------------------+
#pragma once

#include <cstdint>

#include "ByteReader.h"
#include "GifBlock.h"
#include "PtrList.h"

class DataSubBlock : public GifBlock {
public:
    DataSubBlock() : GifBlock("SU") {}
    void write(ByteWriter& out) const override;

    uint8_t size = 0;
    uint8_t data[255] = {};
};

using SubBlockList = PtrList<DataSubBlock>;

// Reads sub-blocks up to and including the terminator. A list cut short by the end of the file
// keeps the bytes that are there and ends with a terminator, so it writes back well formed.
void readSubBlocks(ByteReader& in, SubBlockList& list);
// Passes over sub-blocks up to and including the terminator without keeping them.
void skipSubBlocks(ByteReader& in);
void writeSubBlocks(const SubBlockList& list, ByteWriter& out);
