#include "PlayLists.h"

#include "PipeList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

const char kMusicSection[] = "Background Music";

PlayChoice ChooseNextFile(ProfileStore& profile, int current, int random)
{
    PlayChoice choice;
    CString names = profile.GetProfileString(kMusicSection, "Play List Names", "");
    if (names.IsEmpty())
        return choice;
    CString selected = profile.GetProfileString(kMusicSection, "Selected Play List", "");
    if (selected.IsEmpty()) {
        choice.pick = PlayPick::NoSelection;
        return choice;
    }
    bool randomOrder = profile.GetProfileInt(kMusicSection, "MIDI Randomize", 0) != 0;

    CString files;
    PipeListReader reader(names);
    for (CString name = reader.Next(); !name.IsEmpty(); name = reader.Next()) {
        if (std::strcmp(name, selected) == 0) {
            files = profile.GetProfileString(kMusicSection, name, "");
            break;
        }
    }
    int count = 0;
    for (const char* p = files; *p; ++p)
        count += *p == '|';
    if (count == 0) {
        choice.pick = PlayPick::NoFiles;
        return choice;
    }

    choice.index = randomOrder ? std::abs(random % count) : (current + 1 >= count ? 0 : current + 1);
    PipeListReader items(files);
    for (int i = 0;; ++i) {
        CString item = items.Next();
        if (item.IsEmpty()) {
            choice.pick = PlayPick::EmptyItem;
            return choice;
        }
        if (i == choice.index) {
            choice.pick = PlayPick::Play;
            choice.path = item;
            return choice;
        }
    }
}

std::vector<CString> SplitPipeList(const char* list)
{
    std::vector<CString> items;
    PipeListReader reader(list);
    for (CString item = reader.Next(); !item.IsEmpty(); item = reader.Next())
        items.push_back(item);
    return items;
}

CString JoinPipeList(const std::vector<CString>& items)
{
    CString list;
    for (const CString& item : items) {
        list += item;
        list += '|';
    }
    return list;
}

KeptPipeList ReadKeptPipeList(const char* list)
{
    KeptPipeList read;
    PipeListReader reader(list);
    while (!reader.AtEnd()) {
        CString rest = reader.Rest();
        CString item = reader.Next();
        if (item.IsEmpty()) {
            read.kept = rest;
            break;
        }
        read.items.push_back(item);
    }
    return read;
}

namespace {

std::vector<std::string> Sorted(const std::vector<CString>& items)
{
    std::vector<std::string> sorted;
    for (const CString& item : items)
        sorted.emplace_back(item.c_str());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

}  // namespace

CString StoreKeptPipeList(const char* asRead, const std::vector<CString>& items, bool anyOrder)
{
    KeptPipeList read = ReadKeptPipeList(asRead);
    bool same = anyOrder ? Sorted(items) == Sorted(read.items) : items == read.items;
    if (same)
        return CString(asRead ? asRead : "");
    return JoinPipeList(items) + read.kept;
}

PlayListsRead ReadPlayLists(ProfileStore& profile)
{
    PlayListsRead read;
    read.names = ReadProfileValue(profile, kMusicSection, "Play List Names");
    read.selected = ReadProfileValue(profile, kMusicSection, "Selected Play List");
    read.random = ReadProfileValue(profile, kMusicSection, "MIDI Randomize");
    read.shownRandom = StoredInt(read.random).value_or(0) != 0 ? 1 : 0;
    CString selected = StoredText(read.selected).value_or("").c_str();
    for (const CString& name : ReadKeptPipeList(StoredText(read.names).value_or("").c_str()).items) {
        read.lists.emplace_back(name, StoredText(ReadProfileValue(profile, kMusicSection, name)).value_or("").c_str());
        if (name == selected)
            read.selectedName = selected;
    }
    return read;
}

WritePlan PlanPlayListsSave(ProfileStore& profile, const PlayListsRead& read, const std::vector<PlayListLeft>& lists,
                            const CString& selected, int random)
{
    WritePlan plan;
    const std::string section = kMusicSection;
    auto text = [&](const char* entry, const MaybeValue& before, const CString& left) {
        PlanText(plan, section + "\\" + entry, ProfileValuePut(profile, section, entry), before,
                 StoredText(before).value_or(""), left.c_str());
    };
    std::vector<CString> names;
    for (const PlayListLeft& list : lists) {
        names.push_back(list.name);
        // A list read keeps what was read; a new or renamed one compares with what is there now.
        MaybeValue before = ReadProfileValue(profile, kMusicSection, list.name);
        CString shown = StoredText(before).value_or("").c_str();
        for (const auto& [name, files] : read.lists)
            if (name == list.name)
                shown = files;
        PlanText(plan, section + "\\" + list.name.c_str(), ProfileValuePut(profile, section, list.name.c_str()),
                 before, shown.c_str(), list.files.c_str());
    }
    text("Play List Names", read.names,
         StoreKeptPipeList(StoredText(read.names).value_or("").c_str(), names, true));
    if (selected != read.selectedName) {
        if (selected.IsEmpty())
            PlanDelete(plan, section + "\\Selected Play List", ProfileValuePut(profile, section, "Selected Play List"),
                       read.selected);
        else
            text("Selected Play List", read.selected, selected);
    }
    PlanInt(plan, section + "\\MIDI Randomize", ProfileValuePut(profile, section, "MIDI Randomize"), read.random,
            read.shownRandom, random);
    return plan;
}

namespace {

bool SameIgnoringCase(const char* a, const char* b)
{
    return CString(a).CompareNoCase(b) == 0;
}

}  // namespace

PlayListNameFault CheckPlayListName(const char* name, const std::vector<CString>& otherNames)
{
    if (!name || !*name)
        return PlayListNameFault::Empty;
    if (std::strchr(name, '|'))
        return PlayListNameFault::Pipe;
    for (const char* own : {"Play List Names", "Selected Play List", "MIDI Randomize"})
        if (SameIgnoringCase(name, own))
            return PlayListNameFault::Reserved;
    for (const CString& other : otherNames)
        if (SameIgnoringCase(name, other))
            return PlayListNameFault::Duplicate;
    return PlayListNameFault::None;
}

CString UniquePlayListName(const char* base, const std::vector<CString>& names)
{
    CString candidate(base);
    for (int n = 2; CheckPlayListName(candidate, names) == PlayListNameFault::Duplicate; ++n) {
        candidate.Format("%s (%d)", base, n);
    }
    return candidate;
}

std::vector<CString> ChosenFiles(const char* buffer, size_t size, CString& folder)
{
    std::vector<CString> parts;
    size_t pos = 0;
    while (pos < size && buffer[pos]) {
        size_t end = pos;
        while (end < size && buffer[end])
            ++end;
        parts.emplace_back(buffer + pos, int(end - pos));
        pos = end + 1;
    }
    std::vector<CString> files;
    if (parts.empty())
        return files;
    if (parts.size() == 1) {
        CString path = parts[0];
        int slash = path.ReverseFind('\\');
        folder = slash >= 0 ? path.Left(slash) : CString();
        files.push_back(path);
        return files;
    }
    folder = parts[0];
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    for (size_t i = 1; i < parts.size(); ++i)
        files.push_back(folder + parts[i]);
    return files;
}
