#include "WineDriver.h"

#include <fstream>

namespace e2e {

std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

std::string WindowText(HWND w)
{
    char buf[1024] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

std::string ClassOf(HWND w)
{
    char buf[256] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

namespace {
struct ChildSearch {
    std::function<bool(HWND)> match;
    HWND found = nullptr;
};
BOOL CALLBACK EnumChild(HWND w, LPARAM lp)
{
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    if (s->match(w)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}
BOOL CALLBACK EnumTop(HWND w, LPARAM lp) { return EnumChild(w, lp); }
} // namespace

HWND ChildByText(HWND parent, const std::string& text)
{
    ChildSearch s{[&](HWND w) { return WindowText(w) == text; }};
    EnumChildWindows(parent, EnumChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND ChildAt(HWND root, const std::string& className, int x, int y)
{
    ChildSearch s{[&](HWND w) {
        if (ClassOf(w) != className)
            return false;
        RECT r;
        GetWindowRect(w, &r);
        POINT p{r.left, r.top};
        ScreenToClient(GetParent(w), &p);
        return p.x == x && p.y == y;
    }};
    EnumChildWindows(root, EnumChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND TopWindow(const char* className, const char* title, DWORD pid)
{
    ChildSearch s{[&](HWND w) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (pid && owner != pid)
            return false;
        if (className && ClassOf(w) != className)
            return false;
        if (title && WindowText(w) != title)
            return false;
        return IsWindowVisible(w) != FALSE || className != nullptr;
    }};
    EnumWindows(EnumTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

Program::Program(const std::string& exe, const std::string& folder)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"";
    CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   folder.empty() ? nullptr : folder.c_str(), &si, &pi_);
}

Program::~Program()
{
    if (pi_.hProcess) {
        if (Running()) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

bool Program::Running() const
{
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

int Program::WaitExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<int>(code);
}

std::string Program::RemoteText(HWND w, UINT msg, WPARAM wp, size_t size)
{
    void* remote = VirtualAllocEx(pi_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return "<no memory>";
    std::vector<char> zero(size, 0);
    WriteProcessMemory(pi_.hProcess, remote, zero.data(), size, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, msg, wp, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 3000, &result);
    std::vector<char> local(size + 1, 0);
    ReadProcessMemory(pi_.hProcess, remote, local.data(), size, nullptr);
    VirtualFreeEx(pi_.hProcess, remote, 0, MEM_RELEASE);
    return local.data();
}

RECT Program::RemoteRect(HWND w, UINT msg, WPARAM wp)
{
    RECT r{};
    void* remote = VirtualAllocEx(pi_.hProcess, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return r;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, msg, wp, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 3000, &result);
    ReadProcessMemory(pi_.hProcess, remote, &r, sizeof r, nullptr);
    VirtualFreeEx(pi_.hProcess, remote, 0, MEM_RELEASE);
    return r;
}

void Click(HWND w, int x, int y, WPARAM keys)
{
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
    PostMessageA(w, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

void DoubleClick(HWND w, int x, int y)
{
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PostMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostAltKey(HWND w, char letter)
{
    // The character an Alt+letter press produces, with the Alt context bit.
    PostMessageA(w, WM_SYSCHAR, static_cast<WPARAM>(letter), static_cast<LPARAM>(1u << 29));
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

} // namespace e2e
