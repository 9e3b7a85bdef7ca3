// The temporary bitmap a preview converts its image into: "twtmp.bmp" in the temporary folder,
// else "twtmp0.bmp", "twtmp1.bmp" and so on. A name is only taken by creating the file
// exclusively, so two previews starting together never share one.
#pragma once

#include <functional>
#include <string>

enum class TempCreateResult {
    kCreated,  // the file is new and now ours
    kTaken,    // a file or folder of that name exists
    kFailed,   // the folder cannot hold it (missing, read-only, full)
};

// The candidate for number n, or for no number when n is negative; a backslash is put after
// the folder when it has none.
std::string PreviewTempCandidate(const std::string& folder, long n);

// Tries the candidates in order until one is created; empty when the folder refuses files or
// the numbers run out.
std::string ReservePreviewTempName(const std::string& folder,
                                   const std::function<TempCreateResult(const std::string&)>& tryCreate,
                                   unsigned long maxNumber = 100000);
