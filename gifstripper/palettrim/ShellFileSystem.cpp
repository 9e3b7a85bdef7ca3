#include "ShellFileSystem.h"

#include <objbase.h>
#include <shlobj.h>

std::string resolveShortcut(HWND window, const std::string& path)
{
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return std::string();
    std::string target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        // Names are in the ANSI code page, as everywhere else in the program.
        WCHAR wide[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) > 0 &&
            SUCCEEDED(file->Load(wide, STGM_READ)) &&
            SUCCEEDED(link->Resolve(window, SLR_NO_UI | SLR_ANY_MATCH))) {
            char buffer[MAX_PATH] = "";
            WIN32_FIND_DATAA data;
            if (link->GetPath(buffer, MAX_PATH, &data, SLGP_SHORTPATH) == S_OK)
                target = buffer;
        }
        file->Release();
    }
    link->Release();
    return target;
}

FileSystemAccess::Status ShellFileSystem::status(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Status::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Status::Folder : Status::File;
}

std::vector<FolderEntry> ShellFileSystem::list(const std::string& folder)
{
    std::vector<FolderEntry> entries;
    std::string pattern = folder + "\\*.*";
    if (pattern.size() >= MAX_PATH)
        return entries;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return entries;
}

std::string ShellFileSystem::resolveShortcut(const std::string& path)
{
    return ::resolveShortcut(window_, path);
}

std::string ShellFileSystem::identity(const std::string& path)
{
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    std::string result = (n > 0 && n < MAX_PATH) ? std::string(full) : path;
    char shortName[MAX_PATH];
    n = GetShortPathNameA(result.c_str(), shortName, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        result = shortName;
    while (result.size() > 3 && (result.back() == '\\' || result.back() == '/'))
        result.pop_back();
    CharLowerBuffA(result.data(), DWORD(result.size()));
    return result;
}
