#include "DataSubBlock.h"

#include <cstring>

void DataSubBlock::write(ByteWriter& out) const
{
    out.u8(size);
    out.bytes(data, size);
}

void DataSubBlock::assign(const uint8_t* bytes, uint8_t n)
{
    own_ = std::make_unique<uint8_t[]>(n ? n : 1);
    if (n)
        std::memcpy(own_.get(), bytes, n);
    data = own_.get();
    size = n;
}

void readSubBlocks(ByteReader& in, SubBlockList& list)
{
    for (;;) {
        auto* sub = new DataSubBlock;
        uint8_t declared = in.atEnd() ? 0 : in.u8();
        sub->data = in.here();
        sub->size = uint8_t(in.skip(declared));
        list.append(sub, 1);
        if (sub->size == 0)
            return;
    }
}

bool skipSubBlocks(ByteReader& in)
{
    while (!in.atEnd()) {
        uint8_t size = in.u8();
        if (size == 0)
            return true;
        in.skip(size);
    }
    return false;
}

void writeSubBlocks(const SubBlockList& list, ByteWriter& out)
{
    list.forEach([&](const DataSubBlock* sub) { sub->write(out); });
}
