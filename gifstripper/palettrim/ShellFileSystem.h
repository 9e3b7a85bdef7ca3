// The real file system for the collection: folder searches, file status, and shortcuts
// resolved through the shell link object.
#pragma once

#include <windows.h>

#include "FileCollector.h"

// Resolves a shortcut file to its target (short form); empty when it cannot be resolved.
std::string resolveShortcut(HWND window, const std::string& path);

class ShellFileSystem : public FileSystemAccess {
public:
    explicit ShellFileSystem(HWND window) : window_(window) {}
    void setWindow(HWND window) { window_ = window; }
    Status status(const std::string& path) override;
    std::vector<FolderEntry> list(const std::string& folder) override;
    std::string resolveShortcut(const std::string& path) override;
    std::string identity(const std::string& path) override;

private:
    HWND window_;
};
