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
#include "RegistryWritePlan.h"

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

enum class ExtensionsCheck { ok, empty, badCharacter, tooLong };
struct CleanExtensions {
    ExtensionsCheck check = ExtensionsCheck::ok;
    std::string text;  // upper case, leading dots dropped, single blanks
};
// Cleans what the user typed: dots in front of an extension are dropped; a character that no
// file name may hold, or an extension too long for its key (".", then the extension), refuses
// the whole text.
CleanExtensions CleanExtensionsText(const std::string& typed);
extern const char kBadExtensionMessage[];
extern const char kLongExtensionMessage[];

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

// A row's description: the shell's name of the type, unless the stored description is too long
// for the shell's 80-character buffer; then the shell cuts it or makes up a name of its own, and
// the type key's own text is shown, so that a save never stores what the shell made of it.
constexpr size_t kShellTypeNameSize = 80;
std::string RowDescription(RegistryStore& store, const std::string& typeKey, const std::string& shellName);

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

// The writes of a save, as the difference between what the dialog read (remembered) and what the
// user left: extension keys when the extensions changed (the listed ones pointed at the type
// first, those it gave up emptied only after), the icon and the description when they changed,
// Quick View and "AlwaysShowExt" when their box changed. Nothing for a type key that is not
// usable.
struct FileTypeSave {
    RegWritePlan plan;
    bool changed = false;  // extensions, icon or description differ from what was read
};
FileTypeSave PlanFileType(RegistryStore& store, const std::string& typeKey, const FileTypeValues& values,
                          const FileTypeValues& remembered);
// Says which change the registry refused (a path from PlanOutcome).
extern const char kTypeNotWrittenMessage[];

// What removing a type deletes: the type key and every extension key naming it (in any case).
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
    bool useDde = false;
    std::string ddeMessage, application, ifExec, topic;
};
ActionValues ReadAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName);

enum class ActionNameCheck { ok, empty, badCharacter, tooLong, duplicate };
// The longest action name: its key is named after it and must leave room for a numeric suffix.
constexpr size_t kMaxActionName = kMaxKeyName - 5;
// The name (blanks around it ignored) against the type's other actions' display names; a name
// the user left as shown (previous.displayName) is not checked again.
ActionNameCheck CheckActionName(RegistryStore& store, const std::string& typeKey, const ActionName& previous,
                                const std::string& name);
extern const char kBadActionNameMessage[];
extern const char kLongActionNameMessage[];
extern const char kActionNotWrittenMessage[];

// The writes of an action editor's OK: previous holds the names it showed (empty for a new
// action), read the values it showed, left what the user left. Only what the user changed is
// written: a display name only when the name changed, a command only when it changed (with " %1"
// added when the user's text has no %1), DDE values only when they changed, and the DDE key
// deleted only when "Use DDE" was cleared, after the writes. An action keeps its key unless its
// name changed: programs call a verb by its key. A rename copies the whole verb to a free key
// named after it, writes the changes there, moves the shell's default and deletes the old key
// last, so a refused write leaves the action as it was.
struct ActionSave {
    RegWritePlan plan;
    ActionName names;  // once the plan has run
};
ActionSave PlanAction(RegistryStore& store, const std::string& typeKey, const ActionName& previous,
                      const ActionValues& read, const ActionValues& left);

void RemoveAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName);
void SetDefaultAction(RegistryStore& store, const std::string& typeKey, const std::string& keyName);
