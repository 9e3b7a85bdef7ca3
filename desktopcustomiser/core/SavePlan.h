// A page's save as a list of writes: each value the page shows is kept as it was read (type and
// bytes), and the save writes only the values whose shown state the user changed. The list runs
// in order, checking every write; at the first refused one it stops, puts back what it had
// written, and names the value that could not be written.
#pragma once

#include "RegistryStore.h"
#include "framework/ProfileStore.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A stored value as read: its type number and its bytes as stored; nothing when it is missing.
struct StoredValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool operator==(const StoredValue&) const = default;
};
using MaybeValue = std::optional<StoredValue>;

constexpr uint32_t kStringType = 1, kExpandStringType = 2, kIntegerType = 4;

// The text of a string or expandable string up to its first NUL; nothing for a missing value
// or one of another type, which a page cannot show.
std::optional<std::string> StoredText(const MaybeValue& value);
// A 4-byte integer value; nothing otherwise.
std::optional<int> StoredInt(const MaybeValue& value);

// Puts a value (nothing: deletes it); false when the store refuses.
using ValuePut = std::function<bool(const MaybeValue&)>;

struct PlannedWrite {
    std::string name;  // the value, as the message names it
    MaybeValue before, after;
    ValuePut put;
};
using WritePlan = std::vector<PlannedWrite>;

// Reading and putting values of the profile and of the registry.
MaybeValue ReadProfileValue(ProfileStore& profile, const char* section, const char* entry);
ValuePut ProfileValuePut(ProfileStore& profile, const std::string& section, const std::string& entry);
MaybeValue ReadRegistryValue(RegistryStore& registry, RegRoot root, const std::string& key, const std::string& name);
ValuePut RegistryValuePut(RegistryStore& registry, RegRoot root, const std::string& key, const std::string& name);

// Adds a write when what the user left differs from what the page showed for the value as read.
// A text keeps the string type it was read with (an expandable string stays one).
void PlanText(WritePlan& plan, std::string name, ValuePut put, const MaybeValue& before, const std::string& shown,
              const std::string& left);
void PlanInt(WritePlan& plan, std::string name, ValuePut put, const MaybeValue& before, int shown, int left);
// Deletes the value when the page showed it present and the user left it absent.
void PlanDelete(WritePlan& plan, std::string name, ValuePut put, const MaybeValue& before);

// Runs the plan. Empty when every write went in; else the name of the first refused value,
// after what this run wrote has been put back, newest first.
std::optional<std::string> RunWritePlan(const WritePlan& plan);

// The text a page shows when a save stops.
std::string RefusedWriteMessage(const std::string& name);
