// The shared helpers against Wine's registry, files and shell: results for missing and wrong
// values, capacities refused, and per-thread string buffers.
#include "Helpers.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

const char kKey[] = "Software\\Tunewright Helper Test";

class Helpers : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        InitGlobalFolders();
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
};

TEST_F(Helpers, RegistryStringsOnlyFromStringValues)
{
    EXPECT_EQ(SetRegistryString(HKEY_CURRENT_USER, kKey, "Text", "hello"), ERROR_SUCCESS);
    EXPECT_STREQ(GetRegistryString(HKEY_CURRENT_USER, kKey, "Text"), "hello");
    EXPECT_STREQ(GetRegistryString(HKEY_CURRENT_USER, kKey, "Missing"), "");
    EXPECT_STREQ(GetRegistryString(HKEY_CURRENT_USER, "Software\\No Such Key", "Text"), "");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    DWORD number = 5;
    RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
    // A string stored without its NUL is still read whole and ended.
    RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    RegCloseKey(key);
    EXPECT_STREQ(GetRegistryString(HKEY_CURRENT_USER, kKey, "Number"), "");
    EXPECT_STREQ(GetRegistryString(HKEY_CURRENT_USER, kKey, "Bare"), "abc");
    EXPECT_EQ(SetRegistryString(HKEY_CURRENT_USER, kKey, "", "default"), ERROR_SUCCESS);
    EXPECT_STREQ(GetRegistryString(HKEY_CURRENT_USER, kKey, ""), "default");
}

TEST_F(Helpers, RegistryBinaryAndDeletion)
{
    const BYTE data[] = {1, 2, 3, 0, 5};
    EXPECT_EQ(SetRegistryBinary(HKEY_CURRENT_USER, kKey, "Blob", data, sizeof data), ERROR_SUCCESS);
    DWORD size = 0;
    auto read = GetRegistryBinary(HKEY_CURRENT_USER, kKey, "Blob", &size);
    ASSERT_TRUE(read);
    EXPECT_EQ(size, sizeof data);
    EXPECT_EQ(read[4], 5);
    SetRegistryString(HKEY_CURRENT_USER, kKey, "Text", "x");
    EXPECT_FALSE(GetRegistryBinary(HKEY_CURRENT_USER, kKey, "Text", &size));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, kKey, "Text"), ERROR_SUCCESS);
    EXPECT_STREQ(GetRegistryString(HKEY_CURRENT_USER, kKey, "Text"), "");
    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, kKey, ""), 0);  // no value name: nothing
    EXPECT_EQ(DeleteRegistryValue(nullptr, kKey, "Blob"), 0);
    DeleteRegistryValue(HKEY_CURRENT_USER, kKey, "Blob");
    DeleteRegistryValue(HKEY_CURRENT_USER, kKey, "");
}

TEST_F(Helpers, FilesFoldersAndBackups)
{
    ASSERT_FALSE(g_strWindowsFolder.IsEmpty());
    ASSERT_FALSE(g_strTempFolder.IsEmpty());
    EXPECT_NE(g_strTempFolder[g_strTempFolder.GetLength() - 1], '\\');
    EXPECT_EQ(FileExists(g_strWindowsFolder), 2);
    EXPECT_EQ(FileExists(g_strWindowsFolder + "\\win.ini"), 1);
    EXPECT_EQ(FileExists(g_strWindowsFolder + "\\*.ini"), 1);
    EXPECT_EQ(FileExists("C:\\no such file.xyz"), 0);

    CString folder = g_strTempFolder + "\\tw backup test";
    CreateDirectoryA(folder, nullptr);
    CString screen = g_strWindowsFolder + "\\Logos.sys";
    HANDLE h = CreateFileA(screen, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "first", 5, &written, nullptr);
    CloseHandle(h);
    BackupOriginalScreens(folder);
    CString backup = folder + "\\Old Safe Shutdown Screen.bmp";
    EXPECT_EQ(FileExists(backup), 1);
    // A second run keeps the first backup.
    h = CreateFileA(screen, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    WriteFile(h, "second!", 7, &written, nullptr);
    CloseHandle(h);
    BackupOriginalScreens(folder);
    h = CreateFileA(backup, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(GetFileSize(h, nullptr), 5u);
    CloseHandle(h);

    // Copy over a read-only file, then delete it.
    SetFileAttributesA(backup, FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ForceCopyFile(screen, backup));
    SetFileAttributesA(backup, FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ForceDeleteFile(backup));
    EXPECT_EQ(FileExists(backup), 0);

    EXPECT_TRUE(CanWriteToFolder(folder, nullptr));
    EXPECT_EQ(FileExists(folder + "\\TempFile.Tmp"), 0);
    // Below a file no folder can be made, so nothing can be written there.
    EXPECT_FALSE(CanWriteToFolder(g_strWindowsFolder + "\\win.ini\\sub", nullptr));
    RemoveDirectoryA("C:\\no such folder\\deeper");
    RemoveDirectoryA("C:\\no such folder");
    EXPECT_EQ(ShellDeleteFiles(folder + "\\*.*", nullptr), 0);
    DeleteFileA(screen);
    RemoveDirectoryA(folder);
}

TEST_F(Helpers, LongPathsAreRefusedNeverOverflowed)
{
    std::string longPath = "C:\\" + std::string(300, 'x');
    EXPECT_NE(ShellDeleteFiles(longPath.c_str(), nullptr), 0);
    std::string just254 = "C:\\" + std::string(251, 'y');
    EXPECT_NE(ShellDeleteFiles(just254.c_str(), nullptr), ERROR_FILENAME_EXCED_RANGE);
    EXPECT_FALSE(CanWriteToFolder(longPath.c_str(), nullptr));
    BackupOriginalScreens(longPath.c_str());  // refused quietly
    EXPECT_EQ(FileExists(longPath.c_str()), 0);
}

TEST_F(Helpers, ShellFoldersAndDocumentsMenu)
{
    CString recent = GetShellFolderPath(CSIDL_RECENT);
    EXPECT_GT(recent.GetLength(), 3);
    CString windows = GetShellFolderPath(CSIDL_WINDOWS);
    EXPECT_EQ(windows.CompareNoCase(g_strWindowsFolder), 0);
    CreateDirectoryA(recent, nullptr);
    CString link = recent + "\\document.lnk";
    HANDLE h = CreateFileA(link, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    EXPECT_TRUE(ClearDocumentsMenu());
    EXPECT_EQ(FileExists(link), 0);
    EXPECT_TRUE(ClearDocumentsMenu());  // empty: nothing to do
    EXPECT_GE(GetSystemIconIndex("C:\\"), 0);
}

TEST_F(Helpers, ResourceStringBufferIsPerThread)
{
    const char* mine = LoadResourceString(IDS_TRAYTIP);
    EXPECT_STREQ(mine, "Tunewright 97");
    std::string other;
    const char* otherBuffer = nullptr;
    std::thread([&] {
        otherBuffer = LoadResourceString(IDS_NO_REGISTRY_ENTRY);
        other = otherBuffer;
    }).join();
    EXPECT_EQ(other, "Could not find registry entry; please run Setup.Exe again");
    EXPECT_NE(otherBuffer, mine);
    EXPECT_STREQ(mine, "Tunewright 97");  // untouched by the other thread
    EXPECT_STREQ(LoadResourceString(1), "");
    CString s;
    LoadResourceCString(s, 58044);
    EXPECT_STREQ(s, "Wallpaper");
}

}  // namespace
