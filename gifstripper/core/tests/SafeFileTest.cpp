#include "SafeFile.h"

#include <gtest/gtest.h>

#include "GifFile.h"
#include "GifTestStreams.h"
#include "TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

Bytes sampleGif()
{
    GifStream s;
    s.start("GIF89a", 32, 32, 8).comment(std::string(2000, 'z'));
    s.image(0, 0, 32, 32, patternPixels(32, 32, 256), 8).trailer();
    return s.bytes;
}

TEST(SafeFile, ReplacesTheFileAndLeavesNoTemporaryFile)
{
    TempFolder dir;
    std::string target = dir.file("picture.gif");
    TempFolder::put(target, {1, 2, 3});
    Bytes bytes(100000, 0x5A);
    EXPECT_EQ(replaceFileSafely(target, bytes.data(), bytes.size()), SaveResult::Saved);
    EXPECT_EQ(TempFolder::get(target), bytes);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"picture.gif"});
    EXPECT_EQ(fileSizeOf(target), 100000);
    EXPECT_EQ(fileSizeOf(dir.file("missing.gif")), -1);
    EXPECT_EQ(fileSizeOf(dir.path()), -1); // a folder has no file size
}

TEST(SafeFile, MissingFolderIsReportedAndNothingIsMade)
{
    TempFolder dir;
    Bytes bytes = {1};
    std::string target = dir.file("no-such-folder") + "/x.gif";
    EXPECT_EQ(replaceFileSafely(target, bytes.data(), bytes.size()),
              SaveResult::NoTemporaryFile);
    EXPECT_TRUE(dir.names().empty());
    EXPECT_STRNE(saveResultText(SaveResult::NoTemporaryFile), "");
}

#ifdef _WIN32
// A read-only file cannot be replaced: the failure is reported and the file is as it was.
TEST(SafeFile, ReadOnlyTargetStaysIntact)
{
    TempFolder dir;
    std::string target = dir.file("locked.gif");
    Bytes original = sampleGif();
    TempFolder::put(target, original);
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    GifFile gif;
    ASSERT_TRUE(gif.parse(target));
    gif.blocksOfKind(GifFile::Comments).at(1)->drop();
    EXPECT_NE(gif.write(target), SaveResult::Saved);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(TempFolder::get(target), original);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"locked.gif"});
}

// A hidden or system file comes back hidden or system, marked as changed.
TEST(SafeFile, ReplacingKeepsTheAttributes)
{
    TempFolder dir;
    std::string target = dir.file("kept.gif");
    for (DWORD attributes : {DWORD(FILE_ATTRIBUTE_HIDDEN),
                             DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                             DWORD(FILE_ATTRIBUTE_NORMAL)}) {
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        TempFolder::put(target, {1, 2});
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), attributes));
        Bytes bytes = {3};
        ASSERT_EQ(replaceFileSafely(target, bytes.data(), bytes.size()), SaveResult::Saved);
        const DWORD mask = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
        EXPECT_EQ(GetFileAttributesA(target.c_str()) & mask, attributes & mask) << attributes;
        EXPECT_EQ(TempFolder::get(target), bytes);
    }
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"kept.gif"});
}
#else
// The disk filling up half way through (a file size limit stands in for it): the failure is
// reported and the original is untouched.
TEST(SafeFile, WriteFailureLeavesTheOriginalIntact)
{
    TempFolder dir;
    std::string target = dir.file("full.gif");
    Bytes original = sampleGif();
    TempFolder::put(target, original);
    GifFile gif;
    ASSERT_TRUE(gif.parse(target));
    gif.addComment(std::string(5000, 'n')); // the new file is larger than the limit

    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = original.size() + 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    SaveResult result = gif.write(target);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, SaveResult::WriteFailed);
    EXPECT_EQ(TempFolder::get(target), original);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"full.gif"});
}

TEST(SafeFile, ReplacingKeepsThePermissions)
{
    TempFolder dir;
    std::string target = dir.file("shared.gif");
    TempFolder::put(target, {1});
    ASSERT_EQ(chmod(target.c_str(), 0644), 0);
    Bytes bytes = {2};
    ASSERT_EQ(replaceFileSafely(target, bytes.data(), bytes.size()), SaveResult::Saved);
    struct stat st;
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}
#endif

// The stripper's round on disk: parse, drop, write in place.
TEST(SafeFile, GifFileRewritesInPlace)
{
    TempFolder dir;
    std::string target = dir.file("in place.gif");
    TempFolder::put(target, sampleGif());
    GifFile gif;
    ASSERT_TRUE(gif.parse(target));
    EXPECT_EQ(gif.path(), target);
    gif.blocksOfKind(GifFile::Comments).at(1)->drop();
    ASSERT_EQ(gif.write(target), SaveResult::Saved);
    GifFile again;
    ASSERT_TRUE(again.parse(target));
    EXPECT_EQ(again.blocksOfKind(GifFile::Comments).count(), 0);
    EXPECT_EQ(again.blocksOfKind(GifFile::Images).count(), 1);
    EXPECT_EQ(fileSizeOf(target), long(sampleGif().size() - 2 - 8 - 2000 - 1));

    GifFile missing;
    EXPECT_FALSE(missing.parse(dir.file("none.gif")));
}

// Sizes past 4 GB are told as they are, and a file that is not a GIF is refused from its
// first bytes: a huge file renamed .gif is never read into memory. The file is sparse, so it
// takes no room on the disk.
TEST(SafeFile, HugeFileOfAnotherKindIsRefusedUnread)
{
    TempFolder dir;
    std::string target = dir.file("huge.gif");
    TempFolder::put(target, {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F'});
    const int64_t size = (int64_t(5) << 30) + 3;
    std::filesystem::resize_file(target, uint64_t(size));
    EXPECT_EQ(fileSizeOf(target), size);

    GifFile gif;
    EXPECT_FALSE(gif.parse(target));
    FileBytes head;
    EXPECT_FALSE(readWholeFile(target, head, GifFile::hasSignature, 6));
    EXPECT_LE(head.size(), 16u);

    // A short GIF is read whole after the same look at its head.
    std::string small = dir.file("small.gif");
    TempFolder::put(small, sampleGif());
    EXPECT_TRUE(readWholeFile(small, head, GifFile::hasSignature, 6));
    EXPECT_EQ(std::vector<uint8_t>(head.begin(), head.end()), sampleGif());
}

} // namespace
