// File input and output at the edge of the GIF core. A file is rewritten by writing the
// complete new contents to a temporary file in the same folder and then putting it in the
// target's place in one step, so a failure at any point leaves the original as it was.
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

// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out);

// The file's size in bytes, or -1 when it cannot be read.
long fileSizeOf(const std::string& path);

// Replaces the contents of path with bytes. On any failure the original file is untouched and
// no temporary file is left behind.
SaveResult replaceFileSafely(const std::string& path, const uint8_t* bytes, size_t size);
