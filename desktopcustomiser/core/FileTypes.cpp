#include "FileTypes.h"

#include <algorithm>
#include <cctype>

const char kBadExtensionMessage[] =
    "An extension cannot contain any of the following characters:\n\\ / : * ? \" < > |";
const char kBadActionNameMessage[] = "An action's name cannot contain the character \\";
const char kLongActionNameMessage[] = "An action's name cannot be longer than 250 characters";
const char kActionNotWrittenMessage[] = "The action could not be written to the registry";
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

bool WriteFileType(RegistryStore& store, const std::string& typeKey, const FileTypeValues& values,
                   const FileTypeValues& remembered)
{
    if (!IsUsableTypeKey(typeKey))
        return false;
    bool changed = false;
    if (!EqualNoCase(values.extensions, remembered.extensions)) {
        changed = true;
        std::vector<std::string> listed;
        for (const std::string& extension : SplitExtensions(values.extensions)) {
            listed.push_back(ExtensionKey(LowerCase(extension)));
            store.WriteString(kRoot, listed.back(), "", typeKey);
        }
        // Only then do the extensions the type gave up lose it: they keep their keys, with
        // nothing named in them.
        for (const std::string& name : store.SubKeys(kRoot, "")) {
            bool kept = std::any_of(listed.begin(), listed.end(),
                                    [&](const std::string& key) { return EqualNoCase(key, name); });
            if (!kept && IsExtensionKey(name) && EqualNoCase(DefaultText(store, name), typeKey))
                store.WriteString(kRoot, name, "", "");
        }
    }
    if (values.iconFile != remembered.iconFile || values.iconNumber != remembered.iconNumber) {
        changed = true;
        std::string icon;
        if (values.iconFile == "%1")
            icon = "%1";
        else if (!values.iconFile.empty())
            icon = values.iconFile + "," + std::to_string(values.iconNumber);
        store.WriteString(kRoot, typeKey + "\\DefaultIcon", "", icon);
    }
    if (values.description != remembered.description) {
        changed = true;
        store.WriteString(kRoot, typeKey, "", values.description);
    }
    if (values.quickView)
        store.WriteString(kRoot, typeKey + "\\quickview", "", "*");
    else if (remembered.quickView)
        store.DeleteTree(kRoot, typeKey + "\\quickview");
    if (values.alwaysShowExt)
        store.WriteString(kRoot, typeKey, "AlwaysShowExt", "*");
    else
        store.DeleteValue(kRoot, typeKey, "AlwaysShowExt");
    return changed;
}

bool RemoveFileType(RegistryStore& store, const std::string& typeKey)
{
    if (!IsUsableTypeKey(typeKey))
        return false;
    store.DeleteTree(kRoot, typeKey);
    // The names are listed before anything goes, so no key is skipped as the others move up.
    for (const std::string& name : store.SubKeys(kRoot, "")) {
        if (IsExtensionKey(name) && DefaultText(store, name) == typeKey)
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
        command && (command->type == RegType::string || command->type == RegType::expandString)) {
        values.programType = command->type;
        values.program = command->Text();
    }
    values.ddeMessage = DefaultText(store, key + "\\ddeexec");
    values.application = DefaultText(store, key + "\\ddeexec\\application");
    values.ifExec = DefaultText(store, key + "\\ddeexec\\ifexec");
    values.topic = DefaultText(store, key + "\\ddeexec\\topic");
    values.useDde = !values.ddeMessage.empty() || !values.application.empty() || !values.ifExec.empty() ||
                    !values.topic.empty();
    return values;
}

ActionNameCheck CheckActionName(RegistryStore& store, const std::string& typeKey, const std::string& ownKeyName,
                                const std::string& name)
{
    std::string trimmed = Trim(name);
    if (trimmed.empty())
        return ActionNameCheck::empty;
    if (trimmed.find('\\') != std::string::npos)
        return ActionNameCheck::badCharacter;
    if (trimmed.size() > kMaxActionName)
        return ActionNameCheck::tooLong;
    for (const std::string& keyName : store.SubKeys(kRoot, ShellKey(typeKey))) {
        if (!ownKeyName.empty() && EqualNoCase(keyName, ownKeyName))
            continue;
        std::string display = DefaultText(store, ActionKey(typeKey, keyName));
        if (!display.empty() && EqualNoCase(display, trimmed))
            return ActionNameCheck::duplicate;
    }
    return ActionNameCheck::ok;
}

namespace {

// The action's values under its key; false as soon as the registry refuses one.
bool WriteActionValues(RegistryStore& store, const std::string& key, const std::string& name,
                       const ActionValues& values)
{
    if (!store.WriteString(kRoot, key, "", name))
        return false;
    if (!store.Write(kRoot, key + "\\command", "", RegValue::String(values.program, values.programType)))
        return false;
    if (!values.useDde)
        return true;
    const std::pair<const char*, const std::string*> dde[] = {
        {"\\ddeexec", &values.ddeMessage},
        {"\\ddeexec\\application", &values.application},
        {"\\ddeexec\\ifexec", &values.ifExec},
        {"\\ddeexec\\topic", &values.topic},
    };
    for (const auto& [sub, text] : dde)
        if (!text->empty() && !store.WriteString(kRoot, key + sub, "", *text))
            return false;
    return true;
}

}  // namespace

std::optional<ActionName> WriteAction(RegistryStore& store, const std::string& typeKey, const ActionName& previous,
                                      ActionValues values)
{
    if (!IsUsableTypeKey(typeKey))
        return std::nullopt;
    if (values.program.find("%1") == std::string::npos)
        values.program += " %1";
    std::string name = Trim(values.displayName);
    std::string stem = name;
    std::replace(stem.begin(), stem.end(), ' ', '_');
    ActionName result{name, previous.keyName};
    // A name whose key is the action's own in other letters keeps the key too.
    bool keepKey = !previous.keyName.empty() && (name == previous.displayName || EqualNoCase(stem, previous.keyName));
    if (keepKey) {
        store.DeleteTree(kRoot, ActionKey(typeKey, previous.keyName) + "\\ddeexec");
    } else {
        result.keyName = stem;
        for (int n = 2; store.KeyExists(kRoot, ActionKey(typeKey, result.keyName)); ++n)
            result.keyName = stem + std::to_string(n);
    }
    std::string key = ActionKey(typeKey, result.keyName);
    if (!WriteActionValues(store, key, name, values)) {
        // A new key written in part goes again; the action stays under its old key.
        if (!keepKey)
            store.DeleteTree(kRoot, key);
        return std::nullopt;
    }
    if (!keepKey && !previous.keyName.empty()) {
        // The shell's default named the old key: it now names the new one.
        if (EqualNoCase(DefaultText(store, ShellKey(typeKey)), previous.keyName))
            store.WriteString(kRoot, ShellKey(typeKey), "", result.keyName);
        store.DeleteTree(kRoot, ActionKey(typeKey, previous.keyName));
    }
    return result;
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
