#include "GifFile.h"

#include <cctype>
#include <cstring>

#include "ApplicationBlock.h"
#include "GraphicControlBlock.h"
#include "ImageBlock.h"
#include "PlainTextBlock.h"

GifFile::GifFile() : GifBlock("GF")
{
    comments_.disownItems();
    images_.disownItems();
    applications_.disownItems();
}

GifFile::~GifFile()
{
    // The borrowed lists go first so that no list ever points at a freed block.
    comments_.purge();
    images_.purge();
    applications_.purge();
    allBlocks_.purge();
}

bool GifFile::parse(const std::string& path)
{
    path_ = path;
    if (!readWholeFile(path, source_, hasSignature, 6))
        return false;
    return parseSource();
}

bool GifFile::parseMemory(const uint8_t* data, size_t size)
{
    source_.assign(data, data + size);
    return parseSource();
}

bool GifFile::hasSignature(const uint8_t* head, size_t size)
{
    // Files of other formats renamed to .gif must never be rewritten.
    return size >= 3 && std::toupper(head[0]) == 'G' && std::toupper(head[1]) == 'I' &&
           std::toupper(head[2]) == 'F';
}

bool GifFile::parseSource()
{
    const uint8_t* data = source_.data();
    const size_t size = source_.size();
    versionFlag_ = 0;
    if (!hasSignature(data, size))
        return false;
    versionFlag_ = (size >= 6 && std::memcmp(data, "GIF87a", 6) == 0) ? 0 : 1;

    ByteReader in(data, size);
    in.skip(6);
    screen_.read(in);
    if (!screen_.hasGlobalTable)
        return false;
    globalTable_.read(in, screen_.tableSizeCode);
    // The screen descriptor and the table are written field for field as read; the header
    // only when it is one of the two written.
    if (in.ok() && std::memcmp(data, versionFlag_ ? "GIF89a" : "GIF87a", 6) == 0)
        headSourceLength_ = in.position();

    while (!in.atEnd()) {
        const size_t at = in.position();
        const bool wasComplete = in.ok();
        uint8_t introducer = in.u8();
        if (introducer == 0x3B) {
            trailerOffset_ = at;
            trailerRead_ = true;
            break;
        }
        GifBlock* block = nullptr;
        if (introducer == 0x21) {
            block = readExtension(in);
        } else if (introducer == 0x2C) {
            auto* image = new ImageBlock;
            image->read(in);
            allBlocks_.append(image, 1);
            images_.append(image, 1);
            block = image;
        }
        // Any other byte between blocks is stray and ignored.
        if (block)
            noteSource(*block, at, in.position(), wasComplete && in.ok());
    }
    return true;
}

void GifFile::noteSource(GifBlock& block, size_t offset, size_t end, bool complete) const
{
    if (!complete)
        return; // a block cut off by the end of the file is written completed
    if (block.hasTag("IM") && !static_cast<ImageBlock&>(block).readWhole())
        return;
    block.setSource(offset, end - offset);
}

GifBlock* GifFile::readExtension(ByteReader& in)
{
    if (in.atEnd())
        return nullptr;
    switch (in.u8()) {
    case 0x01: {
        auto* text = new PlainTextBlock;
        text->read(in);
        allBlocks_.append(text, 1);
        return text;
    }
    case 0xF9: {
        auto* control = new GraphicControlBlock;
        control->read(in);
        allBlocks_.append(control, 1);
        return control;
    }
    case 0xFE: {
        auto* comment = new CommentBlock;
        comment->read(in);
        allBlocks_.append(comment, 1);
        comments_.append(comment, 1);
        return comment;
    }
    case 0xFF: {
        auto* application = new ApplicationBlock;
        application->read(in);
        applications_.append(application, 1);
        allBlocks_.append(application, 1);
        return application;
    }
    default:
        // An unknown extension is passed over by its sub-blocks, so that a 2C or 3B inside
        // its data is not taken for a block; it is not kept.
        skipSubBlocks(in);
        return nullptr;
    }
}

void GifFile::writeHead(ByteWriter& out) const
{
    out.bytes(reinterpret_cast<const uint8_t*>(versionFlag_ ? "GIF89a" : "GIF87a"), 6);
    screen_.write(out);
    globalTable_.write(out);
}

void GifFile::write(ByteWriter& out) const
{
    writeHead(out);
    allBlocks_.forEach([&](const GifBlock* block) {
        if (block->keep())
            block->write(out);
    });
    out.u8(0x3B);
}

std::vector<uint8_t> GifFile::toBytes() const
{
    ByteWriter out;
    out.reserve(source_.size() + 64);
    write(out);
    return std::move(out.data());
}

std::vector<ByteRange> GifFile::writeRanges(ByteWriter& rebuilt) const
{
    // The pieces of the new file in order: runs of the file's own bytes, and parts rebuilt
    // into one buffer (held by offset until the buffer has stopped growing).
    struct Piece {
        bool fromSource;
        size_t offset;
        size_t size;
    };
    std::vector<Piece> pieces;
    auto add = [&](bool fromSource, size_t offset, size_t size) {
        Piece* last = pieces.empty() ? nullptr : &pieces.back();
        if (last && last->fromSource == fromSource && last->offset + last->size == offset)
            last->size += size; // blocks that follow one another in the file go in one run
        else if (size > 0)
            pieces.push_back({fromSource, offset, size});
    };
    auto rebuild = [&](auto writeIt) {
        const size_t at = rebuilt.data().size();
        writeIt();
        add(false, at, rebuilt.data().size() - at);
    };

    // Fewer, longer runs mean fewer writes: with the head and the trailer from the file too,
    // a file with blocks dropped in one place goes out in two runs.
    if (headSourceLength_ > 0)
        add(true, 0, headSourceLength_);
    else
        rebuild([&] { writeHead(rebuilt); });
    allBlocks_.forEach([&](const GifBlock* block) {
        if (!block->keep())
            return;
        const size_t offset = block->sourceOffset(), length = block->sourceLength();
        // An image read whole is written field for field as read; comparing it byte by byte
        // would cost as much as rebuilding it.
        if (length > 0 && block->hasTag("IM")) {
            add(true, offset, length);
            return;
        }
        // The other blocks are small, and some are written otherwise than read (a graphic
        // control block of another size, an application block size other than 0B): rebuilt,
        // and when they come out as the file has them, its bytes are taken instead.
        const size_t at = rebuilt.data().size();
        block->write(rebuilt);
        const size_t written = rebuilt.data().size() - at;
        if (length > 0 && written == length &&
            std::memcmp(rebuilt.data().data() + at, source_.data() + offset, length) == 0) {
            rebuilt.data().resize(at);
            add(true, offset, length);
        } else {
            add(false, at, written);
        }
    });
    if (trailerRead_)
        add(true, trailerOffset_, 1);
    else
        rebuild([&] { rebuilt.u8(0x3B); });

    std::vector<ByteRange> ranges;
    ranges.reserve(pieces.size());
    for (const Piece& piece : pieces)
        ranges.push_back({(piece.fromSource ? source_.data() : rebuilt.data().data()) + piece.offset,
                          piece.size});
    return ranges;
}

SaveResult GifFile::write(const std::string& path)
{
    ByteWriter rebuilt;
    rebuilt.reserve(1024);
    std::vector<ByteRange> ranges = writeRanges(rebuilt);
    return replaceFileSafely(path, ranges.data(), ranges.size());
}

void GifFile::addComment(const std::string& text)
{
    auto* comment = new CommentBlock;
    comment->setText(text);
    comments_.append(comment, 1);
    allBlocks_.append(comment, 1);
}

PtrList<GifBlock>& GifFile::blocksOfKind(int kind)
{
    switch (kind) {
    case Comments:
        return comments_;
    case Images:
        return images_;
    case Applications:
        return applications_;
    default:
        return allBlocks_;
    }
}

std::optional<ImageRect> GifFile::firstImageRect()
{
    auto* image = static_cast<ImageBlock*>(images_.at(1));
    if (!image)
        return std::nullopt;
    return ImageRect{image->left, image->top, image->width, image->height};
}
