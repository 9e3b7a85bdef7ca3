// Helpers of the end-to-end tests that drive the real platterly.exe from another process in the
// same Wine desktop: starting it, finding its windows, posting clicks and keys, and reading
// texts back (through memory of the other process where the message carries a pointer).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

std::string ExeFolder();
bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs);
std::string WindowText(HWND w);
std::string ClassOf(HWND w);
// A child (at any depth) whose window text is exactly text.
HWND ChildByText(HWND parent, const std::string& text);
// A direct or deeper child of that class whose top-left corner lies at x, y of its parent.
HWND ChildAt(HWND root, const std::string& className, int x, int y);
HWND TopWindow(const char* className, const char* title, DWORD pid);

class Program {
public:
    Program(const std::string& exe, const std::string& folder);
    ~Program();
    bool Running() const;
    // Waits for the end; returns the exit code, or -1 when it did not end in time.
    int WaitExit(DWORD timeoutMs);
    HANDLE Process() const { return pi_.hProcess; }
    DWORD Id() const { return pi_.dwProcessId; }
    // Reads a text the other process writes into a buffer the message points at.
    std::string RemoteText(HWND w, UINT msg, WPARAM wp, size_t size = 512);
    RECT RemoteRect(HWND w, UINT msg, WPARAM wp);

private:
    PROCESS_INFORMATION pi_{};
};

void Click(HWND w, int x, int y, WPARAM keys = 0);
void DoubleClick(HWND w, int x, int y);
void PostAltKey(HWND w, char letter);

std::vector<std::string> ReadLines(const std::string& path);

} // namespace e2e
