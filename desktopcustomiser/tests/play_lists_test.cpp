// The player's choice of the next file and the music sheet's name and move rules.
#include "PlayLists.h"

#include <gtest/gtest.h>

namespace {

struct Profile {
    MemoryProfileStore store;
    Profile(const char* names, const char* selected, int random, std::initializer_list<std::pair<const char*, const char*>> lists)
    {
        if (names)
            store.WriteProfileString(kMusicSection, "Play List Names", names);
        if (selected)
            store.WriteProfileString(kMusicSection, "Selected Play List", selected);
        store.WriteProfileInt(kMusicSection, "MIDI Randomize", random);
        for (const auto& [name, files] : lists)
            store.WriteProfileString(kMusicSection, name, files);
    }
};

std::vector<std::string> Sequence(ProfileStore& profile, int steps)
{
    std::vector<std::string> played;
    int current = -1;
    for (int i = 0; i < steps; ++i) {
        PlayChoice choice = ChooseNextFile(profile, current, 0);
        if (choice.pick != PlayPick::Play) {
            played.push_back("stop");
            break;
        }
        played.emplace_back(choice.path);
        current = choice.index;
    }
    return played;
}

}  // namespace

TEST(ChooseNextFile, InOrderWrapsAndStopsAtAnEmptyItem)
{
    Profile wraps("Other|Mine|", "Mine", 0, {{"Other", "x|"}, {"Mine", "a|b|c|"}});
    EXPECT_EQ(Sequence(wraps.store, 5), (std::vector<std::string>{"a", "b", "c", "a", "b"}));
    Profile gap("Mine|", "Mine", 0, {{"Mine", "a||c|"}});
    EXPECT_EQ(Sequence(gap.store, 5), (std::vector<std::string>{"a", "stop"}));
}

TEST(ChooseNextFile, QuestionsForWhatIsMissing)
{
    const std::pair<Profile*, PlayPick> cases[] = {
        {new Profile(nullptr, "Mine", 0, {}), PlayPick::NoPlayLists},
        {new Profile("Mine|", nullptr, 0, {{"Mine", "a|"}}), PlayPick::NoSelection},
        {new Profile("Mine|", "mine", 0, {{"Mine", "a|"}}), PlayPick::NoFiles},  // exact names only
        {new Profile("|Mine|", "Mine", 0, {{"Mine", "a|"}}), PlayPick::NoFiles},  // an empty name ends the names
        {new Profile("Mine|", "Mine", 0, {}), PlayPick::NoFiles},
        {new Profile("Mine|", "Mine", 1, {{"Mine", "no bar at all"}}), PlayPick::NoFiles},  // never divides by 0
    };
    for (const auto& [profile, pick] : cases) {
        EXPECT_EQ(ChooseNextFile(profile->store, -1, 5).pick, pick);
        delete profile;
    }
}

TEST(ChooseNextFile, RandomTakesTheRemainderOfTheNumber)
{
    Profile one("Mine|", "Mine", 1, {{"Mine", "only|"}});
    for (int random : {0, 1, 7, 32767})
        EXPECT_STREQ(ChooseNextFile(one.store, 0, random).path, "only");
    Profile three("Mine|", "Mine", 1, {{"Mine", "a|b|c|"}});
    EXPECT_STREQ(ChooseNextFile(three.store, 0, 7).path, "b");
    EXPECT_STREQ(ChooseNextFile(three.store, 2, -5).path, "c");
}

TEST(PlayListNames, RefusedWhereTheyWouldOverwriteOrHideData)
{
    std::vector<CString> others = {"Evening", "Morning"};
    const std::pair<const char*, PlayListNameFault> cases[] = {
        {"Night", PlayListNameFault::None},           {"", PlayListNameFault::Empty},
        {"a|b", PlayListNameFault::Pipe},             {"Play List Names", PlayListNameFault::Reserved},
        {"selected play list", PlayListNameFault::Reserved}, {"MIDI RANDOMIZE", PlayListNameFault::Reserved},
        {"Evening", PlayListNameFault::Duplicate},    {"EVENING", PlayListNameFault::Duplicate},
    };
    for (const auto& [name, fault] : cases)
        EXPECT_EQ(CheckPlayListName(name, others), fault) << name;
    EXPECT_STREQ(UniquePlayListName("Name Me!", {"x"}), "Name Me!");
    EXPECT_STREQ(UniquePlayListName("Name Me!", {"name me!", "Name Me! (2)"}), "Name Me! (3)");
}

TEST(PlayListFiles, SplitStopsAtTheFirstEmptyItemAndJoinEndsEachWithABar)
{
    EXPECT_EQ(SplitPipeList("a|b||c|").size(), 2u);
    EXPECT_TRUE(SplitPipeList("").empty());
    EXPECT_STREQ(JoinPipeList(SplitPipeList("C:\\a.wav|C:\\b.mid|")), "C:\\a.wav|C:\\b.mid|");
    EXPECT_STREQ(JoinPipeList({}), "");
}

TEST(ChosenFiles, OnePathOrAFolderWithNames)
{
    CString folder;
    const char one[] = "C:\\Music\\a.wav\0";
    EXPECT_EQ(ChosenFiles(one, sizeof one, folder), (std::vector<CString>{"C:\\Music\\a.wav"}));
    EXPECT_STREQ(folder, "C:\\Music");
    const char several[] = "C:\\\0x.mid\0y.wav\0";
    EXPECT_EQ(ChosenFiles(several, sizeof several, folder), (std::vector<CString>{"C:\\x.mid", "C:\\y.wav"}));
    EXPECT_STREQ(folder, "C:\\");
    const char unterminated[] = {'C', ':', '\\', 'd', 0, 'n', 'a'};
    EXPECT_EQ(ChosenFiles(unterminated, sizeof unterminated, folder), (std::vector<CString>{"C:\\d\\na"}));
    EXPECT_TRUE(ChosenFiles("", 1, folder).empty());
}

TEST(PlayLists, AnEditorKeepsEverythingAfterAnEmptyItem)
{
    struct Case {
        const char* stored;
        std::vector<CString> shown;
        std::vector<CString> left;
        bool anyOrder;
        const char* saved;
    };
    const Case cases[] = {
        {"Rock||Jazz|", {"Rock"}, {"Rock"}, true, "Rock||Jazz|"},
        {"Rock||Jazz|", {"Rock"}, {"Pop", "Rock"}, true, "Pop|Rock||Jazz|"},
        {"one.mid||two.mid|", {"one.mid"}, {"new.mid", "one.mid"}, false, "new.mid|one.mid||two.mid|"},
        {"one.mid||two.mid|", {"one.mid"}, {}, false, "|two.mid|"},
        {"s.mid", {"s.mid"}, {"s.mid"}, false, "s.mid"},  // no "|": shown, and kept as stored
        {"s.mid", {"s.mid"}, {"s.mid", "t.mid"}, false, "s.mid|t.mid|"},
        {"b|a|", {"b", "a"}, {"a", "b"}, true, "b|a|"},
        {"b|a|", {"b", "a"}, {"a", "b"}, false, "a|b|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(ReadKeptPipeList(c.stored).items, c.shown);
        EXPECT_STREQ(StoreKeptPipeList(c.stored, c.left, c.anyOrder), c.saved);
    }
}

TEST(PlayLists, TheSheetWritesOnlyWhatChangedAndPutsBackWhenAWriteIsRefused)
{
    MemoryProfileStore profile;
    profile.WriteProfileString(kMusicSection, "Play List Names", "Rock||Jazz|");
    profile.WriteProfileString(kMusicSection, "Rock", "one.mid||two.mid|");
    profile.WriteProfileString(kMusicSection, "Jazz", "j.mid|");
    profile.WriteProfileString(kMusicSection, "Selected Play List", "Jazz");  // not shown
    size_t before = profile.changes;
    PlayListsRead read = ReadPlayLists(profile);
    ASSERT_EQ(read.lists.size(), 1u);
    std::vector<PlayListLeft> lists{{"Rock", "one.mid||two.mid|"}};
    EXPECT_TRUE(PlanPlayListsSave(profile, read, lists, "", 0).empty());

    // A new list: its files, then the names; the names refused, the new list's value goes again.
    lists.push_back({"Pop", "p.mid|"});
    profile.Refuse(kMusicSection, "Play List Names");
    WritePlan plan = PlanPlayListsSave(profile, read, lists, "Pop", 0);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(RunWritePlan(plan), std::optional<std::string>("Background Music\\Play List Names"));
    EXPECT_FALSE(profile.Contains(kMusicSection, "Pop"));
    EXPECT_EQ(profile.changes, before + 2);
    EXPECT_STREQ(profile.GetProfileString(kMusicSection, "Selected Play List"), "Jazz");
}
