// Where and how large a line of text is drawn so that it keeps to the box the layout gave it,
// whatever the face: some faces have cells far taller than their nominal size (room for large
// operators above and below the letters), and bitmap faces come in a few sizes only, the
// smallest of them too large for a page shown small.
#pragma once

namespace reports {

// A font's vertical metrics as the system reports them, in pixels.
struct FontCell {
    int height = 0;           // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;  // the part of the cell outside the nominal size
};

// The baseline of a line in the box [top, top + boxHeight). A cell that fits has its top at
// the box's top. A taller cell would put its letters below the box; then the nominal size (the
// cell less the internal leading) is centred in the box, four fifths of it above the baseline
// as with ordinary text faces.
int BaselineInBox(int top, int boxHeight, const FontCell& cell);

// The factor by which a face drawn at `drawnSize` (nominal pixels) must be shrunk to stand at
// the `askedSize` the layout counted with. A scalable face is drawn as the system gives it unless
// that is more than an eighth (and more than a pixel) larger. A bitmap face comes in a few sizes
// only, the smallest of them too large for a page shown small, and the system picks one by its
// cell rather than its nominal size: it is shrunk whenever it is larger.
double ShrinkFactor(int askedSize, int drawnSize, bool bitmapFace = false);

// The factor by which the layout counts a face's measured extents: a bitmap face at exactly the
// asked size (so that, shrunk or drawn smaller, it never takes more room than counted), a
// scalable one as it will be drawn.
double CountFactor(int askedSize, int drawnSize, bool bitmapFace);

}  // namespace reports
