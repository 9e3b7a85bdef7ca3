// The variable-length-code LZW decoder of GIF image data. Fixed tables and an explicit stack,
// no recursion; codes may span sub-blocks; every code is checked against the next free slot,
// and a code that cannot be valid ends the image with the complete lines decoded so far.
//
//   input: minimum code size S | size | data ... | size | data ... | 00
//   codes: S+1 .. 12 bits, least significant bit first; clear = 2^S, end = 2^S + 1
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class LzwDecoder {
public:
    LzwDecoder();

    // Decodes one image's data into out, one byte per pixel, at most maxLines lines of
    // lineWidth. The last line is partly filled only when the end code came in its middle;
    // data that breaks off otherwise gives its complete lines. Returns -1 for a minimum code
    // size outside 2..9 (nothing is decoded), else 0.
    int decode(const uint8_t* data, size_t size, int lineWidth, int maxLines,
               std::vector<uint8_t>& out);

private:
    // The next code of the current width, bits taken least significant first; -1 when the
    // data ends. Kept here so that the decode loop gets it inline.
    int readCode()
    {
        while (bitsLeft_ < codeWidth_) {
            int byte;
            if (blockLeft_ > 0 && inPos_ < inSize_) {
                --blockLeft_;
                byte = in_[inPos_++];
            } else {
                byte = fetchByte();
                if (byte < 0)
                    return -1;
            }
            bitBuffer_ |= uint32_t(byte) << bitsLeft_;
            bitsLeft_ += 8;
        }
        int code = int(bitBuffer_ & masks_[codeWidth_]);
        bitBuffer_ >>= codeWidth_;
        bitsLeft_ -= codeWidth_;
        return code;
    }
    int fetchByte();

    const uint8_t* in_ = nullptr;
    size_t inSize_ = 0;
    size_t inPos_ = 0;
    int blockLeft_ = 0;
    uint32_t bitBuffer_ = 0;
    int bitsLeft_ = 0;
    int codeWidth_ = 0;

    uint8_t suffix_[4096];
    uint16_t prefix_[4096];
    uint16_t lengths_[4096];
    uint8_t stack_[4097];
    uint32_t masks_[13];
};
