// Drives a real tunewright process on Wine's desktop from a test: starting it, finding its
// windows and message boxes, reading their texts and asking the shell about its tray icons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

// The program beside this test executable.
std::string ProgramPath();

class Process {
public:
    explicit Process(const std::string& arguments = "");
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    // Exit code when the process ends within the time, else STILL_ACTIVE.
    DWORD WaitExit(DWORD timeoutMs);

private:
    PROCESS_INFORMATION m_info = {};
};

// A visible top-level window of the process with this class and caption (nullptr for any),
// waited for up to the time.
HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs);
std::vector<HWND> WindowsTitled(const char* caption);
std::string MessageBoxText(HWND box);
std::string WindowText(HWND hwnd);
void PressOk(HWND box);

// True when the notification area holds the icon (window, id): changing an icon that is not
// there fails.
bool TrayHasIcon(HWND owner, UINT id);


void SetRegistryString(HKEY root, const char* key, const char* name, const char* value);
void SetRegistryDword(HKEY root, const char* key, const char* name, DWORD value);
void DeleteRegistryTree(HKEY root, const char* key);

}  // namespace driver
