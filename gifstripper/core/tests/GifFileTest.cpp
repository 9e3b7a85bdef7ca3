#include "GifFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ApplicationBlock.h"
#include "GraphicControlBlock.h"
#include "ImageBlock.h"
#include "PlainTextBlock.h"
#include "GifTestStreams.h"
#include "SafeFile.h"
#include "TempFolder.h"

namespace {

Bytes rewrite(const Bytes& in, bool* valid = nullptr)
{
    GifFile gif;
    bool ok = gif.parseMemory(in.data(), in.size());
    if (valid)
        *valid = ok;
    return ok ? gif.toBytes() : Bytes();
}

bool contains(const Bytes& hay, const Bytes& needle)
{
    return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

GifStream oneImage(const char* header = "GIF89a")
{
    GifStream s;
    s.start(header).image(0, 0, 4, 4, patternPixels(4, 4, 2));
    return s;
}

TEST(GifFileValidity, RejectsWhatIsNotAGifWithAGlobalTable)
{
    GifFile empty;
    EXPECT_FALSE(empty.parseMemory(nullptr, 0));

    // Another format renamed to .gif.
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D, 0x80, 0, 0};
    GifFile notGif;
    EXPECT_FALSE(notGif.parseMemory(png.data(), png.size()));

    GifStream noTable;
    noTable.text("GIF89a").le16(4).le16(4).raw({0x00, 0, 0});
    noTable.image(0, 0, 4, 4, patternPixels(4, 4, 2), 2, 1).trailer();
    GifFile local;
    EXPECT_FALSE(local.parseMemory(noTable.bytes.data(), noTable.bytes.size()));

    Bytes shortHeader = {'G', 'I'};
    GifFile twoBytes;
    EXPECT_FALSE(twoBytes.parseMemory(shortHeader.data(), shortHeader.size()));
}

TEST(GifFileValidity, HeaderVersionOnRewrite)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"GIF87a", "GIF87a"}, {"GIF89a", "GIF89a"}, {"gif89a", "GIF89a"},
                 {"GiFxyz", "GIF89a"}, {"gif87a", "GIF89a"}};
    for (const Case& c : cases) {
        GifStream s = oneImage(c.in);
        s.graphicControl(0, 10, 0); // extensions do not lift a GIF87a header
        s.trailer();
        bool valid = false;
        Bytes out = rewrite(s.bytes, &valid);
        ASSERT_TRUE(valid) << c.in;
        EXPECT_EQ(std::string(out.begin(), out.begin() + 6), c.out) << c.in;
    }
}

TEST(GifFileRoundTrip, NothingDroppedGivesTheSameBytes)
{
    GifStream s;
    s.start("GIF89a", 16, 8, 3);
    s.application("NETSCAPE2.0", {1, 0, 0});
    s.comment(std::string(300, 'c'));
    s.graphicControl(0x09, 25, 3);
    s.image(2, 1, 10, 5, patternPixels(10, 5, 8), 3);
    // Plain text extension with its standard 12-byte body.
    s.raw({0x21, 0x01, 12}).le16(1).le16(2).le16(30).le16(20).raw({8, 8, 1, 0});
    s.subBlocks({'h', 'i'});
    s.image(0, 0, 16, 8, patternPixels(16, 8, 256), 8, 8, true);
    s.trailer();
    EXPECT_EQ(rewrite(s.bytes), s.bytes);
}

TEST(GifFileRoundTrip, DeclaredBodySizesAreHonoured)
{
    // Graphic control with a 6-byte body and an extra sub-block: the next image must survive
    // and the control is written in its standard form.
    GifStream gce = oneImage();
    gce.raw({0x21, 0xF9, 6, 0x05, 0x34, 0x12, 7, 0x2C, 0x3B, 2, 0x2C, 0x3B, 0});
    gce.image(1, 1, 2, 2, {1, 0, 0, 1}).trailer();
    GifFile gif;
    ASSERT_TRUE(gif.parseMemory(gce.bytes.data(), gce.bytes.size()));
    EXPECT_EQ(gif.blocksOfKind(GifFile::Images).count(), 2);
    auto* control = static_cast<GraphicControlBlock*>(gif.blocksOfKind(0).at(2));
    ASSERT_TRUE(control->hasTag("cb"));
    EXPECT_EQ(control->delay, 0x1234);
    EXPECT_EQ(control->transparentIndex, 7);
    EXPECT_EQ(control->transparentFlag, 1);
    EXPECT_EQ(control->disposal, 1);
    Bytes out = gif.toBytes();
    EXPECT_TRUE(contains(out, {0x21, 0xF9, 4, 0x05, 0x34, 0x12, 7, 0, 0x2C, 1, 0, 1, 0}));

    // Application extension declaring 13 body bytes: written back with 0B and its data.
    GifStream app = oneImage();
    app.raw({0x21, 0xFF, 13}).text("ANIMEXTS1.0XY").subBlocks({5, 6, 7});
    app.image(0, 0, 1, 1, {1}).trailer();
    GifFile withApp;
    ASSERT_TRUE(withApp.parseMemory(app.bytes.data(), app.bytes.size()));
    EXPECT_EQ(withApp.blocksOfKind(GifFile::Images).count(), 2);
    out = withApp.toBytes();
    Bytes expected = {0x21, 0xFF, 0x0B};
    expected.insert(expected.end(), {'A', 'N', 'I', 'M', 'E', 'X', 'T', 'S', '1', '.', '0'});
    expected.insert(expected.end(), {3, 5, 6, 7, 0});
    EXPECT_TRUE(contains(out, expected));

    // A plain text extension keeps its size byte and, with it, a non-standard body.
    GifStream text = oneImage();
    text.raw({0x21, 0x01, 14}).le16(1).le16(2).le16(3).le16(4).raw({5, 6, 7, 8, 9, 10});
    text.subBlocks({'t'}).trailer();
    EXPECT_EQ(rewrite(text.bytes), text.bytes);
}

TEST(GifFileRoundTrip, ApplicationIdentityAndComments)
{
    GifStream s = oneImage();
    s.application("netscape2.0", {1, 0, 0});
    s.application("GifConv1.0\0", {});
    s.application("XMP DataXMP", {'x'});
    s.comment("first").comment("");
    s.trailer();
    GifFile gif;
    ASSERT_TRUE(gif.parseMemory(s.bytes.data(), s.bytes.size()));
    auto& apps = gif.blocksOfKind(GifFile::Applications);
    ASSERT_EQ(apps.count(), 3);
    EXPECT_EQ(static_cast<ApplicationBlock*>(apps.at(1))->identify(), 1);
    EXPECT_EQ(static_cast<ApplicationBlock*>(apps.at(2))->identify(), 2);
    EXPECT_EQ(static_cast<ApplicationBlock*>(apps.at(3))->identify(), 0);
    auto& comments = gif.blocksOfKind(GifFile::Comments);
    ASSERT_EQ(comments.count(), 2);
    EXPECT_EQ(static_cast<CommentBlock*>(comments.at(1))->text(), "first");
    EXPECT_EQ(static_cast<CommentBlock*>(comments.at(2))->text(), "");
    EXPECT_EQ(gif.blocksOfKind(7).count(), gif.blocksOfKind(GifFile::AllBlocks).count());

    // Dropping removes exactly those blocks' bytes.
    comments.at(1)->drop();
    apps.at(3)->drop();
    Bytes out = gif.toBytes();
    EXPECT_FALSE(contains(out, {'f', 'i', 'r', 's', 't'}));
    EXPECT_FALSE(contains(out, {'X', 'M', 'P', ' '}));
    EXPECT_TRUE(contains(out, {'n', 'e', 't', 's', 'c', 'a', 'p', 'e'}));
    EXPECT_TRUE(contains(out, {0x21, 0xFE, 0x00, 0x3B}));
}

TEST(GifFileRoundTrip, AddedCommentIsSplitAndGoesLast)
{
    GifStream s = oneImage();
    s.trailer();
    GifFile gif;
    ASSERT_TRUE(gif.parseMemory(s.bytes.data(), s.bytes.size()));
    std::string text;
    for (int i = 0; i < 600; ++i)
        text.push_back(char('a' + i % 26));
    gif.addComment(text);
    Bytes out = gif.toBytes();
    Bytes before(s.bytes.begin(), s.bytes.end() - 1); // everything read, without 3B
    ASSERT_EQ(out.size(), before.size() + 2 + 3 + 600 + 1 + 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), out.begin()));
    size_t p = before.size();
    EXPECT_EQ(out[p], 0x21);
    EXPECT_EQ(out[p + 1], 0xFE);
    EXPECT_EQ(out[p + 2], 255);
    EXPECT_EQ(out[p + 3 + 255], 255);
    EXPECT_EQ(out[p + 4 + 510], 90);
    EXPECT_EQ(out[p + 5 + 600], 0);
    EXPECT_EQ(out.back(), 0x3B);
    EXPECT_EQ(static_cast<CommentBlock*>(gif.blocksOfKind(1).at(1))->text(), text);

    CommentBlock empty;
    empty.setText("");
    EXPECT_EQ(empty.subBlocks.count(), 1);
    CommentBlock exact;
    exact.setText(std::string(255, 'x'));
    EXPECT_EQ(exact.subBlocks.count(), 2);
}

TEST(GifFileRoundTrip, WhatIsAlwaysLost)
{
    // An unknown extension whose data holds 2C and 3B bytes: skipped by its sub-blocks, so
    // the image after it is kept and only the extension itself is gone.
    GifStream s = oneImage();
    s.raw({0x21, 0x99, 4, 0x2C, 0x3B, 0x21, 0xFE, 3, 1, 2, 3, 0});
    s.image(1, 2, 1, 1, {1});
    s.raw({0x00, 0x00, 0x17}); // stray bytes between blocks
    s.trailer();
    s.text("after the trailer");
    GifFile gif;
    ASSERT_TRUE(gif.parseMemory(s.bytes.data(), s.bytes.size()));
    EXPECT_EQ(gif.blocksOfKind(GifFile::Images).count(), 2);
    EXPECT_EQ(gif.blocksOfKind(GifFile::Comments).count(), 0);
    Bytes expected = oneImage().image(1, 2, 1, 1, {1}).trailer().bytes;
    EXPECT_EQ(gif.toBytes(), expected);

    auto rect = gif.firstImageRect();
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->width, 4);
    GifStream noImage;
    noImage.start().comment("x").trailer();
    GifFile none;
    ASSERT_TRUE(none.parseMemory(noImage.bytes.data(), noImage.bytes.size()));
    EXPECT_FALSE(none.firstImageRect().has_value());
}

TEST(GifFileRoundTrip, LocalTablesOfEverySize)
{
    for (int code = 1; code <= 8; ++code) {
        GifStream s;
        s.start("GIF89a", 8, 8, 1);
        s.image(0, 0, 8, 8, patternPixels(8, 8, 1 << code), code < 2 ? 2 : code, code);
        s.trailer();
        GifFile gif;
        ASSERT_TRUE(gif.parseMemory(s.bytes.data(), s.bytes.size()));
        auto* image = static_cast<ImageBlock*>(gif.blocksOfKind(2).at(1));
        EXPECT_EQ(image->localEntryCount(), 1 << code);
        EXPECT_EQ(gif.toBytes(), s.bytes) << "size code " << code;
    }
}

GifStream richFile()
{
    GifStream s;
    s.start("GIF89a", 6, 6, 2);
    s.application("NETSCAPE2.0", {1, 0, 0});
    s.comment("a comment");
    s.graphicControl(1, 5, 2);
    s.raw({0x21, 0x01, 12}).le16(0).le16(0).le16(6).le16(6).raw({1, 1, 1, 0});
    s.subBlocks({'p'});
    s.image(0, 0, 6, 6, patternPixels(6, 6, 4), 2, 2);
    s.trailer();
    return s;
}

// Every prefix of a rich file parses (or is rejected) without reading past its end, and what
// it gives writes back as a well formed file that reads back the same.
TEST(GifFileTruncation, EveryPrefixIsSafeAndStable)
{
    GifStream s = richFile();
    for (size_t n = 0; n <= s.bytes.size(); ++n) {
        // A heap copy of exactly n bytes, so the sanitizers see any over-read.
        std::unique_ptr<uint8_t[]> copy(new uint8_t[n ? n : 1]);
        std::copy(s.bytes.begin(), s.bytes.begin() + long(n), copy.get());
        GifFile gif;
        if (!gif.parseMemory(copy.get(), n)) {
            EXPECT_LT(n, 13u + 12u) << "rejected at " << n;
            continue;
        }
        Bytes out = gif.toBytes();
        EXPECT_EQ(rewrite(out), out) << "prefix " << n;
        if (n == s.bytes.size()) {
            EXPECT_EQ(out, s.bytes);
        }
    }
}

// The pass over sub-blocks in read, which takes runs of full sub-blocks eight at a time, ends
// where the walk that takes them apart ends: whichever sub-block is short (its data full of
// FF bytes that look like sizes), and wherever the data is cut.
TEST(GifFileTruncation, SubBlockPassEndsWhereTheWalkEnds)
{
    for (int shortOne = 0; shortOne <= 9; ++shortOne) {
        Bytes data;
        for (int i = 0; i < 12; ++i) {
            const uint8_t size = i == shortOne ? 7 : 255;
            data.push_back(size);
            data.insert(data.end(), size, 0xFF);
        }
        data.push_back(0);
        for (size_t n = 0; n <= data.size(); ++n) {
            ByteReader pass(data.data(), n), walk(data.data(), n);
            const bool whole = skipSubBlocks(pass);
            SubBlockList list;
            readSubBlocks(walk, list);
            ASSERT_EQ(pass.position(), walk.position()) << "short " << shortOne << " cut " << n;
            ASSERT_EQ(pass.ok(), walk.ok()) << "short " << shortOne << " cut " << n;
            ASSERT_EQ(whole, n == data.size()) << "short " << shortOne << " cut " << n;
        }
    }
}

// A rewrite on disk copies the blocks that come out as read straight from the file's bytes
// and rebuilds the others: the file must hold exactly what the block model gives, whatever
// was cut off, written otherwise than read, dropped or added.
TEST(GifFileRewrite, FileOnDiskIsTheBlockModelsBytes)
{
    std::vector<Bytes> inputs;
    GifStream rich = richFile();
    for (size_t n = 13; n <= rich.bytes.size(); ++n)
        inputs.emplace_back(rich.bytes.begin(), rich.bytes.begin() + long(n));
    GifStream odd = oneImage("GIF87a");
    odd.raw({0x21, 0xF9, 6, 0x05, 0x34, 0x12, 7, 0x2C, 0x3B, 2, 0x2C, 0x3B, 0}); // control, 6 bytes
    odd.raw({0x21, 0xFF, 13}).text("ANIMEXTS1.0XY").subBlocks({5, 6, 7});     // size 13
    odd.raw({0x21, 0x99, 2, 0x2C, 0x3B, 0});                                   // unknown label
    odd.raw({0x21, 0xF9, 4, 1, 0, 0, 0}).raw({0x17});                          // no terminator
    odd.image(1, 1, 2, 2, {1, 0, 0, 1}).trailer().text("after");
    inputs.push_back(odd.bytes);

    TempFolder dir;
    const std::string path = dir.file("rewrite.gif");
    for (size_t i = 0; i < inputs.size(); ++i) {
        for (int variant = 0; variant < 3; ++variant) {
            TempFolder::put(path, inputs[i]);
            GifFile gif;
            if (!gif.parse(path))
                continue;
            if (variant >= 1) // the comment and the first application block go
                for (int kind : {GifFile::Comments, GifFile::Applications})
                    if (GifBlock* block = gif.blocksOfKind(kind).at(1))
                        block->drop();
            if (variant == 2)
                gif.addComment(std::string(300, 'm'));
            ASSERT_EQ(gif.write(path), SaveResult::Saved);
            EXPECT_EQ(TempFolder::get(path), gif.toBytes()) << "input " << i << " variant " << variant;
        }
    }
}

} // namespace
