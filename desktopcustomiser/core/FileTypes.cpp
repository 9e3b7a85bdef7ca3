#include "FileTypes.h"

#include <algorithm>
#include <cctype>
#include <tuple>

const char kBadExtensionMessage[] =
    "An extension cannot contain any of the following characters:\n\\ / : * ? \" < > |";
const char kBadActionNameMessage[] = "An action's name cannot contain the character \\";
const char kLongActionNameMessage[] = "An action's name cannot be longer than 250 characters";
const char kLongExtensionMessage[] = "An extension cannot be longer than 254 characters";
const char kActionNotWrittenMessage[] =
    "The action could not be written to the registry:\n%s was refused.\n\nThe action was left as it was.";
const char kTypeNotWrittenMessage[] =
    "The file type could not be written to the registry:\n%s was refused.\n\nThe file type was left as it was.";
const char kUnusableTypeKeyMessage[] =
    "This file type cannot be changed or removed:\nits registry key \"%s\" is not a valid key name";

namespace {

const RegRoot kRoot = RegRoot::classesRoot;

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ShellKey(const std::string& typeKey)
{
    return typeKey + "\\Shell";
}

std::string ActionKey(const std::string& typeKey, const std::string& keyName)
{
    return ShellKey(typeKey) + "\\" + keyName;
}

std::string DefaultText(RegistryStore& store, const std::string& key)
{
    return store.ReadString(kRoot, key, "").value_or("");
}

// " text ": built by appending, as "literal" + string trips a false overlap warning of GCC 12.
std::string Padded(const std::string& text)
{
    std::string padded(1, ' ');
    padded += text;
    padded += ' ';
    return padded;
}

bool IsExtensionKey(const std::string& name)
{
    return !name.empty() && name[0] == '.';
}

// A text the user changed, stored with the type it was read with when that was a string type.
std::optional<RegValue> TextLike(const std::optional<RegValue>& read, const std::string& text)
{
    bool expandable = read && read->type == RegType::expandString;
    return RegValue::String(text, expandable ? RegType::expandString : RegType::string);
}

}  // namespace

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return LowerCase(a) == LowerCase(b);
}

std::string ExtensionKey(const std::string& extension)
{
    std::string name(1, '.');
    name += extension;
    return name;
}

std::vector<std::string> SplitExtensions(const std::string& text)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
        size_t end = text.find(' ', at);
        parts.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end;
    }
    return parts;
}

std::string JoinExtensions(const std::vector<std::string>& extensions)
{
    std::string text;
    for (const std::string& extension : extensions)
        text += (text.empty() ? "" : " ") + extension;
    return text;
}

CleanExtensions CleanExtensionsText(const std::string& typed)
{
    CleanExtensions result;
    std::vector<std::string> kept;
    for (std::string extension : SplitExtensions(typed)) {
        if (extension.find_first_of("\\/:*?\"<>|") != std::string::npos) {
            result.check = ExtensionsCheck::badCharacter;
            return result;
        }
        extension.erase(0, extension.find_first_not_of('.'));
        if (extension.size() > kMaxKeyName - 1) {
            result.check = ExtensionsCheck::tooLong;
            return result;
        }
        if (!extension.empty())
            kept.push_back(UpperCase(extension));
    }
    result.text = JoinExtensions(kept);
    if (result.text.empty())
        result.check = ExtensionsCheck::empty;
    return result;
}

std::string ExtensionConflicts(const std::string& extensions, const std::string& otherExtensions, int* count)
{
    std::string list;
    int found = 0;
    for (const std::string& extension : SplitExtensions(extensions)) {
        if (otherExtensions.find(Padded(UpperCase(extension))) != std::string::npos) {
            list += UpperCase(extension) + " ";
            ++found;
        }
    }
    if (count)
        *count = found;
    return list;
}

std::optional<std::string> RemoveExtensions(const std::string& rowText, const std::string& taken)
{
    std::string text = Padded(rowText);
    for (const std::string& extension : SplitExtensions(taken)) {
        size_t at = text.find(Padded(extension));
        if (at != std::string::npos)
            text.erase(at, extension.size() + 1);
    }
    std::string left = Trim(text);
    if (left.empty())
        return std::nullopt;
    return left;
}

bool IsUsableTypeKey(const std::string& typeKey)
{
    return !typeKey.empty() && typeKey.find('\\') == std::string::npos;
}

std::string ChooseTypeKey(RegistryStore& store, const std::string& extensions)
{
    std::string stem;
    for (char c : extensions)
        if (c != ' ')
            stem += c;
    stem = LowerCase(stem);
    for (int n = 1;; ++n) {
        std::string suffix = n == 1 ? std::string("file") : std::string("file") + std::to_string(n);
        std::string name = stem.substr(0, kMaxKeyName - suffix.size()) + suffix;
        if (!store.KeyExists(kRoot, name))
            return name;
    }
}

TypeIconText SplitTypeIcon(const std::string& text)
{
    size_t comma = text.rfind(',');
    if (comma == std::string::npos)
        return {text, "0"};
    std::string after = text.substr(comma + 1);
    bool numberLike = after.find_first_of("abcdefghijklmnopqrstuvwxyz,.!@#$%^&()_=+~`;'\"{}") == std::string::npos;
    if (numberLike)
        return {text.substr(0, comma), after};
    return {text, ""};
}

void ReadFileTypeFlags(RegistryStore& store, const std::string& typeKey, FileTypeValues& values)
{
    if (typeKey.empty())
        return;
    values.quickView = DefaultText(store, typeKey + "\\quickview") == "*";
    values.alwaysShowExt = store.Read(kRoot, typeKey, "AlwaysShowExt").has_value();
}

std::string RowDescription(RegistryStore& store, const std::string& typeKey, const std::string& shellName)
{
    if (typeKey.empty())
        return shellName;
    std::string stored = DefaultText(store, typeKey);
    return stored.size() >= kShellTypeNameSize ? stored : shellName;
}

TypeIconCheck CheckTypeIcon(const std::string& iconFile, int iconNumber, int iconCount,
                            const FileTypeValues& remembered)
{
    if (iconFile == remembered.iconFile && iconNumber == remembered.iconNumber)
        return TypeIconCheck::ok;
    if (iconFile.empty() || iconFile == "%1" || iconNumber < iconCount)
        return TypeIconCheck::ok;
    return iconCount == 0 ? TypeIconCheck::noIcons : TypeIconCheck::beyondCount;
}

FileTypeTarget ChooseSaveTarget(RegistryStore& store, const std::string& typeKey, const std::string& extensions,
                                const FileTypeValues& remembered)
{
    if (!typeKey.empty())
        return {typeKey, remembered, false};
    return {ChooseTypeKey(store, extensions), FileTypeValues{}, true};
}

FileTypeSave PlanFileType(RegistryStore& store, const std::string& typeKey, const FileTypeValues& values,
                          const FileTypeValues& remembered)
{
    FileTypeSave save;
    if (!IsUsableTypeKey(typeKey))
        return save;
    RegWritePlan& plan = save.plan;
    if (!EqualNoCase(values.extensions, remembered.extensions)) {
        save.changed = true;
        std::vector<std::string> listed;
        for (const std::string& extension : SplitExtensions(values.extensions)) {
            listed.push_back(ExtensionKey(LowerCase(extension)));
            // One already naming the type, in whatever case, names its key already.
            auto named = store.ReadString(kRoot, listed.back(), "");
            if (!named || !EqualNoCase(*named, typeKey))
                plan.push_back(RegWrite::Set(kRoot, listed.back(), "", RegValue::String(typeKey)));
        }
        // Only then do the extensions the type gave up lose it: they keep their keys, with
        // nothing named in them. The plan stops at the first refused write, so none is emptied
        // unless every listed one points at the type.
        for (const std::string& name : store.SubKeys(kRoot, "")) {
            bool kept = std::any_of(listed.begin(), listed.end(),
                                    [&](const std::string& key) { return EqualNoCase(key, name); });
            if (!kept && IsExtensionKey(name) && EqualNoCase(DefaultText(store, name), typeKey))
                plan.push_back(RegWrite::Set(kRoot, name, "", RegValue::String("")));
        }
    }
    if (values.iconFile != remembered.iconFile || values.iconNumber != remembered.iconNumber) {
        save.changed = true;
        std::string icon;
        if (values.iconFile == "%1")
            icon = "%1";
        else if (!values.iconFile.empty())
            icon = values.iconFile + "," + std::to_string(values.iconNumber);
        std::string key = typeKey + "\\DefaultIcon";
        auto stored = store.Read(kRoot, key, "");
        PlanValue(plan, kRoot, key, "", stored, TextLike(stored, icon));
    }
    if (values.description != remembered.description) {
        save.changed = true;
        auto stored = store.Read(kRoot, typeKey, "");
        PlanValue(plan, kRoot, typeKey, "", stored, TextLike(stored, values.description));
    }
    if (values.quickView != remembered.quickView) {
        if (values.quickView)
            plan.push_back(RegWrite::Set(kRoot, typeKey + "\\quickview", "", RegValue::String("*")));
        else
            plan.push_back(RegWrite::DeleteTree(kRoot, typeKey + "\\quickview"));
    }
    if (values.alwaysShowExt != remembered.alwaysShowExt) {
        if (values.alwaysShowExt)
            plan.push_back(RegWrite::Set(kRoot, typeKey, "AlwaysShowExt", RegValue::String("*")));
        else
            plan.push_back(RegWrite::Delete(kRoot, typeKey, "AlwaysShowExt"));
    }
    return save;
}

bool RemoveFileType(RegistryStore& store, const std::string& typeKey)
{
    if (!IsUsableTypeKey(typeKey))
        return false;
    store.DeleteTree(kRoot, typeKey);
    // The names are listed before anything goes, so no key is skipped as the others move up.
    for (const std::string& name : store.SubKeys(kRoot, "")) {
        if (IsExtensionKey(name) && EqualNoCase(DefaultText(store, name), typeKey))
            store.DeleteTree(kRoot, name);
    }
    return true;
}

std::vector<ActionName> ReadActions(RegistryStore& store, const std::string& typeKey)
{
    std::vector<ActionName> actions;
    if (typeKey.empty())
        return actions;
    for (const std::string& keyName : store.SubKeys(kRoot, ShellKey(typeKey))) {
        std::string display = DefaultText(store, ActionKey(typeKey, keyName));
        actions.push_back({display.empty() ? keyName : display, keyName});
    }
    return actions;
}

ActionValues ReadAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName)
{
    ActionValues values;
    std::string key = ActionKey(typeKey, keyName);
    values.displayName = DefaultText(store, key);
    if (values.displayName.empty())
        values.displayName = keyName;
    if (auto command = store.Read(kRoot, key + "\\command", "");
        command && (command->type == RegType::string || command->type == RegType::expandString))
        values.program = command->Text();
    values.ddeMessage = DefaultText(store, key + "\\ddeexec");
    values.application = DefaultText(store, key + "\\ddeexec\\application");
    values.ifExec = DefaultText(store, key + "\\ddeexec\\ifexec");
    values.topic = DefaultText(store, key + "\\ddeexec\\topic");
    values.useDde = !values.ddeMessage.empty() || !values.application.empty() || !values.ifExec.empty() ||
                    !values.topic.empty();
    return values;
}

namespace {

bool NameChanged(const std::string& shown, const std::string& typed)
{
    return Trim(typed) != Trim(shown);
}

}  // namespace

ActionNameCheck CheckActionName(RegistryStore& store, const std::string& typeKey, const ActionName& previous,
                                const std::string& name)
{
    if (!previous.keyName.empty() && !NameChanged(previous.displayName, name))
        return ActionNameCheck::ok;
    std::string trimmed = Trim(name);
    if (trimmed.empty())
        return ActionNameCheck::empty;
    if (trimmed.find('\\') != std::string::npos)
        return ActionNameCheck::badCharacter;
    if (trimmed.size() > kMaxActionName)
        return ActionNameCheck::tooLong;
    for (const std::string& keyName : store.SubKeys(kRoot, ShellKey(typeKey))) {
        if (!previous.keyName.empty() && EqualNoCase(keyName, previous.keyName))
            continue;
        std::string display = DefaultText(store, ActionKey(typeKey, keyName));
        if (!display.empty() && EqualNoCase(display, trimmed))
            return ActionNameCheck::duplicate;
    }
    return ActionNameCheck::ok;
}

ActionSave PlanAction(RegistryStore& store, const std::string& typeKey, const ActionName& previous,
                      const ActionValues& read, const ActionValues& left)
{
    ActionSave save;
    save.names = previous;
    if (!IsUsableTypeKey(typeKey))
        return save;
    RegWritePlan& plan = save.plan;
    const bool existing = !previous.keyName.empty();
    const std::string oldKey = existing ? ActionKey(typeKey, previous.keyName) : std::string();
    const bool nameChanged = !existing || NameChanged(read.displayName, left.displayName);
    const bool ddeCleared = read.useDde && !left.useDde;
    std::string name = Trim(left.displayName);
    std::string stem = name;
    std::replace(stem.begin(), stem.end(), ' ', '_');

    std::optional<RegTree> copied;
    // A name whose key is the action's own in other letters keeps the key too.
    if (nameChanged && !(existing && EqualNoCase(stem, previous.keyName))) {
        save.names.keyName = stem;
        for (int n = 2; store.KeyExists(kRoot, ActionKey(typeKey, save.names.keyName)); ++n)
            save.names.keyName = stem + std::to_string(n);
        if (existing)
            copied = ReadTree(store, kRoot, oldKey);
    }
    const std::string key = ActionKey(typeKey, save.names.keyName);
    if (copied) {
        if (ddeCleared)
            copied->subKeys.erase(std::remove_if(copied->subKeys.begin(), copied->subKeys.end(),
                                                 [](const RegTree& sub) { return EqualNoCase(sub.name, "ddeexec"); }),
                                  copied->subKeys.end());
        PlanTree(plan, kRoot, key, *copied);
    }
    // What the key holds before the user's changes: the old key's values, also once copied.
    auto storedAt = [&](const std::string& sub) {
        return existing ? store.Read(kRoot, oldKey + sub, "") : std::optional<RegValue>();
    };

    if (nameChanged) {
        save.names.displayName = name;
        PlanValue(plan, kRoot, key, "", storedAt(""), RegValue::String(name));
    }
    if (!existing || left.program != read.program) {
        std::string program = left.program;
        if (program.find("%1") == std::string::npos)
            program += " %1";
        std::optional<RegValue> stored = storedAt("\\command");
        PlanValue(plan, kRoot, key + "\\command", "", stored, TextLike(stored, program));
    }
    if (left.useDde) {
        const std::tuple<const char*, const std::string*, const std::string*> dde[] = {
            {"\\ddeexec", &read.ddeMessage, &left.ddeMessage},
            {"\\ddeexec\\application", &read.application, &left.application},
            {"\\ddeexec\\ifexec", &read.ifExec, &left.ifExec},
            {"\\ddeexec\\topic", &read.topic, &left.topic},
        };
        for (const auto& [sub, before, after] : dde) {
            if (existing && *before == *after)
                continue;
            std::optional<RegValue> stored = storedAt(sub);
            PlanValue(plan, kRoot, key + sub, "", stored,
                      after->empty() ? std::nullopt : TextLike(stored, *after));
        }
    } else if (ddeCleared && !copied) {
        plan.push_back(RegWrite::DeleteTree(kRoot, key + "\\ddeexec"));
    }
    if (copied) {
        // The shell's default named the old key: it now names the new one.
        if (EqualNoCase(DefaultText(store, ShellKey(typeKey)), previous.keyName))
            plan.push_back(RegWrite::Set(kRoot, ShellKey(typeKey), "", RegValue::String(save.names.keyName)));
        plan.push_back(RegWrite::DeleteTree(kRoot, oldKey));
    }
    return save;
}

void RemoveAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName)
{
    if (!IsUsableTypeKey(typeKey) || keyName.empty())
        return;
    store.DeleteTree(kRoot, ActionKey(typeKey, keyName));
    if (EqualNoCase(DefaultText(store, ShellKey(typeKey)), keyName))
        store.WriteString(kRoot, ShellKey(typeKey), "", "");
}

void SetDefaultAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName)
{
    if (!IsUsableTypeKey(typeKey))
        return;
    store.WriteString(kRoot, ShellKey(typeKey), "", keyName);
}
