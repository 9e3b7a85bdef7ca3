// The Windows settings the Windows Configuration sheet edits, as rules over the registry store
// and the boot file: what each page reads, and exactly what it writes back.
#pragma once

#include "RegistryStore.h"
#include "RegistryWritePlan.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// ---- Miscellaneous shell options ----

struct MiscSettings {
    int numericTail = 1;
    int animatedMenus = 0;
    std::string menuDelay;
    int smoothScroll = 0;
};
MiscSettings ReadMiscSettings(RegistryStore& store);
// Writes the four registry settings; true when a change needs a restart to show.
bool ApplyMiscSettings(RegistryStore& store, const MiscSettings& settings);

// ---- Shell icons ----

struct IconLocation {
    std::string file;
    std::string number = "0";
    bool operator==(const IconLocation&) const = default;
};
// "file,number", split at the first comma when what follows can be a number; else the whole
// text is the file and the number is "0".
IconLocation ParseIconLocation(const std::string& text);

enum class DefaultIconFile { shell32, explorer, rnaui };
struct ShellIconInfo {
    int key;
    unsigned nameId;  // the row's name in the string table
    DefaultIconFile file;
    int defaultNumber;
    int plusNumber;  // in Cool.dll; -1 for none
};
// The 39 listed rows in key order.
const std::vector<ShellIconInfo>& ShellIconTable();
const ShellIconInfo* FindShellIcon(int key);
bool IsClassIconKey(int key);
std::string ShellIconClassKey(int key);  // "CLSID\{...}\DefaultIcon" for 43-46
extern const char kShellIconsKey[];

// The defaults of a row: System\Shell32.dll with its number, or the desktop object's own icon.
IconLocation DefaultShellIcon(int key, const std::string& systemFolder, const std::string& windowsFolder);
int PlusIconNumber(int key, bool plusPack);

struct ShellIconRow {
    int key = 0;
    std::optional<RegValue> stored;  // the value as read, of whatever type; nothing when missing
    IconLocation shown;              // what the row showed when read (or after the last apply)
    IconLocation location;           // what it shows now
};
ShellIconRow ReadShellIconRow(RegistryStore& store, int key, const std::string& systemFolder,
                              const std::string& windowsFolder);
// The writes of an apply: only rows whose icon now differs from the one they showed, each as
// "file,number". An untouched row is never written, so a path the ANSI code page cannot spell,
// a missing value (the shell's own default) and a class key that does not exist stay as they are.
RegWritePlan PlanShellIcons(const std::vector<ShellIconRow>& rows);
// After the plan ran: each row remembers what the registry now holds, so that a later apply in
// the same sheet writes only what changes after it.
void ShellIconsApplied(std::vector<ShellIconRow>& rows);
// Makes the shell rebuild its icon cache: a changed "Shell Icon Size" and back, with the icon
// metrics applied after each step. A size that was missing is deleted again, not left empty,
// and one that was not text is put back as it was.
void RebuildShellIconCache(RegistryStore& store, const std::function<void()>& applyMetrics);

// ---- Boot options (the [Options] section of the boot file) ----

struct BootOptions {
    int bootWin = 1, compression = 1, bootMenu = 0, logo = 1, bootMenuDelay = 30, bootDelay = 2, bootGUI = 1,
        bootKeys = 1, bootMulti = 0, bootSafe = 0, doubleBuffer = 0 /* 0 clear, 1 checked, 2 grey */, loadTop = 1,
        bootWarn = 1, network = 0, bootMenuDefault = 1, autoScan = 1 /* radio index, -1 none */;
};
// Reads a key's number, or nothing when the key is missing.
using BootKeyReader = std::function<std::optional<int>(const char* key)>;
// The keys of the boot file's text, read as the profile calls read them: a key without a
// value counts as missing.
BootKeyReader BootFileKeys(const std::string& text);

struct BootFileState {
    BootOptions shown;
    std::vector<std::pair<std::string, std::optional<int>>> raw;  // every key as read, in writing order
};
// A missing DrvSpace or DblSpace counts as 1, the system's own default.
BootFileState ReadBootOptions(const BootKeyReader& read);
// The writes, in the file's key order: only keys whose value differs from the file's own (or,
// for a key the file lacks, from the system's default), so that an unrelated OK never turns
// the compression drivers off, adds keys or respells a value.
std::vector<std::pair<std::string, int>> BootOptionWrites(const BootFileState& before, const BootOptions& after);

// The boot file as the page saves it.
class BootFile {
public:
    virtual ~BootFile() = default;
    // The file's bytes ("" for a missing file); nothing when it is there but cannot be read.
    virtual std::optional<std::string> Read() = 0;
    // Puts the complete new bytes in place of the file, its attributes kept; false when the
    // file is left as it was.
    virtual bool Replace(const std::string& bytes) = 0;
};
enum class BootSave { unchanged, saved, failed };
// Saves what the page changed into the file as it is now: only the changed keys' lines differ
// (a key the file lacks is added to [Options]). With nothing to write the file is not touched.
BootSave SaveBootOptions(BootFile& file, const BootFileState& before, const BootOptions& after);
