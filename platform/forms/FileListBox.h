// The files of one folder that match a mask ("*.mid;*.rmi") and a set of attribute kinds,
// sorted, each entry the file name, optionally drawn with a file glyph.
#pragma once

#include "ListBox.h"

namespace forms {

enum FileKind : unsigned {
    ftReadOnly = 1, ftHidden = 2, ftSystem = 4, ftVolumeID = 8, ftDirectory = 16, ftArchive = 32,
    ftNormal = 128
};

class FileListBox : public ListBox {
public:
    explicit FileListBox(Component* owner);
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& dir);
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    unsigned FileType() const { return fileType_; }
    void SetFileType(unsigned kinds);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool s);
    // Reads the folder again.
    void Update();
    NotifyEvent OnChange;

    // Whether a file with these attributes is listed for the kinds (normal: no attribute).
    static bool KindMatches(DWORD attributes, unsigned kinds);

protected:
    void DrawItem(int index, HDC dc, const RECT& rect, unsigned state) override;

private:
    std::string directory_;
    std::string mask_ = "*.*";
    unsigned fileType_ = ftNormal;
    bool showGlyphs_ = false;
};

} // namespace forms
