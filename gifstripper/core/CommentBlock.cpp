#include "CommentBlock.h"

void CommentBlock::write(ByteWriter& out) const
{
    out.u8(0x21);
    out.u8(0xFE);
    subBlocks.write(out);
}

std::string CommentBlock::text() const
{
    std::string result;
    subBlocks.list().forEach([&](const DataSubBlock* sub) {
        if (sub->size)
            result.append(reinterpret_cast<const char*>(sub->data), sub->size);
    });
    return result;
}

void CommentBlock::setText(const std::string& text)
{
    size_t pos = 0;
    while (pos < text.size()) {
        auto* sub = new DataSubBlock;
        size_t n = text.size() - pos < 255 ? text.size() - pos : 255;
        sub->assign(reinterpret_cast<const uint8_t*>(text.data() + pos), uint8_t(n));
        subBlocks.append(sub);
        pos += n;
    }
    subBlocks.append(new DataSubBlock);
}
