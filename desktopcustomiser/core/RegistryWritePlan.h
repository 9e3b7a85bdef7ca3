// A save as a list of registry changes: computed from what a page read and what the user left,
// then run in order with every result checked. A save that is refused half-way takes back what
// it had already changed, so the registry is left as the page found it.
#pragma once

#include "RegistryStore.h"

#include <optional>
#include <string>
#include <vector>

struct RegWrite {
    enum class Kind { setValue, deleteValue, createKey, deleteTree };
    Kind kind = Kind::setValue;
    RegRoot root = RegRoot::classesRoot;
    std::string key;
    std::string name;  // the value's name ("" the key's default); unused for keys
    RegValue value;    // setValue only

    static RegWrite Set(RegRoot root, std::string key, std::string name, RegValue value);
    static RegWrite Delete(RegRoot root, std::string key, std::string name);
    static RegWrite Create(RegRoot root, std::string key);
    static RegWrite DeleteTree(RegRoot root, std::string key);
    bool operator==(const RegWrite&) const = default;
};
using RegWritePlan = std::vector<RegWrite>;

// The write that turns what was read into what the user left: nothing when both are the same
// (type and bytes), a deletion when nothing is left, else the value left.
void PlanValue(RegWritePlan& plan, RegRoot root, const std::string& key, const std::string& name,
               const std::optional<RegValue>& read, const std::optional<RegValue>& left);

// A key as it stands, with its values and everything below it: what a rename copies and what
// undoing a deleted tree puts back.
struct RegTree {
    std::string name;  // the key's own name, last part only
    std::vector<std::pair<std::string, RegValue>> values;
    std::vector<RegTree> subKeys;
};
std::optional<RegTree> ReadTree(RegistryStore& store, RegRoot root, const std::string& key);
// The writes that make key hold the tree's values and sub keys (the key itself is created even
// when the tree holds nothing).
void PlanTree(RegWritePlan& plan, RegRoot root, const std::string& key, const RegTree& tree);

struct PlanOutcome {
    bool ok = true;
    std::string refused;  // "HKCR\key\name", "HKCR\key\(Default)" or "HKCR\key": what the registry refused
};
// Runs the plan in order. Deleting what is already gone counts as done. On the first refused
// change it stops and takes back, newest first, what this run changed: values and trees as they
// were, keys it created removed.
PlanOutcome RunWritePlan(RegistryStore& store, const RegWritePlan& plan);
