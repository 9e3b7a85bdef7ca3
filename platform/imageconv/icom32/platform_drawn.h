// The formats the platform draws for the converter: metafiles (and an EPS file's metafile
// preview, and CGM pictures turned into metafiles) played by GDI into a device-independent bitmap section at their stated size, and
// a video's first frame through the video-file interface.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

// True when the file is of such a kind; bitmap then holds a 24-bit bitmap file of the
// picture, or nothing when it could not be drawn.
bool DrawnByPlatform(LPCSTR path, std::span<const uint8_t> file, std::vector<uint8_t>& bitmap);
