#include "MachineInstallEnvironment.h"

#include "Helpers.h"

#include <shlwapi.h>

#include <cstdio>
#include <memory>

namespace {

HKEY RootKey(RegistryRoot root)
{
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

CString ProgramFolder()
{
    char path[MAX_PATH + 1] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    StripFileName(path);
    return path;
}

CString MachineInstallEnvironment::LoadString(unsigned id)
{
    CString text;
    LoadResourceCString(text, id);
    return text;
}

CString MachineInstallEnvironment::SourceFolder()
{
    return ProgramFolder();
}

CString MachineInstallEnvironment::WindowsFolder()
{
    return g_strWindowsFolder;
}

bool MachineInstallEnvironment::CanWriteToFolder(const CString& folder)
{
    return ::CanWriteToFolder(folder, OwnerWindow());
}

bool MachineInstallEnvironment::IsFile(const CString& path)
{
    return FileExists(path) == 1;
}

bool MachineInstallEnvironment::CopyFile(const CString& source, const CString& target)
{
    return ForceCopyFile(source, target);
}

void MachineInstallEnvironment::RunHidden(const CString& file, const CString& parameters)
{
    RunProgram(OwnerWindow(), file, SW_HIDE, parameters.IsEmpty() ? nullptr : parameters.c_str());
}

bool MachineInstallEnvironment::WriteTextFile(const CString& path, const CString& text)
{
    // Binary, so that the lines keep exactly the CR LF they are given.
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path, "wb"));
    if (!file)
        return false;
    size_t length = static_cast<size_t>(text.GetLength());
    return std::fwrite(text.c_str(), 1, length, file.get()) == length;
}

CString MachineInstallEnvironment::ShortPath(const CString& path)
{
    char shortPath[MAX_PATH] = {};
    DWORD length = ::GetShortPathNameA(path, shortPath, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? path : CString(shortPath);
}

void MachineInstallEnvironment::BackupOriginalScreens(const CString& folder)
{
    ::BackupOriginalScreens(folder);
}

long MachineInstallEnvironment::SetRegistryString(RegistryRoot root, const CString& key, const CString& value,
                                                  const CString& data)
{
    return ::SetRegistryString(RootKey(root), key, value, data);
}

CString MachineInstallEnvironment::GetRegistryString(RegistryRoot root, const CString& key, const CString& value)
{
    return ::GetRegistryString(RootKey(root), key, value);
}

void MachineInstallEnvironment::DeleteRegistryKey(RegistryRoot root, const CString& key)
{
    // An empty name, or one from the root's top, would take the whole root with it.
    if (key.IsEmpty() || key[0] == '\\')
        return;
    ::SHDeleteKeyA(RootKey(root), key);
}

void MachineInstallEnvironment::DeleteRegistryValue(RegistryRoot root, const CString& key, const CString& value)
{
    ::DeleteRegistryValue(RootKey(root), key, value);
}

std::optional<StoredRegistryValue> MachineInstallEnvironment::ReadRegistryValue(RegistryRoot root, const CString& key,
                                                                                const CString& value)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(RootKey(root), key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    StoredRegistryValue stored;
    DWORD type = 0, size = 0;
    LONG status = ::RegQueryValueExA(handle, value, nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        stored.data.assign(size, 0);
        status = ::RegQueryValueExA(handle, value, nullptr, &type, stored.data.empty() ? nullptr : stored.data.data(),
                                    &size);
        stored.data.resize(size);
    }
    ::RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    stored.type = type;
    return stored;
}

bool MachineInstallEnvironment::RestoreRegistryValue(RegistryRoot root, const CString& key, const CString& value,
                                                     const StoredRegistryValue& stored)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(RootKey(root), key, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    LONG status = ::RegSetValueExA(handle, value, 0, stored.type, stored.data.data(),
                                   static_cast<DWORD>(stored.data.size()));
    ::RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool MachineInstallEnvironment::RegistryKeyExists(RegistryRoot root, const CString& key)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(RootKey(root), key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(handle);
    return true;
}
