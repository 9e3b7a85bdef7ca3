// Hand-built GIF streams for the tests: a byte builder with the format's pieces, a packer for
// LZW codes of chosen widths, and a plain encoder that keeps the code width fixed by sending a
// clear code before the table would grow.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct GifStream {
    Bytes bytes;

    GifStream& raw(std::initializer_list<int> values);
    GifStream& raw(const Bytes& values);
    GifStream& text(const std::string& s);
    GifStream& le16(int v);
    // Header, screen descriptor with a global table of 2^sizeCode grey levels.
    GifStream& start(const char* header = "GIF89a", int width = 4, int height = 4,
                     int sizeCode = 1);
    GifStream& subBlocks(const Bytes& data); // split into 255-byte sub-blocks plus 00
    GifStream& comment(const std::string& s);
    GifStream& graphicControl(int packed, int delay, int transparent);
    GifStream& application(const char* id11, const Bytes& data);
    // Image descriptor, optional local table of 2^localSizeCode entries, pixel data.
    GifStream& image(int left, int top, int width, int height, const Bytes& indices,
                     int minCodeSize = 2, int localSizeCode = 0, bool interlaced = false);
    GifStream& trailer() { return raw({0x3B}); }
};

// Codes packed least significant bit first, as GIF does.
struct CodePacker {
    Bytes out;
    uint32_t acc = 0;
    int bits = 0;
    void put(int code, int width);
    Bytes finish(); // flushes the last partial byte
};

// LZW data without compression: a clear code, then each index as a literal code.
Bytes plainLzw(const Bytes& indices, int minCodeSize);

// Pixels row by row for an image, a simple pattern of the given colour count.
Bytes patternPixels(int width, int height, int colours, int seed = 0);
