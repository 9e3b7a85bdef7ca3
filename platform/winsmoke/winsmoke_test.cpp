// The Windows build's tests run under Wine: a real window, its messages and the registry.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

UINT g_lastMessage;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 7)
        g_lastMessage = msg;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(WineSmoke, ReportsWindows95)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, DWORD(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
}

TEST(WineSmoke, WindowReceivesPostedMessage)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SmokeTestWindow";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND hwnd = CreateWindowA("SmokeTestWindow", "Smoke", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    PostMessageA(hwnd, WM_USER + 7, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(g_lastMessage, UINT(WM_USER + 7));
    char title[32] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "Smoke");
    EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST(WineSmoke, RegistryRoundTrip)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\SuiteSmokeTest", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char value[] = "forty-two";
    ASSERT_EQ(RegSetValueExA(key, "Answer", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             sizeof value),
              ERROR_SUCCESS);
    char back[32] = {};
    DWORD size = sizeof back;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Answer", nullptr, &type, reinterpret_cast<BYTE*>(back), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_STREQ(back, value);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SuiteSmokeTest"), ERROR_SUCCESS);
}

} // namespace
