// The base of every part of a GIF file held in memory: a two-letter tag naming the kind, a
// keep flag the stripping driver clears for blocks that must go, and one write operation.
#pragma once

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

private:
    char tag_[3];
    int32_t keep_ = 1;
};
