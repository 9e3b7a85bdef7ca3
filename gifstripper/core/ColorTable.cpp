#include "ColorTable.h"

void ColorTable::read(ByteReader& in, int sizeCode)
{
    colours.assign(size_t(1) << sizeCode, 0);
    for (auto& c : colours) {
        uint8_t rgb[3] = {0, 0, 0};
        in.bytes(rgb, 3);
        c = uint32_t(rgb[0]) | (uint32_t(rgb[1]) << 8) | (uint32_t(rgb[2]) << 16);
    }
}

void ColorTable::write(ByteWriter& out) const
{
    for (uint32_t c : colours) {
        out.u8(red(c));
        out.u8(green(c));
        out.u8(blue(c));
    }
}
