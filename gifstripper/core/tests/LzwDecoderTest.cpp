#include "LzwDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "FirstImage.h"
#include "GifFile.h"
#include "GifTestStreams.h"

namespace {

// Image data as it stands in a file: the code size, then the codes in sub-blocks of the given
// size.
Bytes imageData(int minCodeSize, const Bytes& codes, size_t blockSize = 255)
{
    Bytes data = {uint8_t(minCodeSize)};
    for (size_t pos = 0; pos < codes.size(); pos += blockSize) {
        size_t n = std::min(blockSize, codes.size() - pos);
        data.push_back(uint8_t(n));
        data.insert(data.end(), codes.begin() + long(pos), codes.begin() + long(pos + n));
    }
    data.push_back(0);
    return data;
}

Bytes decode(const Bytes& data, int width, int maxLines, int* result = nullptr)
{
    LzwDecoder decoder;
    Bytes out;
    int r = decoder.decode(data.data(), data.size(), width, maxLines, out);
    if (result)
        *result = r;
    return out;
}

TEST(LzwDecoder, KwKwKAndCodesSpanningSubBlocks)
{
    // clear, 1, then the code being defined (6): the previous string plus its first byte.
    CodePacker p;
    p.put(4, 3);
    p.put(1, 3);
    p.put(6, 3);
    p.put(7, 3); // KwKwK again, one longer
    p.put(5, 3);
    EXPECT_EQ(decode(imageData(2, p.finish()), 6, 1), (Bytes{1, 1, 1, 1, 1, 1}));

    Bytes pixels = patternPixels(37, 11, 16);
    Bytes codes = plainLzw(pixels, 4);
    // One byte per sub-block: every 5-bit code crosses a boundary.
    EXPECT_EQ(decode(imageData(4, codes, 1), 37, 11), pixels);
    EXPECT_EQ(decode(imageData(4, codes, 7), 37, 11), pixels);
}

TEST(LzwDecoder, GrowsToTwelveBitsAndAddsNothingWhenFull)
{
    // Literal codes only, with the width a decoder must follow: the table fills at 4096 and
    // then stays full until the end.
    Bytes pixels;
    CodePacker p;
    int width = 3, limit = 8, next = 6;
    p.put(4, width);
    for (int i = 0; i < 6000; ++i) {
        uint8_t pixel = uint8_t((i * 7 + i / 13) % 4);
        pixels.push_back(pixel);
        p.put(pixel, width);
        if (i > 0 && next < 4096) {
            ++next;
            if (next >= limit && width < 12) {
                limit *= 2;
                ++width;
            }
        }
    }
    p.put(5, width);
    EXPECT_EQ(decode(imageData(2, p.finish()), 100, 60), pixels);
}

TEST(LzwDecoder, DamagedDataKeepsTheCompleteLines)
{
    // No end code: the complete lines come out, the partial last one does not.
    Bytes pixels = patternPixels(4, 3, 4);
    pixels.resize(10);
    CodePacker noEnd;
    for (uint8_t pixel : pixels) {
        noEnd.put(4, 3);
        noEnd.put(pixel, 3);
    }
    Bytes out = decode(imageData(2, noEnd.finish()), 4, 3);
    EXPECT_EQ(out, Bytes(pixels.begin(), pixels.begin() + 8));
    // The end code in the middle of a line: the part of the line before it is kept.
    CodePacker endInLine;
    for (uint8_t pixel : pixels) {
        endInLine.put(4, 3);
        endInLine.put(pixel, 3);
    }
    endInLine.put(5, 3);
    EXPECT_EQ(decode(imageData(2, endInLine.finish()), 4, 3), pixels);

    // A code beyond the next free slot stops the image.
    CodePacker bad;
    bad.put(4, 3);
    bad.put(1, 3);
    bad.put(2, 3);
    bad.put(7, 3); // the next free slot is 7: fine (KwKwK); the codes grow to 4 bits
    bad.put(4, 4);
    bad.put(3, 3);
    bad.put(7, 3); // after the clear the next free slot is 6: impossible
    bad.put(0, 3);
    bad.put(5, 3);
    EXPECT_EQ(decode(imageData(2, bad.finish()), 1, 100), (Bytes{1, 2, 2, 2, 3}));

    // The first code after a clear must be a pixel.
    CodePacker first;
    first.put(4, 3);
    first.put(6, 3);
    EXPECT_TRUE(decode(imageData(2, first.finish()), 1, 10).empty());

    // More pixels than the image holds are not decoded.
    EXPECT_EQ(decode(imageData(2, plainLzw(Bytes(50, 1), 2)), 5, 2).size(), 10u);
}

TEST(LzwDecoder, RefusesBadCodeSizes)
{
    Bytes codes = plainLzw({1, 1}, 2);
    for (int size : {0, 1, 10, 12}) {
        int result = 0;
        decode(imageData(size, codes), 2, 1, &result);
        EXPECT_EQ(result, -1) << size;
    }
    int result = 0;
    decode({}, 2, 1, &result);
    EXPECT_EQ(result, -1);
    decode(imageData(9, plainLzw({1, 300 % 256}, 9)), 2, 1, &result);
    EXPECT_EQ(result, 0);
}

TEST(FirstImage, InterlacedRowOrder)
{
    EXPECT_EQ(plotRowOrder(16, true),
              (std::vector<int>{0, 8, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15}));
    EXPECT_EQ(plotRowOrder(3, true), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(plotRowOrder(1, true), (std::vector<int>{0}));
    EXPECT_EQ(plotRowOrder(3, false), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(plotRowOrder(0, true).empty());
}

struct Canvas : PixelTarget {
    std::map<std::pair<int, int>, uint32_t> pixels;
    void setPixel(int x, int y, uint32_t colour) override { pixels[{x, y}] = colour; }
};

TEST(FirstImage, DrawsWithTheRightTableInsideTheImage)
{
    // Local table colours are used; an index past the table is not drawn; the image placed
    // at an offset is drawn from its own top left corner.
    GifStream s;
    s.start("GIF89a", 20, 20, 1); // global: black, white
    s.image(5, 6, 2, 2, {0, 1, 3, 1}, 2, 1, true); // local table of 2 entries
    s.image(0, 0, 20, 20, patternPixels(20, 20, 2));
    s.trailer();
    GifFile gif;
    ASSERT_TRUE(gif.parseMemory(s.bytes.data(), s.bytes.size()));
    Canvas canvas;
    ASSERT_TRUE(gif.drawFirstImage(canvas));
    const uint32_t local0 = 0 | (255 << 8) | (0 << 16);
    const uint32_t local1 = 1 | (254 << 8) | (7 << 16);
    std::map<std::pair<int, int>, uint32_t> expected = {
        {{0, 0}, local0}, {{1, 0}, local1}, {{1, 1}, local1}};
    EXPECT_EQ(canvas.pixels, expected);

    GifStream empty;
    empty.start().image(0, 0, 0, 5, {}).trailer();
    GifFile none;
    ASSERT_TRUE(none.parseMemory(empty.bytes.data(), empty.bytes.size()));
    Canvas untouched;
    EXPECT_FALSE(none.drawFirstImage(untouched));
    EXPECT_TRUE(untouched.pixels.empty());

    // Data ending (with its end code) one pixel into the second row draws that pixel too.
    GifStream cut;
    cut.start("GIF89a", 3, 2, 1).image(0, 0, 3, 2, {1, 0, 1, 1}).trailer();
    GifFile shortImage;
    ASSERT_TRUE(shortImage.parseMemory(cut.bytes.data(), cut.bytes.size()));
    Canvas partly;
    ASSERT_TRUE(shortImage.drawFirstImage(partly));
    const std::vector<uint32_t>& grey = shortImage.globalTable().colours;
    EXPECT_EQ(partly.pixels, (std::map<std::pair<int, int>, uint32_t>{
                                 {{0, 0}, grey[1]}, {{1, 0}, grey[0]}, {{2, 0}, grey[1]},
                                 {{0, 1}, grey[1]}}));

    GifStream badSize;
    badSize.start().image(0, 0, 2, 2, {1, 1, 1, 1}, 2).trailer();
    badSize.bytes[13 + 6 + 10] = 10; // the minimum code size byte
    GifFile refused;
    ASSERT_TRUE(refused.parseMemory(badSize.bytes.data(), badSize.bytes.size()));
    EXPECT_FALSE(refused.drawFirstImage(untouched));
}

} // namespace
