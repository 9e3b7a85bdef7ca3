#include "GifBlock.h"

#include <cctype>
#include <cstddef>

GifBlock::GifBlock(const char* tag)
{
    tag_[0] = tag[0];
    tag_[1] = tag[0] ? tag[1] : '\0';
    tag_[2] = '\0';
}

void GifBlock::write(ByteWriter&) const {}

bool GifBlock::hasTag(const char* tag) const
{
    size_t i = 0;
    for (; tag_[i] && tag[i]; ++i) {
        if (std::toupper(static_cast<unsigned char>(tag_[i])) !=
            std::toupper(static_cast<unsigned char>(tag[i])))
            return false;
    }
    return tag_[i] == tag[i];
}
