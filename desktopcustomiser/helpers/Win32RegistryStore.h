// The registry store over the real registry.
#pragma once

#include "RegistryStore.h"

class Win32RegistryStore : public RegistryStore {
public:
    std::optional<RegValue> Read(RegRoot root, const std::string& key, const std::string& name) override;
    bool Write(RegRoot root, const std::string& key, const std::string& name, const RegValue& value) override;
    bool DeleteValue(RegRoot root, const std::string& key, const std::string& name) override;
    bool CreateKey(RegRoot root, const std::string& key) override;
    bool KeyExists(RegRoot root, const std::string& key) override;
    std::vector<std::string> SubKeys(RegRoot root, const std::string& key) override;
    std::vector<std::string> ValueNames(RegRoot root, const std::string& key) override;

protected:
    bool DeleteTreeChecked(RegRoot root, const std::string& key) override;
};

// The program's one store of the real registry.
RegistryStore& TheRegistry();
