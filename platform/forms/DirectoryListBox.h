// The folder tree of one drive down to the current folder, then that folder's sub-folders; a
// double-click opens a folder. A linked file list follows the current folder.
#pragma once

#include "ListBox.h"

namespace forms {

class FileListBox;

class DirectoryListBox : public ListBox {
public:
    explicit DirectoryListBox(Component* owner);
    const std::string& Directory() const { return directory_; }
    // Raises an error (and changes nothing) when the folder cannot be read.
    void SetDirectory(const std::string& dir);
    char Drive() const;
    // Switches to that drive's current folder; raises "Drive not ready"-type errors.
    void SetDrive(char letter);
    FileListBox* FileList() const { return fileList_; }
    void SetFileList(FileListBox* list);
    NotifyEvent OnChange;

    void Notification(Component* removed) override;
    void DblClick() override;

protected:
    void DrawItem(int index, HDC dc, const RECT& rect, unsigned state) override;

private:
    void Rebuild();
    std::string PathOfItem(int index) const;
    std::string directory_;
    std::vector<int> levels_;  // per item: its depth; the open folders come first
    int openCount_ = 0;
    FileListBox* fileList_ = nullptr;
};

} // namespace forms
