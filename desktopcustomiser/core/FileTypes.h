// Registered file types under the class root, as rules over the registry store: what the file
// types page and its dialogs read, and the exact writes and deletions of every save, action edit
// and removal.
//
// Layout of one type (all under the class root):
//   .ext                     @ = type key            (one key per extension)
//   typekey                  @ = description, AlwaysShowExt = "*" (present while shown)
//   typekey\DefaultIcon      @ = "file,number", "%1" or empty
//   typekey\quickview        @ = "*" while Quick View may open the type
//   typekey\Shell            @ = key name of the default action
//   typekey\Shell\verb       @ = display name
//   typekey\Shell\verb\command               @ = command line
//   typekey\Shell\verb\ddeexec               @ = DDE message
//   typekey\Shell\verb\ddeexec\application   @ = DDE application (also ifexec, topic)
#pragma once

#include "RegistryStore.h"

#include <optional>
#include <string>
#include <vector>

// ---- Extensions text ("DOC TXT": upper case, no dots, single blanks) ----

std::vector<std::string> SplitExtensions(const std::string& text);
// "." and the extension: the name of its key.
std::string ExtensionKey(const std::string& extension);
std::string JoinExtensions(const std::vector<std::string>& extensions);
std::string UpperCase(std::string text);
std::string LowerCase(std::string text);
bool EqualNoCase(const std::string& a, const std::string& b);

enum class ExtensionsCheck { ok, empty, badCharacter };
struct CleanExtensions {
    ExtensionsCheck check = ExtensionsCheck::ok;
    std::string text;  // upper case, leading dots dropped, single blanks
};
// Cleans what the user typed: dots in front of an extension are dropped; a character that no
// file name may hold refuses the whole text.
CleanExtensions CleanExtensionsText(const std::string& typed);
extern const char kBadExtensionMessage[];

// The extensions of the edited type found in the other types' text (" DOC RTF "), each followed
// by one blank: the re-register question's list. Empty when there is no conflict.
std::string ExtensionConflicts(const std::string& extensions, const std::string& otherExtensions, int* count);

// A row's extensions text once the edited type has taken its extensions; nothing when the row
// is left without any.
std::optional<std::string> RemoveExtensions(const std::string& rowText, const std::string& taken);

// ---- Type keys ----

// A type key the program may write under or remove: one key right below the class root. A
// name read from a damaged registry that holds "\\" would reach other keys ("CLSID\\") or
// the root's own values ("\\"); its type is shown but never changed.
bool IsUsableTypeKey(const std::string& typeKey);
extern const char kUnusableTypeKeyMessage[];

// The first free name for a new type: the extensions without blanks, lower case, "file" and,
// when taken, "2", "3"... The stem is cut so that the whole name, suffix included, fits a key.
std::string ChooseTypeKey(RegistryStore& store, const std::string& extensions);

// The icon text of a type split as the dialog shows it: a number part only when what follows
// the last comma can be one; else the file is the whole text and the number empty.
struct TypeIconText {
    std::string file;
    std::string number;
};
TypeIconText SplitTypeIcon(const std::string& text);

// ---- The type's own values ----

struct FileTypeValues {
    std::string description;
    std::string extensions;  // cleaned extensions text
    std::string iconFile;
    int iconNumber = 0;
    bool quickView = false;
    bool alwaysShowExt = false;
};
// What the dialog reads for an existing type (description and extensions come from the page).
void ReadFileTypeFlags(RegistryStore& store, const std::string& typeKey, FileTypeValues& values);

// Only an icon the user changed is checked against its file's icons: a stored number beyond
// them, or a file missing here, is kept as it is when the save is about something else.
enum class TypeIconCheck { ok, noIcons, beyondCount };
TypeIconCheck CheckTypeIcon(const std::string& iconFile, int iconNumber, int iconCount,
                            const FileTypeValues& remembered);

// Where a save writes and what it compares with. The row that gathers extensions without a
// type has no key of its own: it gets a new one, named like a new type's, with nothing stored
// under it yet. Nothing is written here; the caller takes the new key once the save succeeds.
struct FileTypeTarget {
    std::string typeKey;
    FileTypeValues remembered;
    bool newKey = false;
};
FileTypeTarget ChooseSaveTarget(RegistryStore& store, const std::string& typeKey, const std::string& extensions,
                                const FileTypeValues& remembered);

// Writes a save: extension keys when the extensions changed (the listed ones pointed at the type
// first, then those it gave up emptied), the icon and the description when they changed, Quick
// View (its key deleted only when the box was cleared from checked) and "AlwaysShowExt". True
// when extensions, icon or description were written. Nothing is written for a type key that is
// not usable.
bool WriteFileType(RegistryStore& store, const std::string& typeKey, const FileTypeValues& values,
                   const FileTypeValues& remembered);

// What removing a type deletes: the type key and every extension key naming it (exact case).
// Nothing for a type key that is not usable (the caller tells the user).
bool RemoveFileType(RegistryStore& store, const std::string& typeKey);

// ---- Actions ----

struct ActionName {
    std::string displayName;
    std::string keyName;
};
// The actions of a type, in the order the registry lists them.
std::vector<ActionName> ReadActions(RegistryStore& store, const std::string& typeKey);

struct ActionValues {
    std::string displayName;
    std::string program;
    RegType programType = RegType::string;  // an expandable command stays expandable
    bool useDde = false;
    std::string ddeMessage, application, ifExec, topic;
};
ActionValues ReadAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName);

enum class ActionNameCheck { ok, empty, badCharacter, tooLong, duplicate };
// The longest action name: its key is named after it and must leave room for a numeric suffix.
constexpr size_t kMaxActionName = kMaxKeyName - 5;
// The name (blanks around it ignored) against the type's other actions' display names.
ActionNameCheck CheckActionName(RegistryStore& store, const std::string& typeKey, const std::string& ownKeyName,
                                const std::string& name);
extern const char kBadActionNameMessage[];
extern const char kLongActionNameMessage[];
extern const char kActionNotWrittenMessage[];

// Writes an action and returns its names; nothing when the registry refused a write. An existing
// action keeps its key unless its name changed: programs call a verb by its key. A renamed
// action is written whole under a free key named after it before the shell's default follows it
// and the old key goes, so a refused write leaves the action as it was.
std::optional<ActionName> WriteAction(RegistryStore& store, const std::string& typeKey, const ActionName& previous,
                                      ActionValues values);

void RemoveAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName);
void SetDefaultAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName);
