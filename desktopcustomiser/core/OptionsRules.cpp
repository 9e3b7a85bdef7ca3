#include "OptionsRules.h"

#include "PipeList.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

int ReadFlag(int stored)
{
    return stored != 0 ? 1 : 0;
}

int ReadChoice(int stored)
{
    return stored == 1 ? 1 : 0;
}

int ClampToRange(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

CString StartWithWindowsValue(const char* installFolder)
{
    CString value(installFolder ? installFolder : "");
    while (!value.IsEmpty() && (value[value.GetLength() - 1] == '\\' || value[value.GetLength() - 1] == '/'))
        value = value.Left(value.GetLength() - 1);
    value += "\\Tunewright.Exe";
    return value;
}

ItemProblem ValidateItem(const char* description, const char* program, const char* parameters)
{
    CString d(description ? description : ""), p(program ? program : ""), a(parameters ? parameters : "");
    if (p.IsEmpty())
        return ItemProblem::NoProgram;
    if (d.IsEmpty())
        return ItemProblem::NoDescription;
    if (p.Find('|') >= 0)
        return ItemProblem::BarInProgram;
    if (d.Find('|') >= 0)
        return ItemProblem::BarInDescription;
    if (a.Find('|') >= 0)
        return ItemProblem::BarInParameters;
    return ItemProblem::None;
}

const char* ItemProblemMessage(ItemProblem problem)
{
    switch (problem) {
    case ItemProblem::NoProgram:
        return "You must specify a program to run";
    case ItemProblem::NoDescription:
        return "You must enter a description";
    case ItemProblem::BarInProgram:
        return "The command line contains an illegal | character";
    case ItemProblem::BarInDescription:
        return "The description contains an illegal | character";
    case ItemProblem::BarInParameters:
        return "The parameters field contains an illegal | character";
    case ItemProblem::None:
        break;
    }
    return "";
}

CString StoredParameters(const char* parameters)
{
    return parameters && *parameters ? CString(parameters) : CString(" ");
}

CString ShownParameters(const char* stored)
{
    CString text(stored ? stored : "");
    return text == " " ? CString() : text;
}

CString DescriptionFromProgram(const char* path)
{
    CString description(path ? path : "");
    int slash = description.ReverseFind('\\');
    int dot = description.ReverseFind('.');
    if (slash < dot) {
        description = description.Mid(slash + 1);
        int ext = description.ReverseFind('.');
        if (ext >= 0)
            description = description.Left(ext);
    }
    return description;
}

UserEntryLists WriteUserEntryLists(const std::vector<UserEntryRow>& rows, const UserEntryLists& kept)
{
    UserEntryLists lists;
    for (const UserEntryRow& row : rows) {
        lists.texts += row.text + "|";
        lists.programs += row.program + "|";
        lists.parameters += row.parameters + "|";
    }
    lists.texts += kept.texts;
    lists.programs += kept.programs;
    lists.parameters += kept.parameters;
    return lists;
}

UserEntryRead ReadUserEntryRows(const char* texts, const char* programs, const char* parameters)
{
    UserEntryRead read;
    PipeListReader t(texts), p(programs), a(parameters);
    for (;;) {
        // Each list as it stands before this entry, should the entry be one the page cannot show.
        UserEntryLists rest{t.Rest(), p.Rest(), a.Rest()};
        UserEntryRow row{t.Next(), p.Next(), a.Next()};
        if (row.program.IsEmpty() || row.text.IsEmpty() || row.parameters.IsEmpty()) {
            read.kept = rest;
            return read;
        }
        read.rows.push_back(row);
    }
}

UserEntryPageRead ReadUserEntryPage(ProfileStore& profile, const char* section, const char* firstList)
{
    UserEntryPageRead read;
    read.texts = ReadProfileValue(profile, section, firstList);
    read.programs = ReadProfileValue(profile, section, "Executable Path");
    read.parameters = ReadProfileValue(profile, section, "Parameters");
    read.shown = ReadUserEntryRows(StoredText(read.texts).value_or("").c_str(),
                                   StoredText(read.programs).value_or("").c_str(),
                                   StoredText(read.parameters).value_or("").c_str());
    return read;
}

namespace {

std::vector<std::tuple<std::string, std::string, std::string>> SortedRows(const std::vector<UserEntryRow>& rows)
{
    std::vector<std::tuple<std::string, std::string, std::string>> sorted;
    for (const UserEntryRow& row : rows)
        sorted.emplace_back(row.text.c_str(), row.program.c_str(), row.parameters.c_str());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

}  // namespace

WritePlan PlanUserEntrySave(ProfileStore& profile, const std::string& section, const std::string& firstList,
                            const UserEntryPageRead& read, const std::vector<UserEntryRow>& rows)
{
    WritePlan plan;
    if (SortedRows(rows) == SortedRows(read.shown.rows))
        return plan;
    UserEntryLists lists = WriteUserEntryLists(rows, read.shown.kept);
    const struct {
        const std::string& entry;
        const MaybeValue& before;
        const CString& left;
    } values[] = {{firstList, read.texts, lists.texts},
                  {"Executable Path", read.programs, lists.programs},
                  {"Parameters", read.parameters, lists.parameters}};
    for (const auto& v : values)
        PlanText(plan, section + "\\" + v.entry, ProfileValuePut(profile, section, v.entry), v.before,
                 StoredText(v.before).value_or(""), v.left.c_str());
    return plan;
}

const ConfigSetting kConfigSettingList[kConfigSettings] = {
    {"Random Wallpaper", 1, false},       {"Random Startup Screen", 1, false}, {"Random Wait Shutdown", 1, false},
    {"Random Safe Shutdown", 1, false},   {"Randomize Startup", 0, true},      {"Show Splash Screen", 1, false},
    {"Show Display Settings Icon", 1, false}, {"Clear Documents Menu", 1, false}, {"Auto MIDI", 0, false},
};
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

ConfigPageRead ReadConfigPage(ProfileStore& profile, RegistryStore& registry)
{
    ConfigPageRead read;
    for (int i = 0; i < kConfigSettings; ++i) {
        const ConfigSetting& setting = kConfigSettingList[i];
        read.stored[i] = ReadProfileValue(profile, "Settings", setting.entry);
        int value = StoredInt(read.stored[i]).value_or(setting.defaultValue);
        read.shown[i] = setting.choice ? ReadChoice(value) : ReadFlag(value);
    }
    read.run = ReadRegistryValue(registry, RegRoot::currentUser, kRunKey, "Tunewright");
    read.load = StoredText(read.run).value_or("").empty() ? 0 : 1;
    return read;
}

WritePlan PlanConfigSave(ProfileStore& profile, RegistryStore& registry, const ConfigPageRead& read,
                         const int (&left)[kConfigSettings], int load, const char* installFolder)
{
    WritePlan plan;
    for (int i = 0; i < kConfigSettings; ++i) {
        const char* entry = kConfigSettingList[i].entry;
        PlanInt(plan, std::string("Settings\\") + entry, ProfileValuePut(profile, "Settings", entry), read.stored[i],
                read.shown[i], left[i]);
    }
    if (load != read.load) {
        std::string name = std::string(kRunKey) + "\\Tunewright";
        ValuePut put = RegistryValuePut(registry, RegRoot::currentUser, kRunKey, "Tunewright");
        if (load)
            plan.push_back({name, read.run,
                            StoredValue{kStringType, EncodeProfileString(StartWithWindowsValue(installFolder))}, put});
        else
            PlanDelete(plan, name, put, read.run);
    }
    return plan;
}

bool DisplayModeBefore(const DisplayMode& a, const DisplayMode& b)
{
    return std::tie(a.width, a.height, a.bitsPerPixel, a.frequency) <
           std::tie(b.width, b.height, b.bitsPerPixel, b.frequency);
}

void SortDisplayModes(std::vector<DisplayMode>& modes)
{
    std::stable_sort(modes.begin(), modes.end(), DisplayModeBefore);
}

std::vector<ModeMenuItem> BuildModeMenuItems(const std::vector<DisplayMode>& modes, const DisplayMode& current)
{
    std::vector<ModeMenuItem> items;
    for (size_t k = 0; k < modes.size(); ++k) {
        const DisplayMode& mode = modes[k];
        if (k > 0) {
            const DisplayMode& previous = modes[k - 1];
            bool sameResolution = mode.width == previous.width && mode.height == previous.height;
            if (sameResolution && mode.bitsPerPixel == previous.bitsPerPixel)
                continue;
            if (!sameResolution)
                items.push_back({true, {}, 0, false});
        }
        char text[64];
        std::snprintf(text, sizeof text, "%dx%d (%d bit)", mode.width, mode.height, mode.bitsPerPixel);
        bool checked = mode.width == current.width && mode.height == current.height &&
                       mode.bitsPerPixel == current.bitsPerPixel;
        items.push_back({false, text, kFirstDisplayModeCommand + static_cast<unsigned>(k), checked});
    }
    return items;
}

int ModeChangeFrequency(int modeFrequency, int currentRefresh)
{
    return currentRefresh > 1 ? currentRefresh : modeFrequency;
}
