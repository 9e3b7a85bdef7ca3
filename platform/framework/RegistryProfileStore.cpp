#include "RegistryProfileStore.h"

RegistryProfileStore::RegistryProfileStore(const char* company, const char* application)
    : m_company(company), m_application(application)
{
}

bool RegistryProfileStore::ReadRaw(const char* section, const char* entry, uint32_t& type,
                                   std::vector<uint8_t>& data)
{
    HKEY key = nullptr;
    CString path = ProfileSectionKey(m_company, m_application, section);
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD valueType = 0, size = 0;
    LONG status = ::RegQueryValueExA(key, entry, nullptr, &valueType, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.assign(size, 0);
        status = ::RegQueryValueExA(key, entry, nullptr, &valueType, data.empty() ? nullptr : data.data(), &size);
        data.resize(size);
    }
    ::RegCloseKey(key);
    type = valueType;
    return status == ERROR_SUCCESS;
}

bool RegistryProfileStore::WriteRaw(const char* section, const char* entry, ProfileValueType type,
                                    const std::vector<uint8_t>& data)
{
    HKEY key = nullptr;
    CString path = ProfileSectionKey(m_company, m_application, section);
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = ::RegSetValueExA(key, entry, 0, static_cast<DWORD>(type), data.data(),
                                   static_cast<DWORD>(data.size()));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool RegistryProfileStore::DeleteRaw(const char* section, const char* entry)
{
    HKEY key = nullptr;
    CString path = ProfileSectionKey(m_company, m_application, section);
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return true;  // nothing to delete
    LONG status = ::RegDeleteValueA(key, entry);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
