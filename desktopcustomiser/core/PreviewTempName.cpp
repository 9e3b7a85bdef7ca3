#include "PreviewTempName.h"

#include <cstdio>

std::string PreviewTempCandidate(const std::string& folder, long n)
{
    std::string base = folder;
    if (base.empty() || base.back() != '\\')
        base += '\\';
    if (n < 0)
        return base + "twtmp.bmp";
    char name[32];
    std::snprintf(name, sizeof name, "twtmp%lu.bmp", static_cast<unsigned long>(n));
    return base + name;
}

std::string ReservePreviewTempName(const std::string& folder,
                                   const std::function<TempCreateResult(const std::string&)>& tryCreate,
                                   unsigned long maxNumber)
{
    for (long n = -1; n < static_cast<long>(maxNumber); ++n) {
        std::string candidate = PreviewTempCandidate(folder, n);
        switch (tryCreate(candidate)) {
        case TempCreateResult::kCreated:
            return candidate;
        case TempCreateResult::kTaken:
            break;
        case TempCreateResult::kFailed:
            return {};
        }
    }
    return {};
}
