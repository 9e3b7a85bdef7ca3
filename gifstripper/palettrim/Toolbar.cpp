#include "Toolbar.h"

#include <commctrl.h>

#include "resource.h"

namespace {

HWND g_toolbar = nullptr;

// index: image, command, style, state at creation.
const TBBUTTON kButtons[11] = {
    {0, ID_FILE_OPEN, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
    {1, ID_OPTIONS_REMOVECOMMENTS, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
    {2, ID_OPTIONS_REMOVEDATA, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
    {3, ID_OPTIONS_SHOWCOMMENTS, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
    {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
    {4, ID_OPTIONS_COMMENTSFILE, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
    {5, ID_ACTIONS_OWNCOMMENT, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
    {6, ID_HELP_GENERALINFO, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {7, ID_OPTIONS_SHOWIMAGES, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
    {8, ID_ACTIONS_STOP, 0, TBSTYLE_CHECK, {}, 0, 0},
};

// The button is taken out and put back with its new state.
void replaceButton(int index, BYTE state)
{
    if (!g_toolbar || index < 0 || index >= 11)
        return;
    TBBUTTON button = kButtons[index];
    button.fsState = state;
    SendMessageA(g_toolbar, TB_DELETEBUTTON, WPARAM(index), 0);
    SendMessageA(g_toolbar, TB_INSERTBUTTONA, WPARAM(index), LPARAM(&button));
}

} // namespace

HWND createToolbar(HWND parent, HINSTANCE instance)
{
    g_toolbar = CreateToolbarEx(parent, WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS,
                                IDC_TOOLBAR, 11, instance, IDB_TOOLBAR, kButtons, 11, 0, 0, 17,
                                16, sizeof(TBBUTTON));
    if (g_toolbar)
        ShowWindow(g_toolbar, SW_SHOW);
    return g_toolbar;
}

HWND toolbarWindow() { return g_toolbar; }

void setToolbarButtonChecked(int index, bool on)
{
    replaceButton(index, on ? BYTE(TBSTATE_CHECKED | TBSTATE_ENABLED) : BYTE(TBSTATE_ENABLED));
}

void setToolbarButtonEnabled(int index, bool on)
{
    replaceButton(index, on ? BYTE(TBSTATE_ENABLED) : BYTE(0));
}
