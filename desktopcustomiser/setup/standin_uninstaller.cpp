// Stands in for the uninstaller the setup folder delivers as "UnInstal.Exe": this build has
// none, and says so to whoever starts it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ::MessageBoxA(nullptr,
                  "This build of Tunewright 97 has no uninstaller.\n\n"
                  "To remove Tunewright 97, exit it from its tray menu and delete its folder.",
                  "Tunewright 97", MB_OK | MB_ICONINFORMATION);
    return 0;
}
