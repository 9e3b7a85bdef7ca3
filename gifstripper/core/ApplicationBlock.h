// Application extension (label FF).
//
//   21 FF size | identifier (8) | authentication code (3) | sub-blocks ... 00
//
// The body is read as long as its size byte says; it is written with the standard size 0B.
#pragma once

#include <cstdint>

#include "ByteReader.h"
#include "DataSubBlock.h"
#include "GifBlock.h"

class ApplicationBlock : public GifBlock {
public:
    enum Kind { Other = 0, Netscape = 1, GifConverter = 2 };

    ApplicationBlock() : GifBlock("AP") {}
    // Reads from the size byte on, through the terminator.
    void read(ByteReader& in);
    void write(ByteWriter& out) const override;

    // NETSCAPE blocks carry the looping count and are kept; the first six identifier bytes
    // decide, without regard to case.
    int identify() const;

    uint8_t blockSize = 0;
    uint8_t identifier[8] = {};
    uint8_t authentication[3] = {};
    SubBlocks subBlocks;
};
