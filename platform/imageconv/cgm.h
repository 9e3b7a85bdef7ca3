// CGM pictures in the binary or the clear-text encoding, turned into a Windows metafile that
// the platform then draws: the common drawing elements (lines, polygons, rectangles, circles,
// ellipses) with their line, fill and edge colours and widths. Text, markers, cell arrays,
// arcs and the other elements are not drawn.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "conversion_result.h"

namespace imageconv {

bool IsCgm(std::span<const uint8_t> file);

// A placeable Windows metafile of the first picture, at the metafile's stated size (metric
// scaling) or, without one, 640 pixels along its longer side.
ConversionResult CgmToMetafile(std::span<const uint8_t> file, std::vector<uint8_t>& metafile);

}  // namespace imageconv
