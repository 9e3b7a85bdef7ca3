// File input and output at the edge of the GIF core. A file is rewritten by writing the
// complete new contents to a temporary file in the same folder, forcing it to disk, and then
// putting it in the target's place in one step, so a failure at any point (a power cut
// included) leaves either the original or the complete new file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

enum class SaveResult {
    Saved,
    NoTemporaryFile, // the folder does not take a new file
    WriteFailed,     // the new contents could not be written completely (disk full?)
    ReplaceFailed,   // the target could not be replaced (read-only, in use)
};

const char* saveResultText(SaveResult result);

// One run of bytes of a file being written; a file is written as ranges one after the other.
struct ByteRange {
    const uint8_t* data;
    size_t size;
};

// Hands out room for bytes without filling it first: a file's bytes are read straight into
// it, so zeroing it beforehand would only pass over every byte once more.
template <class T>
struct UnfilledAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnfilledAllocator<U>;
    };
    UnfilledAllocator() = default;
    template <class U>
    UnfilledAllocator(const UnfilledAllocator<U>&) noexcept
    {
    }
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// A whole file's bytes as read.
using FileBytes = std::vector<uint8_t, UnfilledAllocator<uint8_t>>;

// Decides from a file's first bytes (fewer when the file is shorter) whether to read it all.
using HeadCheck = bool (*)(const uint8_t* head, size_t size);

// Reads a whole file; false when it cannot be opened or read, or does not fit in memory.
// With a head check, only the first headSize bytes (at most 16) are read before it decides,
// so a large file of another kind is never read whole.
bool readWholeFile(const std::string& path, FileBytes& out,
                   HeadCheck accept = nullptr, size_t headSize = 0);

// The file's size in bytes, or -1 when it is not a file that can be read.
int64_t fileSizeOf(const std::string& path);

// Replaces the contents of path with the ranges. The new file keeps the original's attributes
// (or permissions). On any failure the original file is untouched and no temporary file is
// left behind.
SaveResult replaceFileSafely(const std::string& path, const ByteRange* ranges, size_t count);
SaveResult replaceFileSafely(const std::string& path, const uint8_t* bytes, size_t size);
