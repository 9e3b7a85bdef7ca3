#include "FileTypes.h"

#include <algorithm>
#include <cctype>

const char kBadExtensionMessage[] =
    "An extension cannot contain any of the following characters:\n\\ / : * ? \" < > |";
const char kBadActionNameMessage[] = "An action's name cannot contain the character \\";

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

bool WriteFileType(RegistryStore& store, const std::string& typeKey, const FileTypeValues& values,
                   const FileTypeValues& remembered)
{
    if (typeKey.empty())
        return false;
    bool changed = false;
    if (!EqualNoCase(values.extensions, remembered.extensions)) {
        changed = true;
        // Extensions the type gives up keep their keys, with nothing named in them.
        for (const std::string& name : store.SubKeys(kRoot, "")) {
            if (IsExtensionKey(name) && EqualNoCase(DefaultText(store, name), typeKey))
                store.WriteString(kRoot, name, "", "");
        }
        for (const std::string& extension : SplitExtensions(values.extensions))
            store.WriteString(kRoot, ExtensionKey(LowerCase(extension)), "", typeKey);
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
    if (typeKey.empty())
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
    for (const std::string& keyName : store.SubKeys(kRoot, ShellKey(typeKey))) {
        if (!ownKeyName.empty() && EqualNoCase(keyName, ownKeyName))
            continue;
        std::string display = DefaultText(store, ActionKey(typeKey, keyName));
        if (!display.empty() && EqualNoCase(display, trimmed))
            return ActionNameCheck::duplicate;
    }
    return ActionNameCheck::ok;
}

ActionName WriteAction(RegistryStore& store, const std::string& typeKey, const ActionName& previous,
                       ActionValues values)
{
    ActionName result = previous;
    if (typeKey.empty())
        return result;
    if (values.program.find("%1") == std::string::npos)
        values.program += " %1";
    std::string name = Trim(values.displayName);
    bool keepKey = !previous.keyName.empty() && name == previous.displayName;
    if (keepKey) {
        store.DeleteTree(kRoot, ActionKey(typeKey, previous.keyName) + "\\ddeexec");
    } else {
        if (!previous.keyName.empty())
            store.DeleteTree(kRoot, ActionKey(typeKey, previous.keyName));
        std::string stem = name;
        std::replace(stem.begin(), stem.end(), ' ', '_');
        result.keyName = stem;
        for (int n = 2; store.KeyExists(kRoot, ActionKey(typeKey, result.keyName)); ++n)
            result.keyName = stem + std::to_string(n);
        // The shell's default named the old key: it now names the new one.
        if (!previous.keyName.empty() && EqualNoCase(DefaultText(store, ShellKey(typeKey)), previous.keyName))
            store.WriteString(kRoot, ShellKey(typeKey), "", result.keyName);
    }
    result.displayName = name;
    std::string key = ActionKey(typeKey, result.keyName);
    store.WriteString(kRoot, key, "", name);
    store.Write(kRoot, key + "\\command", "", RegValue::String(values.program, values.programType));
    if (values.useDde) {
        const std::pair<const char*, const std::string*> dde[] = {
            {"\\ddeexec", &values.ddeMessage},
            {"\\ddeexec\\application", &values.application},
            {"\\ddeexec\\ifexec", &values.ifExec},
            {"\\ddeexec\\topic", &values.topic},
        };
        for (const auto& [sub, text] : dde)
            if (!text->empty())
                store.WriteString(kRoot, key + sub, "", *text);
    }
    return result;
}

void RemoveAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName)
{
    if (typeKey.empty() || keyName.empty())
        return;
    store.DeleteTree(kRoot, ActionKey(typeKey, keyName));
    if (EqualNoCase(DefaultText(store, ShellKey(typeKey)), keyName))
        store.WriteString(kRoot, ShellKey(typeKey), "", "");
}

void SetDefaultAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName)
{
    if (typeKey.empty())
        return;
    store.WriteString(kRoot, ShellKey(typeKey), "", keyName);
}
