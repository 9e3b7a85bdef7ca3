// The stripping run: one file of the queue per step, paced by the window's one-shot timer.
// A step parses the head of the queue, shows its first image, reports its comments, drops the
// blocks the options select, rewrites the file in place, optionally adds the user's own
// comment, and reports sizes in the status panes and the comments log.
#pragma once

#include <cstdio>
#include <string>

#include "GifFile.h"
#include "PtrList.h"

// What a step needs of the window. The Windows program implements it; tests record it.
class StripView {
public:
    virtual ~StripView() = default;
    virtual void setPaneText(int pane, const std::string& text) = 0;
    virtual void setMessageText(const std::string& text) = 0; // empty clears it
    virtual void showFirstImage(GifFile& gif) = 0;             // only called with an image
    virtual void showComment(const std::string& text) = 0;    // the modal "COMMENT" box
    virtual void setStopEnabled(bool enabled) = 0;             // button 10, menu 40034
    virtual void startPause(unsigned milliseconds) = 0;        // timer 55
};

struct StripOptions {
    bool removeComments = true;
    bool removeExtraneous = true;
    bool showComments = true;
    bool showImages = true;
    double displayTime = 1.5; // seconds, never below 1.0
};

// Marks the blocks the options select for dropping: comments, and application extensions
// other than the looping (NETSCAPE) block. Returns how many were marked.
int markBlocksToDrop(GifFile& gif, bool removeComments, bool removeExtraneous);

// The longest pause the window's timer takes: 0x7FFFFFFF milliseconds (about 24.8 days).
constexpr double kMaxDisplayTime = 2147483.647;

// The display time as the user typed it: empty keeps the current value; anything that is
// not a number of at least 1 becomes 1.0; more than the timer takes (infinity too) becomes
// kMaxDisplayTime.
double parseDisplayTime(const std::string& text, double current);

// The part of a path after its last backslash (or slash).
std::string fileNameOf(const std::string& path);

// The optional plain-text comments log.
class CommentsLog {
public:
    CommentsLog() = default;
    ~CommentsLog() { close(); }
    CommentsLog(const CommentsLog&) = delete;
    CommentsLog& operator=(const CommentsLog&) = delete;

    bool open(const std::string& path); // truncates; false when it cannot be opened
    void close();
    bool isOpen() const { return file_ != nullptr; }
    void write(const std::string& text); // written and flushed; nothing while closed

private:
    FILE* file_ = nullptr;
};

class StripDriver {
public:
    StripDriver();

    // One step. Called after a drop or an Open and on the timer's request. A call made while
    // a step is under way (from a drop served by a comment box) does nothing: the running
    // step goes on to the next file by the timer.
    void processNextFile(StripView& view);
    bool busy() const { return busy_; }

    // Starts or ends a run after files were collected (Stop enabled when there is work).
    void startRun(StripView& view);

    unsigned pauseMilliseconds() const;

    PtrList<std::string> fileQueue;
    PtrList<std::string> folderList;
    StripOptions options;
    bool hasOwnComment = false;
    std::string ownComment;
    CommentsLog log;
    bool stopRequested = false;

private:
    void handle(StripView& view, const std::string& path);
    void endRun(StripView& view);

    bool busy_ = false;
};
