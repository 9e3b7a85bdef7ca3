#include "FlatToolLabels.h"
#include "PreviewTempName.h"
#include "PreviewZoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

TEST(PreviewZoom, LevelsRunFromMinusSixToSixAndComeBackExactly)
{
    PreviewZoom zoom;
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(zoom.ZoomOut());
    EXPECT_FALSE(zoom.CanZoomOut());
    EXPECT_FALSE(zoom.ZoomOut());
    EXPECT_EQ(zoom.m_nZoom, -6);
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(zoom.ZoomIn());
    EXPECT_FALSE(zoom.ZoomIn());
    EXPECT_EQ(zoom.m_nZoom, 6);
    EXPECT_DOUBLE_EQ(zoom.m_dScale, std::pow(1.5, 6));
    for (int i = 0; i < 6; ++i)
        zoom.ZoomOut();
    EXPECT_EQ(zoom.m_dScale, 1.0);  // exactly, however the level got there
    int w = 0, h = 0;
    zoom.OutputSize(641, 479, 100, 100, w, h);
    EXPECT_EQ(w, 641);
    EXPECT_EQ(h, 479);
}

TEST(PreviewZoom, FittingBlocksZoomKeepsTheLevelAndNormalSizeEndsIt)
{
    PreviewZoom zoom;
    for (int i = 0; i < 5; ++i)
        zoom.ZoomIn();
    zoom.ToggleFit();
    EXPECT_FALSE(zoom.CanZoomIn());
    EXPECT_FALSE(zoom.CanZoomOut());
    EXPECT_FALSE(zoom.ZoomIn());
    int w = 0, h = 0;
    zoom.OutputSize(10, 10, 300, 200, w, h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);
    zoom.ToggleFit();
    EXPECT_EQ(zoom.m_nZoom, 5);
    EXPECT_DOUBLE_EQ(zoom.m_dScale, std::pow(1.5, 5));
    zoom.OutputSize(10, 10, 300, 200, w, h);
    EXPECT_EQ(w, 75);  // 10 x 7.59375, truncated
    zoom.ToggleFit();
    zoom.NormalSize();
    EXPECT_FALSE(zoom.m_bFit);
    EXPECT_EQ(zoom.m_nZoom, 0);
    EXPECT_EQ(zoom.m_dScale, 1.0);
}

TEST(PreviewTempName, TakenNamesAreSkippedAndAFailingFolderGivesNone)
{
    EXPECT_EQ(PreviewTempCandidate("C:\\TEMP", -1), "C:\\TEMP\\twtmp.bmp");
    EXPECT_EQ(PreviewTempCandidate("C:\\TEMP\\", 0), "C:\\TEMP\\twtmp0.bmp");

    std::set<std::string> taken = {"C:\\T\\twtmp.bmp", "C:\\T\\twtmp0.bmp"};
    auto create = [&](const std::string& name) {
        return taken.insert(name).second ? TempCreateResult::kCreated : TempCreateResult::kTaken;
    };
    EXPECT_EQ(ReservePreviewTempName("C:\\T", create), "C:\\T\\twtmp1.bmp");
    // Two previews reserving one after the other never share a name.
    EXPECT_EQ(ReservePreviewTempName("C:\\T", create), "C:\\T\\twtmp2.bmp");

    int tries = 0;
    EXPECT_EQ(ReservePreviewTempName("C:\\missing", [&](const std::string&) {
                  ++tries;
                  return TempCreateResult::kFailed;
              }),
              "");
    EXPECT_EQ(tries, 1);
    EXPECT_EQ(ReservePreviewTempName("C:\\T", [](const std::string&) { return TempCreateResult::kTaken; }, 3), "");
}

TEST(FlatToolLabels, SeparatorsTakeNoPlaceAndLabelsThatDoNotFitAreRefused)
{
    const std::vector<std::string> labels = {"Open", "", "Scale To Fit", "Normal Size", "", "Zoom In",
                                             "Zoom Out", "", "Close"};
    char buffer[kFlatToolTextSize];
    std::vector<int> index;
    ASSERT_TRUE(PackFlatToolLabels(labels, buffer, index));
    EXPECT_EQ(index, (std::vector<int>{0, -1, 1, 2, -1, 3, 4, -1, 5}));
    const char packed[] = "Open\0Scale To Fit\0Normal Size\0Zoom In\0Zoom Out\0Close\0";
    EXPECT_EQ(std::string(buffer, sizeof packed), std::string(packed, sizeof packed));

    // 255 characters with their NULs fit exactly; one more does not, and nothing is cut.
    std::vector<std::string> full = {std::string(126, 'a'), std::string(127, 'b')};
    EXPECT_TRUE(PackFlatToolLabels(full, buffer, index));
    full[1] += 'b';
    EXPECT_FALSE(PackFlatToolLabels(full, buffer, index));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(index, (std::vector<int>{-1, -1}));
}

TEST(FlatToolLabels, ButtonWidths)
{
    // Labels under the images: one width for every button, wide enough for the widest label.
    for (auto [widest, width] : {std::pair{80, 91}, std::pair{20, 50}}) {
        FlatToolButtonWidth plain = FlatToolButtonWidths(32, 30, false, widest, 1, 60, 11);
        EXPECT_EQ(plain.minimum, width) << widest;
        EXPECT_EQ(plain.maximum, width) << widest;
    }
    FlatToolButtonWidth list = FlatToolButtonWidths(32, 30, true, 80, 1, 16, 11);
    EXPECT_EQ(list.minimum, 32 + 97);
    EXPECT_EQ(list.maximum, 30 + 97);
}
