// The settings store over the registry: string values directly under the program's key in
// HKEY_CURRENT_USER.
#pragma once

#include "core/settings.h"

namespace glyphwell {

class RegistrySettingsStore : public SettingsStore {
public:
    explicit RegistrySettingsStore(const char* subKey = kSettingsKey) : subKey_(subKey) {}
    std::optional<std::string> ReadData(std::string_view name) override;
    bool WriteData(std::string_view name, std::string_view data) override;

private:
    const char* subKey_;
};

}  // namespace glyphwell
