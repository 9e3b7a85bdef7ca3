// The application's per-user profile: sections of named integer and string values. The
// application object keeps one in the registry; portable code takes the interface so that it
// can run natively against the in-memory store.
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// The stored kinds use the registry's type numbers, so raw values read from either store decode
// the same way. A value written back as read may carry any type number.
enum class ProfileValueType : uint32_t { String = 1, ExpandString = 2, Integer = 4 };

// Decoding of one stored value. An integer is a 4-byte little-endian value of the integer
// type; anything else (a wrong type, a short or long value) gives the default, as a bad
// registry value must never be taken for a setting. A string is the bytes of a string or
// expandable string (kept as stored, not expanded) up to the first NUL or the end of the data,
// whichever comes first; anything else gives the default.
int DecodeProfileInt(uint32_t type, const uint8_t* data, size_t size, int nDefault);
CString DecodeProfileString(uint32_t type, const uint8_t* data, size_t size, const char* lpszDefault);
std::vector<uint8_t> EncodeProfileInt(int value);
std::vector<uint8_t> EncodeProfileString(const char* value);  // the text and one NUL

// "Software\<company>\<application>\<section>": where each section lives below the current
// user's root. Empty parts are left out (no double backslashes).
CString ProfileSectionKey(const char* company, const char* application, const char* section);

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // Reads: the default when the section, the value or a valid value of the kind is missing.
    int GetProfileInt(const char* section, const char* entry, int nDefault);
    CString GetProfileString(const char* section, const char* entry, const char* lpszDefault = nullptr);
    // Writes: true on success. A null value deletes the entry.
    bool WriteProfileInt(const char* section, const char* entry, int value);
    bool WriteProfileString(const char* section, const char* entry, const char* value);

    // A value as stored, whatever its type: for saves that write back only what changed and
    // put back what they wrote when a later write is refused.
    bool ReadValue(const char* section, const char* entry, uint32_t& type, std::vector<uint8_t>& data);
    bool WriteValue(const char* section, const char* entry, uint32_t type, const std::vector<uint8_t>& data);
    bool DeleteValue(const char* section, const char* entry);

protected:
    // The raw value; false when it does not exist or cannot be read.
    virtual bool ReadRaw(const char* section, const char* entry, uint32_t& type,
                         std::vector<uint8_t>& data) = 0;
    virtual bool WriteRaw(const char* section, const char* entry, ProfileValueType type,
                          const std::vector<uint8_t>& data) = 0;
    virtual bool DeleteRaw(const char* section, const char* entry) = 0;
};

// A profile held in memory: for portable code's tests, and for a program running without a
// registry key.
class MemoryProfileStore : public ProfileStore {
public:
    // Stores a value of any type as it would come from outside (tests of bad values).
    void SetRaw(const char* section, const char* entry, uint32_t type, std::vector<uint8_t> data);
    bool Contains(const char* section, const char* entry) const;
    void Clear()
    {
        m_values.clear();
        m_refused.clear();
    }
    // From now on every write and deletion of this value is refused, as the registry refuses
    // one (a name past 255 characters is always refused, as there).
    void Refuse(const char* section, const char* entry);
    // Successful writes and deletions so far: a save with nothing to write makes none.
    size_t changes = 0;

protected:
    bool ReadRaw(const char* section, const char* entry, uint32_t& type, std::vector<uint8_t>& data) override;
    bool WriteRaw(const char* section, const char* entry, ProfileValueType type,
                  const std::vector<uint8_t>& data) override;
    bool DeleteRaw(const char* section, const char* entry) override;

private:
    struct Raw {
        uint32_t type;
        std::vector<uint8_t> data;
    };
    // Section and entry names compare without case, as registry names do.
    static std::string Key(const char* section, const char* entry);
    std::map<std::string, Raw> m_values;
    std::set<std::string> m_refused;
};
