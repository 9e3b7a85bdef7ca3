// The first start of the real program: the configuration sheet, what its OK and Cancel leave
// in the profile and the start-with-Windows entry, and later starts that ask nothing.
#include "program_driver.h"

#include <gtest/gtest.h>

#include <string>

using namespace driver;

namespace {

const char kInstallKey[] = "SOFTWARE\\Marrowby Corp.\\Tunewright 97";
const char kProfileKey[] = "Software\\Marrowby Corp.";
const char kSettings[] = "Software\\Marrowby Corp.\\Tunewright 97\\Settings";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kConfigCaption[] = "Tunewright 97: Initial Configuration";
const char kMainTitle[] = "Tunewright Control Window";

bool ReadDword(const char* key, const char* name, DWORD& value)
{
    DWORD size = sizeof value, type = 0;
    return RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, &value, &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}

std::string ReadString(const char* key, const char* name)
{
    char text[512] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return "<none>";
    return text;
}

HWND MainWindowOf(const Process& process, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        for (HWND h : WindowsTitled(kMainTitle)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == process.Id())
                return h;
        }
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

class FirstRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clean();
        CreateDirectoryA("C:\\Tunewright Test", nullptr);
        // The folder as an installer may have written it, with its trailing separator.
        SetRegistryString(HKEY_LOCAL_MACHINE, kInstallKey, "Installed Path", "C:\\Tunewright Test\\");
        SetRegistryDword(HKEY_CURRENT_USER, kSettings, "Show Splash Screen", 0);
    }
    void TearDown() override { Clean(); }
    static void Clean()
    {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Marrowby Corp.");
        DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
        HKEY run;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, "Tunewright");
            RegCloseKey(run);
        }
    }
};

TEST_F(FirstRun, OkWithTheDefaultsStoresTheRunEntryAndTheNextStartAsksNothing)
{
    {
        Process process;
        HWND sheet = WaitForWindow(process.Id(), nullptr, kConfigCaption, 30000);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(MainWindowOf(process, 0), nullptr);  // no main window before the answer
        PressOk(sheet);
        HWND main = MainWindowOf(process, 30000);
        ASSERT_NE(main, nullptr);
        // OK with the defaults writes only what was not stored yet: the start-up's "Run Yet?"
        // and the start-with-Windows entry; the defaults are not made explicit.
        DWORD stored = 99;
        EXPECT_TRUE(ReadDword(kSettings, "Run Yet?", stored));
        EXPECT_EQ(stored, 1u);
        EXPECT_TRUE(ReadDword(kSettings, "Show Splash Screen", stored));
        EXPECT_EQ(stored, 0u);
        for (const char* name : {"Random Wallpaper", "Random Startup Screen", "Random Wait Shutdown",
                                 "Random Safe Shutdown", "Randomize Startup", "Show Display Settings Icon",
                                 "Clear Documents Menu", "Auto MIDI"})
            EXPECT_FALSE(ReadDword(kSettings, name, stored)) << name;
        EXPECT_EQ(ReadString(kRunKey, "Tunewright"), "C:\\Tunewright Test\\Tunewright.Exe");
        PostMessageA(main, WM_COMMAND, 57665, 0);
        EXPECT_EQ(process.WaitExit(20000), 0u);
    }
    // The next start goes straight to the tray and leaves the entry alone.
    Process again;
    HWND main = MainWindowOf(again, 30000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WaitForWindow(again.Id(), nullptr, kConfigCaption, 1000), nullptr);
    EXPECT_EQ(ReadString(kRunKey, "Tunewright"), "C:\\Tunewright Test\\Tunewright.Exe");
    PostMessageA(main, WM_COMMAND, 57665, 0);
    EXPECT_EQ(again.WaitExit(20000), 0u);
}

TEST_F(FirstRun, CancelWritesNothingAndEndsWithoutAWindowAndAsksAgain)
{
    // As a reinstall leaves it: "Run Yet?" 0 and the user's start-with-Windows entry.
    SetRegistryDword(HKEY_CURRENT_USER, kSettings, "Run Yet?", 0);
    SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Tunewright", "C:\\Old\\Tunewright.Exe");
    for (int start = 0; start < 2; ++start) {
        Process process;
        HWND sheet = WaitForWindow(process.Id(), nullptr, kConfigCaption, 30000);
        ASSERT_NE(sheet, nullptr) << "start " << start;
        PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(process.WaitExit(20000), 0u);
        EXPECT_EQ(MainWindowOf(process, 0), nullptr);
        DWORD runYet = 99;
        EXPECT_TRUE(ReadDword(kSettings, "Run Yet?", runYet));
        EXPECT_EQ(runYet, 0u);
        EXPECT_EQ(ReadString(kRunKey, "Tunewright"), "C:\\Old\\Tunewright.Exe");
    }
}

TEST_F(FirstRun, LaterStartsKeepTheUsersRunEntry)
{
    SetRegistryDword(HKEY_CURRENT_USER, kSettings, "Run Yet?", 1);
    SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Tunewright", "C:\\Mine\\Tunewright.Exe");
    Process process;
    HWND main = MainWindowOf(process, 30000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ReadString(kRunKey, "Tunewright"), "C:\\Mine\\Tunewright.Exe");
    PostMessageA(main, WM_COMMAND, 57665, 0);
    EXPECT_EQ(process.WaitExit(20000), 0u);
}

}  // namespace
