#include "core/preview_navigation.h"

#include <gtest/gtest.h>

namespace glyphwell {
namespace {

TEST(PreviewPaging, MovesWithinThePagesAndRefusesAtTheEnds) {
    PreviewNavigation nav;
    nav.SetPageCount(3);
    EXPECT_FALSE(nav.First());
    EXPECT_FALSE(nav.Previous());
    EXPECT_TRUE(nav.Next());
    EXPECT_EQ(nav.Page(), 2);
    EXPECT_TRUE(nav.Last());
    EXPECT_EQ(nav.Page(), 3);
    EXPECT_FALSE(nav.Next());
    EXPECT_FALSE(nav.Last());
    EXPECT_EQ(nav.Page(), 3);
    EXPECT_TRUE(nav.Previous());
    EXPECT_TRUE(nav.First());
    EXPECT_EQ(nav.Page(), 1);
    nav.Last();
    nav.SetPageCount(2);  // new pages start on page 1
    EXPECT_EQ(nav.Page(), 1);
}

TEST(PreviewPaging, OnePageRefusesEverything) {
    PreviewNavigation nav;
    nav.SetPageCount(0);
    EXPECT_EQ(nav.PageCount(), 1);
    EXPECT_FALSE(nav.First());
    EXPECT_FALSE(nav.Previous());
    EXPECT_FALSE(nav.Next());
    EXPECT_FALSE(nav.Last());
}

TEST(PreviewZoom, StepsOfTwentyBoundedBothWays) {
    PreviewNavigation nav;
    nav.ZoomIn();
    EXPECT_EQ(nav.Zoom(), 120);
    nav.SetZoom(100);
    nav.ZoomOut();
    EXPECT_EQ(nav.Zoom(), 80);
    for (int i = 0; i < 10; ++i) nav.ZoomOut();
    EXPECT_EQ(nav.Zoom(), kMinZoom);
    nav.SetZoom(100000);
    EXPECT_EQ(nav.Zoom(), kMaxZoom);
    EXPECT_EQ(FitZoom(425, 850), 50);
    EXPECT_EQ(FitZoom(100, 0), 100);
    EXPECT_EQ(FitZoom(0, 850), kMinZoom);
}

}  // namespace
}  // namespace glyphwell
