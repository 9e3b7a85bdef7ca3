#include "preview_navigation.h"

#include <algorithm>

namespace glyphwell {

void PreviewNavigation::SetPageCount(int count) {
    count_ = std::max(1, count);
    page_ = 1;
}

bool PreviewNavigation::First() {
    if (page_ == 1) return false;
    page_ = 1;
    return true;
}

bool PreviewNavigation::Previous() {
    if (page_ == 1) return false;
    --page_;
    return true;
}

bool PreviewNavigation::Next() {
    if (page_ == count_) return false;
    ++page_;
    return true;
}

bool PreviewNavigation::Last() {
    if (page_ == count_) return false;
    page_ = count_;
    return true;
}

void PreviewNavigation::SetZoom(int percent) { zoom_ = std::clamp(percent, kMinZoom, kMaxZoom); }

int FitZoom(int available, int pageExtent) {
    if (pageExtent <= 0) return 100;
    return std::clamp(static_cast<int>(static_cast<long long>(std::max(available, 0)) * 100 / pageExtent),
                      kMinZoom, kMaxZoom);
}

}  // namespace glyphwell
