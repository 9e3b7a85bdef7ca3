#include "StripDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "GifTestStreams.h"
#include "SafeFile.h"
#include "StripTexts.h"
#include "TempFolder.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

// Records what a step asks of the window.
struct RecordingView : StripView {
    std::map<int, std::string> panes;
    std::string message;
    std::vector<std::string> commentsShown;
    std::vector<std::string> imagesShown;
    std::vector<unsigned> pauses;
    std::vector<bool> stopStates;
    std::function<void()> duringComment;

    void setPaneText(int pane, const std::string& text) override { panes[pane] = text; }
    void setMessageText(const std::string& text) override { message = text; }
    void showFirstImage(GifFile& gif) override { imagesShown.push_back(gif.path()); }
    void showComment(const std::string& text) override
    {
        commentsShown.push_back(text);
        if (duringComment)
            duringComment();
    }
    void setStopEnabled(bool enabled) override { stopStates.push_back(enabled); }
    void startPause(unsigned ms) override { pauses.push_back(ms); }
};

Bytes gifWith(const std::vector<std::string>& comments, bool foreignApp = false)
{
    GifStream s;
    s.start("GIF89a", 4, 4, 1);
    s.application("NETSCAPE2.0", {1, 0, 0});
    if (foreignApp)
        s.application("XMP DataXMP", Bytes(100, 'x'));
    for (const std::string& c : comments)
        s.comment(c);
    s.image(0, 0, 4, 4, patternPixels(4, 4, 2)).trailer();
    return s.bytes;
}

class StripDriverTest : public ::testing::Test {
protected:
    std::string put(const std::string& name, const Bytes& bytes)
    {
        std::string path = dir.file(name);
        TempFolder::put(path, bytes);
        driver.fileQueue.append(new std::string(path));
        return path;
    }
    // Read as text, as the log was written (CR LF on Windows).
    std::string logText()
    {
        std::ifstream in(dir.file("log.txt"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void runAll()
    {
        driver.startRun(view);
        // The timer's requests, until the run has ended.
        for (int guard = 0; guard < 100 && driver.fileQueue.count() > 0; ++guard)
            driver.processNextFile(view);
    }

    TempFolder dir;
    StripDriver driver;
    RecordingView view;
};

TEST_F(StripDriverTest, StripsCommentsAndForeignApplicationDataAndLogsTheSaving)
{
    Bytes original = gifWith({"hello", "world"}, true);
    std::string a = put("a.gif", original);
    std::string b = put("b.gif", gifWith({}));
    ASSERT_TRUE(driver.log.open(dir.file("log.txt")));
    runAll();
    driver.log.close();

    GifFile stripped;
    ASSERT_TRUE(stripped.parse(a));
    EXPECT_EQ(stripped.blocksOfKind(GifFile::Comments).count(), 0);
    EXPECT_EQ(stripped.blocksOfKind(GifFile::Applications).count(), 1); // the looping block
    long newSize = fileSizeOf(a);
    long saved = long(original.size()) - newSize;
    EXPECT_GT(saved, 100);
    EXPECT_EQ(TempFolder::get(b), gifWith({})); // nothing to drop: not rewritten

    std::string expected = striptext::banner() +
                           "Cleansing a.gif , Original File Size: " + std::to_string(original.size()) + "\n" +
                           "Comments: hello\nComments: world\n" +
                           "a.gif : New Size: " + std::to_string(newSize) + ",Savings: " + std::to_string(saved) + "\n" +
                           striptext::banner() + "Cleansing b.gif , Original File Size: " +
                           std::to_string(gifWith({}).size()) + "\n" + "b.gif : no cleansing needed\n";
    EXPECT_EQ(logText(), expected);
    EXPECT_TRUE(view.commentsShown.empty()); // they went to the log
    EXPECT_EQ(view.panes[0], "b.gif");
    EXPECT_EQ(view.panes[4], ""); // nothing saved on the last file
    EXPECT_EQ(view.imagesShown.size(), 2u);
    EXPECT_EQ(view.pauses, std::vector<unsigned>{1500});
    EXPECT_EQ(view.stopStates, (std::vector<bool>{true, false}));
}

TEST_F(StripDriverTest, CommentWithANulStillEndsItsLogLine)
{
    put("a.gif", gifWith({std::string("cut\0here", 8), "next"}));
    ASSERT_TRUE(driver.log.open(dir.file("log.txt")));
    runAll();
    driver.log.close();
    EXPECT_NE(logText().find("Comments: cut\nComments: next\n"), std::string::npos) << logText();
}

TEST_F(StripDriverTest, CommentBoxesInFileOrderAndOwnCommentWithBothOptionsOff)
{
    driver.options.removeComments = false;
    driver.options.removeExtraneous = false;
    driver.hasOwnComment = true;
    driver.ownComment = "mine";
    driver.options.displayTime = 1.0;
    Bytes original = gifWith({"one", "two"});
    std::string a = put("a.gif", original);
    put("bad.gif", {'J', 'F', 'I', 'F'});
    put("c.gif", gifWith({}));
    runAll();
    EXPECT_EQ(view.commentsShown, (std::vector<std::string>{"one", "two"}));
    GifFile gif;
    ASSERT_TRUE(gif.parse(a));
    auto& comments = gif.blocksOfKind(GifFile::Comments);
    ASSERT_EQ(comments.count(), 3);
    EXPECT_EQ(static_cast<CommentBlock*>(comments.at(3))->text(), "mine");
    EXPECT_EQ(view.pauses, (std::vector<unsigned>{1000, 1000}));
    EXPECT_EQ(view.panes[0], "c.gif");
    EXPECT_EQ(view.panes[4], std::to_string(-(2 + 1 + 4 + 1))); // the file grew
    EXPECT_EQ(TempFolder::get(dir.file("bad.gif")), (Bytes{'J', 'F', 'I', 'F'}));
}

TEST_F(StripDriverTest, OwnCommentAfterRemovalLogsOnlyTheAddedLine)
{
    driver.hasOwnComment = true;
    driver.ownComment = std::string(300, 'o');
    Bytes original = gifWith({std::string(1000, 'c')});
    std::string a = put("a.gif", original);
    ASSERT_TRUE(driver.log.open(dir.file("log.txt")));
    runAll();
    driver.log.close();
    long newSize = fileSizeOf(a);
    std::string log = logText();
    EXPECT_EQ(log.find("Savings"), std::string::npos);
    EXPECT_NE(log.find("a.gif : New Size: " + std::to_string(newSize) + ",Added: " +
                       std::to_string(newSize - long(original.size())) + "\n"),
              std::string::npos)
        << log;
    EXPECT_LT(newSize, long(original.size()));
}

TEST_F(StripDriverTest, StopEndsTheRunAtTheNextStep)
{
    put("a.gif", gifWith({"x"}));
    std::string b = put("b.gif", gifWith({"y"}));
    driver.startRun(view);
    driver.stopRequested = true; // pressed during the pause
    driver.processNextFile(view);
    EXPECT_EQ(driver.fileQueue.count(), 0);
    EXPECT_FALSE(driver.stopRequested);
    EXPECT_EQ(TempFolder::get(b), gifWith({"y"}));
    EXPECT_EQ(view.stopStates.back(), false);
}

TEST_F(StripDriverTest, DropDuringACommentBoxOnlyQueues)
{
    put("a.gif", gifWith({"x"}));
    std::string later = dir.file("later.gif");
    TempFolder::put(later, gifWith({"z"}));
    int nested = 0;
    view.duringComment = [&] {
        // What the drop handler does while the box is open.
        driver.fileQueue.append(new std::string(later));
        size_t before = view.commentsShown.size();
        driver.startRun(view);
        nested += view.commentsShown.size() != before;
    };
    driver.startRun(view);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(view.commentsShown.size(), 1u);
    EXPECT_EQ(driver.fileQueue.count(), 1); // handled at the next step
    ASSERT_EQ(view.pauses.size(), 1u);
    view.duringComment = nullptr;
    driver.processNextFile(view);
    EXPECT_EQ(view.commentsShown, (std::vector<std::string>{"x", "z"}));
}

#ifndef _WIN32
// The disk filling up (a file size limit stands in for it): the failure is reported for the
// file, the file is as it was, and the own comment is not tried on it.
TEST_F(StripDriverTest, FailedWriteIsReportedAndNoSecondPassRuns)
{
    driver.hasOwnComment = true;
    driver.ownComment = "mine";
    Bytes original = gifWith({std::string(3000, 'x')});
    std::string a = put("a.gif", original);

    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    runAll();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(TempFolder::get(a), original);
    EXPECT_NE(view.message.find("a.gif : not rewritten"), std::string::npos) << view.message;
    EXPECT_EQ(view.panes[4], "failed");
    EXPECT_EQ(view.panes[2], std::to_string(original.size())); // no "Added" figures
}
#endif

TEST(StripRules, DisplayTimeAndNames)
{
    EXPECT_EQ(parseDisplayTime("0.5", 1.5), 1.0);
    EXPECT_EQ(parseDisplayTime("letters", 1.5), 1.0);
    EXPECT_EQ(parseDisplayTime("2", 1.5), 2.0);
    EXPECT_EQ(parseDisplayTime("", 3.0), 3.0);
    EXPECT_EQ(parseDisplayTime("nan", 3.0), 1.0);
    // The timer's range bounds the pause: about 24.8 days, not 15 days or none at all.
    for (const char* huge : {"1e10", "inf", "2147484"})
        EXPECT_EQ(parseDisplayTime(huge, 1.5), kMaxDisplayTime) << huge;
    EXPECT_EQ(parseDisplayTime("-inf", 1.5), 1.0);
    for (double seconds : {1e10, HUGE_VAL, kMaxDisplayTime}) {
        StripDriver clamped;
        clamped.options.displayTime = seconds;
        EXPECT_GE(clamped.pauseMilliseconds(), 0x7FFFFFFEu) << seconds;
        EXPECT_LE(clamped.pauseMilliseconds(), 0x7FFFFFFFu) << seconds;
    }
    EXPECT_EQ(fileNameOf("C:\\pics\\cat.gif"), "cat.gif");
    EXPECT_EQ(fileNameOf("cat.gif"), "cat.gif");
    StripDriver driver;
    driver.options.displayTime = 1.2345;
    EXPECT_EQ(driver.pauseMilliseconds(), 1234u);
    std::string longName(250, 'n');
    EXPECT_EQ(striptext::noCleansingNeeded(longName), longName + " : no cleansing needed\n");
}

TEST(StripRules, CommentsLogThatCannotBeOpened)
{
    TempFolder dir;
    CommentsLog log;
    EXPECT_FALSE(log.open(dir.file("missing-folder") + "/log.txt"));
    EXPECT_FALSE(log.isOpen());
    log.write("nothing happens");
}

} // namespace
