#include "CornerRect.h"

#include <gtest/gtest.h>

TEST(CornerRect, UpperRightWithNoToleranceIsOnePixel)
{
    CornerRect r = ComputeCornerRect(2, 0, 640, 480);
    EXPECT_EQ(r.left, 639);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right, 641);
    EXPECT_EQ(r.bottom, 1);
    EXPECT_TRUE(r.Contains(639, 0));
    EXPECT_FALSE(r.Contains(638, 0));
    EXPECT_FALSE(r.Contains(639, 1));
}

TEST(CornerRect, EachCornerTakesTheOutermostRowsAndColumns)
{
    EXPECT_TRUE(ComputeCornerRect(1, 1, 640, 480).Contains(1, 1));
    EXPECT_FALSE(ComputeCornerRect(1, 1, 640, 480).Contains(2, 0));
    EXPECT_TRUE(ComputeCornerRect(3, 1, 640, 480).Contains(0, 478));
    EXPECT_FALSE(ComputeCornerRect(3, 1, 640, 480).Contains(0, 477));
    EXPECT_TRUE(ComputeCornerRect(4, 1, 640, 480).Contains(638, 478));
    EXPECT_FALSE(ComputeCornerRect(4, 1, 640, 480).Contains(637, 479));
}

TEST(CornerRect, NoCornerAndBadValuesGiveTheEmptyRectangle)
{
    EXPECT_TRUE(ComputeCornerRect(0, 5, 640, 480).IsEmpty());
    EXPECT_TRUE(ComputeCornerRect(7, 5, 640, 480).IsEmpty());
    EXPECT_FALSE(ComputeCornerRect(0, 5, 640, 480).Contains(0, 0));
    EXPECT_EQ(NormalizeCorner(5), 0);
    EXPECT_EQ(NormalizeCorner(-1), 0);
    EXPECT_EQ(NormalizeCorner(4), 4);
    // A negative tolerance counts as none.
    EXPECT_EQ(ComputeCornerRect(1, -9, 640, 480).right, 1);
}
