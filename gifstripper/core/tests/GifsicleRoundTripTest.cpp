// Round trips of GIF files made by an independent tool (gifsicle): the blocks kept come out
// byte for byte, the dropped ones are gone, and gifdiff sees the same frames. Native only;
// skipped when gifsicle is not installed.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "ApplicationBlock.h"
#include "GifFile.h"
#include "GifTestStreams.h"
#include "ImageBlock.h"
#include "TempFolder.h"

namespace {

bool haveGifsicle()
{
    return std::system("command -v gifsicle >/dev/null 2>&1 && command -v gifdiff >/dev/null 2>&1") == 0;
}

std::string shellQuoted(const std::string& s) { return "'" + s + "'"; }

int run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); }

std::string output(const std::string& command)
{
    std::string result;
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0)
        result.append(buffer, n);
    pclose(p);
    return result;
}

// A single-frame GIF of our own making, as gifsicle's input; each seed gets its own palette.
void writeFrame(const std::string& path, int width, int height, int sizeCode, int seed)
{
    GifStream s;
    s.text("GIF89a").le16(width).le16(height).raw({0xF0 | (sizeCode - 1), 0, 0});
    for (int i = 0; i < (1 << sizeCode); ++i)
        s.raw({(i * 37 + seed * 50) & 0xFF, (i * 11 + seed * 90) & 0xFF, (i * 5 + seed) & 0xFF});
    s.image(0, 0, width, height, patternPixels(width, height, 1 << sizeCode, seed),
            sizeCode < 2 ? 2 : sizeCode);
    s.trailer();
    TempFolder::put(path, s.bytes);
}

Bytes serialised(const GifBlock* block)
{
    ByteWriter out;
    block->write(out);
    return out.data();
}

class GifsicleRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveGifsicle())
            GTEST_SKIP() << "gifsicle is not installed";
        // Two frames of 256 colours each: more than one table holds, so gifsicle gives frames
        // local tables.
        const int sizeCodes[3] = {3, 8, 8};
        for (int i = 0; i < 3; ++i)
            writeFrame(dir.file("frame" + std::to_string(i) + ".gif"), 40 + i * 8, 30,
                       sizeCodes[i], i);
    }

    // Strips as the program does (comments and application data other than the looping
    // block) and checks the result against the original.
    void stripAndCheck(const std::string& made, int expectComments, int expectDroppedApps)
    {
        Bytes original = TempFolder::get(made);
        GifFile gif;
        ASSERT_TRUE(gif.parse(made));
        ASSERT_EQ(gif.toBytes(), original) << "nothing dropped must give the same bytes";
        EXPECT_EQ(gif.blocksOfKind(GifFile::Comments).count(), expectComments);

        Bytes expected = original;
        int droppedApps = 0;
        PtrList<GifBlock>& all = gif.blocksOfKind(GifFile::AllBlocks);
        for (all.toFirst(); !all.atEnd(); all.toNext()) {
            GifBlock* block = all.current();
            bool isComment = block->hasTag("CM");
            bool isForeignApp =
                block->hasTag("AP") && static_cast<ApplicationBlock*>(block)->identify() != 1;
            if (!isComment && !isForeignApp)
                continue;
            droppedApps += isForeignApp;
            block->drop();
            Bytes bytes = serialised(block);
            auto at = std::search(expected.begin(), expected.end(), bytes.begin(), bytes.end());
            ASSERT_NE(at, expected.end());
            expected.erase(at, at + long(bytes.size()));
        }
        EXPECT_EQ(droppedApps, expectDroppedApps);

        std::string stripped = made + ".stripped.gif";
        ASSERT_EQ(gif.write(stripped), SaveResult::Saved);
        EXPECT_EQ(TempFolder::get(stripped), expected);
        EXPECT_EQ(run("gifdiff " + shellQuoted(made) + " " + shellQuoted(stripped)), 0)
            << "gifdiff sees different frames";
        std::string info = output("gifsicle --xinfo " + shellQuoted(stripped));
        EXPECT_EQ(info.find("comment"), std::string::npos) << info;
    }

    TempFolder dir;
};

TEST_F(GifsicleRoundTrip, CommentsAndApplicationExtensionsOnSeveralFrames)
{
    // gifsicle takes one comment per run, so each frame gets its own before they are merged.
    std::string made = dir.file("anim.gif");
    ASSERT_EQ(run("gifsicle -c 'first comment' " + shellQuoted(dir.file("frame0.gif")) + " -o " +
                  shellQuoted(dir.file("c0.gif"))),
              0);
    ASSERT_EQ(run("gifsicle -c '" + std::string(400, 'L') + "' " +
                  shellQuoted(dir.file("frame1.gif")) + " -o " + shellQuoted(dir.file("c1.gif"))),
              0);
    ASSERT_EQ(run("gifsicle --app-extension 'XMP DataXMP' 'some metadata' " +
                  shellQuoted(dir.file("frame2.gif")) + " -o " + shellQuoted(dir.file("c2.gif"))),
              0);
    ASSERT_EQ(run("gifsicle -l3 -d 20 " + shellQuoted(dir.file("c0.gif")) + " " +
                  shellQuoted(dir.file("c1.gif")) + " " + shellQuoted(dir.file("c2.gif")) +
                  " -o " + shellQuoted(made)),
              0);
    stripAndCheck(made, 2, 1);
    // The looping block stays.
    std::string info = output("gifsicle --info " + shellQuoted(made + ".stripped.gif"));
    EXPECT_NE(info.find("loop count 3"), std::string::npos) << info;
    EXPECT_NE(info.find("3 images"), std::string::npos) << info;
}

TEST_F(GifsicleRoundTrip, LocalColourTablesInterlacingAndTransparency)
{
    std::string made = dir.file("local.gif");
    ASSERT_EQ(run("gifsicle -i -t 1 -c note " + shellQuoted(dir.file("frame0.gif")) + " " +
                  shellQuoted(dir.file("frame1.gif")) + " " + shellQuoted(dir.file("frame2.gif")) +
                  " -o " + shellQuoted(made)),
              0);
    GifFile gif;
    ASSERT_TRUE(gif.parse(made));
    int local = 0;
    int interlaced = 0;
    PtrList<GifBlock>& images = gif.blocksOfKind(GifFile::Images);
    for (images.toFirst(); !images.atEnd(); images.toNext()) {
        auto* image = static_cast<ImageBlock*>(images.current());
        local += image->localTable != nullptr;
        interlaced += image->interlaced;
    }
    EXPECT_EQ(images.count(), 3);
    EXPECT_GE(local, 1);
    EXPECT_EQ(interlaced, 3);
    stripAndCheck(made, 1, 0);
}

TEST_F(GifsicleRoundTrip, GifsicleReadsWhatWeWriteWithAnAddedComment)
{
    std::string made = dir.file("plain.gif");
    ASSERT_EQ(run("gifsicle " + shellQuoted(dir.file("frame1.gif")) + " -o " + shellQuoted(made)), 0);
    GifFile gif;
    ASSERT_TRUE(gif.parse(made));
    std::string text(700, 'q');
    text.replace(0, 6, "mine: ");
    gif.addComment(text);
    ASSERT_EQ(gif.write(made), SaveResult::Saved);
    std::string info = output("gifsicle --xinfo " + shellQuoted(made));
    EXPECT_NE(info.find("mine: qqq"), std::string::npos) << info;
    EXPECT_EQ(run("gifdiff " + shellQuoted(made) + " " + shellQuoted(dir.file("frame1.gif"))), 0);
}

} // namespace

#endif
