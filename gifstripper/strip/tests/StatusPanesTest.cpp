#include "StatusPanes.h"

#include <gtest/gtest.h>

namespace {

// Every character 6 pixels wide, 13 high.
std::pair<int, int> measure(const std::string& text) { return {int(text.size()) * 6, 13}; }

void addStripperPanes(StatusPaneList& list)
{
    for (const PaneDefinition& d : kStripperPanes)
        list.addPane(d.id, d.measuredText, d.popout, d.tooltipId, measure);
}

TEST(StatusPanes, WidthsComeFromTheCreatingTextAndPanesFillFromTheRight)
{
    StatusPaneList list;
    addStripperPanes(list);
    ASSERT_EQ(list.count(), 10);
    EXPECT_EQ(list.findPane(1)->width, 30);     // popout label: its text only
    EXPECT_EQ(list.findPane(2)->width, 24 + 5); // plus gap / 2 + 1
    EXPECT_EQ(list.findPane(5)->tooltipId, 40024);

    std::vector<int> wide = list.rightEdges(1000);
    std::vector<int> narrow = list.rightEdges(600);
    EXPECT_EQ(wide.back(), 1000);
    EXPECT_EQ(wide[8], 1000 - (12 + 5) - 8);
    for (size_t i = 1; i < wide.size(); ++i)
        EXPECT_EQ(wide[i] - narrow[i], 400) << i; // the right-hand panes keep their widths
    EXPECT_EQ(wide[0] - narrow[0], 400);            // the first pane takes what is left

    // A later text changes nothing of the width; texts are cut at 49 characters.
    EXPECT_TRUE(list.setPaneText(std::string(80, 'n'), 0));
    EXPECT_EQ(list.findPane(0)->text.size(), 49u);
    EXPECT_EQ(list.rightEdges(1000), wide);
}

TEST(StatusPanes, UnknownAndDuplicateIdsChangeNothing)
{
    StatusPaneList list;
    addStripperPanes(list);
    EXPECT_FALSE(list.setPaneText("x", 42));
    EXPECT_EQ(list.findPane(42), nullptr);
    list.addPane(3, "a much longer label", false, 0, measure);
    EXPECT_EQ(list.count(), 10);
    EXPECT_EQ(list.findPane(3)->text, "Saved:");
}

} // namespace
