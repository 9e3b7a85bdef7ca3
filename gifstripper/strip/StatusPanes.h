// The panes of the status bar, addressed by id rather than position. Each pane keeps the
// width of the text it was created with; the panes are laid out from the right edge towards
// the left, so the first pane takes whatever room is left.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "PtrList.h"

struct StatusPane {
    std::string text; // at most 49 characters
    bool popout = false;
    int tooltipId = 0;
    int width = 0;
    int height = 0;
    int id = 0;
};

constexpr size_t kPaneTextLimit = 49;
constexpr int kPaneGap = 8;

class StatusPaneList {
public:
    // Measures a text in pixels (width, height) with the bar's font.
    using Measure = std::function<std::pair<int, int>(const std::string&)>;

    // Adds a pane unless one with that id exists; the width comes from this text.
    void addPane(int id, const std::string& text, bool popout, int tooltipId,
                 const Measure& measure);
    StatusPane* findPane(int id);
    // False (nothing changes) for an id that has no pane.
    bool setPaneText(const std::string& text, int id);
    int count() const { return panes_.count(); }

    // Right edge of every pane, in creation order, for a bar whose client right edge is
    // clientRight. The first pane starts at the bar's left edge.
    std::vector<int> rightEdges(int clientRight);
    std::vector<StatusPane*> panes();

private:
    PtrList<StatusPane> panes_;
};

// The ten panes of the program: id, the text that sets its width, popout, the text shown at
// start, tooltip string id.
struct PaneDefinition {
    int id;
    const char* measuredText;
    bool popout;
    const char* startText;
    int tooltipId;
};
extern const PaneDefinition kStripperPanes[10];
