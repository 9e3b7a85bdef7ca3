#include "core/window_bounds.h"

#include <gtest/gtest.h>

namespace glyphwell {
namespace {

TEST(FitOnScreen, BringsStoredBoundsWhollyOntoTheScreen) {
    const WindowBounds screen{0, 0, 1024, 768};
    const WindowBounds fallback{2, 2, 218, 316};
    struct Case {
        const char* what;
        WindowBounds stored;
        WindowBounds expected;
    };
    const Case cases[] = {
        {"inside stays", {40, 50, 300, 400}, {40, 50, 300, 400}},
        {"minimised position", {-32000, -32000, 160, 24}, {0, 0, 160, 24}},
        {"past the right and bottom", {1000, 700, 300, 400}, {724, 368, 300, 400}},
        {"larger than the screen", {-10, -10, 2000, 1000}, {0, 0, 1024, 768}},
        {"no size", {10, 10, 0, -5}, {10, 10, 218, 316}},
    };
    for (const auto& c : cases) EXPECT_EQ(FitOnScreen(c.stored, screen, fallback), c.expected) << c.what;
    // A work area that does not start at the origin (a task bar on the left or top).
    EXPECT_EQ(FitOnScreen({0, 0, 200, 200}, {60, 30, 964, 738}, fallback), (WindowBounds{60, 30, 200, 200}));
}

}  // namespace
}  // namespace glyphwell
