#include "SafeFile.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

const char* saveResultText(SaveResult result)
{
    switch (result) {
    case SaveResult::Saved:
        return "saved";
    case SaveResult::NoTemporaryFile:
        return "no temporary file could be made in the file's folder";
    case SaveResult::WriteFailed:
        return "the new file could not be written completely";
    case SaveResult::ReplaceFailed:
        return "the file could not be replaced";
    }
    return "unknown";
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out)
{
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        size = std::ftell(f);
    std::rewind(f);
    // One read of the size the file system gives, then whatever more there is.
    size_t have = 0;
    if (size > 0) {
        out.resize(size_t(size));
        have = std::fread(out.data(), 1, out.size(), f);
        out.resize(have);
    }
    uint8_t chunk[16384];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        out.insert(out.end(), chunk, chunk + n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

long fileSizeOf(const std::string& path)
{
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return -1;
    return long(data.nFileSizeLow);
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return long(st.st_size);
#endif
}

namespace {

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return path.substr(0, 1);
    return path.substr(0, slash);
}

bool writeAll(FILE* f, const uint8_t* bytes, size_t size)
{
    bool ok = size == 0 || std::fwrite(bytes, 1, size, f) == size;
    ok = std::fflush(f) == 0 && ok;
    ok = !std::ferror(f) && ok;
    return std::fclose(f) == 0 && ok;
}

} // namespace

SaveResult replaceFileSafely(const std::string& path, const uint8_t* bytes, size_t size)
{
    std::string folder = folderOf(path);
#ifdef _WIN32
    // A file the user marked read-only is not to be changed, whatever the file system allows.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return SaveResult::ReplaceFailed;
    char temp[MAX_PATH];
    if (folder.size() > MAX_PATH - 15 || !GetTempFileNameA(folder.c_str(), "ptr", 0, temp))
        return SaveResult::NoTemporaryFile;
    FILE* f = std::fopen(temp, "wb");
    if (!f) {
        DeleteFileA(temp);
        return SaveResult::NoTemporaryFile;
    }
    if (!writeAll(f, bytes, size)) {
        DeleteFileA(temp);
        return SaveResult::WriteFailed;
    }
    if (!MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temp);
        return SaveResult::ReplaceFailed;
    }
    return SaveResult::Saved;
#else
    std::string temp = folder + "/.palettrim-XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return SaveResult::NoTemporaryFile;
    // The new file takes the old one's permissions, not the private ones of a temporary file.
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        fchmod(fd, st.st_mode & 07777);
    FILE* f = fdopen(fd, "wb");
    if (!f) {
        close(fd);
        unlink(temp.c_str());
        return SaveResult::NoTemporaryFile;
    }
    if (!writeAll(f, bytes, size)) {
        unlink(temp.c_str());
        return SaveResult::WriteFailed;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return SaveResult::ReplaceFailed;
    }
    return SaveResult::Saved;
#endif
}
