#include "RegistryWritePlan.h"

RegWrite RegWrite::Set(RegRoot root, std::string key, std::string name, RegValue value)
{
    return {Kind::setValue, root, std::move(key), std::move(name), std::move(value)};
}

RegWrite RegWrite::Delete(RegRoot root, std::string key, std::string name)
{
    return {Kind::deleteValue, root, std::move(key), std::move(name), {}};
}

RegWrite RegWrite::Create(RegRoot root, std::string key)
{
    return {Kind::createKey, root, std::move(key), {}, {}};
}

RegWrite RegWrite::DeleteTree(RegRoot root, std::string key)
{
    return {Kind::deleteTree, root, std::move(key), {}, {}};
}

void PlanValue(RegWritePlan& plan, RegRoot root, const std::string& key, const std::string& name,
               const std::optional<RegValue>& read, const std::optional<RegValue>& left)
{
    if (read == left)
        return;
    if (left)
        plan.push_back(RegWrite::Set(root, key, name, *left));
    else
        plan.push_back(RegWrite::Delete(root, key, name));
}

std::optional<RegTree> ReadTree(RegistryStore& store, RegRoot root, const std::string& key)
{
    if (!store.KeyExists(root, key))
        return std::nullopt;
    RegTree tree;
    size_t slash = key.rfind('\\');
    tree.name = slash == std::string::npos ? key : key.substr(slash + 1);
    for (const std::string& name : store.ValueNames(root, key))
        if (auto value = store.Read(root, key, name))
            tree.values.emplace_back(name, std::move(*value));
    for (const std::string& sub : store.SubKeys(root, key))
        if (auto child = ReadTree(store, root, key + "\\" + sub))
            tree.subKeys.push_back(std::move(*child));
    return tree;
}

void PlanTree(RegWritePlan& plan, RegRoot root, const std::string& key, const RegTree& tree)
{
    plan.push_back(RegWrite::Create(root, key));
    for (const auto& [name, value] : tree.values)
        plan.push_back(RegWrite::Set(root, key, name, value));
    for (const RegTree& sub : tree.subKeys)
        PlanTree(plan, root, key + "\\" + sub.name, sub);
}

namespace {

// The outermost key of the path that does not exist yet: removing it takes back whatever a write
// created on the way down.
std::optional<std::string> FirstMissingKey(RegistryStore& store, RegRoot root, const std::string& key)
{
    for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
        std::string part = key.substr(0, end);
        if (!store.KeyExists(root, part))
            return part;
        if (end == std::string::npos)
            return std::nullopt;
    }
}

// As the registry editor shows it: the key, then the value's name, "(Default)" for the key's own.
std::string Where(const RegWrite& write)
{
    std::string where = std::string(RegRootName(write.root)) + "\\" + write.key;
    if (write.kind == RegWrite::Kind::setValue || write.kind == RegWrite::Kind::deleteValue)
        where += "\\" + (write.name.empty() ? std::string("(Default)") : write.name);
    return where;
}

// How to take one change back, taken before it is made.
struct Undo {
    RegWrite::Kind kind;
    RegRoot root;
    std::string key, name;
    std::optional<std::string> createdKey;  // to remove
    std::optional<RegValue> oldValue;       // to put back (values)
    std::optional<RegTree> oldTree;         // to put back (deleted trees)
};

void TakeBack(RegistryStore& store, const Undo& undo)
{
    if (undo.createdKey) {
        store.DeleteTree(undo.root, *undo.createdKey);
        return;
    }
    switch (undo.kind) {
    case RegWrite::Kind::setValue:
    case RegWrite::Kind::deleteValue:
        if (undo.oldValue)
            store.Write(undo.root, undo.key, undo.name, *undo.oldValue);
        else
            store.DeleteValue(undo.root, undo.key, undo.name);
        break;
    case RegWrite::Kind::createKey: break;
    case RegWrite::Kind::deleteTree:
        if (undo.oldTree) {
            RegWritePlan restore;
            PlanTree(restore, undo.root, undo.key, *undo.oldTree);
            for (const RegWrite& write : restore)
                write.kind == RegWrite::Kind::createKey ? store.CreateKey(write.root, write.key)
                                                        : store.Write(write.root, write.key, write.name, write.value);
        }
        break;
    }
}

}  // namespace

PlanOutcome RunWritePlan(RegistryStore& store, const RegWritePlan& plan)
{
    std::vector<Undo> done;
    for (const RegWrite& write : plan) {
        Undo undo{write.kind, write.root, write.key, write.name, {}, {}, {}};
        bool ok = true;
        switch (write.kind) {
        case RegWrite::Kind::setValue:
            undo.createdKey = FirstMissingKey(store, write.root, write.key);
            if (!undo.createdKey)
                undo.oldValue = store.Read(write.root, write.key, write.name);
            ok = store.Write(write.root, write.key, write.name, write.value);
            break;
        case RegWrite::Kind::deleteValue:
            undo.oldValue = store.Read(write.root, write.key, write.name);
            if (!undo.oldValue)
                continue;
            ok = store.DeleteValue(write.root, write.key, write.name);
            break;
        case RegWrite::Kind::createKey:
            undo.createdKey = FirstMissingKey(store, write.root, write.key);
            if (!undo.createdKey)
                continue;
            ok = store.CreateKey(write.root, write.key);
            break;
        case RegWrite::Kind::deleteTree:
            undo.oldTree = ReadTree(store, write.root, write.key);
            if (!undo.oldTree)
                continue;
            ok = store.DeleteTree(write.root, write.key);
            break;
        }
        if (!ok) {
            for (auto it = done.rbegin(); it != done.rend(); ++it)
                TakeBack(store, *it);
            return {false, Where(write)};
        }
        done.push_back(std::move(undo));
    }
    return {};
}
