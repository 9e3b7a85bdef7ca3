// The decoder's first image against giflib's, on files gifsicle makes with every feature the
// decoder meets: interlacing, local tables, transparency, code sizes from 2 to 8, large noisy
// images whose tables fill up. Native only; skipped without gifsicle.
#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstdlib>

#include "FirstImage.h"
#include "GifFile.h"
#include "GifTestStreams.h"
#include "ImageBlock.h"
#include "LzwDecoder.h"
#include "TempFolder.h"

namespace {

struct Canvas : PixelTarget {
    int width;
    std::vector<uint32_t> pixels;
    Canvas(int w, int h) : width(w), pixels(size_t(w) * size_t(h), 0xFFFFFFFF) {}
    void setPixel(int x, int y, uint32_t colour) override { pixels[size_t(y * width + x)] = colour; }
};

void writeNoise(const std::string& path, int width, int height, int sizeCode, unsigned seed)
{
    GifStream s;
    s.text("GIF89a").le16(width).le16(height).raw({0xF0 | (sizeCode - 1), 0, 0});
    for (int i = 0; i < (1 << sizeCode); ++i)
        s.raw({(i * 37 + int(seed)) & 0xFF, (i * 73) & 0xFF, (i * 151 + 9) & 0xFF});
    Bytes pixels(size_t(width) * size_t(height));
    unsigned state = seed * 2654435761u + 1;
    for (size_t i = 0; i < pixels.size(); ++i) {
        state = state * 1103515245u + 12345u;
        // Runs of a colour with noise, so that the encoder builds long strings too.
        pixels[i] = uint8_t(((state >> 16) % 5 == 0 ? (state >> 8) : (i / 7)) % (1u << sizeCode));
    }
    s.image(0, 0, width, height, pixels, sizeCode < 2 ? 2 : sizeCode);
    s.trailer();
    TempFolder::put(path, s.bytes);
}

// The first image by giflib, as colours row by row; its colour indices go to indices.
std::vector<uint32_t> giflibFirstImage(const std::string& path, int* width, int* height,
                                       std::vector<uint8_t>* indices)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return {};
    std::vector<uint32_t> colours;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        SavedImage& image = gif->SavedImages[0];
        ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        *width = image.ImageDesc.Width;
        *height = image.ImageDesc.Height;
        indices->assign(image.RasterBits, image.RasterBits + *width * *height);
        for (int i = 0; i < *width * *height; ++i) {
            GifColorType c = map->Colors[image.RasterBits[i]];
            colours.push_back(uint32_t(c.Red) | (uint32_t(c.Green) << 8) | (uint32_t(c.Blue) << 16));
        }
    }
    DGifCloseFile(gif, &error);
    return colours;
}

TEST(GiflibDecode, FirstImageMatchesOnVariedFiles)
{
    if (std::system("command -v gifsicle >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "gifsicle is not installed";
    TempFolder dir;
    struct Variant {
        const char* name;
        int width, height, sizeCode;
        const char* options;
    } variants[] = {
        {"two", 31, 17, 1, ""},
        {"four-interlaced", 40, 29, 2, "-i"},
        {"sixteen-transparent", 64, 48, 4, "-t 3"},
        {"large-noise", 300, 200, 8, ""},
        {"large-interlaced", 257, 131, 8, "-i --careful"},
        {"reduced", 120, 90, 8, "-k 37"},
        {"local-tables", 80, 60, 8, "-i"},
        {"one-row", 500, 1, 3, "-i"},
        {"one-column", 1, 300, 5, "-O2"},
        {"first-local", 0, 0, 0, nullptr},
    };
    int index = 0;
    // gifsicle never gives the first frame a local table, so that file is made here: a
    // global table of 2 colours, an interlaced first image with a local table of 64.
    {
        GifStream s;
        s.start("GIF89a", 70, 45, 1);
        s.image(0, 0, 70, 45, patternPixels(70, 45, 64, 3), 6, 6, true);
        s.trailer();
        TempFolder::put(dir.file("first-local.gif"), s.bytes);
    }
    for (const Variant& v : variants) {
        std::string made = dir.file(std::string(v.name) + ".gif");
        if (v.options) { // the hand-made file is there already
            std::string source = dir.file(std::string(v.name) + "-source.gif");
            writeNoise(source, v.width, v.height, v.sizeCode, unsigned(++index));
            std::string command = std::string("gifsicle ") + v.options + " '" + source + "'";
            if (std::string(v.name) == "local-tables") {
                // Frames of 256 colours that differ: gifsicle gives the later ones local
                // tables (its first frame always takes the global one).
                std::string other = dir.file("other.gif");
                writeNoise(other, v.width, v.height, 8, 99);
                command = "gifsicle -w -i '" + source + "' '" + other + "' '" + other + "'";
            }
            ASSERT_EQ(std::system((command + " -o '" + made + "' 2>/dev/null").c_str()), 0)
                << v.name;
        }

        int width = 0, height = 0;
        std::vector<uint8_t> expectedIndices;
        std::vector<uint32_t> expected = giflibFirstImage(made, &width, &height, &expectedIndices);
        ASSERT_FALSE(expected.empty()) << v.name;

        GifFile gif;
        ASSERT_TRUE(gif.parse(made)) << v.name;
        auto rect = gif.firstImageRect();
        ASSERT_TRUE(rect.has_value());
        ASSERT_EQ(rect->width, width);
        ASSERT_EQ(rect->height, height);
        Canvas canvas(width, height);
        ASSERT_TRUE(gif.drawFirstImage(canvas)) << v.name;
        EXPECT_EQ(canvas.pixels, expected) << v.name;

        // The decoder's own indices, put in display order, against giflib's.
        auto* image = static_cast<ImageBlock*>(gif.blocksOfKind(GifFile::Images).at(1));
        ByteWriter data;
        data.u8(image->minimumCodeSize);
        writeSubBlocks(image->subBlocks(), data);
        std::vector<uint8_t> lines;
        LzwDecoder decoder;
        ASSERT_EQ(decoder.decode(data.data().data(), data.data().size(), width, height, lines), 0);
        ASSERT_EQ(lines.size(), size_t(width) * size_t(height)) << v.name;
        std::vector<int> rows = plotRowOrder(height, image->interlaced);
        std::vector<uint8_t> ordered(lines.size());
        for (size_t line = 0; line < rows.size(); ++line)
            std::copy(lines.begin() + long(line * size_t(width)),
                      lines.begin() + long((line + 1) * size_t(width)),
                      ordered.begin() + long(size_t(rows[line]) * size_t(width)));
        EXPECT_EQ(ordered, expectedIndices) << v.name;
    }
}

} // namespace
