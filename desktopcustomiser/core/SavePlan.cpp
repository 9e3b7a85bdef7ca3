#include "SavePlan.h"

#include <algorithm>

std::optional<std::string> StoredText(const MaybeValue& value)
{
    if (!value || (value->type != kStringType && value->type != kExpandStringType))
        return std::nullopt;
    auto end = std::find(value->data.begin(), value->data.end(), uint8_t(0));
    return std::string(value->data.begin(), end);
}

std::optional<int> StoredInt(const MaybeValue& value)
{
    if (!value || value->type != kIntegerType || value->data.size() != 4)
        return std::nullopt;
    return DecodeProfileInt(value->type, value->data.data(), value->data.size(), 0);
}

MaybeValue ReadProfileValue(ProfileStore& profile, const char* section, const char* entry)
{
    StoredValue value;
    if (!profile.ReadValue(section, entry, value.type, value.data))
        return std::nullopt;
    return value;
}

ValuePut ProfileValuePut(ProfileStore& profile, const std::string& section, const std::string& entry)
{
    return [&profile, section, entry](const MaybeValue& value) {
        if (!value)
            return profile.DeleteValue(section.c_str(), entry.c_str());
        return profile.WriteValue(section.c_str(), entry.c_str(), value->type, value->data);
    };
}

MaybeValue ReadRegistryValue(RegistryStore& registry, RegRoot root, const std::string& key, const std::string& name)
{
    auto read = registry.Read(root, key, name);
    if (!read)
        return std::nullopt;
    StoredValue value{static_cast<uint32_t>(read->type), read->data};
    // The store keeps strings without their NUL; as stored they have one.
    if (value.type == kStringType || value.type == kExpandStringType)
        value.data.push_back(0);
    return value;
}

ValuePut RegistryValuePut(RegistryStore& registry, RegRoot root, const std::string& key, const std::string& name)
{
    return [&registry, root, key, name](const MaybeValue& value) {
        if (!value)
            return registry.DeleteValue(root, key, name) || !registry.Read(root, key, name);
        if (value->type == kStringType || value->type == kExpandStringType)
            return registry.Write(root, key, name, RegValue::String(*StoredText(value), RegType(value->type)));
        return registry.Write(root, key, name, RegValue{RegType(value->type), value->data});
    };
}

void PlanText(WritePlan& plan, std::string name, ValuePut put, const MaybeValue& before, const std::string& shown,
              const std::string& left)
{
    if (left == shown)
        return;
    uint32_t type = before && before->type == kExpandStringType ? kExpandStringType : kStringType;
    plan.push_back({std::move(name), before, StoredValue{type, EncodeProfileString(left.c_str())}, std::move(put)});
}

void PlanInt(WritePlan& plan, std::string name, ValuePut put, const MaybeValue& before, int shown, int left)
{
    if (left == shown)
        return;
    plan.push_back({std::move(name), before, StoredValue{kIntegerType, EncodeProfileInt(left)}, std::move(put)});
}

void PlanDelete(WritePlan& plan, std::string name, ValuePut put, const MaybeValue& before)
{
    if (before)
        plan.push_back({std::move(name), before, std::nullopt, std::move(put)});
}

std::optional<std::string> RunWritePlan(const WritePlan& plan)
{
    for (size_t i = 0; i < plan.size(); ++i) {
        if (plan[i].put(plan[i].after))
            continue;
        for (size_t k = i; k-- > 0;)
            plan[k].put(plan[k].before);
        return plan[i].name;
    }
    return std::nullopt;
}

std::string RefusedWriteMessage(const std::string& name)
{
    return "The setting \"" + name +
           "\" could not be written, so this page was not saved. What it had written before is put back "
           "wherever the registry allows it.";
}
