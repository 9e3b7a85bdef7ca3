#include "WindowsSettings.h"

#include "ProfileText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char kFileSystemKey[] = "System\\CurrentControlSet\\control\\FileSystem";
const char kWindowMetricsKey[] = "Control Panel\\desktop\\WindowMetrics";
const char kDesktopKey[] = "Control Panel\\Desktop";

std::string Decimal(long long value)
{
    return std::to_string(value);
}

}  // namespace

// ---- Miscellaneous ----

MiscSettings ReadMiscSettings(RegistryStore& store)
{
    MiscSettings settings;
    auto tail = store.ReadBinary(RegRoot::localMachine, kFileSystemKey, "NameNumericTail");
    settings.numericTail = (tail && tail->size() == 1 && (*tail)[0] == 0) ? 0 : 1;
    settings.animatedMenus = store.ReadString(RegRoot::currentUser, kWindowMetricsKey, "MinAnimate") == "1" ? 1 : 0;
    settings.menuDelay = store.ReadString(RegRoot::currentUser, kDesktopKey, "MenuShowDelay").value_or("");
    auto smooth = store.ReadBinary(RegRoot::currentUser, kDesktopKey, "SmoothScroll");
    settings.smoothScroll = (smooth && !smooth->empty() && (*smooth)[0] != 0) ? 1 : 0;
    return settings;
}

bool ApplyMiscSettings(RegistryStore& store, const MiscSettings& settings)
{
    MiscSettings old = ReadMiscSettings(store);
    bool restart = false;
    store.WriteString(RegRoot::currentUser, kWindowMetricsKey, "MinAnimate", settings.animatedMenus ? "1" : "0");
    restart |= settings.animatedMenus != old.animatedMenus;
    store.Write(RegRoot::localMachine, kFileSystemKey, "NameNumericTail",
                RegValue::Binary({uint8_t(settings.numericTail ? 1 : 0)}));
    restart |= settings.numericTail != old.numericTail;
    if (settings.menuDelay.empty())
        store.DeleteValue(RegRoot::currentUser, kDesktopKey, "MenuShowDelay");
    else
        store.WriteString(RegRoot::currentUser, kDesktopKey, "MenuShowDelay", settings.menuDelay);
    restart |= settings.menuDelay != old.menuDelay;
    store.Write(RegRoot::currentUser, kDesktopKey, "SmoothScroll",
                RegValue::Binary({uint8_t(settings.smoothScroll ? 1 : 0)}));
    return restart;
}

// ---- Shell icons ----

const char kShellIconsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

IconLocation ParseIconLocation(const std::string& text)
{
    size_t comma = text.find(',');
    if (comma == std::string::npos)
        return {text, "0"};
    std::string after = text.substr(comma + 1);
    static const char kNotInNumbers[] = ",.!@#$%^&()_=+~`;'\"{}";
    for (char c : after)
        if ((c >= 'a' && c <= 'z') || std::strchr(kNotInNumbers, c))
            return {text, "0"};
    return {text.substr(0, comma), after};
}

const std::vector<ShellIconInfo>& ShellIconTable()
{
    using F = DefaultIconFile;
    static const std::vector<ShellIconInfo> table = {
        {0, 57834, F::shell32, 0, 37},
        {2, 57836, F::shell32, 2, -1},
        {3, 57837, F::shell32, 3, 11},
        {4, 57838, F::shell32, 4, 18},
        {5, 57839, F::shell32, 5, 9},
        {6, 57840, F::shell32, 6, 8},
        {7, 57841, F::shell32, 7, -1},
        {8, 57842, F::shell32, 8, 0},
        {9, 57843, F::shell32, 9, 1},
        {10, 57844, F::shell32, 10, 29},
        {11, 57845, F::shell32, 11, 10},
        {13, 57847, F::shell32, 13, 13},
        {15, 57849, F::shell32, 15, 28},
        {16, 57850, F::shell32, 16, 22},
        {17, 57851, F::shell32, 17, 17},
        {18, 57852, F::shell32, 18, -1},
        {19, 57853, F::shell32, 19, 4},
        {20, 57854, F::shell32, 20, 2},
        {21, 57855, F::shell32, 21, 6},
        {22, 57856, F::shell32, 22, 3},
        {23, 57857, F::shell32, 23, 15},
        {24, 57858, F::shell32, 24, 5},
        {25, 57859, F::shell32, 25, 33},
        {27, 57861, F::shell32, 27, 7},
        {28, 57862, F::shell32, 28, 34},
        {29, 57863, F::shell32, 29, -1},
        {31, 57865, F::shell32, 31, 20},
        {32, 57866, F::shell32, 32, 21},
        {34, 57868, F::shell32, 34, -1},
        {35, 57869, F::shell32, 48, 12},
        {36, 57870, F::shell32, 36, 24},
        {37, 57871, F::shell32, 49, 19},
        {38, 57872, F::shell32, 38, 14},
        {39, 57873, F::shell32, 39, -1},
        {40, 57874, F::shell32, 40, 26},
        {43, 57877, F::explorer, 0, 16},
        {44, 57878, F::shell32, 48, 12},
        {45, 57879, F::shell32, 49, 19},
        {46, 57880, F::rnaui, 0, 27},
    };
    return table;
}

const ShellIconInfo* FindShellIcon(int key)
{
    for (const ShellIconInfo& info : ShellIconTable())
        if (info.key == key)
            return &info;
    return nullptr;
}

bool IsClassIconKey(int key)
{
    return key >= 43 && key <= 46;
}

std::string ShellIconClassKey(int key)
{
    static const char* const kClasses[] = {
        "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "{21EC2020-3AEA-1069-A2DD-08002B30309D}",
        "{2227A280-3AEA-1069-A2DE-08002B30309D}", "{992CFFA0-F557-101A-88EC-00DD010CCC48}"};
    if (!IsClassIconKey(key))
        return {};
    return std::string("CLSID\\") + kClasses[key - 43] + "\\DefaultIcon";
}

IconLocation DefaultShellIcon(int key, const std::string& systemFolder, const std::string& windowsFolder)
{
    const ShellIconInfo* info = FindShellIcon(key);
    if (!info)
        return {systemFolder + "\\Shell32.dll", "0"};
    switch (info->file) {
    case DefaultIconFile::explorer:
        return {windowsFolder + "\\Explorer.Exe", Decimal(info->defaultNumber)};
    case DefaultIconFile::rnaui:
        return {systemFolder + "\\rnaui.dll", Decimal(info->defaultNumber)};
    case DefaultIconFile::shell32:
        break;
    }
    return {systemFolder + "\\Shell32.dll", Decimal(info->defaultNumber)};
}

int PlusIconNumber(int key, bool plusPack)
{
    const ShellIconInfo* info = FindShellIcon(key);
    return plusPack && info ? info->plusNumber : -1;
}

namespace {

RegRoot ShellIconRoot(int key)
{
    return IsClassIconKey(key) ? RegRoot::classesRoot : RegRoot::localMachine;
}

std::string ShellIconKeyPath(int key)
{
    return IsClassIconKey(key) ? ShellIconClassKey(key) : std::string(kShellIconsKey);
}

std::string ShellIconValueName(int key)
{
    return IsClassIconKey(key) ? std::string() : Decimal(key);
}

// The same icon: the same file, and a number of the same value (" 3" as read and 3 as the
// properties dialog gives it back are one icon).
bool SameIcon(const IconLocation& a, const IconLocation& b)
{
    return a.file == b.file && std::atoi(a.number.c_str()) == std::atoi(b.number.c_str());
}

// What a changed row writes: its text, as an expandable string when it was read as one.
RegValue LeftValue(const ShellIconRow& row)
{
    bool expand = row.stored && row.stored->type == RegType::expandString;
    return RegValue::String(row.location.file + "," + row.location.number,
                            expand ? RegType::expandString : RegType::string);
}

}  // namespace

ShellIconRow ReadShellIconRow(RegistryStore& store, int key, const std::string& systemFolder,
                              const std::string& windowsFolder)
{
    ShellIconRow row;
    row.key = key;
    row.stored = store.Read(ShellIconRoot(key), ShellIconKeyPath(key), ShellIconValueName(key));
    // An expandable string is shown as it stands; a value of any other type shows the default.
    bool isText = row.stored && (row.stored->type == RegType::string || row.stored->type == RegType::expandString);
    std::string text = isText ? row.stored->Text() : std::string();
    if (!text.empty())
        row.shown = ParseIconLocation(text);
    else if (IsClassIconKey(key))
        row.shown = DefaultShellIcon(key, systemFolder, windowsFolder);
    else
        row.shown = {systemFolder + "\\Shell32.dll", Decimal(key)};
    row.location = row.shown;
    return row;
}

RegWritePlan PlanShellIcons(const std::vector<ShellIconRow>& rows)
{
    RegWritePlan plan;
    for (const ShellIconRow& row : rows) {
        if (SameIcon(row.location, row.shown))
            continue;
        PlanValue(plan, ShellIconRoot(row.key), ShellIconKeyPath(row.key), ShellIconValueName(row.key), row.stored,
                  LeftValue(row));
    }
    return plan;
}

void ShellIconsApplied(std::vector<ShellIconRow>& rows)
{
    for (ShellIconRow& row : rows) {
        if (SameIcon(row.location, row.shown))
            continue;
        row.stored = LeftValue(row);
        row.shown = row.location;
    }
}

void RebuildShellIconCache(RegistryStore& store, const std::function<void()>& applyMetrics)
{
    auto before = store.Read(RegRoot::currentUser, kWindowMetricsKey, "Shell Icon Size");
    // A value that is not text counts as 0 for the step, as the system reads it.
    std::string text = before && before->type == RegType::string ? before->Text() : std::string();
    unsigned long size = std::strtoul(text.c_str(), nullptr, 10);
    store.WriteString(RegRoot::currentUser, kWindowMetricsKey, "Shell Icon Size", std::to_string(size + 1));
    applyMetrics();
    if (before)
        store.Write(RegRoot::currentUser, kWindowMetricsKey, "Shell Icon Size", *before);
    else
        store.DeleteValue(RegRoot::currentUser, kWindowMetricsKey, "Shell Icon Size");
    applyMetrics();
}

// ---- Boot options ----

namespace {

// Writing order of the keys, each with its default.
struct BootKey {
    const char* name;
    int fallback;
};
const BootKey kBootKeys[] = {
    {"BootWin", 1},  {"DrvSpace", 1}, {"DblSpace", 1},  {"BootMenu", 0},  {"Logo", 1},        {"BootMenuDelay", 30},
    {"BootDelay", 2}, {"BootGUI", 1}, {"BootKeys", 1},  {"BootMulti", 0}, {"BootSafe", 0},    {"DoubleBuffer", 0},
    {"LoadTop", 1},  {"BootWarn", 1}, {"Network", 0},   {"BootMenuDefault", 1}, {"AutoScan", 1},
};

// The value each key takes from what the page shows.
std::vector<int> KeyValues(const BootOptions& o)
{
    int buffer = o.doubleBuffer == 2 ? 1 : o.doubleBuffer == 1 ? 2 : 0;
    return {o.bootWin, o.compression, o.compression, o.bootMenu, o.logo, o.bootMenuDelay, o.bootDelay, o.bootGUI,
            o.bootKeys, o.bootMulti,  o.bootSafe,     buffer,     o.loadTop, o.bootWarn, o.network,
            o.bootMenuDefault, o.autoScan};
}

}  // namespace

BootFileState ReadBootOptions(const BootKeyReader& read)
{
    BootFileState state;
    std::vector<int> values;
    for (const BootKey& key : kBootKeys) {
        std::optional<int> raw = read(key.name);
        state.raw.emplace_back(key.name, raw);
        values.push_back(raw.value_or(key.fallback));
    }
    BootOptions& o = state.shown;
    o.bootWin = values[0];
    o.compression = (values[1] != 0 || values[2] != 0) ? 1 : 0;
    o.bootMenu = values[3];
    o.logo = values[4];
    o.bootMenuDelay = values[5];
    o.bootDelay = values[6];
    o.bootGUI = values[7];
    o.bootKeys = values[8];
    o.bootMulti = values[9];
    o.bootSafe = values[10];
    o.doubleBuffer = values[11] == 1 ? 2 : values[11] == 2 ? 1 : 0;
    o.loadTop = values[12];
    o.bootWarn = values[13];
    o.network = values[14];
    o.bootMenuDefault = values[15];
    o.autoScan = (values[16] >= 0 && values[16] <= 2) ? values[16] : -1;
    return state;
}

std::vector<std::pair<std::string, int>> BootOptionWrites(const BootFileState& before, const BootOptions& after)
{
    std::vector<int> shownBefore = KeyValues(before.shown);
    std::vector<int> shownAfter = KeyValues(after);
    std::vector<std::pair<std::string, int>> writes;
    for (size_t i = 0; i < std::size(kBootKeys); ++i) {
        const std::optional<int>& raw = before.raw[i].second;
        int old = raw.value_or(kBootKeys[i].fallback);
        // What the page did not change keeps the file's own value (a DrvSpace of 0 beside a
        // DblSpace of 1, a DoubleBuffer of 3, an AutoScan of 7).
        int value = shownAfter[i] == shownBefore[i] || shownAfter[i] < 0 ? old : shownAfter[i];
        // A key that already holds the value is not rewritten: the file keeps its own spelling
        // of it ("BootMenuDelay = 05"), and a file with nothing to change is not touched at all.
        if (value != old)
            writes.emplace_back(kBootKeys[i].name, value);
    }
    return writes;
}

BootKeyReader BootFileKeys(const std::string& text)
{
    return [text](const char* key) -> std::optional<int> {
        std::optional<std::string> value = ProfileValue(text, "Options", key);
        if (!value || value->empty())
            return std::nullopt;
        return ProfileNumber(*value);
    };
}

BootSave SaveBootOptions(BootFile& file, const BootFileState& before, const BootOptions& after)
{
    auto writes = BootOptionWrites(before, after);
    if (writes.empty())
        return BootSave::unchanged;
    std::optional<std::string> text = file.Read();
    if (!text)
        return BootSave::failed;
    std::string changed = *text;
    for (const auto& [key, value] : writes)
        changed = WithProfileValue(changed, "Options", key, std::to_string(value));
    if (changed == *text)
        return BootSave::unchanged;
    return file.Replace(changed) ? BootSave::saved : BootSave::failed;
}
