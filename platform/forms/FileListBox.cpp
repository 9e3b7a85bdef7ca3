#include "FileListBox.h"

#include <algorithm>
#include <set>

namespace forms {

FileListBox::FileListBox(Component* owner) : ListBox(owner)
{
    SetSorted(true);
    SetItemHeight(16);
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    directory_ = cwd;
}

bool FileListBox::KindMatches(DWORD attributes, unsigned kinds)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return (kinds & ftDirectory) != 0;
    DWORD allowed = 0;
    if (kinds & ftReadOnly) allowed |= FILE_ATTRIBUTE_READONLY;
    if (kinds & ftHidden) allowed |= FILE_ATTRIBUTE_HIDDEN;
    if (kinds & ftSystem) allowed |= FILE_ATTRIBUTE_SYSTEM;
    if (kinds & ftArchive) allowed |= FILE_ATTRIBUTE_ARCHIVE;
    DWORD relevant = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (relevant == 0)
        return (kinds & ftNormal) != 0;
    return (relevant & ~allowed) == 0;
}

void FileListBox::SetDirectory(const std::string& dir)
{
    directory_ = dir;
    Update();
    OnChange(this);
}

void FileListBox::SetMask(const std::string& mask)
{
    mask_ = mask;
    Update();
}

void FileListBox::SetFileType(unsigned kinds)
{
    fileType_ = kinds;
    Update();
}

void FileListBox::SetShowGlyphs(bool s)
{
    showGlyphs_ = s;
    SetStyle(s ? lbOwnerDrawFixed : lbStandard);
}

void FileListBox::Update()
{
    std::vector<std::string> names;
    std::set<std::string> seen;
    std::string base = directory_;
    if (!base.empty() && base.back() != '\\')
        base.push_back('\\');
    size_t start = 0;
    while (start <= mask_.size()) {
        size_t end = mask_.find(';', start);
        std::string one = mask_.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? mask_.size() + 1 : end + 1;
        if (one.empty())
            continue;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((base + one).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == ".." || !KindMatches(fd.dwFileAttributes, fileType_))
                continue;
            if (seen.insert(name).second)
                names.push_back(name);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    SetItems(names);
}

void FileListBox::DrawItem(int index, HDC dc, const RECT& rect, unsigned state)
{
    Brush back(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    FillRect(dc, &rect, back.Get());
    if (index < 0 || index >= Count())
        return;
    // A page with a folded corner.
    int x = rect.left + 2, y = rect.top + (rect.bottom - rect.top - 12) / 2;
    Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    {
        SelectGuard p(dc, pen.Get()), b(dc, white.Get());
        POINT page[] = {{x, y}, {x + 6, y}, {x + 9, y + 3}, {x + 9, y + 12}, {x, y + 12}};
        Polygon(dc, page, 5);
        MoveToEx(dc, x + 6, y, nullptr);
        LineTo(dc, x + 6, y + 3);
        LineTo(dc, x + 9, y + 3);
    }
    RECT text = rect;
    text.left += 14;
    SIZE ext{};
    GetTextExtentPoint32A(dc, Items(index).c_str(), static_cast<int>(Items(index).size()), &ext);
    RECT sel{text.left, rect.top, std::min<LONG>(text.left + ext.cx + 4, rect.right), rect.bottom};
    if (state & odSelected) {
        Brush hi(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
        FillRect(dc, &sel, hi.Get());
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor((state & odSelected) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    text.left += 2;
    DrawTextA(dc, Items(index).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace forms
