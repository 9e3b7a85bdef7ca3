// What the in-process tests of the program's windows share: the application object started
// once with a profile in memory, a message pump, and a sheet's tab captions.
#pragma once

#include "framework/Afx.h"

#include <functional>
#include <string>
#include <vector>

// Starts the application object (once per process) with the program's registry key and a
// profile kept in memory, which the test may read, seed and clear.
MemoryProfileStore& StartTestApplication();

// Runs this thread's messages, pre-translated as the program's loop does, for up to ms or until
// done answers true.
void PumpFor(DWORD ms, const std::function<bool()>& done = [] { return false; });

// A main frame as start-up makes it, with its tray icons, for the tests of the frame and its
// sheets; EndTestFrame exits it (when one is left) and lets the exit's messages run.
class CMainFrame;
CMainFrame* MakeTestFrame();
void EndTestFrame();

// The captions of a sheet's tabs, in order.
std::vector<std::string> TabCaptions(CPropertySheet& sheet);

// The texts of a window's labels, check boxes, radio buttons and push buttons that do not fit
// their controls in the font the controls draw with, as "id: text"; empty when all are whole.
std::vector<std::string> CutTexts(HWND window);
