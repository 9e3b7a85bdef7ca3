#include "RegistryStore.h"

#include <algorithm>
#include <cctype>

RegValue RegValue::String(const std::string& text, RegType type)
{
    return {type, std::vector<uint8_t>(text.begin(), text.end())};
}

std::string RegValue::Text() const
{
    auto end = std::find(data.begin(), data.end(), uint8_t(0));
    return std::string(data.begin(), end);
}

bool IsDeletableKeyName(const std::string& key)
{
    return !key.empty() && key[0] != '\\';
}

bool RegistryStore::DeleteTree(RegRoot root, const std::string& key)
{
    if (!IsDeletableKeyName(key))
        return false;
    return DeleteTreeChecked(root, key);
}

std::optional<std::string> RegistryStore::ReadString(RegRoot root, const std::string& key, const std::string& name)
{
    auto value = Read(root, key, name);
    if (!value || value->type != RegType::string)
        return std::nullopt;
    return value->Text();
}

std::optional<std::vector<uint8_t>> RegistryStore::ReadBinary(RegRoot root, const std::string& key,
                                                              const std::string& name)
{
    auto value = Read(root, key, name);
    if (!value || value->type != RegType::binary)
        return std::nullopt;
    return value->data;
}

const char* RegRootName(RegRoot root)
{
    switch (root) {
    case RegRoot::classesRoot: return "HKCR";
    case RegRoot::currentUser: return "HKCU";
    case RegRoot::localMachine: return "HKLM";
    }
    return "?";
}

std::string MemoryRegistryStore::Fold(const std::string& text)
{
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return folded;
}

std::string MemoryRegistryStore::Path(RegRoot root, const std::string& key)
{
    return std::string(RegRootName(root)) + "\\" + key;
}

bool MemoryRegistryStore::FitsRegistry(const std::string& key, const std::string& name)
{
    if (name.size() > kMaxKeyName || key.empty())
        return false;
    for (size_t start = 0;;) {
        size_t end = key.find('\\', start);
        size_t length = (end == std::string::npos ? key.size() : end) - start;
        if (length == 0 || length > kMaxKeyName)
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

void MemoryRegistryStore::EnsureKey(RegRoot root, const std::string& key)
{
    // Every parent exists with its child, as in the registry.
    for (size_t end = 0; end != std::string::npos;) {
        end = key.find('\\', end + 1);
        std::string part = key.substr(0, end);
        Key& k = m_keys[Fold(Path(root, part))];
        if (k.name.empty())
            k.name = part;
    }
}

std::optional<RegValue> MemoryRegistryStore::Read(RegRoot root, const std::string& key, const std::string& name)
{
    auto k = m_keys.find(Fold(Path(root, key)));
    if (k == m_keys.end())
        return std::nullopt;
    auto v = k->second.values.find(Fold(name));
    if (v == k->second.values.end())
        return std::nullopt;
    return v->second.second;
}

void MemoryRegistryStore::Seed(RegRoot root, const std::string& key, const std::string& name, const RegValue& value)
{
    EnsureKey(root, key);
    m_keys[Fold(Path(root, key))].values[Fold(name)] = {name, value};
}

bool MemoryRegistryStore::Write(RegRoot root, const std::string& key, const std::string& name, const RegValue& value)
{
    if (!FitsRegistry(key, name))
        return false;
    std::string shown;
    switch (value.type) {
    case RegType::string: shown = value.Text(); break;
    case RegType::expandString: shown = "expand " + value.Text(); break;
    case RegType::binary:
        shown = value.data.size() == 1 ? "binary " + std::to_string(value.data[0])
                                       : "binary " + std::to_string(value.data.size()) + " bytes";
        break;
    default:
        shown = "type " + std::to_string(uint32_t(value.type)) + ", " + std::to_string(value.data.size()) + " bytes";
        break;
    }
    std::string change = "set " + Path(root, key) + "\\" + (name.empty() ? "@" : name) + " = " + shown;
    if (Refused(change))
        return false;
    Seed(root, key, name, value);
    log.push_back(change);
    return true;
}

bool MemoryRegistryStore::DeleteValue(RegRoot root, const std::string& key, const std::string& name)
{
    auto k = m_keys.find(Fold(Path(root, key)));
    std::string change = "delete " + Path(root, key) + "\\" + (name.empty() ? "@" : name);
    if (k == m_keys.end() || !k->second.values.count(Fold(name)) || Refused(change))
        return false;
    k->second.values.erase(Fold(name));
    log.push_back(change);
    return true;
}

bool MemoryRegistryStore::CreateKey(RegRoot root, const std::string& key)
{
    std::string change = "create " + Path(root, key);
    if (!FitsRegistry(key, "") || Refused(change))
        return false;
    EnsureKey(root, key);
    log.push_back(change);
    return true;
}

bool MemoryRegistryStore::KeyExists(RegRoot root, const std::string& key)
{
    return m_keys.count(Fold(Path(root, key))) != 0;
}

std::vector<std::string> MemoryRegistryStore::SubKeys(RegRoot root, const std::string& key)
{
    std::string prefix = Fold(Path(root, key)) + "\\";
    if (key.empty())
        prefix = Fold(std::string(RegRootName(root))) + "\\";
    std::vector<std::string> names;
    for (const auto& [folded, k] : m_keys) {
        if (folded.compare(0, prefix.size(), prefix) != 0 || folded.find('\\', prefix.size()) != std::string::npos)
            continue;
        names.push_back(k.name.substr(k.name.rfind('\\') == std::string::npos ? 0 : k.name.rfind('\\') + 1));
    }
    return names;  // sorted without case, as the registry enumerates
}

std::vector<std::string> MemoryRegistryStore::ValueNames(RegRoot root, const std::string& key)
{
    std::vector<std::string> names;
    auto k = m_keys.find(Fold(Path(root, key)));
    if (k != m_keys.end())
        for (const auto& [folded, value] : k->second.values)
            names.push_back(value.first);
    return names;
}

bool MemoryRegistryStore::DeleteTreeChecked(RegRoot root, const std::string& key)
{
    std::string folded = Fold(Path(root, key));
    if (!m_keys.count(folded) || Refused("delete tree " + Path(root, key)))
        return false;
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        if (it->first == folded || it->first.compare(0, folded.size() + 1, folded + "\\") == 0)
            it = m_keys.erase(it);
        else
            ++it;
    }
    log.push_back("delete tree " + Path(root, key));
    return true;
}
