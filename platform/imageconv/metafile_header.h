// What the platform needs to draw a metafile at its stated size: its kind, its size in
// pixels at the screen's resolution, and the bytes to hand to the platform.
#pragma once

#include <cstdint>
#include <span>

namespace imageconv {

enum class MetafileKind { kNone, kEnhanced, kPlaceable, kPlain };

struct MetafileHeader {
  MetafileKind kind = MetafileKind::kNone;
  int width = 0;   // pixels; 0 when the file states no usable size
  int height = 0;
  std::span<const uint8_t> records;  // the metafile proper (a placeable file less its header)
};

MetafileHeader ReadMetafileHeader(std::span<const uint8_t> file, int dpiX, int dpiY);

}  // namespace imageconv
