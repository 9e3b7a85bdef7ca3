#include "Registry.h"

namespace {

// A key opened here is closed here.
class RegKey {
public:
    RegKey() = default;
    ~RegKey()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

const char* ValueNameOrDefault(const CString& valueName)
{
    return valueName.IsEmpty() ? nullptr : valueName.c_str();
}

}  // namespace

CString GetRegistryString(HKEY root, const CString& subKey, const CString& valueName)
{
    RegKey key;
    if (::RegOpenKeyExA(root, subKey, 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return CString();
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key.Get(), ValueNameOrDefault(valueName), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return CString();
    CString text;
    DWORD capacity = size;
    char* buffer = text.GetBuffer(static_cast<int>(capacity) + 1);
    LONG status = ::RegQueryValueExA(key.Get(), ValueNameOrDefault(valueName), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &capacity);
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        text.ReleaseBuffer(0);
        return CString();
    }
    buffer[capacity < size + 1 ? capacity : size] = '\0';  // stored without a NUL: end it here
    text.ReleaseBuffer();
    return text;
}

std::unique_ptr<BYTE[]> GetRegistryBinary(HKEY root, const CString& subKey, const CString& valueName, DWORD* size)
{
    RegKey key;
    if (size)
        *size = 0;
    if (::RegOpenKeyExA(root, subKey, 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return nullptr;
    DWORD type = 0, length = 0;
    if (::RegQueryValueExA(key.Get(), ValueNameOrDefault(valueName), nullptr, &type, nullptr, &length) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return nullptr;
    auto data = std::make_unique<BYTE[]>(length ? length : 1);
    if (::RegQueryValueExA(key.Get(), ValueNameOrDefault(valueName), nullptr, &type, data.get(), &length) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return nullptr;
    if (size)
        *size = length;
    return data;
}

LONG SetRegistryString(HKEY root, const CString& subKey, const CString& valueName, const CString& text)
{
    RegKey key;
    LONG status = ::RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Out(), nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    return ::RegSetValueExA(key.Get(), ValueNameOrDefault(valueName), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.GetLength() + 1));
}

LONG SetRegistryBinary(HKEY root, const CString& subKey, const CString& valueName, const BYTE* data, DWORD size)
{
    RegKey key;
    if (::RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Out(), nullptr) !=
        ERROR_SUCCESS)
        return 0;
    return ::RegSetValueExA(key.Get(), ValueNameOrDefault(valueName), 0, REG_BINARY, data, size);
}

LONG DeleteRegistryValue(HKEY root, const CString& subKey, const CString& valueName)
{
    if (!root || subKey.IsEmpty() || valueName.IsEmpty())
        return 0;
    RegKey key;
    if (::RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, key.Out()) != ERROR_SUCCESS)
        return 0;
    return ::RegDeleteValueA(key.Get(), valueName);
}

CString GetFileTypeDefaultIcon(const CString& extension)
{
    CString typeName = GetRegistryString(HKEY_CLASSES_ROOT, extension, "");
    if (typeName.IsEmpty())
        return CString();
    return GetRegistryString(HKEY_CLASSES_ROOT, typeName + "\\DefaultIcon", "");
}
