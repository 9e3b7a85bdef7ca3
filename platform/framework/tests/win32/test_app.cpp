#include "test_app.h"

#include <gtest/gtest.h>

#include <map>

CTestApp theTestApp;

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

namespace {

std::map<UINT_PTR, std::function<void()>>& Pending()
{
    static std::map<UINT_PTR, std::function<void()>> pending;
    return pending;
}

void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto it = Pending().find(id);
    if (it == Pending().end())
        return;
    auto action = std::move(it->second);
    Pending().erase(it);
    action();
}

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param)
{
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (IsWindowVisible(hwnd) && std::string(cls) == "#32770" && GetDlgItem(hwnd, 0xFFFF)) {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

class FrameworkEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        theTestApp.SetRegistryKey("Framework Test Company");
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);

}  // namespace

void RunSoon(UINT delayMs, std::function<void()> action)
{
    UINT_PTR id = SetTimer(nullptr, 0, delayMs, Fire);
    Pending()[id] = std::move(action);
}

HWND FindThreadMessageBox()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string MessageBoxText(HWND box)
{
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

std::string Caption(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// Once the results are written the process ends at once: under a heavily loaded Wine its
// ordinary shutdown has been seen to take minutes after every test had passed.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    fflush(stdout);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
