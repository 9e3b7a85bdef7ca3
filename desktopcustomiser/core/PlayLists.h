// The background music's play lists as the profile keeps them (section "Background Music"):
// which file the player takes next, and the rules of the sheet that edits them.
#pragma once

#include "SavePlan.h"
#include "framework/CString.h"
#include "framework/ProfileStore.h"

#include <vector>

extern const char kMusicSection[];  // "Background Music"

// What the player does next.
enum class PlayPick {
    NoPlayLists,   // "Play List Names" is empty: ask whether to configure
    NoSelection,   // "Selected Play List" is empty: ask
    NoFiles,       // the selected list is missing or holds no item: ask
    EmptyItem,     // the walk met an empty item before the chosen one: stop
    Play,          // play path, the file at index
};

struct PlayChoice {
    PlayPick pick = PlayPick::NoPlayLists;
    int index = -1;
    CString path;
};

// The next file after the one at current (-1: none yet). In order it is current + 1, wrapping
// to 0; at random it is |random mod count|, random being the C runtime's next number. A list
// value without any "|" counts no items and is taken as empty.
PlayChoice ChooseNextFile(ProfileStore& profile, int current, int random);

// The items of a PipeList up to the first empty one.
std::vector<CString> SplitPipeList(const char* list);
// Each item followed by "|".
CString JoinPipeList(const std::vector<CString>& items);

// A PipeList as an editor shows it: the items up to the first empty one, and from that one on
// the rest as stored, which the editor keeps and writes after its items so that nothing after an
// empty item is lost. A list without any "|" shows its one item.
struct KeptPipeList {
    std::vector<CString> items;
    CString kept;
};
KeptPipeList ReadKeptPipeList(const char* list);
// What to store for the items: the list as read when they are the items read (in any order,
// when the editor sorts them), else each item followed by "|", then what was kept.
CString StoreKeptPipeList(const char* asRead, const std::vector<CString>& items, bool anyOrder);

// The music sheet's section as read, and the writes of its save: each play list whose files
// changed, "Play List Names" when the lists changed, the selection when the user changed it,
// and "MIDI Randomize".
struct PlayListsRead {
    MaybeValue names, selected, random;
    std::vector<std::pair<CString, CString>> lists;  // name and files, as stored
    CString selectedName;   // the stored selection when it names a list shown, else empty
    int shownRandom = 0;
};
PlayListsRead ReadPlayLists(ProfileStore& profile);
struct PlayListLeft {
    CString name;
    CString files;
};
WritePlan PlanPlayListsSave(ProfileStore& profile, const PlayListsRead& read, const std::vector<PlayListLeft>& lists,
                            const CString& selected, int random);

// Why a play list name cannot be stored; the value named by the list holds its files, so a
// name must not be a value of the section's own, nor (registry names ignore case) the name of
// another list in other letters.
enum class PlayListNameFault { None, Empty, Pipe, Reserved, Duplicate };
PlayListNameFault CheckPlayListName(const char* name, const std::vector<CString>& otherNames);

// "Name Me!", or "Name Me! (2)", "Name Me! (3)" ... when that is taken.
CString UniquePlayListName(const char* base, const std::vector<CString>& names);

// Moving one row of the file list up or down.

// The files an open-file dialog with multiple selection returned in its buffer: one path, or a
// folder followed by names, each ended by a NUL and the whole by an empty name. folder becomes
// the folder they are in (with a trailing "\" for several). Nothing is read past size.
std::vector<CString> ChosenFiles(const char* buffer, size_t size, CString& folder);
