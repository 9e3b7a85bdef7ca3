#include "StatusPanes.h"

const PaneDefinition kStripperPanes[10] = {
    {0, "MMMMMMMMMMMMM", false, "Ready", 0},
    {1, "Size:", true, "Size:", 0},
    {2, "MMMM", false, " ", 0},
    {3, "Saved:", true, "Saved:", 0},
    {4, "MMMM", false, " ", 0},
    {5, "CF", false, " ", 40024},
    {6, "RC", false, "RC", 0},
    {7, "RD", false, "RD", 0},
    {8, "SC", false, "SC", 0},
    {9, "IC", false, " ", 0},
};

void StatusPaneList::addPane(int id, const std::string& text, bool popout, int tooltipId,
                             const Measure& measure)
{
    if (findPane(id))
        return;
    auto* pane = new StatusPane;
    pane->id = id;
    pane->text = text.substr(0, kPaneTextLimit);
    pane->popout = popout;
    pane->tooltipId = tooltipId;
    auto size = measure(pane->text);
    pane->width = size.first + (popout ? 0 : kPaneGap / 2 + 1);
    pane->height = size.second;
    panes_.append(pane, 1);
}

StatusPane* StatusPaneList::findPane(int id)
{
    for (StatusPane* pane : panes())
        if (pane->id == id)
            return pane;
    return nullptr;
}

bool StatusPaneList::setPaneText(const std::string& text, int id)
{
    StatusPane* pane = findPane(id);
    if (!pane)
        return false;
    pane->text = text.substr(0, kPaneTextLimit);
    return true;
}

std::vector<StatusPane*> StatusPaneList::panes()
{
    std::vector<StatusPane*> result;
    panes_.forEach([&](StatusPane* pane) { result.push_back(pane); });
    return result;
}

std::vector<int> StatusPaneList::rightEdges(int clientRight)
{
    std::vector<StatusPane*> all = panes();
    std::vector<int> edges(all.size());
    int x = clientRight;
    for (size_t i = all.size(); i-- > 0;) {
        edges[i] = x;
        x -= all[i]->width + kPaneGap;
    }
    return edges;
}
