// A stand-in for a program the customiser starts: it writes the command line it was given to
// "command-line.txt" beside itself, so that a test can check what was started and how.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char* slash = std::strrchr(path, '\\');
    if (!slash || slash + 1 + std::strlen("command-line.txt") >= path + MAX_PATH)
        return 1;
    std::strcpy(slash + 1, "command-line.txt");
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, DWORD(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
