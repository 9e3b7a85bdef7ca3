// Closing the program when its settings cannot be stored: the user is told once and the
// program still ends. It runs the application's own message loop to its end, so it runs in a
// process of its own (the glyphwell_exit_test entry).
#include <gtest/gtest.h>

#include <windows.h>

#include "Application.h"
#include "win32/charset_form.h"
#include "win32/tests/ui_test_support.h"

namespace glyphwell {
namespace {

using namespace testing_support;

// Reads from the registry, refuses every write.
class ReadOnlyStore : public SettingsStore {
public:
    std::optional<std::string> ReadData(std::string_view name) override { return registry.ReadData(name); }
    bool WriteData(std::string_view, std::string_view) override {
        ++writes;
        return false;
    }
    RegistrySettingsStore registry;
    int writes = 0;
};

int g_errorBoxes = 0;
bool g_gaveUp = false;

BOOL CALLBACK DismissError(HWND wnd, LPARAM) {
    char caption[64] = {};
    GetWindowTextA(wnd, caption, sizeof caption);
    if (IsWindowVisible(wnd) && std::string(caption) == "Error") {
        ++g_errorBoxes;
        PostMessageA(wnd, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

void CALLBACK DismissErrors(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), DismissError, 0); }

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    g_gaveUp = true;
    PostQuitMessage(0);
}

TEST(GlyphwellExit, ACloseWhoseSettingsCannotBeStoredSaysSoOnceAndEnds) {
    ClearSettings();
    CreateGlyphwellForms();
    ReadOnlyStore store;
    fGlyphwell->UseStore(&store);
    fCharSet->Show();
    // The close box (Alt+F4 comes the same way) once the loop runs.
    PostMessageA(fGlyphwell->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const UINT_PTR dismiss = SetTimer(nullptr, 0, 100, DismissErrors);
    const UINT_PTR giveUp = SetTimer(nullptr, 0, 60000, GiveUp);
    forms::Application::Instance().Run();
    EXPECT_FALSE(g_gaveUp) << "the program did not end";
    EXPECT_FALSE(IsWindowVisible(fGlyphwell->WindowHandle()));
    EXPECT_EQ(store.writes, 4);
    // The view's position at exit fails too, and says nothing more.
    FreeGlyphwellForms();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    KillTimer(nullptr, dismiss);
    KillTimer(nullptr, giveUp);
    EXPECT_EQ(store.writes, 6);
    EXPECT_EQ(g_errorBoxes, 1);
    EXPECT_EQ(RawSetting("screenleft"), "<no key>");
}

}  // namespace
}  // namespace glyphwell
