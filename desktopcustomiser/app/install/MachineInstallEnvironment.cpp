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
