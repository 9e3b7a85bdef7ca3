// glyphwell: every window is created once at start-up, main window first, then the message
// loop runs until the main window closes.
#include <windows.h>

#include "Application.h"
#include "win32/glyphwell_forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    auto& app = forms::Application::Instance();
    app.Initialize();
    app.SetTitle("Glyphwell");
    app.SetHelpFile("GLYPHWELL.HLP");
    try {
        glyphwell::CreateGlyphwellForms();
    } catch (const std::exception& e) {
        app.HandleException(e);
        return 1;
    }
    app.Run();
    glyphwell::FreeGlyphwellForms();
    return 0;
}
