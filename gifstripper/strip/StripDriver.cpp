#include "StripDriver.h"

#include <cstdlib>

#include "ApplicationBlock.h"
#include "CommentBlock.h"
#include "SafeFile.h"
#include "StripTexts.h"

namespace {

enum Pane { PaneName = 0, PaneSize = 2, PaneSaved = 4 };

// A display time brought into 1..kMaxDisplayTime; what is not a number becomes 1.
double boundedDisplayTime(double seconds)
{
    if (!(seconds >= 1.0))
        return 1.0;
    return seconds > kMaxDisplayTime ? kMaxDisplayTime : seconds;
}

} // namespace

int markBlocksToDrop(GifFile& gif, bool removeComments, bool removeExtraneous)
{
    int count = 0;
    PtrList<GifBlock>& blocks = gif.blocksOfKind(GifFile::AllBlocks);
    for (blocks.toFirst(); !blocks.atEnd(); blocks.toNext()) {
        GifBlock* block = blocks.current();
        if (removeComments && block->hasTag("CM")) {
            block->drop();
            ++count;
        } else if (removeExtraneous && block->hasTag("AP") &&
                   static_cast<ApplicationBlock*>(block)->identify() != ApplicationBlock::Netscape) {
            block->drop();
            ++count;
        }
    }
    return count;
}

double parseDisplayTime(const std::string& text, double current)
{
    std::string shown = text.substr(0, 29);
    if (shown.empty())
        return current;
    char* end = nullptr;
    double value = std::strtod(shown.c_str(), &end);
    return end == shown.c_str() ? 1.0 : boundedDisplayTime(value);
}

std::string fileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool CommentsLog::open(const std::string& path)
{
    close();
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void CommentsLog::close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

void CommentsLog::write(const std::string& text)
{
    if (!file_)
        return;
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
}

StripDriver::StripDriver() = default;

unsigned StripDriver::pauseMilliseconds() const
{
    return unsigned(boundedDisplayTime(options.displayTime) * 1000.0);
}

void StripDriver::startRun(StripView& view)
{
    if (fileQueue.count() > 0)
        view.setStopEnabled(true);
    processNextFile(view);
}

void StripDriver::endRun(StripView& view)
{
    // Nothing of the run is kept: the next drop or Open starts collecting afresh (files of
    // the folders handled may be opened again).
    folderList.clear();
    view.setStopEnabled(false);
    stopRequested = false;
}

void StripDriver::processNextFile(StripView& view)
{
    if (busy_)
        return;
    busy_ = true;
    fileQueue.toFirst();
    if (stopRequested || fileQueue.count() == 0) {
        folderList.clear();
        fileQueue.clear();
        endRun(view);
        busy_ = false;
        return;
    }
    std::string path = *fileQueue.current();
    fileQueue.removeCurrent();
    handle(view, path);
    if (fileQueue.count() == 0)
        endRun(view);
    else
        view.startPause(pauseMilliseconds());
    busy_ = false;
}

void StripDriver::handle(StripView& view, const std::string& path)
{
    const std::string name = fileNameOf(path);
    const int64_t oldSize = fileSizeOf(path);

    GifFile gif;
    if (!gif.parse(path)) {
        view.setMessageText(striptext::invalidGif(name));
        return;
    }
    view.setPaneText(PaneName, name);
    view.setPaneText(PaneSize, striptext::number(oldSize));
    view.setPaneText(PaneSaved, "");
    if (gif.firstImageRect())
        view.showFirstImage(gif);

    log.write(striptext::banner());
    log.write(striptext::cleansing(name, oldSize));

    if (options.showComments) {
        PtrList<GifBlock>& comments = gif.blocksOfKind(GifFile::Comments);
        for (comments.toFirst(); !comments.atEnd(); comments.toNext()) {
            std::string text = static_cast<CommentBlock*>(comments.current())->text();
            if (log.isOpen())
                log.write(striptext::comment(text));
            else
                view.showComment(text);
        }
    }

    const int dropped = markBlocksToDrop(gif, options.removeComments, options.removeExtraneous);
    const bool removing = options.removeComments || options.removeExtraneous;
    bool rewriteFailed = false;
    if (removing && dropped > 0) {
        SaveResult result = gif.write(path);
        if (result != SaveResult::Saved) {
            // The file is as it was; say so for this file and leave it alone.
            rewriteFailed = true;
            std::string message = striptext::notRewritten(name, saveResultText(result));
            view.setMessageText(message);
            view.setPaneText(PaneSaved, "failed");
            log.write(message + "\n");
        } else if (!hasOwnComment) {
            int64_t newSize = fileSizeOf(path);
            view.setPaneText(PaneName, name);
            view.setPaneText(PaneSize, striptext::number(newSize));
            view.setPaneText(PaneSaved, striptext::number(oldSize - newSize));
            log.write(striptext::savings(name, newSize, oldSize - newSize));
        }
    } else if (removing) {
        view.setMessageText("");
        log.write(striptext::noCleansingNeeded(name));
    } else {
        std::string message = striptext::noCleansingSelected(name);
        view.setMessageText(message);
        log.write(message + "\n");
    }

    if (hasOwnComment && !rewriteFailed) {
        GifFile again;
        SaveResult result = SaveResult::Saved;
        if (!again.parse(path)) {
            std::string message = striptext::commentNotAdded(name, "the file could not be read again");
            view.setMessageText(message);
            log.write(message + "\n");
            return;
        }
        again.addComment(ownComment);
        result = again.write(path);
        if (result != SaveResult::Saved) {
            std::string message = striptext::commentNotAdded(name, saveResultText(result));
            view.setMessageText(message);
            view.setPaneText(PaneSaved, "failed");
            log.write(message + "\n");
            return;
        }
        int64_t newSize = fileSizeOf(path);
        view.setPaneText(PaneName, name);
        view.setPaneText(PaneSize, striptext::number(newSize));
        view.setPaneText(PaneSaved, striptext::number(oldSize - newSize));
        log.write(striptext::added(name, newSize, newSize - oldSize));
    }
}
