#include "GraphicControlBlock.h"

#include "DataSubBlock.h"

void GraphicControlBlock::read(ByteReader& in)
{
    uint8_t size = in.u8();
    uint8_t body[255] = {};
    size_t got = in.bytes(body, size);
    if (got >= 1)
        packed = body[0];
    if (got >= 3)
        delay = body[1] | (body[2] << 8);
    if (got >= 4)
        transparentIndex = body[3];
    disposal = (packed >> 2) & 7;
    userInput = (packed >> 1) & 1;
    transparentFlag = packed & 1;
    skipSubBlocks(in);
}

void GraphicControlBlock::write(ByteWriter& out) const
{
    out.u8(0x21);
    out.u8(0xF9);
    out.u8(0x04);
    out.u8(packed);
    out.le16(uint32_t(delay));
    out.u8(transparentIndex);
    out.u8(0x00);
}
