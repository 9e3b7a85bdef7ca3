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
    // The one pass over every image's data, walked on the bytes themselves. Image data comes
    // almost wholly in sub-blocks of 255 bytes, so eight size bytes 256 apart are looked at
    // together, none waiting for the one before; where one of them is not 255 the walk goes
    // on one sub-block at a time. The reader is told once where the walk ended; a size that
    // reaches past the end of the bytes leaves it at the end, no longer ok.
    constexpr size_t kFullRun = 8 * 256;
    const uint8_t* bytes = in.here();
    const size_t available = in.remaining();
    size_t pos = 0;
    while (pos < available) {
        if (available - pos >= kFullRun) {
            const uint8_t* q = bytes + pos;
            if ((q[0] & q[256] & q[512] & q[768] & q[1024] & q[1280] & q[1536] & q[1792]) == 255) {
                pos += kFullRun;
                continue;
            }
        }
        const uint8_t size = bytes[pos++];
        if (size == 0) {
            in.skip(pos);
            return true;
        }
        pos += size;
    }
    in.skip(pos);
    return false;
}

void writeSubBlocks(const SubBlockList& list, ByteWriter& out)
{
    list.forEach([&](const DataSubBlock* sub) { sub->write(out); });
}

bool SubBlocks::read(ByteReader& in)
{
    data_ = in.here();
    const size_t start = in.position();
    complete_ = in.ok() && skipSubBlocks(in) && in.ok();
    size_ = in.position() - start;
    unsplit_ = true;
    return complete_;
}

const SubBlockList& SubBlocks::list() const
{
    if (unsplit_) {
        ByteReader in(data_, size_);
        readSubBlocks(in, list_);
        unsplit_ = false;
    }
    return list_;
}

void SubBlocks::write(ByteWriter& out) const
{
    // Sub-blocks read whole are written as they stand.
    if (unsplit_ && complete_)
        out.bytes(data_, size_);
    else
        writeSubBlocks(list(), out);
}
