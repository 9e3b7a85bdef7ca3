// The one painter of generated pages: draws a page's display list on any device context, the
// preview window's at its zoom or a printer's at its resolution.
#pragma once

#include <windows.h>

#include "reports/display_list.h"

namespace reports {

// Where the page's top left lands on the device and how many device pixels one engine unit is.
struct PagePlacement {
    int originX = 0;
    int originY = 0;
    double scaleX = 0.1;
    double scaleY = 0.1;
};

// Placement for a device at its own resolution (a printer: the printable area's offset from the
// paper's edge moves the origin back).
PagePlacement DevicePlacement(HDC dc);

void PaintPage(HDC dc, const Page& page, const PagePlacement& placement);

}  // namespace reports
