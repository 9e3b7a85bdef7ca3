// The pictures platterly draws for itself: the two-image button glyphs (enabled, then
// disabled), the program icon and the about box logo.
#pragma once

#include <windows.h>

namespace platterly {

enum class GlyphKind { Add, AddAll, Remove, RemoveAll, Play, Pause, Skip, Stop, Resume, Author, Ok };

// 32 x 16: the enabled image, then the disabled one; the bottom-left pixel is transparent.
HBITMAP MakeGlyph(GlyphKind kind);
HICON MakeProgramIcon();
HBITMAP MakeLogo(int size);

} // namespace platterly
