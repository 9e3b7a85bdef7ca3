// The status window at the bottom of the main window, with panes addressed by id. Each pane
// keeps the width of the text it was created with; panes are laid out from the right edge,
// so the first pane takes the room that is left.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "StatusPanes.h"

class PaneStatusBar {
public:
    PaneStatusBar(HWND parent, int id, HINSTANCE instance);
    ~PaneStatusBar();
    PaneStatusBar(const PaneStatusBar&) = delete;
    PaneStatusBar& operator=(const PaneStatusBar&) = delete;

    void addPane(int id, const std::string& text, bool popout, int tooltipId);
    StatusPane* findPane(int id) { return panes_.findPane(id); }
    void setPaneText(const std::string& text, int id);
    void show();
    void layout();
    int moveToBottom();
    RECT bounds() const;
    bool isVisible() const;
    HWND window() const { return window_; }

private:
    HWND window_;
    HWND parent_;
    HINSTANCE instance_;
    int id_;
    StatusPaneList panes_;
};

// The program's bar: id 50002, the ten panes with their start texts, shown.
std::unique_ptr<PaneStatusBar> createStatusBar(HWND parent, HINSTANCE instance);
