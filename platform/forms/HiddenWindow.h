#pragma once
// A message-only helper window for components that are not controls (timers, the media
// player): they need a window to receive WM_TIMER or MCI notices, never one to show.

#include <windows.h>

namespace forms {

// Registers the class on first use and creates a hidden popup whose user data is owner.
HWND CreateHiddenWindow(const char* className, WNDPROC proc, void* owner);

} // namespace forms
