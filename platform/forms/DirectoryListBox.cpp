#include "DirectoryListBox.h"

#include "FileListBox.h"

#include <algorithm>
#include <cctype>

namespace forms {
namespace {

std::vector<std::string> SplitPath(const std::string& dir)
{
    // "C:\A\B" gives "C:\", "A", "B".
    std::vector<std::string> parts;
    if (dir.size() < 2)
        return parts;
    parts.push_back(dir.substr(0, 2) + "\\");
    size_t i = 3;
    while (i < dir.size()) {
        size_t j = dir.find('\\', i);
        std::string part = dir.substr(i, j == std::string::npos ? std::string::npos : j - i);
        if (!part.empty())
            parts.push_back(part);
        if (j == std::string::npos)
            break;
        i = j + 1;
    }
    return parts;
}

std::string Normalize(const std::string& dir)
{
    char full[MAX_PATH] = {};
    char* file = nullptr;
    if (!GetFullPathNameA(dir.c_str(), MAX_PATH, full, &file))
        return dir;
    std::string s = full;
    while (s.size() > 3 && s.back() == '\\')
        s.pop_back();
    return s;
}

} // namespace

DirectoryListBox::DirectoryListBox(Component* owner) : ListBox(owner)
{
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(16);
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    directory_ = Normalize(cwd);
    Rebuild();
}

char DirectoryListBox::Drive() const
{
    return directory_.empty() ? 0 : static_cast<char>(std::tolower(static_cast<unsigned char>(directory_[0])));
}

void DirectoryListBox::SetDrive(char letter)
{
    char spec[3] = {static_cast<char>(std::toupper(static_cast<unsigned char>(letter))), ':', 0};
    // The drive's own current folder, as the system keeps it per drive.
    std::string dir = Normalize(spec);
    if (dir.size() < 2 || std::toupper(static_cast<unsigned char>(dir[0])) != spec[0])
        dir = std::string(spec) + "\\";
    SetDirectory(dir);
}

void DirectoryListBox::SetDirectory(const std::string& dir)
{
    std::string d = Normalize(dir);
    std::string probe = d;
    if (probe.back() != '\\')
        probe.push_back('\\');
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD attr = GetFileAttributesA(probe.c_str());
    WIN32_FIND_DATAA fd;
    HANDLE h = attr == INVALID_FILE_ATTRIBUTES ? INVALID_HANDLE_VALUE : FindFirstFileA((probe + "*").c_str(), &fd);
    DWORD err = GetLastError();
    SetErrorMode(oldMode);
    // A drive root has no "." or "..", so an empty but readable root finds nothing at all.
    bool emptyFolder = h == INVALID_HANDLE_VALUE && attr != INVALID_FILE_ATTRIBUTES &&
                       (err == ERROR_FILE_NOT_FOUND || err == ERROR_NO_MORE_FILES);
    if ((h == INVALID_HANDLE_VALUE && !emptyFolder) || !(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        char text[256] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, err, 0, text,
                       sizeof text, nullptr);
        throw Exception(text[0] ? std::string(text) : "Cannot read the folder " + d);
    }
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    directory_ = d;
    Rebuild();
    if (fileList_)
        fileList_->SetDirectory(directory_);
    OnChange(this);
}

void DirectoryListBox::SetFileList(FileListBox* list)
{
    fileList_ = list;
    if (fileList_)
        fileList_->SetDirectory(directory_);
}

void DirectoryListBox::Notification(Component* removed)
{
    if (removed == fileList_)
        fileList_ = nullptr;
}

void DirectoryListBox::Rebuild()
{
    std::vector<std::string> items = SplitPath(directory_);
    levels_.clear();
    for (size_t i = 0; i < items.size(); ++i)
        levels_.push_back(static_cast<int>(i));
    openCount_ = static_cast<int>(items.size());
    std::vector<std::string> subs;
    std::string base = directory_;
    if (base.back() != '\\')
        base.push_back('\\');
    WIN32_FIND_DATAA fd;
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    HANDLE h = FindFirstFileA((base + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
                subs.push_back(name);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    SetErrorMode(oldMode);
    std::sort(subs.begin(), subs.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    for (const std::string& s : subs) {
        items.push_back(s);
        levels_.push_back(openCount_);
    }
    SetItems(items);
    if (openCount_ > 0 && WindowHandle())
        SetItemIndex(openCount_ - 1);
}

std::string DirectoryListBox::PathOfItem(int index) const
{
    std::string path;
    int last = index < openCount_ ? index : openCount_ - 1;
    for (int i = 0; i <= last; ++i) {
        path += Items(i);
        if (i > 0 && path.back() != '\\')
            path.push_back('\\');
    }
    if (index >= openCount_)
        path += Items(index);
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

void DirectoryListBox::DblClick()
{
    int i = ItemIndex();
    if (i >= 0 && i < Count())
        SetDirectory(PathOfItem(i));
    ListBox::DblClick();
}

void DirectoryListBox::DrawItem(int index, HDC dc, const RECT& rect, unsigned state)
{
    Brush back(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    FillRect(dc, &rect, back.Get());
    if (index < 0 || index >= Count())
        return;
    int level = levels_[static_cast<size_t>(index)];
    int x = rect.left + 2 + level * 8, y = rect.top + (rect.bottom - rect.top - 10) / 2;
    // A folder: open (yellow) for the path down to the current one, closed below it.
    bool open = index < openCount_;
    Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    Brush fill(CreateSolidBrush(open ? RGB(255, 255, 0) : RGB(192, 192, 0)));
    {
        SelectGuard p(dc, pen.Get()), b(dc, fill.Get());
        POINT folder[] = {{x, y + 1}, {x + 4, y + 1}, {x + 5, y + 2}, {x + 12, y + 2}, {x + 12, y + 10}, {x, y + 10}};
        Polygon(dc, folder, 6);
    }
    RECT text = rect;
    text.left = x + 16;
    SIZE ext{};
    GetTextExtentPoint32A(dc, Items(index).c_str(), static_cast<int>(Items(index).size()), &ext);
    if (state & odSelected) {
        RECT sel{text.left - 1, rect.top, std::min<LONG>(text.left + ext.cx + 2, rect.right), rect.bottom};
        Brush hi(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
        FillRect(dc, &sel, hi.Get());
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor((state & odSelected) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, Items(index).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace forms
