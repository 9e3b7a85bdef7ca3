#include "TabOrder.h"

#include <algorithm>

namespace forms {
namespace {

struct Walk {
    const std::vector<TabItem>& items;
    std::vector<std::vector<int>> children;  // the last entry holds the form's own items
    std::vector<int> order;                  // every item reachable from the form, in tab order
    std::vector<bool> reachable;

    explicit Walk(const std::vector<TabItem>& all)
        : items(all), children(all.size() + 1), reachable(all.size(), false)
    {
        const int n = static_cast<int>(items.size());
        for (int i = 0; i < n; ++i) {
            const int p = items[static_cast<size_t>(i)].parent;
            // A parent that is no item (or the item itself) leaves the item on the form.
            children[static_cast<size_t>(p >= 0 && p < n && p != i ? p : n)].push_back(i);
        }
        for (auto& list : children)
            std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
                return items[static_cast<size_t>(a)].tabOrder < items[static_cast<size_t>(b)].tabOrder;
            });
        Visit(n, true);
    }

    // Items whose parents form a loop are never reached from the form, so this ends.
    void Visit(int parent, bool open)
    {
        for (int i : children[static_cast<size_t>(parent)]) {
            const TabItem& item = items[static_cast<size_t>(i)];
            const bool usable = open && item.visible && item.enabled;
            order.push_back(i);
            reachable[static_cast<size_t>(i)] = usable && item.tabStop;
            Visit(i, usable);
        }
    }
};

} // namespace

int NextTabStop(const std::vector<TabItem>& items, int current, bool forward)
{
    const Walk walk(items);
    const int count = static_cast<int>(walk.order.size());
    if (count == 0)
        return -1;
    auto at = std::find(walk.order.begin(), walk.order.end(), current);
    // Without a focused item the first step lands on the first (or the last) item.
    int start = at != walk.order.end() ? static_cast<int>(at - walk.order.begin()) : forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int pos = ((start + (forward ? step : -step)) % count + count) % count;
        const int item = walk.order[static_cast<size_t>(pos)];
        if (walk.reachable[static_cast<size_t>(item)])
            return item;
    }
    return -1;
}

int NextRadioButton(int count, int current, bool forward)
{
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        return forward ? 0 : count - 1;
    return (current + (forward ? 1 : count - 1)) % count;
}

} // namespace forms
