// The base of every part of a GIF file held in memory: a two-letter tag naming the kind, a
// keep flag the stripping driver clears for blocks that must go, and one write operation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ByteWriter.h"

class GifBlock {
public:
    explicit GifBlock(const char* tag);
    virtual ~GifBlock() = default;
    GifBlock(const GifBlock&) = delete;
    GifBlock& operator=(const GifBlock&) = delete;

    // Writes the block as it belongs in the file; the base block has no bytes of its own.
    virtual void write(ByteWriter& out) const;

    const char* tag() const { return tag_; }
    bool hasTag(const char* tag) const; // without regard to case
    bool keep() const { return keep_ != 0; }
    void drop() { keep_ = 0; }

    // Where the block's bytes stand in the file it was read from (length 0 when the end of
    // the file cut it short); a rewrite copies them unchanged when write gives those bytes.
    void setSource(size_t offset, size_t length)
    {
        sourceOffset_ = offset;
        sourceLength_ = length;
    }
    size_t sourceOffset() const { return sourceOffset_; }
    size_t sourceLength() const { return sourceLength_; }

private:
    char tag_[3];
    int32_t keep_ = 1;
    size_t sourceOffset_ = 0;
    size_t sourceLength_ = 0;
};
