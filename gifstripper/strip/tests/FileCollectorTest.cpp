#include "FileCollector.h"

#include "StripDriver.h"
#include "StripTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace {

// An invented file system: folders with entries in search order, and shortcuts.
struct FakeFileSystem : FileSystemAccess {
    std::map<std::string, std::vector<FolderEntry>> folders;
    std::map<std::string, std::string> shortcuts;
    std::map<std::string, bool> files;
    int listings = 0;

    static std::string lower(std::string s)
    {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    void folder(const std::string& path, std::vector<FolderEntry> entries)
    {
        folders[lower(path)] = std::move(entries);
        for (const FolderEntry& e : folders[lower(path)])
            if (!e.isFolder)
                files[lower(path + "\\" + e.name)] = true;
    }
    Status status(const std::string& path) override
    {
        if (folders.count(lower(path)))
            return Status::Folder;
        return files.count(lower(path)) ? Status::File : Status::Missing;
    }
    std::vector<FolderEntry> list(const std::string& folder) override
    {
        ++listings;
        auto it = folders.find(lower(folder));
        return it == folders.end() ? std::vector<FolderEntry>{} : it->second;
    }
    std::string resolveShortcut(const std::string& path) override
    {
        auto it = shortcuts.find(lower(path));
        return it == shortcuts.end() ? std::string() : it->second;
    }
    std::string identity(const std::string& path) override { return lower(path); }
};

std::vector<std::string> items(PtrList<std::string>& list)
{
    std::vector<std::string> result;
    for (list.toFirst(); !list.atEnd(); list.toNext())
        result.push_back(*list.current());
    return result;
}

class FileCollectorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs.folder("C:\\pics", {{".", true}, {"..", true}, {"a.gif", false}, {"sub", true},
                               {"notes.txt", false}, {"to-other.lnk", false}, {"B.GIF", false},
                               {"to-gif.lnk", false}, {"back.lnk", false}});
        fs.folder("C:\\pics\\sub", {{"deep", true}, {"c.gif", false}});
        fs.folder("C:\\pics\\sub\\deep", {{"d.gif", false}, {"up.lnk", false}});
        fs.folder("C:\\other", {{"e.gif", false}, {"inner", true}});
        fs.folder("C:\\other\\inner", {{"f.gif", false}});
        fs.folder("C:\\second", {{"g.gif", false}, {"nested", true}});
        fs.folder("C:\\second\\nested", {{"h.gif", false}});
        fs.shortcuts["c:\\pics\\to-other.lnk"] = "C:\\other";
        fs.shortcuts["c:\\pics\\to-gif.lnk"] = "C:\\pics\\a.gif";
        fs.shortcuts["c:\\pics\\back.lnk"] = "C:\\pics";       // a link back to the top
        fs.shortcuts["c:\\pics\\sub\\deep\\up.lnk"] = "C:\\PICS\\SUB"; // and to a parent
        fs.files["c:\\photo.jpg"] = true;
        fs.files["c:\\loose.gif"] = true;
        fs.shortcuts["c:\\desk\\pics.lnk"] = "C:\\second";
        fs.shortcuts["c:\\desk\\gif.lnk"] = "C:\\loose.gif";
    }

    FakeFileSystem fs;
    PtrList<std::string> folders;
    PtrList<std::string> queue;
    FileCollector collector{fs, folders, queue};
};

TEST_F(FileCollectorTest, FolderWalkFollowsShortcutsAndEnds)
{
    collector.begin(true);
    collector.classify("C:\\pics");
    collector.classify("C:\\second");
    collector.expandFolders();
    EXPECT_EQ(items(queue),
              (std::vector<std::string>{"C:\\pics\\a.gif", "C:\\pics\\B.GIF", "C:\\second\\g.gif",
                                        "C:\\pics\\sub\\c.gif", "C:\\pics\\sub\\deep\\d.gif",
                                        "C:\\other\\e.gif", "C:\\other\\inner\\f.gif"}));
    // The second dropped folder gives only the files directly inside it (no h.gif).
    EXPECT_EQ(items(folders).size(), 6u);
}

TEST_F(FileCollectorTest, FilesShortcutsAndDuplicates)
{
    collector.begin(true);
    collector.classify("C:\\loose.gif");
    collector.classify("c:\\LOOSE.gif"); // the same file again
    collector.classify("C:\\photo.jpg");
    collector.classify("C:\\desk\\gif.lnk"); // a shortcut to a GIF file is not queued
    collector.classify("C:\\desk\\pics.lnk"); // a shortcut to a folder is the folder
    collector.classify("C:\\missing.gif");
    collector.classify("C:\\desk\\broken.lnk");
    collector.classify(std::string(300, 'x') + ".gif");
    collector.expandFolders();
    EXPECT_EQ(items(queue), (std::vector<std::string>{"C:\\loose.gif", "C:\\second\\g.gif",
                                                      "C:\\second\\nested\\h.gif"}));

    // An Open adds to the lists; a drop replaces them.
    collector.begin(false);
    collector.classify("C:\\pics\\a.gif");
    EXPECT_EQ(queue.count(), 4);
    collector.begin(true);
    collector.classify("C:\\pics\\a.gif");
    EXPECT_EQ(items(queue), std::vector<std::string>{"C:\\pics\\a.gif"});
    EXPECT_EQ(folders.count(), 0);
}

TEST_F(FileCollectorTest, OverlongPathsAreSkipped)
{
    std::string deep = "C:\\" + std::string(250, 'd');
    fs.folder(deep, {{"a.gif", false}, {std::string(20, 's'), true}});
    fs.folder(deep + "\\" + std::string(20, 's'), {{"b.gif", false}});
    collector.begin(true);
    collector.classify(deep);
    collector.expandFolders();
    EXPECT_EQ(items(queue), std::vector<std::string>{deep + "\\a.gif"});
}

// A view that takes every request and shows nothing.
struct SilentView : StripView {
    void setPaneText(int, const std::string&) override {}
    void setMessageText(const std::string&) override {}
    void showFirstImage(GifFile&) override {}
    void showComment(const std::string&) override {}
    void setStopEnabled(bool) override {}
    void startPause(unsigned) override {}
};

TEST_F(FileCollectorTest, AFileOfAFolderHandledInARunCanBeOpenedAgain)
{
    StripDriver driver;
    SilentView view;
    FileCollector collect{fs, driver.folderList, driver.fileQueue};
    collect.begin(true);
    collect.classify("C:\\second");
    collect.expandFolders();
    driver.startRun(view);
    for (int guard = 0; guard < 10 && driver.fileQueue.count() > 0; ++guard)
        driver.processNextFile(view); // the invented files do not parse: each is skipped
    EXPECT_EQ(driver.folderList.count(), 0);

    collect.begin(false);
    collect.classify("C:\\second\\g.gif");
    collect.expandFolders();
    EXPECT_EQ(items(driver.fileQueue), std::vector<std::string>{"C:\\second\\g.gif"});
}

TEST_F(FileCollectorTest, DuringARunOnlyWaitingFilesAreNotQueuedTwice)
{
    collector.begin(true);
    collector.classify("C:\\second");
    collector.expandFolders();
    queue.toFirst();
    queue.removeCurrent(); // g.gif is being handled
    collector.begin(false);
    collector.classify("C:\\second\\g.gif");
    collector.classify("C:\\SECOND\\nested\\h.gif"); // still waiting
    EXPECT_EQ(items(queue),
              (std::vector<std::string>{"C:\\second\\nested\\h.gif", "C:\\second\\g.gif"}));
}

TEST_F(FileCollectorTest, AFolderDroppedDuringARunIsWalkedWhole)
{
    collector.begin(true);
    collector.classify("C:\\other");
    collector.expandFolders();
    // While the run holds its files and folders, a drop adds to them.
    collector.begin(false);
    collector.classify("C:\\second");
    collector.expandFolders();
    EXPECT_EQ(items(queue),
              (std::vector<std::string>{"C:\\other\\e.gif", "C:\\other\\inner\\f.gif",
                                        "C:\\second\\g.gif", "C:\\second\\nested\\h.gif"}));
}

// The results as the Open dialog leaves them in its buffer (measured under Wine): one path; the
// list form (the folder, then the names, each ended by a NUL); several names typed into the name
// field, which come back as one name in the folder; the older form (folder, blank, names).
TEST_F(FileCollectorTest, OpenDialogResultsWithBlanks)
{
    fs.folder("W:\\probe\\My Pictures", {{"a.gif", false}, {"b c.gif", false}});
    struct Case {
        std::string buffer; // as the dialog leaves it, NULs included
        size_t offset;
        std::vector<std::string> paths;
    };
    using namespace std::string_literals;
    const std::vector<Case> cases = {
        {"W:\\probe\\My Pictures\\a.gif", 21, {"W:\\probe\\My Pictures\\a.gif"}},
        {"W:\\probe\\My Pictures\\b c.gif", 21, {"W:\\probe\\My Pictures\\b c.gif"}},
        {"W:\\probe\\My Pictures", 9, {"W:\\probe\\My Pictures"}},
        // Names typed into the one field: each is a name in the folder, found or not.
        {"W:\\probe\\pics\\a.gif d.gif  gone.gif", 14,
         {"W:\\probe\\pics\\a.gif", "W:\\probe\\pics\\d.gif", "W:\\probe\\pics\\gone.gif"}},
        {"W:\\probe\\\"b c.gif\" \"a.gif\"", 9, {"W:\\probe\\b c.gif", "W:\\probe\\a.gif"}},
        // The list form; a name typed with its folder stays whole.
        {"W:\\probe\0a.gif\0B.GIF\0\0"s, 9, {"W:\\probe\\a.gif", "W:\\probe\\B.GIF"}},
        {"C:\\\0one.gif\0C:\\two.gif\0\0"s, 4, {"C:\\one.gif", "C:\\two.gif"}},
        {"W:\\probe\\a.gif\0\0stale\0"s, 9, {"W:\\probe\\a.gif"}},
        // The older multiple-selection form: the folder, a blank, the names.
        {"C:\\pics a.gif B.GIF", 8, {"C:\\pics\\a.gif", "C:\\pics\\B.GIF"}},
        {"C:\\ loose.gif", 4, {"C:\\loose.gif"}},
        {"", 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(openDialogPaths(c.buffer, c.offset, fs), c.paths) << c.buffer;

    // Only what can be read is taken; the rest is told back.
    collector.begin(false);
    std::vector<std::string> missing;
    for (const std::string& path : openDialogPaths("W:\\probe\\My Pictures\0b c.gif\0a.gif\0gone.gif\0\0"s, 21, fs))
        if (!collector.classify(path))
            missing.push_back(path);
    EXPECT_EQ(items(queue), (std::vector<std::string>{"W:\\probe\\My Pictures\\b c.gif", "W:\\probe\\My Pictures\\a.gif"}));
    EXPECT_EQ(missing, std::vector<std::string>{"W:\\probe\\My Pictures\\gone.gif"});
    EXPECT_EQ(striptext::notFound(missing),
              "These files were not found, so they were not cleaned:\r\n\r\nW:\\probe\\My Pictures\\gone.gif");
}

TEST(OpenDialogResult, SeparatorsAndParts)
{
    EXPECT_EQ(countSeparators("C:\\pics a.gif b.gif c.gif", ' '), 3);
    EXPECT_EQ(countSeparators("C:\\pics\\one.gif", ' '), 0);
    EXPECT_EQ(countSeparators("a b\nc", ' '), 2);
    EXPECT_EQ(countSeparators("a \n", ' '), 1);
    EXPECT_EQ(splitFileList("C:\\pics a.gif b.gif c.gif", ' '),
              (std::vector<std::string>{"C:\\pics", "a.gif", "b.gif", "c.gif"}));
    EXPECT_EQ(splitFileList("C:\\x\\one.gif", ' '), std::vector<std::string>{"C:\\x\\one.gif"});
    EXPECT_TRUE(hasExtension("C:\\A.GiF", ".gif"));
    EXPECT_FALSE(hasExtension("C:\\a.gifx", ".gif"));
    EXPECT_FALSE(hasExtension("gif", ".gif"));
}

} // namespace
