#include "DataSubBlock.h"

void DataSubBlock::write(ByteWriter& out) const
{
    out.u8(size);
    out.bytes(data, size);
}

void readSubBlocks(ByteReader& in, SubBlockList& list)
{
    for (;;) {
        auto* sub = new DataSubBlock;
        uint8_t declared = in.atEnd() ? 0 : in.u8();
        sub->size = uint8_t(in.bytes(sub->data, declared));
        list.append(sub, 1);
        if (sub->size == 0)
            return;
    }
}

void skipSubBlocks(ByteReader& in)
{
    while (!in.atEnd()) {
        uint8_t size = in.u8();
        if (size == 0)
            return;
        in.skip(size);
    }
}

void writeSubBlocks(const SubBlockList& list, ByteWriter& out)
{
    list.forEach([&](const DataSubBlock* sub) { sub->write(out); });
}
