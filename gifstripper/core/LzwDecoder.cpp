#include "LzwDecoder.h"

#include <cstring>

LzwDecoder::LzwDecoder()
{
    for (int n = 0; n < 13; ++n)
        masks_[n] = (1u << n) - 1;
    std::memset(suffix_, 0, sizeof suffix_);
    std::memset(prefix_, 0, sizeof prefix_);
}

// The next data byte of the current sub-block, reading the next size byte when the sub-block
// is used up; -1 at the end of the data or at the terminator.
int LzwDecoder::fetchByte()
{
    while (blockLeft_ == 0) {
        if (inPos_ >= inSize_)
            return -1;
        blockLeft_ = in_[inPos_++];
        if (blockLeft_ == 0)
            return -1;
    }
    if (inPos_ >= inSize_)
        return -1;
    --blockLeft_;
    return in_[inPos_++];
}

int LzwDecoder::readCode()
{
    while (bitsLeft_ < codeWidth_) {
        int byte = fetchByte();
        if (byte < 0)
            return -1;
        bitBuffer_ |= uint32_t(byte) << bitsLeft_;
        bitsLeft_ += 8;
    }
    int code = int(bitBuffer_ & masks_[codeWidth_]);
    bitBuffer_ >>= codeWidth_;
    bitsLeft_ -= codeWidth_;
    return code;
}

int LzwDecoder::decode(const uint8_t* data, size_t size, int lineWidth, int maxLines,
                       std::vector<uint8_t>& out)
{
    if (size < 1)
        return -1;
    const int minSize = data[0];
    if (minSize < 2 || minSize > 9)
        return -1;
    if (lineWidth <= 0 || maxLines <= 0)
        return 0;

    in_ = data;
    inSize_ = size;
    inPos_ = 1;
    blockLeft_ = 0;
    bitBuffer_ = 0;
    bitsLeft_ = 0;

    const int clear = 1 << minSize;
    const int end = clear + 1;
    const int firstFree = clear + 2;
    codeWidth_ = minSize + 1;
    int slotLimit = 1 << codeWidth_;
    int nextSlot = firstFree;

    const size_t width = size_t(lineWidth);
    const size_t wanted = width * size_t(maxLines);
    out.clear();
    out.reserve(wanted);
    std::vector<uint8_t> line(width + 1);
    size_t lineFill = 0;
    int oldCode = -1;
    int firstChar = 0;

    // Puts one string's bytes into the line, flushing complete lines; false once enough.
    auto emit = [&](const uint8_t* bytes, size_t n) {
        while (n > 0) {
            size_t take = width - lineFill < n ? width - lineFill : n;
            std::memcpy(line.data() + lineFill, bytes, take);
            lineFill += take;
            bytes += take;
            n -= take;
            if (lineFill == width) {
                out.insert(out.end(), line.data(), line.data() + width);
                lineFill = 0;
                if (out.size() >= wanted)
                    return false;
            }
        }
        return true;
    };

    for (;;) {
        int c = readCode();
        if (c < 0 || c == end)
            return 0; // a partly filled line is not output
        if (c == clear) {
            codeWidth_ = minSize + 1;
            slotLimit = 1 << codeWidth_;
            nextSlot = firstFree;
            oldCode = -1;
            continue;
        }
        if (oldCode < 0) {
            // The first code after a clear must be a single pixel.
            if (c >= clear)
                return 0;
            oldCode = firstChar = c;
            uint8_t pixel = uint8_t(c);
            if (!emit(&pixel, 1))
                return 0;
            continue;
        }
        if (c > nextSlot || (c == nextSlot && nextSlot >= 4096))
            return 0; // no such code can exist yet: the data is damaged

        int sp = 0;
        int code = c;
        if (c == nextSlot) {
            // KwKwK: the previous string plus its own first character.
            stack_[sp++] = uint8_t(firstChar);
            code = oldCode;
        }
        while (code >= firstFree) {
            stack_[sp++] = suffix_[code];
            code = prefix_[code];
        }
        stack_[sp++] = uint8_t(code);
        firstChar = code;
        if (nextSlot < 4096) {
            suffix_[nextSlot] = uint8_t(firstChar);
            prefix_[nextSlot] = uint16_t(oldCode);
            ++nextSlot;
            if (nextSlot >= slotLimit && codeWidth_ < 12) {
                slotLimit <<= 1;
                ++codeWidth_;
            }
        }
        oldCode = c;

        // The stack holds the string last character first.
        uint8_t string[4097];
        for (int i = 0; i < sp; ++i)
            string[i] = stack_[sp - 1 - i];
        if (!emit(string, size_t(sp)))
            return 0;
    }
}
