// The toolbar of the main window: eleven buttons over the bitmap's images; the check
// buttons mirror the options' menu checks.
#pragma once

#include <windows.h>

HWND createToolbar(HWND parent, HINSTANCE instance);
HWND toolbarWindow();
// Both do nothing before the toolbar exists.
void setToolbarButtonChecked(int index, bool on);
void setToolbarButtonEnabled(int index, bool on);
