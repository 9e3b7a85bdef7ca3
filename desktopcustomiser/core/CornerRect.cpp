#include "CornerRect.h"

int NormalizeCorner(int corner)
{
    return corner >= 0 && corner <= 4 ? corner : 0;
}

CornerRect ComputeCornerRect(int corner, int p, int cx, int cy)
{
    if (p < 0)
        p = 0;
    switch (NormalizeCorner(corner)) {
    case 1:
        return {-1, -1, p + 1, p + 1};
    case 2:
        return {cx - p - 1, -1, cx + 1, p + 1};
    case 3:
        return {-1, cy - p - 1, p + 1, cy + 1};
    case 4:
        return {cx - p - 1, cy - p - 1, cx + 1, cy + 1};
    default:
        return {};
    }
}
