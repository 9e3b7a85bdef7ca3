#include "ScreenDescriptor.h"

void ScreenDescriptor::read(ByteReader& in)
{
    width = in.le16();
    height = in.le16();
    packed = in.u8();
    background = in.u8();
    aspect = in.u8();
    hasGlobalTable = (packed & 0x80) != 0;
    colourResolution = (packed >> 4) & 7;
    tableSizeCode = (packed & 7) + 1;
}

void ScreenDescriptor::write(ByteWriter& out) const
{
    out.le16(uint32_t(width));
    out.le16(uint32_t(height));
    out.u8(packed);
    out.u8(background);
    out.u8(aspect);
}
