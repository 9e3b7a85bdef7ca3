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

// The sub-blocks of one block, terminator included. Those read from a file stay in the
// file's bytes and are taken apart into DataSubBlock objects only when first asked for: a
// rewrite copies them with their block, and a dropped block is never looked at one by one.
class SubBlocks {
public:
    // Passes over the sub-blocks from the reader's position through the terminator, keeping
    // where they are (the bytes must outlive the object); false when the data ended first,
    // here or before (the reader is no longer ok).
    bool read(ByteReader& in);
    // Appends a sub-block made, not read, after those read (taken apart first, so that the
    // write no longer copies the bytes as read).
    void append(DataSubBlock* sub)
    {
        list();
        list_.append(sub, 1);
    }
    // Those read are taken apart as readSubBlocks does: a list cut off by the end of the
    // file ends where the pass in read ended, with a terminator.
    const SubBlockList& list() const;
    int32_t count() const { return list().count(); }
    void write(ByteWriter& out) const;

private:
    const uint8_t* data_ = nullptr; // the sub-blocks as read
    size_t size_ = 0;
    bool complete_ = false;       // read through their terminator
    mutable bool unsplit_ = false; // read, not yet taken apart into list_
    mutable SubBlockList list_;
};

// Reads sub-blocks up to and including the terminator; their data stays in the reader's
// bytes. A list cut short by the end of the file keeps the bytes that are there and ends with
// a terminator, so it writes back well formed.
void readSubBlocks(ByteReader& in, SubBlockList& list);
// Passes over sub-blocks up to and including the terminator without keeping them; false
// when the data ended before the terminator.
bool skipSubBlocks(ByteReader& in);
void writeSubBlocks(const SubBlockList& list, ByteWriter& out);
