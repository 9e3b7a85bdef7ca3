#include "Files.h"

#include "GlobalFolders.h"
#include "HelperText.h"

#include <shellapi.h>

#include <cstring>
#include <memory>

namespace {

constexpr size_t kMaxShellDeletePath = 254;

// The shell's item id lists are freed with the shell's allocator.
struct PidlDeleter {
    void operator()(ITEMIDLIST* pidl) const { ::CoTaskMemFree(pidl); }
};

bool CopyBounded(char* out, const char* text)
{
    size_t length = strnlen(text, kPathBufferSize);
    if (length >= kPathBufferSize) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, text, length + 1);
    return true;
}

}  // namespace

int FileExists(const char* pathOrPattern)
{
    if (!pathOrPattern || !*pathOrPattern)
        return 0;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(pathOrPattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    ::FindClose(find);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

BOOL ForceDeleteFile(const char* path)
{
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileA(path);
}

BOOL ForceCopyFile(const char* source, const char* target)
{
    ::SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    return ::CopyFileA(source, target, FALSE);
}

int ShellDeleteFiles(const char* pathOrPattern, HWND owner)
{
    if (!pathOrPattern)
        return ERROR_INVALID_PARAMETER;
    size_t length = strnlen(pathOrPattern, kMaxShellDeletePath + 1);
    if (length == 0 || length > kMaxShellDeletePath)
        return ERROR_FILENAME_EXCED_RANGE;
    char from[kMaxShellDeletePath + 2] = {};  // the list ends in two NULs
    std::memcpy(from, pathOrPattern, length);
    SHFILEOPSTRUCTA op = {};
    op.hwnd = owner;
    op.wFunc = FO_DELETE;
    op.pFrom = from;
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
    return ::SHFileOperationA(&op);
}

BOOL ClearDocumentsMenu()
{
    CString folder = GetShellFolderPath(CSIDL_RECENT);
    if (folder.GetLength() <= 3)
        return TRUE;
    char pattern[kPathBufferSize] = {};
    if (!CopyBounded(pattern, folder) || AppendPath(pattern, "*.*") < 0)
        return TRUE;  // a Recent folder too long to name is left alone
    if (FileExists(pattern) == 0)
        return TRUE;
    return ShellDeleteFiles(pattern, nullptr) == 0;
}

void BackupOriginalScreens(const char* folder)
{
    CString base(folder);
    const struct {
        CString source;
        const char* backup;
    } copies[] = {
        {"C:\\Logo.sys", "\\Old Startup Screen.bmp"},
        {g_strWindowsFolder + "\\Logos.sys", "\\Old Safe Shutdown Screen.bmp"},
        {g_strWindowsFolder + "\\Logow.sys", "\\Old Wait Shutdown Screen.bmp"},
        {"C:\\Msdos.sys", "\\Msdos.sys"},
    };
    for (const auto& copy : copies) {
        CString backup = base + copy.backup;
        if (backup.GetLength() >= static_cast<int>(kPathBufferSize))
            continue;
        if (FileExists(backup) == 0)
            ForceCopyFile(copy.source, backup);
    }
}

BOOL CanWriteToFolder(const char* folder, HWND owner)
{
    char source[kPathBufferSize] = {};
    char target[kPathBufferSize] = {};
    if (!CopyBounded(source, g_strWindowsFolder) || AppendPath(source, "WIN.INI") < 0)
        return FALSE;
    if (!CopyBounded(target, folder ? folder : "") || AppendPath(target, "TempFile.Tmp") < 0)
        return FALSE;
    SHFILEOPSTRUCTA op = {};
    op.hwnd = owner;
    op.wFunc = FO_COPY;
    op.pFrom = source;
    op.pTo = target;
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    if (::SHFileOperationA(&op) != 0 || op.fAnyOperationsAborted)
        return FALSE;
    SHFILEOPSTRUCTA del = {};
    del.hwnd = owner;
    del.wFunc = FO_DELETE;
    del.pFrom = target;
    del.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
    ::SHFileOperationA(&del);
    return TRUE;
}

BOOL GetDisplayNameText(IShellFolder* folder, LPCITEMIDLIST pidl, DWORD flags, char* out)
{
    out[0] = '\0';
    STRRET name = {};
    if (!folder || FAILED(folder->GetDisplayNameOf(pidl, flags, &name)))
        return FALSE;
    switch (name.uType) {
    case STRRET_WSTR: {
        int written = ::WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, out, static_cast<int>(kPathBufferSize),
                                            nullptr, nullptr);
        ::CoTaskMemFree(name.pOleStr);  // the folder's string is ours to free
        if (written == 0)
            out[0] = '\0';
        break;
    }
    case STRRET_OFFSET:
        CopyBounded(out, reinterpret_cast<const char*>(pidl) + name.uOffset);
        break;
    case STRRET_CSTR:
        CopyBounded(out, name.cStr);
        break;
    default:
        break;
    }
    return TRUE;
}

CString GetShellFolderPath(int csidl)
{
    ITEMIDLIST* raw = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &raw)) || !raw)
        return CString();
    std::unique_ptr<ITEMIDLIST, PidlDeleter> pidl(raw);
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop)
        return CString();
    char path[kPathBufferSize];
    BOOL ok = GetDisplayNameText(desktop, pidl.get(), SHGDN_FORPARSING, path);
    desktop->Release();
    return ok ? CString(path) : CString();
}
