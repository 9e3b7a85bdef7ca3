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

TEST_F(InstallMachine, ARegistryFailureRemovesEveryEntryAndTheProfileButKeepsTheFiles)
{
    SetRegistryString(HKEY_CURRENT_USER, kSettingsKey, "Run Yet?", "1");
    SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Tunewright", "C:\\TW\\Tunewright.Exe");
    SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Other", "C:\\Other.exe");

    QuietMachine machine(m_profile, m_source.c_str());
    machine.failAt = 3;  // the App Paths folder, after three entries went in
    Installation installation(machine);
    installation.Begin(m_target.c_str());
    EXPECT_FALSE(installation.RunInstallation());
    EXPECT_EQ(machine.messages,
              std::vector<std::string>{"Tunewright 97 could not be installed because of a registry error"});

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kInstallKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppPathsKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Marrowby Corp.\\Tunewright 97"));
    EXPECT_EQ(GetRegistryString(HKEY_CURRENT_USER, kRunKey, "Tunewright"), "");
    EXPECT_EQ(GetRegistryString(HKEY_CURRENT_USER, kRunKey, "Other"), "C:\\Other.exe");
    EXPECT_EQ(FileExists((m_target + "\\Tunewright.Exe").c_str()), 1);
    EXPECT_EQ(FileExists((m_target + "\\TWUTIL.DLL").c_str()), 1);
    DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Other");
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
