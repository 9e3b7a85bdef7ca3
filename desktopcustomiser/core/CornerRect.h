// The screen-corner rectangle the corner thread watches (right and bottom exclusive).
#pragma once

struct CornerRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Corner 1 upper-left, 2 upper-right, 3 lower-left, 4 lower-right; 0 or anything else gives the
// empty rectangle. A negative tolerance counts as 0.
CornerRect ComputeCornerRect(int corner, int pixels, int screenWidth, int screenHeight);
// A stored corner outside 0..4 means none.
int NormalizeCorner(int corner);
