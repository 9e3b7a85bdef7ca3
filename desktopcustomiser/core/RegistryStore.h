// The registry as the Windows-settings pages see it: values by root, key and name, written,
// deleted and walked. Pages work over this interface so that what they write is checked natively
// as an exact list of operations (MemoryRegistryStore), while the program uses the real registry.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The longest key or value name the registry takes.
constexpr size_t kMaxKeyName = 255;

enum class RegRoot { classesRoot, currentUser, localMachine };

// The value types the pages tell apart. A value of any other type keeps its own number, so that
// what is put back is what was read.
enum class RegType : uint32_t { string = 1, expandString = 2, binary = 3, dword = 4, multiString = 7 };

struct RegValue {
    RegType type = RegType::string;
    std::vector<uint8_t> data;  // strings without their NUL

    static RegValue String(const std::string& text, RegType type = RegType::string);
    static RegValue Binary(std::vector<uint8_t> bytes) { return {RegType::binary, std::move(bytes)}; }
    // The text up to its first NUL, as the registry's string readers end it.
    std::string Text() const;
    bool operator==(const RegValue&) const = default;
};

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    virtual std::optional<RegValue> Read(RegRoot root, const std::string& key, const std::string& name) = 0;
    // Creates the key when missing.
    virtual bool Write(RegRoot root, const std::string& key, const std::string& name, const RegValue& value) = 0;
    virtual bool DeleteValue(RegRoot root, const std::string& key, const std::string& name) = 0;
    virtual bool CreateKey(RegRoot root, const std::string& key) = 0;
    virtual bool KeyExists(RegRoot root, const std::string& key) = 0;
    virtual std::vector<std::string> SubKeys(RegRoot root, const std::string& key) = 0;
    virtual std::vector<std::string> ValueNames(RegRoot root, const std::string& key) = 0;
    // The key with everything below it. Refused (false, nothing deleted) for an empty name or
    // one starting with "\": such a name stands for the whole root.
    bool DeleteTree(RegRoot root, const std::string& key);

    // A string value's text; nothing for a missing value or one of another type.
    std::optional<std::string> ReadString(RegRoot root, const std::string& key, const std::string& name);
    std::optional<std::vector<uint8_t>> ReadBinary(RegRoot root, const std::string& key, const std::string& name);
    bool WriteString(RegRoot root, const std::string& key, const std::string& name, const std::string& text)
    {
        return Write(root, key, name, RegValue::String(text));
    }

protected:
    virtual bool DeleteTreeChecked(RegRoot root, const std::string& key) = 0;
};

bool IsDeletableKeyName(const std::string& key);

// An in-memory registry that logs every change as one line ("set HKLM\key\name = text",
// "delete HKCU\key\name", "delete tree HKCR\key", "create HKCR\key"). Key and value names
// compare without case, as the registry's do, and, as there, a key or value name over 255
// characters or an empty part of a key path is refused (nothing changes, nothing is logged).
// A test makes it refuse more, as a full or protected registry would: a change whose log line
// `refuse` accepts fails the same way.
class MemoryRegistryStore : public RegistryStore {
public:
    std::optional<RegValue> Read(RegRoot root, const std::string& key, const std::string& name) override;
    bool Write(RegRoot root, const std::string& key, const std::string& name, const RegValue& value) override;
    bool DeleteValue(RegRoot root, const std::string& key, const std::string& name) override;
    bool CreateKey(RegRoot root, const std::string& key) override;
    bool KeyExists(RegRoot root, const std::string& key) override;
    std::vector<std::string> SubKeys(RegRoot root, const std::string& key) override;
    std::vector<std::string> ValueNames(RegRoot root, const std::string& key) override;

    // Sets a value without logging it (the state before a test).
    void Seed(RegRoot root, const std::string& key, const std::string& name, const RegValue& value);
    std::vector<std::string> log;
    std::function<bool(const std::string& change)> refuse;

protected:
    bool DeleteTreeChecked(RegRoot root, const std::string& key) override;

private:
    static std::string Fold(const std::string& text);
    static bool FitsRegistry(const std::string& key, const std::string& name);
    static std::string Path(RegRoot root, const std::string& key);
    struct Key {
        std::string name;                            // as first written
        std::map<std::string, std::pair<std::string, RegValue>> values;  // folded name -> (name, value)
    };
    std::map<std::string, Key> m_keys;  // folded "ROOT\key" -> key
    void EnsureKey(RegRoot root, const std::string& key);
    bool Refused(const std::string& change) const { return refuse && refuse(change); }
};

const char* RegRootName(RegRoot root);
