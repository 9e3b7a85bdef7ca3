#include "FileCollector.h"

#include <algorithm>
#include <cctype>

namespace {

std::string join(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        return folder + name;
    return folder + "\\" + name;
}

// A name given with its drive or from the root is not in the dialog's folder.
bool isFullPath(const std::string& name)
{
    return (name.size() > 1 && name[1] == ':') || (!name.empty() && (name[0] == '\\' || name[0] == '/'));
}

std::string inFolder(const std::string& folder, const std::string& name)
{
    return isFullPath(name) ? name : join(folder, name);
}

// Names typed into one field: separated by blanks, a quoted name kept whole with its blanks.
std::vector<std::string> typedNames(const std::string& text)
{
    std::vector<std::string> names;
    std::string name;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!name.empty())
                names.push_back(name);
            name.clear();
        } else {
            name.push_back(c);
        }
    }
    if (!name.empty())
        names.push_back(name);
    return names;
}

} // namespace

bool hasExtension(const std::string& path, const char* extension)
{
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = path.substr(dot);
    std::string want = extension;
    if (ext.size() != want.size())
        return false;
    for (size_t i = 0; i < ext.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(ext[i])) !=
            std::tolower(static_cast<unsigned char>(want[i])))
            return false;
    return true;
}

int countSeparators(const std::string& text, char separator)
{
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator)
            ++count;
        else if (text[i] == '\n' && (i == 0 || text[i - 1] != separator))
            ++count;
    }
    return count;
}

std::vector<std::string> splitFileList(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == '\n')
            break;
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    parts.push_back(part);
    return parts;
}

std::vector<std::string> openDialogPaths(const std::string& buffer, size_t fileOffset,
                                         FileSystemAccess& fs)
{
    const size_t end = std::min(buffer.find('\0'), buffer.size());
    const std::string first = buffer.substr(0, end);
    if (first.empty())
        return {};
    std::vector<std::string> paths;
    if (fileOffset == end + 1 && fileOffset < buffer.size() && buffer[fileOffset] != '\0') {
        for (size_t at = fileOffset; at < buffer.size() && buffer[at] != '\0';) {
            const size_t next = std::min(buffer.find('\0', at), buffer.size());
            paths.push_back(inFolder(first, buffer.substr(at, next - at)));
            at = next + 1;
        }
        return paths;
    }
    if (fileOffset == 0 || fileOffset >= first.size() ||
        fs.status(first) != FileSystemAccess::Status::Missing)
        return {first};
    if (first[fileOffset - 1] == ' ') {
        const std::string folder = first.substr(0, fileOffset - 1);
        for (const std::string& name : splitFileList(first.substr(fileOffset), ' '))
            if (!name.empty())
                paths.push_back(join(folder, name));
        return paths;
    }
    const std::string folder = first.substr(0, fileOffset);
    const std::string typed = first.substr(fileOffset);
    const std::vector<std::string> names = typedNames(typed);
    if (names.empty() || (names.size() == 1 && names[0] == typed))
        return {first};
    for (const std::string& name : names)
        paths.push_back(inFolder(folder, name));
    return paths;
}

FileCollector::FileCollector(FileSystemAccess& fs, PtrList<std::string>& folders,
                             PtrList<std::string>& queue)
    : fs_(fs), folders_(folders), queue_(queue)
{
}

void FileCollector::begin(bool replace)
{
    if (replace) {
        queue_.clear();
        folders_.clear();
    }
    // Each collection walks afresh. Of what came before, only the files still waiting in the
    // queue are not queued again: a file handled earlier in a run can be handed in again.
    foldersSeen_.clear();
    filesQueued_.clear();
    queue_.forEach([&](const std::string* path) { filesQueued_.insert(fs_.identity(*path)); });
    firstNewFolder_ = folders_.count() + 1;
}

bool FileCollector::addFolder(const std::string& folder)
{
    if (folder.empty() || folder.size() > kMaxPathLength)
        return false;
    if (!foldersSeen_.insert(fs_.identity(folder)).second)
        return false;
    folders_.append(new std::string(folder), 1);
    return true;
}

void FileCollector::addFile(const std::string& path)
{
    if (path.size() > kMaxPathLength)
        return;
    if (!filesQueued_.insert(fs_.identity(path)).second)
        return;
    queue_.append(new std::string(path), 1);
}

bool FileCollector::classify(const std::string& path)
{
    if (path.empty() || path.size() > kMaxPathLength)
        return false;
    std::string item = hasExtension(path, ".lnk") ? fs_.resolveShortcut(path) : path;
    if (item.empty())
        return false;
    switch (fs_.status(item)) {
    case FileSystemAccess::Status::Folder:
        addFolder(item);
        break;
    case FileSystemAccess::Status::File:
        // The handed-in name decides: a shortcut to a GIF file is not queued.
        if (hasExtension(path, ".gif"))
            addFile(item);
        break;
    case FileSystemAccess::Status::Missing:
        return false; // what cannot be read is neither queued nor walked
    }
    return true;
}

void FileCollector::expandFolders()
{
    std::string* first = folders_.at(firstNewFolder_);
    if (first)
        walkFolder(std::string(*first));
    // The folders of earlier collections were searched then. Collecting appends no folders,
    // so a walk of the list by position is stable.
    for (int i = firstNewFolder_; i <= folders_.count(); ++i) {
        std::string* folder = folders_.at(i);
        if (folder)
            collectGifFiles(std::string(*folder));
    }
}

void FileCollector::walkFolder(const std::string& folder)
{
    for (const FolderEntry& entry : fs_.list(folder)) {
        if (entry.name == "." || entry.name == "..")
            continue;
        std::string path = join(folder, entry.name);
        if (entry.isFolder) {
            if (addFolder(path))
                walkFolder(path);
        } else if (hasExtension(entry.name, ".lnk")) {
            std::string target = fs_.resolveShortcut(path);
            if (!target.empty() && fs_.status(target) == FileSystemAccess::Status::Folder &&
                addFolder(target))
                walkFolder(target);
        }
    }
}

void FileCollector::collectGifFiles(const std::string& folder)
{
    for (const FolderEntry& entry : fs_.list(folder)) {
        if (!entry.isFolder && hasExtension(entry.name, ".gif"))
            addFile(join(folder, entry.name));
    }
}
