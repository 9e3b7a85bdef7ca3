// Where the main window opens: the bounds stored at the last close, brought onto the screen.
#pragma once

namespace glyphwell {

struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowBounds&) const = default;
};

// The stored bounds fitted into `area` (the screen's work area): a size that is not positive
// takes the default's, a size larger than the area shrinks to it, and the window is moved the
// least distance that puts it wholly inside, so a window stored off-screen opens in reach.
WindowBounds FitOnScreen(WindowBounds stored, const WindowBounds& area, const WindowBounds& fallback);

}  // namespace glyphwell
