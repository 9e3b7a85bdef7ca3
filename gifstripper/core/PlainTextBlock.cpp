#include "PlainTextBlock.h"

void PlainTextBlock::read(ByteReader& in)
{
    blockSize = in.u8();
    uint8_t body[255] = {};
    size_t got = in.bytes(body, blockSize);
    blockSize = uint8_t(got); // a body cut off by the end of the file is as long as it is
    gridLeft = body[0] | (body[1] << 8);
    gridTop = body[2] | (body[3] << 8);
    gridWidth = body[4] | (body[5] << 8);
    gridHeight = body[6] | (body[7] << 8);
    cellWidth = body[8];
    cellHeight = body[9];
    foreground = body[10];
    background = body[11];
    if (got > 12)
        bodyTail.assign(body + 12, body + got);
    subBlocks.read(in);
}

void PlainTextBlock::write(ByteWriter& out) const
{
    const uint8_t fields[12] = {
        uint8_t(gridLeft), uint8_t(gridLeft >> 8), uint8_t(gridTop), uint8_t(gridTop >> 8),
        uint8_t(gridWidth), uint8_t(gridWidth >> 8), uint8_t(gridHeight),
        uint8_t(gridHeight >> 8), cellWidth, cellHeight, foreground, background};
    out.u8(0x21);
    out.u8(0x01);
    out.u8(blockSize);
    out.bytes(fields, blockSize < 12 ? blockSize : 12);
    out.bytes(bodyTail.data(), bodyTail.size());
    subBlocks.write(out);
}
