// Parses any bytes as a GIF and writes the result back, as the stripper does with every file:
// first with every block kept, then with comments and application data dropped, and parses
// the written file again; what was written must read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ApplicationBlock.h"
#include "GifFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GifFile gif;
    if (!gif.parseMemory(data, size))
        return 0;
    gif.firstImageRect();
    std::vector<uint8_t> kept = gif.toBytes();

    PtrList<GifBlock>& blocks = gif.blocksOfKind(GifFile::AllBlocks);
    for (blocks.toFirst(); !blocks.atEnd(); blocks.toNext()) {
        GifBlock* block = blocks.current();
        if (block->hasTag("CM") ||
            (block->hasTag("AP") && static_cast<ApplicationBlock*>(block)->identify() != 1))
            block->drop();
    }
    gif.addComment(std::string(reinterpret_cast<const char*>(data), size < 600 ? size : 600));
    std::vector<uint8_t> stripped = gif.toBytes();

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
