// platterly: a single-window MIDI file player.
#include "AboutForm.h"
#include "PlatterlyForm.h"
#include "TJustOne32.h"

#include <Application.h>

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything else: whether an earlier instance holds the program's mutex.
    platterly::PreviousInstance();
    forms::Application& app = forms::Application::Instance();
    app.Initialize();
    app.SetTitle("Platterly");
    app.SetHelpFile("Platterly.hlp");
    try {
        app.CreateForm(platterly::Platterlyform);
        app.CreateForm(platterly::AboutForm);
    } catch (const std::exception& e) {
        app.HandleException(e);
        return 0;
    }
    app.Run();
    return 0;
}
