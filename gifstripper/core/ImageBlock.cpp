#include "ImageBlock.h"

void ImageBlock::read(ByteReader& in)
{
    left = in.le16();
    top = in.le16();
    width = in.le16();
    height = in.le16();
    packed = in.u8();
    interlaced = (packed & 0x40) != 0;
    if (packed & 0x80) {
        localTable = std::make_unique<ColorTable>();
        localTable->read(in, (packed & 7) + 1);
    }
    minimumCodeSize = in.u8();
    readWhole_ = data_.read(in); // whole only when everything before was there too
}

void ImageBlock::write(ByteWriter& out) const
{
    out.u8(0x2C);
    out.le16(uint32_t(left));
    out.le16(uint32_t(top));
    out.le16(uint32_t(width));
    out.le16(uint32_t(height));
    out.u8(packed);
    if (localTable)
        localTable->write(out);
    out.u8(minimumCodeSize);
    data_.write(out);
}
