#include "framework/ProfileStore.h"

#include <cctype>
#include <cstring>

int DecodeProfileInt(uint32_t type, const uint8_t* data, size_t size, int nDefault)
{
    if (type != static_cast<uint32_t>(ProfileValueType::Integer) || size != 4 || !data)
        return nDefault;
    uint32_t v = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                 uint32_t(data[3]) << 24;
    return static_cast<int>(v);
}

CString DecodeProfileString(uint32_t type, const uint8_t* data, size_t size, const char* lpszDefault)
{
    if (type != static_cast<uint32_t>(ProfileValueType::String) &&
        type != static_cast<uint32_t>(ProfileValueType::ExpandString))
        return CString(lpszDefault);
    if (!data || size == 0)
        return CString();
    size_t length = 0;
    while (length < size && data[length] != 0)
        ++length;
    return CString(reinterpret_cast<const char*>(data), static_cast<int>(length));
}

std::vector<uint8_t> EncodeProfileInt(int value)
{
    uint32_t v = static_cast<uint32_t>(value);
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

std::vector<uint8_t> EncodeProfileString(const char* value)
{
    const char* text = value ? value : "";
    std::vector<uint8_t> data(text, text + std::strlen(text));
    data.push_back(0);
    return data;
}

CString ProfileSectionKey(const char* company, const char* application, const char* section)
{
    CString key("Software");
    for (const char* part : {company, application, section})
        if (part && *part) {
            key += '\\';
            key += part;
        }
    return key;
}

int ProfileStore::GetProfileInt(const char* section, const char* entry, int nDefault)
{
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!section || !entry || !ReadRaw(section, entry, type, data))
        return nDefault;
    return DecodeProfileInt(type, data.data(), data.size(), nDefault);
}

CString ProfileStore::GetProfileString(const char* section, const char* entry, const char* lpszDefault)
{
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!section || !entry || !ReadRaw(section, entry, type, data))
        return CString(lpszDefault);
    return DecodeProfileString(type, data.data(), data.size(), lpszDefault);
}

bool ProfileStore::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (!section || !entry)
        return false;
    return WriteRaw(section, entry, ProfileValueType::Integer, EncodeProfileInt(value));
}

bool ProfileStore::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (!section || !entry)
        return false;
    if (!value)
        return DeleteRaw(section, entry);
    return WriteRaw(section, entry, ProfileValueType::String, EncodeProfileString(value));
}

bool ProfileStore::ReadValue(const char* section, const char* entry, uint32_t& type, std::vector<uint8_t>& data)
{
    return section && entry && ReadRaw(section, entry, type, data);
}

bool ProfileStore::WriteValue(const char* section, const char* entry, uint32_t type, const std::vector<uint8_t>& data)
{
    return section && entry && WriteRaw(section, entry, static_cast<ProfileValueType>(type), data);
}

bool ProfileStore::DeleteValue(const char* section, const char* entry)
{
    return section && entry && DeleteRaw(section, entry);
}

std::string MemoryProfileStore::Key(const char* section, const char* entry)
{
    std::string key = std::string(section) + '\n' + entry;
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

void MemoryProfileStore::SetRaw(const char* section, const char* entry, uint32_t type,
                                std::vector<uint8_t> data)
{
    m_values[Key(section, entry)] = Raw{type, std::move(data)};
}

bool MemoryProfileStore::Contains(const char* section, const char* entry) const
{
    return m_values.count(Key(section, entry)) != 0;
}

bool MemoryProfileStore::ReadRaw(const char* section, const char* entry, uint32_t& type,
                                 std::vector<uint8_t>& data)
{
    auto it = m_values.find(Key(section, entry));
    if (it == m_values.end())
        return false;
    type = it->second.type;
    data = it->second.data;
    return true;
}

void MemoryProfileStore::Refuse(const char* section, const char* entry)
{
    m_refused.insert(Key(section, entry));
}

bool MemoryProfileStore::WriteRaw(const char* section, const char* entry, ProfileValueType type,
                                  const std::vector<uint8_t>& data)
{
    if (m_refused.count(Key(section, entry)) || std::strlen(entry) > 255)
        return false;
    m_values[Key(section, entry)] = Raw{static_cast<uint32_t>(type), data};
    ++changes;
    return true;
}

bool MemoryProfileStore::DeleteRaw(const char* section, const char* entry)
{
    if (m_refused.count(Key(section, entry)))
        return false;
    changes += m_values.erase(Key(section, entry));
    return true;
}
