#include "GifTestStreams.h"

GifStream& GifStream::raw(std::initializer_list<int> values)
{
    for (int v : values)
        bytes.push_back(uint8_t(v));
    return *this;
}

GifStream& GifStream::raw(const Bytes& values)
{
    bytes.insert(bytes.end(), values.begin(), values.end());
    return *this;
}

GifStream& GifStream::text(const std::string& s)
{
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
}

GifStream& GifStream::le16(int v) { return raw({v & 0xFF, (v >> 8) & 0xFF}); }

GifStream& GifStream::start(const char* header, int width, int height, int sizeCode)
{
    text(header);
    le16(width).le16(height);
    raw({0x80 | 0x70 | (sizeCode - 1), 0, 0});
    int n = 1 << sizeCode;
    for (int i = 0; i < n; ++i) {
        int v = n == 1 ? 0 : i * 255 / (n - 1);
        raw({v, v, v});
    }
    return *this;
}

GifStream& GifStream::subBlocks(const Bytes& data)
{
    size_t pos = 0;
    while (pos < data.size()) {
        size_t n = data.size() - pos < 255 ? data.size() - pos : 255;
        bytes.push_back(uint8_t(n));
        bytes.insert(bytes.end(), data.begin() + long(pos), data.begin() + long(pos + n));
        pos += n;
    }
    bytes.push_back(0);
    return *this;
}

GifStream& GifStream::comment(const std::string& s)
{
    raw({0x21, 0xFE});
    return subBlocks(Bytes(s.begin(), s.end()));
}

GifStream& GifStream::graphicControl(int packed, int delay, int transparent)
{
    raw({0x21, 0xF9, 4, packed});
    le16(delay);
    return raw({transparent, 0});
}

GifStream& GifStream::application(const char* id11, const Bytes& data)
{
    raw({0x21, 0xFF, 11});
    bytes.insert(bytes.end(), id11, id11 + 11);
    return subBlocks(data);
}

GifStream& GifStream::image(int left, int top, int width, int height, const Bytes& indices,
                            int minCodeSize, int localSizeCode, bool interlaced)
{
    raw({0x2C});
    le16(left).le16(top).le16(width).le16(height);
    int packed = (interlaced ? 0x40 : 0) | (localSizeCode ? 0x80 | (localSizeCode - 1) : 0);
    raw({packed});
    for (int i = 0; localSizeCode && i < (1 << localSizeCode); ++i)
        raw({i & 0xFF, 255 - (i & 0xFF), (i * 7) & 0xFF});
    raw({minCodeSize});
    return subBlocks(plainLzw(indices, minCodeSize));
}

void CodePacker::put(int code, int width)
{
    acc |= uint32_t(code) << bits;
    bits += width;
    while (bits >= 8) {
        out.push_back(uint8_t(acc & 0xFF));
        acc >>= 8;
        bits -= 8;
    }
}

Bytes CodePacker::finish()
{
    if (bits > 0)
        out.push_back(uint8_t(acc & 0xFF));
    acc = 0;
    bits = 0;
    return out;
}

Bytes plainLzw(const Bytes& indices, int minCodeSize)
{
    const int clear = 1 << minCodeSize;
    const int width = minCodeSize + 1;
    // After a clear the table grows by one entry per code after the first; sending a clear
    // before it reaches 2^width keeps every code at the starting width.
    const int run = (1 << width) - clear - 3;
    CodePacker packer;
    int sinceClear = run;
    for (uint8_t index : indices) {
        if (sinceClear >= run) {
            packer.put(clear, width);
            sinceClear = 0;
        }
        packer.put(index, width);
        ++sinceClear;
    }
    packer.put(clear + 1, width);
    return packer.finish();
}

Bytes patternPixels(int width, int height, int colours, int seed)
{
    Bytes pixels;
    pixels.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(uint8_t(((y * width + x) * 7 + seed + (x * y) % 5) % colours));
    return pixels;
}
