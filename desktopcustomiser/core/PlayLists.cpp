#include "PlayLists.h"

#include "PipeList.h"

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
