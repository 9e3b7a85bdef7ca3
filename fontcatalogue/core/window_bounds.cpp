#include "core/window_bounds.h"

#include <algorithm>

namespace glyphwell {

namespace {
// One axis: the extent within the area's, then the start moved inside.
void FitAxis(int& start, int& extent, int areaStart, int areaExtent, int fallbackExtent) {
    if (extent <= 0) extent = fallbackExtent;
    extent = std::min(extent, std::max(areaExtent, 1));
    start = std::clamp(start, areaStart, areaStart + std::max(areaExtent, 1) - extent);
}
}  // namespace

WindowBounds FitOnScreen(WindowBounds stored, const WindowBounds& area, const WindowBounds& fallback) {
    FitAxis(stored.left, stored.width, area.left, area.width, fallback.width);
    FitAxis(stored.top, stored.height, area.top, area.height, fallback.height);
    return stored;
}

}  // namespace glyphwell
