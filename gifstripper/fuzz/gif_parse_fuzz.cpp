// Parses any bytes as a GIF, draws its first image, and writes the result back, as the
// stripper does with every file: first with every block kept, then with comments and
// application data dropped, and parses the written file again; what was written must read
// back to the same bytes, and the rewrite from the file's own bytes must equal the rebuild.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ApplicationBlock.h"
#include "GifFile.h"

namespace {

void checkRanges(const GifFile& gif, const std::vector<uint8_t>& expected)
{
    ByteWriter rebuilt;
    std::vector<uint8_t> joined;
    for (const ByteRange& range : gif.writeRanges(rebuilt))
        joined.insert(joined.end(), range.data, range.data + range.size);
    if (joined != expected)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GifFile gif;
    if (!gif.parseMemory(data, size))
        return 0;
    // The first image as the window shows it, plotted into a bounds-checked canvas.
    if (auto rect = gif.firstImageRect()) {
        struct Canvas : PixelTarget {
            int width, height;
            void setPixel(int x, int y, uint32_t) override
            {
                if (x < 0 || y < 0 || x >= width || y >= height)
                    std::abort();
            }
        } canvas;
        canvas.width = rect->width;
        canvas.height = rect->height;
        gif.drawFirstImage(canvas);
    }
    std::vector<uint8_t> kept = gif.toBytes();
    checkRanges(gif, kept);

    PtrList<GifBlock>& blocks = gif.blocksOfKind(GifFile::AllBlocks);
    for (blocks.toFirst(); !blocks.atEnd(); blocks.toNext()) {
        GifBlock* block = blocks.current();
        if (block->hasTag("CM") ||
            (block->hasTag("AP") && static_cast<ApplicationBlock*>(block)->identify() != 1))
            block->drop();
    }
    gif.addComment(std::string(reinterpret_cast<const char*>(data), size < 600 ? size : 600));
    std::vector<uint8_t> stripped = gif.toBytes();
    checkRanges(gif, stripped);

    // A file this writer produced is read back whole and written again unchanged.
    GifFile again;
    if (!again.parseMemory(kept.data(), kept.size()))
        std::abort();
    if (again.toBytes() != kept)
        std::abort();
    GifFile third;
    if (!third.parseMemory(stripped.data(), stripped.size()) || third.toBytes() != stripped)
        std::abort();
    return 0;
}
