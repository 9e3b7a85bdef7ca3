// Turns what the user handed in (dropped or opened files, folders and shortcuts) into the
// file queue of GIF paths: shortcuts are resolved, folders are collected into the folder list
// and searched for GIF files. The walk always ends: a folder is walked once however often
// links lead back to it, a file is queued once, and paths too long for the system are skipped.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "PtrList.h"

struct FolderEntry {
    std::string name;
    bool isFolder;
};

// The file system as the collection sees it; the Windows program uses the real one with the
// shell link object, the tests an invented one.
class FileSystemAccess {
public:
    virtual ~FileSystemAccess() = default;
    enum class Status { Missing, File, Folder };
    virtual Status status(const std::string& path) = 0;
    // The entries of a folder in search order, "." and ".." included or not.
    virtual std::vector<FolderEntry> list(const std::string& folder) = 0;
    // The target of a shortcut, empty when it cannot be resolved.
    virtual std::string resolveShortcut(const std::string& path) = 0;
    // One spelling per file or folder (full, short form, one letter case), for telling that
    // two paths are the same.
    virtual std::string identity(const std::string& path) = 0;
};

// Longest path the program handles (the system's limit, without the terminating NUL).
constexpr size_t kMaxPathLength = 259;

// ".gif"/".lnk" tests on the text from the last "." of the name on, any letter case.
bool hasExtension(const std::string& path, const char* extension);

// Counts the separators of the Open dialog's result; a newline counts too unless it follows
// a separator.
int countSeparators(const std::string& text, char separator);
// Cuts the result at each separator (and at a newline): the folder, then the names.
std::vector<std::string> splitFileList(const std::string& text, char separator);

// The paths of the Open dialog's result as it stands in its buffer (NULs included), given the
// offset of the (first) file name that the dialog reports with it. The forms:
// - the list form: the folder, a NUL, then each name ended by a NUL, an empty name last (a name
//   typed with its own folder stays whole);
// - one path; a path with blanks is one path when it names something that exists;
// - several names typed into the name field, which come back as one name in the folder:
//   split at blanks, a name in quotes kept whole;
// - the older multiple-selection form, "folder name name ...", told by the blank just before
//   the first name.
std::vector<std::string> openDialogPaths(const std::string& buffer, size_t fileOffset,
                                         FileSystemAccess& fs);

class FileCollector {
public:
    FileCollector(FileSystemAccess& fs, PtrList<std::string>& folders,
                  PtrList<std::string>& queue);

    // Starts collecting: a drop replaces the lists, an Open (or a drop while a file is being
    // handled) adds to them; a file still waiting in the queue is not queued twice.
    void begin(bool replace);
    // One handed-in path: a folder goes to the folder list, a ".gif" file to the queue; a
    // shortcut is followed to a folder only. False when the path (or the shortcut's target)
    // cannot be read.
    bool classify(const std::string& path);
    // Walks the first folder handed in since begin (depth first, following shortcuts to
    // folders), then queues the GIF files directly inside every folder added since begin.
    // A folder dropped while a run holds folders is walked like one dropped on an idle
    // window.
    void expandFolders();

private:
    void walkFolder(const std::string& folder);
    void collectGifFiles(const std::string& folder);
    bool addFolder(const std::string& folder); // false when seen before or too long
    void addFile(const std::string& path);

    FileSystemAccess& fs_;
    PtrList<std::string>& folders_;
    PtrList<std::string>& queue_;
    std::set<std::string> foldersSeen_;
    std::set<std::string> filesQueued_;
    int firstNewFolder_ = 1; // list position of the first folder handed in since begin
};
