#include "TabOrder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using forms::TabItem;

TabItem Stop(int parent, int order) { return TabItem{parent, order, true, true, true}; }
TabItem Box(int parent, int order) { return TabItem{parent, order, false, true, true}; }
TabItem Hidden(TabItem t) { t.visible = false; return t; }
TabItem Off(TabItem t) { t.enabled = false; return t; }

// A form as the programs build them: a group box whose controls were made in another order than
// they are tabbed through, a label, a panel holding a button, a hidden and a disabled button.
const std::vector<TabItem> kForm = {
    Box(-1, 0),          // 0 group box
    Stop(0, 1),          // 1 edit made first, tabbed second
    Stop(0, 0),          // 2 edit made second, tabbed first
    Box(-1, 1),          // 3 panel
    Stop(3, 0),          // 4 button in the panel
    Hidden(Stop(-1, 2)), // 5
    Off(Stop(-1, 3)),    // 6
    Stop(-1, 4),         // 7 last button
    Box(0, 2),           // 8 label in the group box
};

struct Case {
    const char* what;
    std::vector<TabItem> items;
    int current;
    bool forward;
    int expected;
};

TEST(TabOrder, TabAndShiftTabVisitTheReachableStopsInTabOrder)
{
    const Case cases[] = {
        {"nothing focused: Tab takes the first stop", kForm, -1, true, 2},
        {"nothing focused: Shift+Tab takes the last stop", kForm, -1, false, 7},
        {"a focus outside the items counts as none", kForm, 42, true, 2},
        {"siblings go by tab order, not by creation", kForm, 2, true, 1},
        {"out of one container into the next", kForm, 1, true, 4},
        {"hidden and disabled stops are passed over", kForm, 4, true, 7},
        {"Tab wraps past the last stop", kForm, 7, true, 2},
        {"Shift+Tab wraps past the first stop", kForm, 2, false, 7},
        {"Shift+Tab leaves a container for the one before", kForm, 4, false, 1},
        {"Shift+Tab skips the hidden and disabled", kForm, 7, false, 4},
        {"from a control that is no stop", kForm, 8, true, 4},
        {"from a container into what it holds", kForm, 0, true, 2},
        {"a disabled container keeps the keyboard out",
         {Off(Box(-1, 0)), Stop(0, 0), Stop(-1, 1)}, 2, true, 2},
        {"a hidden container keeps the keyboard out",
         {Stop(-1, 0), Hidden(Box(-1, 1)), Stop(1, 0), Stop(-1, 2)}, 0, true, 3},
        {"a container can be a stop itself and still lead inside",
         {Stop(-1, 0), Stop(0, 0), Stop(-1, 1)}, 0, true, 1},
        {"deep nesting is walked depth first",
         {Box(-1, 0), Box(0, 0), Stop(1, 0), Stop(0, 1), Stop(-1, 1)}, 2, true, 3},
        {"the only stop keeps the focus", {Box(-1, 0), Stop(-1, 1)}, 1, true, 1},
        {"the only stop is found from nowhere", {Box(-1, 0), Stop(-1, 1)}, -1, false, 1},
        {"no stop at all", {Box(-1, 0), Box(0, 0)}, -1, true, -1},
        {"every stop disabled", {Off(Stop(-1, 0)), Off(Stop(-1, 1))}, 0, true, -1},
        {"an empty form", {}, -1, true, -1},
        {"equal tab orders keep the order given", {Stop(-1, 0), Stop(-1, 0), Stop(-1, 0)}, 0, true, 1},
        {"a parent that is no item puts the item on the form", {Stop(7, 0), Stop(-1, 1)}, 1, true, 0},
        {"an item that is its own parent sits on the form", {Stop(0, 0), Stop(-1, 1)}, 1, true, 0},
        {"items whose parents loop are out of reach", {Stop(1, 0), Stop(0, 0), Stop(-1, 0)}, 2, true, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(forms::NextTabStop(c.items, c.current, c.forward), c.expected) << c.what;
}

TEST(TabOrder, ArrowsMoveRoundARadioGroup)
{
    struct Arrow {
        int count, current;
        bool forward;
        int expected;
    };
    const Arrow cases[] = {
        {3, 0, true, 1}, {3, 2, true, 0}, {3, 0, false, 2}, {3, 1, false, 0},
        {3, -1, true, 0}, {3, -1, false, 2}, {3, 5, true, 0}, {1, 0, true, 0}, {0, -1, true, -1},
    };
    for (const Arrow& c : cases)
        EXPECT_EQ(forms::NextRadioButton(c.count, c.current, c.forward), c.expected)
            << c.count << " buttons from " << c.current << (c.forward ? " forward" : " back");
}

} // namespace
