// One data sub-block: a size byte and that many data bytes. A size of 0 is the terminator that
// closes a comment, application, plain-text or image data list.
//
//   +------+-------------------+
//   | size | size bytes of data|      size 0 = terminator (the single byte 00)
//   +------+-------------------+
#pragma once

#include <cstdint>
#include <memory>

#include "ByteReader.h"
#include "GifBlock.h"
#include "PtrList.h"

class DataSubBlock : public GifBlock {
public:
    DataSubBlock() : GifBlock("SU") {}
    void write(ByteWriter& out) const override;
    // Copies n bytes into the sub-block's own storage (a sub-block made, not read).
    void assign(const uint8_t* bytes, uint8_t n);

    uint8_t size = 0;
    // The size data bytes. A sub-block read from a file points into the file's bytes, which
    // its GifFile keeps for as long as the blocks live, so reading copies no image data.
    const uint8_t* data = nullptr;

private:
    std::unique_ptr<uint8_t[]> own_;
};

using SubBlockList = PtrList<DataSubBlock>;

// Reads sub-blocks up to and including the terminator; their data stays in the reader's
// bytes. A list cut short by the end of the file keeps the bytes that are there and ends with
// a terminator, so it writes back well formed.
void readSubBlocks(ByteReader& in, SubBlockList& list);
// Passes over sub-blocks up to and including the terminator without keeping them; false
// when the data ended before the terminator.
bool skipSubBlocks(ByteReader& in);
void writeSubBlocks(const SubBlockList& list, ByteWriter& out);
