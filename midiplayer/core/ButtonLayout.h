// Where the drop-down toolbar button puts its glyph and caption, and its caption without
// accelerator marks.
#pragma once

#include <string>

namespace platterly {

enum class GlyphLayout { blBitmapTop, blBitmapBottom, blBitmapLeft, blBitmapRight };
enum class TextAlign { taLeftJustify, taRightJustify, taCenter };

struct ButtonLayoutInput {
    int width = 0, height = 0;
    int textWidth = 0, textHeight = 0;  // measured caption (0 when none)
    int glyphWidth = 0, glyphHeight = 0;  // Bitmap size (0 when none)
    bool popupMark = false;               // a drop-down mark is shown
    bool wordWrap = false;
    GlyphLayout layout = GlyphLayout::blBitmapTop;
    TextAlign alignment = TextAlign::taCenter;
};

struct ButtonLayoutResult {
    int tx = 0, ty = 0, tw = 0, th = 0;  // caption rectangle
    int gx = 0, gy = 0;                  // glyph position
};

ButtonLayoutResult LayoutButton(const ButtonLayoutInput& in);

// Every single "&" removed, "&&" gives one "&"; a "&" in the last position stays.
std::string StripAccelerators(const std::string& caption);

} // namespace platterly
