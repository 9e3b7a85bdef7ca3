#include "ColorTable.h"

void ColorTable::read(ByteReader& in, int sizeCode)
{
    colours.assign(size_t(1) << sizeCode, 0);
    // The entries that are there whole straight from the bytes; one cut off by the end of the
    // file keeps what there is of it, the rest stay black.
    const uint8_t* rgb = in.here();
    const size_t whole = in.remaining() / 3 < colours.size() ? in.remaining() / 3 : colours.size();
    for (size_t i = 0; i < whole; ++i, rgb += 3)
        colours[i] = uint32_t(rgb[0]) | (uint32_t(rgb[1]) << 8) | (uint32_t(rgb[2]) << 16);
    in.skip(whole * 3);
    if (whole < colours.size()) {
        uint8_t part[3] = {0, 0, 0};
        in.bytes(part, 3);
        colours[whole] = uint32_t(part[0]) | (uint32_t(part[1]) << 8) | (uint32_t(part[2]) << 16);
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
