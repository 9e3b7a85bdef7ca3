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
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes))
        return false;
    return parseMemory(bytes.data(), bytes.size());
}

bool GifFile::parseMemory(const uint8_t* data, size_t size)
{
    versionFlag_ = 0;
    sourceSize_ = size;
    // Files of other formats renamed to .gif must never be rewritten.
    if (size < 3 || std::toupper(data[0]) != 'G' || std::toupper(data[1]) != 'I' ||
        std::toupper(data[2]) != 'F')
        return false;
    versionFlag_ = (size >= 6 && std::memcmp(data, "GIF87a", 6) == 0) ? 0 : 1;

    ByteReader in(data, size);
    in.skip(6);
    screen_.read(in);
    if (!screen_.hasGlobalTable)
        return false;
    globalTable_.read(in, screen_.tableSizeCode);

    while (!in.atEnd()) {
        uint8_t introducer = in.u8();
        if (introducer == 0x3B)
            break;
        if (introducer == 0x21) {
            readExtension(in);
        } else if (introducer == 0x2C) {
            auto* image = new ImageBlock;
            image->read(in);
            allBlocks_.append(image, 1);
            images_.append(image, 1);
        }
        // Any other byte between blocks is stray and ignored.
    }
    return true;
}

void GifFile::readExtension(ByteReader& in)
{
    if (in.atEnd())
        return;
    switch (in.u8()) {
    case 0x01: {
        auto* text = new PlainTextBlock;
        text->read(in);
        allBlocks_.append(text, 1);
        break;
    }
    case 0xF9: {
        auto* control = new GraphicControlBlock;
        control->read(in);
        allBlocks_.append(control, 1);
        break;
    }
    case 0xFE: {
        auto* comment = new CommentBlock;
        comment->read(in);
        allBlocks_.append(comment, 1);
        comments_.append(comment, 1);
        break;
    }
    case 0xFF: {
        auto* application = new ApplicationBlock;
        application->read(in);
        applications_.append(application, 1);
        allBlocks_.append(application, 1);
        break;
    }
    default:
        // An unknown extension is passed over by its sub-blocks, so that a 2C or 3B inside
        // its data is not taken for a block; it is not kept.
        skipSubBlocks(in);
        break;
    }
}

void GifFile::write(ByteWriter& out) const
{
    out.bytes(reinterpret_cast<const uint8_t*>(versionFlag_ ? "GIF89a" : "GIF87a"), 6);
    screen_.write(out);
    globalTable_.write(out);
    allBlocks_.forEach([&](const GifBlock* block) {
        if (block->keep())
            block->write(out);
    });
    out.u8(0x3B);
}

std::vector<uint8_t> GifFile::toBytes() const
{
    ByteWriter out;
    out.reserve(sourceSize_ + 64);
    write(out);
    return std::move(out.data());
}

SaveResult GifFile::write(const std::string& path)
{
    std::vector<uint8_t> bytes = toBytes();
    return replaceFileSafely(path, bytes.data(), bytes.size());
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
