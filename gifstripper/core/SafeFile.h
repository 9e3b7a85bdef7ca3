// File input and output at the edge of the GIF core. A file is rewritten by writing the
// complete new contents to a temporary file in the same folder, forcing it to disk, and then
// putting it in the target's place in one step, so a failure at any point (a power cut
// included) leaves either the original or the complete new file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
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

// Decides from a file's first bytes (fewer when the file is shorter) whether to read it all.
using HeadCheck = bool (*)(const uint8_t* head, size_t size);

// Reads a whole file; false when it cannot be opened or read, or does not fit in memory.
// With a head check, only the first headSize bytes (at most 16) are read before it decides,
// so a large file of another kind is never read whole.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out,
                   HeadCheck accept = nullptr, size_t headSize = 0);

// The file's size in bytes, or -1 when it is not a file that can be read.
int64_t fileSizeOf(const std::string& path);

// Replaces the contents of path with the ranges. The new file keeps the original's attributes
// (or permissions). On any failure the original file is untouched and no temporary file is
// left behind.
SaveResult replaceFileSafely(const std::string& path, const ByteRange* ranges, size_t count);
SaveResult replaceFileSafely(const std::string& path, const uint8_t* bytes, size_t size);
