#include "PaneStatusBar.h"

#include <commctrl.h>

#include <vector>

PaneStatusBar::PaneStatusBar(HWND parent, int id, HINSTANCE instance)
    : window_(CreateStatusWindowA(WS_CHILD | WS_CLIPSIBLINGS | CCS_TOP | CCS_NOMOVEY, "Ready",
                                  parent, UINT(id))),
      parent_(parent), instance_(instance), id_(id)
{
}

PaneStatusBar::~PaneStatusBar()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

void PaneStatusBar::addPane(int id, const std::string& text, bool popout, int tooltipId)
{
    // Measured once, with the parent's current font.
    HDC dc = GetDC(parent_);
    panes_.addPane(id, text, popout, tooltipId, [dc](const std::string& t) {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, t.c_str(), int(t.size()), &size);
        return std::make_pair(int(size.cx), int(size.cy));
    });
    ReleaseDC(parent_, dc);
    moveToBottom();
}

void PaneStatusBar::setPaneText(const std::string& text, int id)
{
    if (panes_.setPaneText(text, id))
        layout();
}

void PaneStatusBar::show()
{
    ShowWindow(window_, SW_SHOW);
    layout();
}

void PaneStatusBar::layout()
{
    if (panes_.count() == 0) {
        moveToBottom();
        return;
    }
    RECT client;
    GetClientRect(parent_, &client);
    std::vector<int> edges = panes_.rightEdges(client.right);
    std::vector<StatusPane*> panes = panes_.panes();
    SendMessageA(window_, SB_SETPARTS, WPARAM(edges.size()), LPARAM(edges.data()));
    for (StatusPane* pane : panes)
        SendMessageA(window_, SB_SETTEXTA, WPARAM(pane->id | (pane->popout ? SBT_POPOUT : 0)),
                     LPARAM(pane->text.c_str()));
    moveToBottom();
}

int PaneStatusBar::moveToBottom()
{
    if (!isVisible())
        return 0;
    RECT client, own;
    GetClientRect(parent_, &client);
    GetWindowRect(window_, &own);
    int height = own.bottom - own.top;
    MoveWindow(window_, client.left, client.bottom - height, client.right - client.left, height,
               TRUE);
    return height;
}

RECT PaneStatusBar::bounds() const
{
    RECT client, own;
    GetClientRect(window_, &client);
    GetWindowRect(window_, &own);
    RECT result = {client.left, client.top, client.left + (own.right - own.left),
                   client.top + (own.bottom - own.top)};
    return result;
}

bool PaneStatusBar::isVisible() const { return window_ && IsWindowVisible(window_); }

std::unique_ptr<PaneStatusBar> createStatusBar(HWND parent, HINSTANCE instance)
{
    auto bar = std::make_unique<PaneStatusBar>(parent, 50002, instance);
    for (const PaneDefinition& d : kStripperPanes)
        bar->addPane(d.id, d.measuredText, d.popout, d.tooltipId);
    for (const PaneDefinition& d : kStripperPanes)
        bar->findPane(d.id)->text = d.startText;
    bar->show();
    return bar;
}
