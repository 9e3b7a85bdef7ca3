#include "program_driver.h"

#include <shellapi.h>

#include <cstring>

namespace driver {

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    std::string p(path);
    p.append("tunewright.exe");
    return p;
}

Process::Process(const std::string& arguments)
{
    std::string program = ProgramPath();
    std::vector<char> buffer;
    buffer.push_back('"');
    buffer.insert(buffer.end(), program.begin(), program.end());
    buffer.push_back('"');
    if (!arguments.empty()) {
        buffer.push_back(' ');
        buffer.insert(buffer.end(), arguments.begin(), arguments.end());
    }
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_info))
        m_info = {};
}

Process::~Process()
{
    if (m_info.hProcess) {
        if (WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(m_info.hProcess, 99);  // a failed test leaves nothing running
            WaitForSingleObject(m_info.hProcess, 5000);
        }
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
}

DWORD Process::WaitExit(DWORD timeoutMs)
{
    if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

namespace {

struct Search {
    DWORD processId;
    const char* className;
    const char* caption;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (s->processId && pid != s->processId)
        return TRUE;
    if (s->visibleOnly && !IsWindowVisible(hwnd))
        return TRUE;
    char cls[64] = {}, text[256] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, text, sizeof text);
    if (s->className && std::strcmp(cls, s->className) != 0)
        return TRUE;
    if (s->caption && std::strcmp(text, s->caption) != 0)
        return TRUE;
    s->found = hwnd;
    return FALSE;
}

}  // namespace

HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        Search s{processId, className, caption, true, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&s));
        if (s.found)
            return s.found;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(100);
    }
}

std::vector<HWND> WindowsTitled(const char* caption)
{
    std::vector<HWND> result;
    for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, caption); h; h = FindWindowExA(nullptr, h, nullptr, caption))
        result.push_back(h);
    return result;
}

std::string WindowText(HWND hwnd)
{
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string MessageBoxText(HWND box)
{
    // The message text is the box's static control 0xFFFF.
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

void PressOk(HWND box)
{
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

bool TrayHasIcon(HWND owner, UINT id)
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof nid;
    nid.hWnd = owner;
    nid.uID = id;
    nid.uFlags = NIF_TIP;
    std::strcpy(nid.szTip, "Tunewright 97");
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

void SetRegistryString(HKEY root, const char* key, const char* name, const char* value)
{
    HKEY h;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(std::strlen(value) + 1));
        RegCloseKey(h);
    }
}

void SetRegistryDword(HKEY root, const char* key, const char* name, DWORD value)
{
    HKEY h;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(h);
    }
}

void DeleteRegistryTree(HKEY root, const char* key)
{
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS)
        return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(h, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DeleteRegistryTree(h, name);
    }
    RegCloseKey(h);
    RegDeleteKeyA(root, key);
}

}  // namespace driver
