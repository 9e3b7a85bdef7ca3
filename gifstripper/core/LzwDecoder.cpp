#include "LzwDecoder.h"

#include <algorithm>
#include <cstring>

LzwDecoder::LzwDecoder()
{
    for (int n = 0; n < 13; ++n)
        masks_[n] = (1u << n) - 1;
    // Table entries are always written before they are read (codes at or above the next
    // free slot are refused), so the tables need no clearing.
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
    for (int i = 0; i < clear; ++i)
        lengths_[i] = 1; // single pixels; longer strings get their length when added
    const int end = clear + 1;
    const int firstFree = clear + 2;
    codeWidth_ = minSize + 1;
    int slotLimit = 1 << codeWidth_;
    int nextSlot = firstFree;

    const size_t width = size_t(lineWidth);
    const size_t wanted = width * size_t(maxLines);
    // The output grows with what the data really holds, not with what the header claims.
    const size_t start = std::min(std::max<size_t>(size_t(1) << 16, size * 32), size_t(1) << 22);
    out.resize(wanted < start ? wanted : start);
    uint8_t* base = out.data();
    size_t filled = 0;
    auto room = [&](size_t n) {
        if (filled + n > out.size()) {
            size_t grown = std::max(out.size() * 2, filled + n);
            out.resize(grown < wanted ? grown : wanted);
            base = out.data();
        }
    };
    int oldCode = -1;
    int firstChar = 0;

    // Data that breaks off keeps its complete lines only; an end code in the middle of a line
    // ends the image there, and the part of the line decoded before it is kept.
    auto finish = [&] {
        out.resize(filled - filled % width);
        return 0;
    };
    auto finishAtEndCode = [&] {
        out.resize(filled);
        return 0;
    };

    for (;;) {
        int c = readCode();
        if (c == end)
            return finishAtEndCode();
        if (c < 0)
            return finish();
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
                return finish();
            oldCode = firstChar = c;
            room(1);
            base[filled++] = uint8_t(c);
            if (filled == wanted)
                return finish();
            continue;
        }
        if (c > nextSlot || (c == nextSlot && nextSlot >= 4096))
            return finish(); // no such code can exist yet: the data is damaged

        // The string's length is known, so it is written straight into its place, last
        // byte first, by walking the prefix chain (the chain only ever points to lower codes).
        const bool kwkwk = c == nextSlot;
        const int length = kwkwk ? lengths_[oldCode] + 1 : lengths_[c];
        const size_t left = wanted - filled;
        uint8_t* dst;
        if (size_t(length) <= left) {
            room(size_t(length));
            dst = base + filled;
        } else {
            dst = stack_; // the string runs past the image: only its start is kept
        }
        int code = c;
        uint8_t* p = dst + length - 1;
        if (kwkwk) {
            *p-- = uint8_t(firstChar);
            code = oldCode;
        }
        while (code >= firstFree) {
            *p-- = suffix_[code];
            code = prefix_[code];
        }
        *p = uint8_t(code);
        firstChar = code;
        if (nextSlot < 4096) {
            suffix_[nextSlot] = uint8_t(firstChar);
            prefix_[nextSlot] = uint16_t(oldCode);
            lengths_[nextSlot] = uint16_t(lengths_[oldCode] + 1);
            ++nextSlot;
            if (nextSlot >= slotLimit && codeWidth_ < 12) {
                slotLimit <<= 1;
                ++codeWidth_;
            }
        }
        oldCode = c;
        if (dst == stack_) {
            room(left);
            std::memcpy(base + filled, stack_, left);
            filled = wanted;
            return finish();
        }
        filled += size_t(length);
        if (filled == wanted)
            return finish();
    }
}
