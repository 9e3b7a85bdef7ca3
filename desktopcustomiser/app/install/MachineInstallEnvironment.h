// What the installation does to this machine: files through the shared file helpers, the
// registry through the shared registry helpers, and the profile it is given. The wizard page
// adds the window side (progress list, prompt, message boxes).
#pragma once

#include "Installation.h"

#include <windows.h>

class MachineInstallEnvironment : public InstallEnvironment {
public:
    explicit MachineInstallEnvironment(ProfileStore& profile) : m_profile(profile) {}

    CString LoadString(unsigned id) override;
    CString SourceFolder() override;
    CString WindowsFolder() override;
    bool CanWriteToFolder(const CString& folder) override;
    bool IsFile(const CString& path) override;
    bool CopyFile(const CString& source, const CString& target) override;
    void RunHidden(const CString& file, const CString& parameters) override;
    bool WriteTextFile(const CString& path, const CString& text) override;
    CString ShortPath(const CString& path) override;
    void BackupOriginalScreens(const CString& folder) override;
    long SetRegistryString(RegistryRoot root, const CString& key, const CString& value, const CString& data) override;
    CString GetRegistryString(RegistryRoot root, const CString& key, const CString& value) override;
    void DeleteRegistryKey(RegistryRoot root, const CString& key) override;
    void DeleteRegistryValue(RegistryRoot root, const CString& key, const CString& value) override;
    std::optional<StoredRegistryValue> ReadRegistryValue(RegistryRoot root, const CString& key,
                                                         const CString& value) override;
    bool RestoreRegistryValue(RegistryRoot root, const CString& key, const CString& value,
                              const StoredRegistryValue& stored) override;
    bool RegistryKeyExists(RegistryRoot root, const CString& key) override;
    ProfileStore& Profile() override { return m_profile; }

protected:
    // The owner of the shell's file operations; none by default.
    virtual HWND OwnerWindow() { return nullptr; }

private:
    ProfileStore& m_profile;
};

// The folder of the running program, from its module path (never from its command line, which
// a start from its own folder leaves without one).
CString ProgramFolder();
