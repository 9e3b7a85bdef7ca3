// A whole GIF file held as blocks: the header version, the screen descriptor, the global
// colour table and every extension and image in file order. The program's one definition of
// the format as read and as written.
//
//   "GIF87a"/"GIF89a" | screen descriptor (7) | global table | blocks ... | 3B
//   block: 21 label body sub-blocks...00  (extension)  or  2C image  (see ImageBlock.h)
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ColorTable.h"
#include "CommentBlock.h"
#include "FirstImage.h"
#include "GifBlock.h"
#include "PtrList.h"
#include "SafeFile.h"
#include "ScreenDescriptor.h"

struct ImageRect {
    int left;
    int top;
    int width;
    int height;
};

class GifFile : public GifBlock {
public:
    enum BlockKind { AllBlocks = 0, Comments = 1, Images = 2, Applications = 3 };

    GifFile();
    ~GifFile() override;

    // True when the file was read as a GIF: it starts with "GIF" (any case) and has a global
    // colour table. Whatever a truncated file holds is kept. A file of another kind is
    // refused from its first bytes, without reading the rest. The object keeps the file's
    // bytes: the blocks read from it point into them.
    bool parse(const std::string& path);
    bool parseMemory(const uint8_t* data, size_t size);
    static bool hasSignature(const uint8_t* head, size_t size);

    // The file as it is to be written: header, screen, global table, kept blocks, trailer.
    void write(ByteWriter& out) const override;
    std::vector<uint8_t> toBytes() const;
    // Replaces the contents of path with the same bytes as toBytes(); on failure the file
    // stays as it was. Blocks that come out as they were read are written straight from the
    // file's bytes, the rest are rebuilt.
    SaveResult write(const std::string& path);
    // The bytes of toBytes() as runs of the file's own bytes and of parts rebuilt into
    // rebuilt; valid while this object and rebuilt live unchanged.
    std::vector<ByteRange> writeRanges(ByteWriter& rebuilt) const;

    // The new comment goes after every block read from the file, before the trailer.
    void addComment(const std::string& text);

    // 0 all blocks, 1 comments, 2 images, 3 application extensions; other kinds give all.
    PtrList<GifBlock>& blocksOfKind(int kind);

    std::optional<ImageRect> firstImageRect();
    // Decodes the first image and plots it into target; false when there is nothing to draw
    // (no image, an empty one, or a minimum code size the decoder refuses).
    bool drawFirstImage(PixelTarget& target);

    const std::string& path() const { return path_; }
    int versionFlag() const { return versionFlag_; }
    const ScreenDescriptor& screen() const { return screen_; }
    const ColorTable& globalTable() const { return globalTable_; }

private:
    bool parseSource();
    void writeHead(ByteWriter& out) const;
    GifBlock* readExtension(ByteReader& in);
    void noteSource(GifBlock& block, size_t offset, size_t end, bool complete) const;

    std::string path_;
    int versionFlag_ = 0; // 0: the header was exactly "GIF87a"
    FileBytes source_; // the file's bytes as read
    // The head (header, screen, global table) and the trailer as they stand in source_, when
    // they are written exactly so (head length 0 otherwise), so that a rewrite copies them.
    size_t headSourceLength_ = 0;
    size_t trailerOffset_ = 0;
    bool trailerRead_ = false;
    ScreenDescriptor screen_;
    ColorTable globalTable_;
    PtrList<GifBlock> allBlocks_; // owns every block
    PtrList<GifBlock> comments_;  // the next three borrow from allBlocks_
    PtrList<GifBlock> images_;
    PtrList<GifBlock> applications_;
};
