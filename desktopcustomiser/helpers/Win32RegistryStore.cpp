#include "Win32RegistryStore.h"

#include <windows.h>

#include <algorithm>

namespace {

HKEY RootKey(RegRoot root)
{
    switch (root) {
    case RegRoot::classesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::currentUser: return HKEY_CURRENT_USER;
    case RegRoot::localMachine: return HKEY_LOCAL_MACHINE;
    }
    return HKEY_CURRENT_USER;
}

class OpenKey {
public:
    OpenKey(RegRoot root, const std::string& key, REGSAM access)
    {
        if (::RegOpenKeyExA(RootKey(root), key.c_str(), 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

const char* NameOrDefault(const std::string& name)
{
    return name.empty() ? nullptr : name.c_str();
}

// RegType's numbers are the registry's own, so a type the pages do not know goes back as read.
RegType TypeOf(DWORD type)
{
    return static_cast<RegType>(type);
}

DWORD NativeType(RegType type)
{
    return static_cast<DWORD>(type);
}

bool DeleteKeyAndChildren(HKEY parent, const std::string& name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    // Children first: only Windows 95 deletes a key that still has sub keys.
    for (;;) {
        char child[256];
        DWORD size = sizeof child;
        if (::RegEnumKeyExA(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (!DeleteKeyAndChildren(key, child))
            break;
    }
    ::RegCloseKey(key);
    return ::RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace

std::optional<RegValue> Win32RegistryStore::Read(RegRoot root, const std::string& key, const std::string& name)
{
    OpenKey k(root, key, KEY_READ);
    if (!k.get())
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(k.get(), NameOrDefault(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    RegValue value;
    value.type = TypeOf(type);
    value.data.resize(size);
    DWORD got = size;
    if (size && ::RegQueryValueExA(k.get(), NameOrDefault(name), nullptr, &type, value.data.data(), &got) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(std::min(got, size));
    if (value.type == RegType::string || value.type == RegType::expandString) {
        while (!value.data.empty() && value.data.back() == 0)
            value.data.pop_back();
    }
    return value;
}

bool Win32RegistryStore::Write(RegRoot root, const std::string& key, const std::string& name, const RegValue& value)
{
    HKEY k = nullptr;
    if (::RegCreateKeyExA(RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &k,
                          nullptr) != ERROR_SUCCESS)
        return false;
    std::vector<uint8_t> bytes = value.data;
    if (value.type == RegType::string || value.type == RegType::expandString)
        bytes.push_back(0);
    LONG status = ::RegSetValueExA(k, NameOrDefault(name), 0, NativeType(value.type), bytes.data(),
                                   static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(k);
    return status == ERROR_SUCCESS;
}

bool Win32RegistryStore::DeleteValue(RegRoot root, const std::string& key, const std::string& name)
{
    OpenKey k(root, key, KEY_WRITE);
    return k.get() && ::RegDeleteValueA(k.get(), NameOrDefault(name)) == ERROR_SUCCESS;
}

bool Win32RegistryStore::CreateKey(RegRoot root, const std::string& key)
{
    HKEY k = nullptr;
    if (::RegCreateKeyExA(RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &k,
                          nullptr) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(k);
    return true;
}

bool Win32RegistryStore::KeyExists(RegRoot root, const std::string& key)
{
    OpenKey k(root, key, KEY_READ);
    return k.get() != nullptr;
}

std::vector<std::string> Win32RegistryStore::SubKeys(RegRoot root, const std::string& key)
{
    std::vector<std::string> names;
    OpenKey k(root, key, KEY_READ);
    if (!k.get())
        return names;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(k.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}

std::vector<std::string> Win32RegistryStore::ValueNames(RegRoot root, const std::string& key)
{
    std::vector<std::string> names;
    OpenKey k(root, key, KEY_READ);
    if (!k.get())
        return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD size = sizeof name;
        if (::RegEnumValueA(k.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}

bool Win32RegistryStore::DeleteTreeChecked(RegRoot root, const std::string& key)
{
    return DeleteKeyAndChildren(RootKey(root), key);
}

RegistryStore& TheRegistry()
{
    static Win32RegistryStore store;
    return store;
}
