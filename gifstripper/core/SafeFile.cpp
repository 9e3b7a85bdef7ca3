#include "SafeFile.h"

#include <algorithm>
#include <cstdint>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
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

namespace {

// The largest single read or write handed to the system.
constexpr size_t kChunk = size_t(1) << 30;

// An open file handle of the system, closed with the object.
class SystemFile {
public:
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

#ifdef _WIN32
    static SystemFile forReading(const std::string& path)
    {
        return SystemFile(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    }
    static SystemFile forWriting(const std::string& path)
    {
        return SystemFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    SystemFile(SystemFile&& other) noexcept : handle_(other.handle_)
    {
        other.handle_ = INVALID_HANDLE_VALUE;
    }
    ~SystemFile() { close(); }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    int64_t size() const
    {
        DWORD high = 0;
        SetLastError(NO_ERROR); // a low part of FFFFFFFF is only an error with an error code
        DWORD low = GetFileSize(handle_, &high);
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
            return -1;
        return int64_t((uint64_t(high) << 32) | low);
    }
    // Bytes read (0 at the end of the file), or -1 on an error.
    int64_t read(uint8_t* to, size_t n)
    {
        DWORD got = 0;
        if (!ReadFile(handle_, to, DWORD(std::min(n, kChunk)), &got, nullptr))
            return -1;
        return got;
    }
    int64_t write(const uint8_t* from, size_t n)
    {
        DWORD put = 0;
        if (!WriteFile(handle_, from, DWORD(std::min(n, kChunk)), &put, nullptr) || put == 0)
            return -1;
        return put;
    }
    bool flush() { return FlushFileBuffers(handle_) != 0; }
    bool close()
    {
        bool ok = !isOpen() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    explicit SystemFile(HANDLE handle) : handle_(handle) {}
    HANDLE handle_;
#else
    static SystemFile forReading(const std::string& path)
    {
        return SystemFile(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    }
    explicit SystemFile(int fd) : fd_(fd) {}
    SystemFile(SystemFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    ~SystemFile() { close(); }
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    int64_t size() const
    {
        struct stat st;
        return fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) ? int64_t(st.st_size) : -1;
    }
    int64_t read(uint8_t* to, size_t n)
    {
        ssize_t got;
        do
            got = ::read(fd_, to, std::min(n, kChunk));
        while (got < 0 && errno == EINTR);
        return got;
    }
    int64_t write(const uint8_t* from, size_t n)
    {
        ssize_t put;
        do
            put = ::write(fd_, from, std::min(n, kChunk));
        while (put < 0 && errno == EINTR);
        return put > 0 ? put : -1;
    }
    bool flush() { return fsync(fd_) == 0; }
    bool close()
    {
        bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
#endif
};

// Reads up to n bytes, fewer only at the end of the file; -1 on an error.
int64_t readUpTo(SystemFile& file, uint8_t* to, size_t n)
{
    size_t have = 0;
    while (have < n) {
        int64_t got = file.read(to + have, n - have);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        have += size_t(got);
    }
    return int64_t(have);
}

bool writeAll(SystemFile& file, const ByteRange* ranges, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        size_t done = 0;
        while (done < ranges[i].size) {
            int64_t put = file.write(ranges[i].data + done, ranges[i].size - done);
            if (put < 0)
                return false;
            done += size_t(put);
        }
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return path.substr(0, 1);
    return path.substr(0, slash);
}

} // namespace

bool readWholeFile(const std::string& path, FileBytes& out, HeadCheck accept,
                   size_t headSize)
{
    out.clear();
    SystemFile file = SystemFile::forReading(path);
    if (!file.isOpen())
        return false;
    const int64_t size = file.size();
    try {
        if (accept) {
            uint8_t head[16];
            int64_t got = readUpTo(file, head, std::min(headSize, sizeof head));
            if (got < 0 || !accept(head, size_t(got)))
                return false;
            out.assign(head, head + got);
        }
        // One read of the size the file system gives, then whatever more there is.
        if (size > int64_t(out.size())) {
            if (uint64_t(size) > uint64_t(PTRDIFF_MAX) / 2)
                return false; // more than this process can ever hold
            size_t have = out.size();
            out.resize(size_t(size));
            int64_t got = readUpTo(file, out.data() + have, out.size() - have);
            if (got < 0)
                return false;
            out.resize(have + size_t(got));
        }
        uint8_t chunk[16384];
        for (;;) {
            int64_t got = readUpTo(file, chunk, sizeof chunk);
            if (got < 0)
                return false;
            if (got == 0)
                break;
            out.insert(out.end(), chunk, chunk + got);
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return false;
    }
    return true;
}

int64_t fileSizeOf(const std::string& path)
{
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return -1;
    return int64_t((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return int64_t(st.st_size);
#endif
}

SaveResult replaceFileSafely(const std::string& path, const uint8_t* bytes, size_t size)
{
    ByteRange range = {bytes, size};
    return replaceFileSafely(path, &range, 1);
}

SaveResult replaceFileSafely(const std::string& path, const ByteRange* ranges, size_t count)
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
    SystemFile file = SystemFile::forWriting(temp);
    if (!file.isOpen()) {
        DeleteFileA(temp);
        return SaveResult::NoTemporaryFile;
    }
    // Forced to disk before it replaces anything: after a power cut the target is either the
    // old file or the complete new one.
    bool ok = writeAll(file, ranges, count) && file.flush();
    if (!file.close() || !ok) {
        DeleteFileA(temp);
        return SaveResult::WriteFailed;
    }
    // The new file comes back hidden or system when the old one was, and marked changed
    // (archive) as a rewrite in place would have left it.
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;
        SetFileAttributesA(temp, (attributes & kept) | FILE_ATTRIBUTE_ARCHIVE);
    }
    if (!MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        SetFileAttributesA(temp, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temp);
        return SaveResult::ReplaceFailed;
    }
    return SaveResult::Saved;
#else
    std::string temp = folder + "/.palettrim-XXXXXX";
    SystemFile file(mkstemp(temp.data()));
    if (!file.isOpen())
        return SaveResult::NoTemporaryFile;
    // The new file takes the old one's permissions, not the private ones of a temporary file.
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        fchmod(file.fd(), st.st_mode & 07777);
    bool ok = writeAll(file, ranges, count) && file.flush();
    if (!file.close() || !ok) {
        unlink(temp.c_str());
        return SaveResult::WriteFailed;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return SaveResult::ReplaceFailed;
    }
    // The replacement itself reaches the disk with its folder.
    SystemFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.isOpen())
        dir.flush();
    return SaveResult::Saved;
#endif
}
