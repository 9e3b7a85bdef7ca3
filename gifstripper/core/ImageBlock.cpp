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
    data_ = in.here();
    const size_t start = in.position();
    readWhole_ = in.ok() && skipSubBlocks(in) && in.ok();
    dataSize_ = in.position() - start;
}

const SubBlockList& ImageBlock::subBlocks() const
{
    if (!split_) {
        // The same walk as the skip in read, so a list cut off by the end of the file ends
        // at the same byte (and gets its terminator).
        ByteReader in(data_, dataSize_);
        readSubBlocks(in, subBlocks_);
        split_ = true;
    }
    return subBlocks_;
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
    writeSubBlocks(subBlocks(), out);
}
