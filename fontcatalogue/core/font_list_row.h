// Where the main list draws a font's name in its row: the row is as high as the list font's
// cell, but each name is drawn in its own face, whose cell may be far taller (fonts with room
// for large operators and accents above and below their letters).
#pragma once

namespace glyphwell {

// The vertical metrics of a font as the system reports them, in pixels.
struct FontCell {
    int height = 0;           // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;  // the part of the cell outside the font's nominal size
};

// The baseline for a name in the row [top, top + rowHeight). A cell that fits the row has its
// top one pixel below the row's top; a taller cell would put its letters below the row, so
// then the font's nominal size (its cell less the internal leading) is centred in the row, four
// fifths of it above the baseline as with ordinary text faces.
int ListRowBaseline(int top, int rowHeight, const FontCell& cell);

}  // namespace glyphwell
