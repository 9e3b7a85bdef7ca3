// The installation against this machine's own files and registry, with a registry that fails
// part way (Wine never refuses a write): what a registry failure leaves behind.
#include "Helpers.h"
#include "MachineInstallEnvironment.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>

namespace {

const char kInstallKey[] = "SOFTWARE\\Marrowby Corp.\\Tunewright 97";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kSettingsKey[] = "Software\\Marrowby Corp.\\Tunewright 97\\Settings";

class QuietMachine : public MachineInstallEnvironment {
public:
    QuietMachine(ProfileStore& profile, CString source) : MachineInstallEnvironment(profile), m_source(std::move(source)) {}
    void ClearProgress() override {}
    void AddProgress(const CString&) override {}
    void SetPrompt(const CString&) override {}
    void Repaint() override {}
    void ShowMessage(const CString& text) override { messages.push_back(text.c_str()); }
    CString SourceFolder() override { return m_source; }
    long SetRegistryString(RegistryRoot root, const CString& key, const CString& value, const CString& data) override
    {
        if (writes++ == failAt)
            return ERROR_ACCESS_DENIED;
        return MachineInstallEnvironment::SetRegistryString(root, key, value, data);
    }

    std::vector<std::string> messages;
    int writes = 0;
    int failAt = -1;

private:
    CString m_source;
};

bool KeyExists(HKEY root, const char* key)
{
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

class InstallMachine : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
        InitGlobalFolders();
    }
    void SetUp() override
    {
        m_source = TempFolder("tw-install-source");
        m_target = TempFolder("tw-install-target");
        for (const InstallFile& file : kInstallFiles) {
            HANDLE h = CreateFileA((m_source + "\\" + file.source).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            WriteFile(h, file.source, static_cast<DWORD>(strlen(file.source)), &written, nullptr);
            CloseHandle(h);
        }
    }
    void TearDown() override
    {
        ShellDeleteFiles(m_source.c_str(), nullptr);
        ShellDeleteFiles(m_target.c_str(), nullptr);
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marrowby Corp.");
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Marrowby Corp.");
    }

    std::string m_source;
    std::string m_target;
    MemoryProfileStore m_profile;
};

TEST_F(InstallMachine, ARegistryFailureUndoesOnlyItsOwnWritesAndKeepsTheProfileAndTheRunValue)
{
    SetRegistryString(HKEY_CURRENT_USER, kSettingsKey, "Run Yet?", "1");
    SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Tunewright", "C:\\TW\\Tunewright.Exe");
    for (bool earlier : {false, true}) {
        SCOPED_TRACE(earlier ? "over an earlier installation" : "first installation");
        if (earlier) {
            SetRegistryString(HKEY_LOCAL_MACHINE, kInstallKey, "Installed Path", "D:\\Old");
            HKEY key = nullptr;
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            const char old[] = "%OLD%\\Tunewright.Exe";
            RegSetValueExA(key, "", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(old), sizeof old);
            RegCloseKey(key);
        }
        QuietMachine machine(m_profile, m_source.c_str());
        machine.failAt = 3;  // the App Paths folder, after three entries went in
        Installation installation(machine);
        installation.Begin(m_target.c_str());
        EXPECT_FALSE(installation.RunInstallation());
        EXPECT_EQ(machine.messages,
                  std::vector<std::string>{"Tunewright 97 could not be installed because of a registry error"});

        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kInstallKey), earlier);
        EXPECT_EQ(GetRegistryString(HKEY_LOCAL_MACHINE, kInstallKey, "Installed Path"), earlier ? "D:\\Old" : "");
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kAppPathsKey), earlier);
        if (earlier) {
            char data[64] = {};
            DWORD type = 0, size = sizeof data;
            EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kAppPathsKey, "", RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size),
                      ERROR_SUCCESS);
            EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
            EXPECT_STREQ(data, "%OLD%\\Tunewright.Exe");
        }
        EXPECT_EQ(GetRegistryString(HKEY_CURRENT_USER, kSettingsKey, "Run Yet?"), "1");
        EXPECT_EQ(GetRegistryString(HKEY_CURRENT_USER, kRunKey, "Tunewright"), "C:\\TW\\Tunewright.Exe");
        EXPECT_EQ(FileExists((m_target + "\\Tunewright.Exe").c_str()), 1);
    }
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathsKey);
    DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Tunewright");
}

TEST_F(InstallMachine, KeyDeletionRefusesNamesThatWouldTakeTheWholeRoot)
{
    QuietMachine machine(m_profile, m_source.c_str());
    machine.DeleteRegistryKey(RegistryRoot::CurrentUser, "");
    machine.DeleteRegistryKey(RegistryRoot::CurrentUser, "\\Software");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Control Panel"));
}

TEST_F(InstallMachine, TheSourceIsTheProgramsOwnFolder)
{
    // Started by a bare name from its own folder, the command line names no folder at all.
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\'));
    EXPECT_STRCASEEQ(ProgramFolder().c_str(), folder.c_str());
}

}  // namespace
