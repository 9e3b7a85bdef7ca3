// The application's profile in the registry: one key per section below
// HKEY_CURRENT_USER\Software\<company>\<application>.
#pragma once

#include "framework/ProfileStore.h"

#include <windows.h>

class RegistryProfileStore : public ProfileStore {
public:
    RegistryProfileStore(const char* company, const char* application);

protected:
    bool ReadRaw(const char* section, const char* entry, uint32_t& type, std::vector<uint8_t>& data) override;
    bool WriteRaw(const char* section, const char* entry, ProfileValueType type,
                  const std::vector<uint8_t>& data) override;
    bool DeleteRaw(const char* section, const char* entry) override;

private:
    CString m_company, m_application;
};
