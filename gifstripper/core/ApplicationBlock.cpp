#include "ApplicationBlock.h"

#include <cctype>

namespace {

bool startsWithNoCase(const uint8_t* bytes, const char* text)
{
    for (size_t i = 0; text[i]; ++i)
        if (std::toupper(bytes[i]) != std::toupper(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

} // namespace

void ApplicationBlock::read(ByteReader& in)
{
    blockSize = in.u8();
    uint8_t body[255] = {};
    in.bytes(body, blockSize);
    for (int i = 0; i < 8; ++i)
        identifier[i] = body[i];
    for (int i = 0; i < 3; ++i)
        authentication[i] = body[8 + i];
    subBlocks.read(in);
}

void ApplicationBlock::write(ByteWriter& out) const
{
    out.u8(0x21);
    out.u8(0xFF);
    out.u8(0x0B);
    out.bytes(identifier, 8);
    out.bytes(authentication, 3);
    subBlocks.write(out);
}

int ApplicationBlock::identify() const
{
    if (startsWithNoCase(identifier, "NETSCA"))
        return Netscape;
    if (startsWithNoCase(identifier, "GIFCON"))
        return GifConverter;
    return Other;
}
