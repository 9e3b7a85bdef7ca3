// The keyboard's way through a form: the control Tab and Shift+Tab move the focus to, and the
// button of a radio group the arrow keys move to. Kept apart from the windows so that the walk
// is tested on its own.
#pragma once

#include <vector>

namespace forms {

// One control of a form as the Tab key sees it.
struct TabItem {
    int parent = -1;      // the item that contains this one; -1: the form itself
    int tabOrder = 0;     // its place among the items of the same parent
    bool tabStop = false; // Tab stops here
    bool visible = true;  // a hidden container hides what it holds
    bool enabled = true;  // a disabled container disables what it holds
};

// The item Tab (forward) or Shift+Tab moves the focus to from `current` (-1 or any index that is
// not an item: nothing of the form has the focus yet). Items are visited in tab order, the items
// of a container right after the container; the walk wraps past either end. Items that are not
// tab stops, or are hidden or disabled themselves or through a container, are passed over. The
// result is -1 when no item can take the focus, and `current` itself when it is the only one.
int NextTabStop(const std::vector<TabItem>& items, int current, bool forward);

// The button the arrow keys move to in a group of `count` buttons from button `current`,
// wrapping past either end; from no button (-1) the first or the last. -1 for an empty group.
int NextRadioButton(int count, int current, bool forward);

} // namespace forms
