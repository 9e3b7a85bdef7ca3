#include "OptionsRules.h"
#include "UserEntries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

TEST(StoredSettings, FlagsChoicesAndRangesReadBackAsThePagesTakeThem)
{
    EXPECT_EQ(ReadFlag(0), 0);
    EXPECT_EQ(ReadFlag(1), 1);
    EXPECT_EQ(ReadFlag(2), 1);   // never the check box's third state
    EXPECT_EQ(ReadFlag(-1), 1);
    EXPECT_EQ(ReadChoice(1), 1);
    EXPECT_EQ(ReadChoice(5), 0);
    EXPECT_EQ(ReadChoice(-1), 0);
    EXPECT_EQ(ClampToRange(5, kCornerTimeMin, kCornerTimeMax), 50);
    EXPECT_EQ(ClampToRange(20000, kCornerTimeMin, kCornerTimeMax), 10000);
    EXPECT_EQ(ClampToRange(500, kCornerTimeMin, kCornerTimeMax), 500);
    EXPECT_EQ(ClampToRange(-3, kCornerPixelMin, kCornerPixelMax), 0);
}

TEST(StoredSettings, StartWithWindowsValueHasOneSeparator)
{
    struct Case {
        const char* folder;
        const char* value;
    } cases[] = {
        {"C:\\Program Files\\Tunewright", "C:\\Program Files\\Tunewright\\Tunewright.Exe"},
        {"C:\\Tunewright\\", "C:\\Tunewright\\Tunewright.Exe"},
        {"D:\\", "D:\\Tunewright.Exe"},
        {"", "\\Tunewright.Exe"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(StartWithWindowsValue(c.folder), c.value) << c.folder;
}

TEST(ItemDialog, TheFirstFailingCheckInOrderIsReported)
{
    struct Case {
        const char *description, *program, *parameters;
        ItemProblem problem;
    } cases[] = {
        {"", "", "a|b", ItemProblem::NoProgram},              // program before everything
        {"", "edit.exe", "", ItemProblem::NoDescription},
        {"x|y", "ed|it.exe", "", ItemProblem::BarInProgram},  // program's bar before description's
        {"x|y", "edit.exe", "a|b", ItemProblem::BarInDescription},
        {"Edit", "edit.exe", "a|b", ItemProblem::BarInParameters},
        {"Edit", "edit.exe", "", ItemProblem::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValidateItem(c.description, c.program, c.parameters), c.problem) << c.description << c.program;
    EXPECT_STREQ(ItemProblemMessage(ItemProblem::BarInParameters), "The parameters field contains an illegal | character");
    EXPECT_STREQ(StoredParameters(""), " ");
    EXPECT_STREQ(StoredParameters("-x"), "-x");
    EXPECT_STREQ(ShownParameters(" "), "");
    EXPECT_STREQ(ShownParameters("  "), "  ");
}

TEST(ItemDialog, BrowsedProgramNamesTheDescription)
{
    struct Case {
        const char *path, *description;
    } cases[] = {
        {"C:\\Tools\\edit.exe", "edit"},
        {"C:\\Games\\Release.2\\play", "C:\\Games\\Release.2\\play"},  // last "\" after last "."
        {"C:\\Tools\\noext", "C:\\Tools\\noext"},
        {"C:\\Tools\\archive.tar.gz", "archive.tar"},
        {"prog.com", "prog"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(DescriptionFromProgram(c.path), c.description) << c.path;
}

TEST(UserEntryLists, RowsRoundTripAndAnEmptyListIsThreeEmptyStrings)
{
    std::vector<UserEntryRow> rows = {{"Edit", "C:\\edit.exe", StoredParameters("")}, {"Calc", "calc.exe", "-s"}};
    UserEntryLists lists = WriteUserEntryLists(rows);
    EXPECT_STREQ(lists.texts, "Edit|Calc|");
    EXPECT_STREQ(lists.programs, "C:\\edit.exe|calc.exe|");
    EXPECT_STREQ(lists.parameters, " |-s|");
    std::vector<UserEntryRow> back = ReadUserEntryRows(lists.texts, lists.programs, lists.parameters).rows;
    ASSERT_EQ(back.size(), 2u);
    EXPECT_STREQ(back[1].parameters, "-s");
    UserEntryLists none = WriteUserEntryLists({});
    EXPECT_STREQ(none.texts, "");
    EXPECT_STREQ(none.parameters, "");
    // The page stops at the first entry with an empty item.
    EXPECT_EQ(ReadUserEntryRows("a|b|c|", "x|y|z|", "1||3|").rows.size(), 1u);
    // The 101st stored menu item never reaches a command id of the tray icons.
    std::string texts, programs;
    for (int i = 0; i < 101; ++i) {
        texts.append("t").append(std::to_string(i)).append("|");
        programs.append("p|");
    }
    EXPECT_EQ(ReadMenuEntries(texts.c_str(), programs.c_str()).size(), size_t(kMaxUserEntries));
}

TEST(UserEntryLists, EntriesThePageCannotShowAreWrittenBackAsTheyWere)
{
    struct Case {
        const char *texts, *programs, *parameters;
        size_t shown;
    } cases[] = {
        {"Edit|Calc|Notes|", "edit.exe||notepad.exe|", " | | |", 1},  // a program missing in the middle
        {"Edit||Notes|", "edit.exe|calc.exe|notepad.exe|", " |-s| |", 1},
        {"Edit|Calc|", "edit.exe|calc.exe|", " |", 1},                // parameters cut short
        {"Edit|Calc|", "edit.exe|calc.exe|notepad.exe|", " | | |", 2}, // lists of unequal length
        {"", "edit.exe|", " |", 0},
    };
    for (const Case& c : cases) {
        UserEntryRead read = ReadUserEntryRows(c.texts, c.programs, c.parameters);
        EXPECT_EQ(read.rows.size(), c.shown) << c.texts;
        // Saved unchanged, the lists are as stored.
        UserEntryLists same = WriteUserEntryLists(read.rows, read.kept);
        EXPECT_STREQ(same.texts, c.texts);
        EXPECT_STREQ(same.programs, c.programs);
        EXPECT_STREQ(same.parameters, c.parameters);
    }
    // A row added and one removed: the damaged entry and those after it stay, in line.
    UserEntryRead read = ReadUserEntryRows("Edit|Paint|Calc|Notes|", "edit.exe|paint.exe||notepad.exe|", " | | | |");
    read.rows.erase(read.rows.begin());
    read.rows.push_back({"Zip", "zip.exe", " "});
    UserEntryLists saved = WriteUserEntryLists(read.rows, read.kept);
    EXPECT_STREQ(saved.texts, "Paint|Zip|Calc|Notes|");
    EXPECT_STREQ(saved.programs, "paint.exe|zip.exe||notepad.exe|");
    EXPECT_STREQ(saved.parameters, " | | | |");
}

namespace {

void SetText(MemoryProfileStore& profile, const char* section, const char* entry, uint32_t type, const char* text)
{
    profile.SetRaw(section, entry, type, EncodeProfileString(text));
}

}  // namespace

TEST(UserEntryLists, ListsOfAnotherStringTypeShowAndKeepTheirTypeAndAnUnchangedPageWritesNothing)
{
    MemoryProfileStore profile;
    SetText(profile, "Tray Menus", "Menu Text", 2, "Mail|Web|");  // REG_EXPAND_SZ
    SetText(profile, "Tray Menus", "Executable Path", 1, "%W%\\m.exe|w.exe|");
    SetText(profile, "Tray Menus", "Parameters", 2, " |%TEMP%|");
    UserEntryPageRead read = ReadUserEntryPage(profile, "Tray Menus", "Menu Text");
    ASSERT_EQ(read.shown.rows.size(), 2u);
    EXPECT_EQ(read.shown.rows[1].parameters, "%TEMP%");

    // The list view shows its rows in its own order: the same rows write nothing.
    std::vector<UserEntryRow> rows{read.shown.rows[1], read.shown.rows[0]};
    EXPECT_TRUE(PlanUserEntrySave(profile, "Tray Menus", "Menu Text", read, rows).empty());

    rows.push_back({"News", "n.exe", " "});
    WritePlan plan = PlanUserEntrySave(profile, "Tray Menus", "Menu Text", read, rows);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(RunWritePlan(plan), std::nullopt);
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(profile.ReadValue("Tray Menus", "Menu Text", type, data));
    EXPECT_EQ(type, 2u);
    EXPECT_EQ(data, EncodeProfileString("Web|Mail|News|"));

    // The third list refused: the first two are put back as they were, type and bytes.
    read = ReadUserEntryPage(profile, "Tray Menus", "Menu Text");
    rows.pop_back();
    profile.Refuse("Tray Menus", "Parameters");
    EXPECT_EQ(RunWritePlan(PlanUserEntrySave(profile, "Tray Menus", "Menu Text", read, rows)),
              std::optional<std::string>("Tray Menus\\Parameters"));
    ASSERT_TRUE(profile.ReadValue("Tray Menus", "Menu Text", type, data));
    EXPECT_EQ(type, 2u);
    EXPECT_EQ(data, EncodeProfileString("Web|Mail|News|"));
    EXPECT_STREQ(profile.GetProfileString("Tray Menus", "Executable Path"), "w.exe|%W%\\m.exe|n.exe|");
}

TEST(OptionsPage, AnExpandableRunValueLoadsAndOnlyChangedValuesAreWritten)
{
    struct Case {
        const char* name;
        uint32_t runType;  // 0: no Run value
        int changeSetting; // -1: none
        int load;
        std::vector<std::string> written;
    };
    const std::string run = std::string(kRunKey) + "\\Tunewright";
    const Case cases[] = {
        {"nothing changed", 2, -1, 1, {}},
        {"one setting", 2, 8, 1, {"Settings\\Auto MIDI"}},
        {"do not load", 2, -1, 0, {run}},
        {"load", 0, -1, 1, {run}},
        {"a value of another type is left alone", 3, -1, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryProfileStore profile;
        profile.WriteProfileInt("Settings", "Random Wallpaper", 7);  // shown ticked, kept as 7
        MemoryRegistryStore registry;
        if (c.runType)
            registry.Seed(RegRoot::currentUser, kRunKey, "Tunewright",
                          RegValue{RegType(c.runType), {'%', 'P', '%', '\\', 't', '.', 'e', 'x', 'e'}});
        ConfigPageRead read = ReadConfigPage(profile, registry);
        EXPECT_EQ(read.load, c.runType == 2 ? 1 : 0);
        int left[kConfigSettings];
        std::copy(std::begin(read.shown), std::end(read.shown), left);
        if (c.changeSetting >= 0)
            left[c.changeSetting] = !left[c.changeSetting];
        WritePlan plan = PlanConfigSave(profile, registry, read, left, c.load, "C:\\TW\\");
        std::vector<std::string> names;
        for (const PlannedWrite& write : plan)
            names.push_back(write.name);
        EXPECT_EQ(names, c.written);
        EXPECT_EQ(RunWritePlan(plan), std::nullopt);
        EXPECT_EQ(profile.GetProfileInt("Settings", "Random Wallpaper", 0), 7);
        if (c.load && !c.runType) {
            EXPECT_EQ(registry.log, std::vector<std::string>{"set HKCU\\" + std::string(kRunKey) +
                                                             "\\Tunewright = C:\\TW\\Tunewright.Exe"});
        }
    }
}

TEST(DisplayModes, SortedByResolutionDepthAndFrequencyWithGroupsAndTheCurrentChecked)
{
    std::vector<DisplayMode> modes = {
        {320, 240, 8, 60}, {320, 200, 16, 60}, {640, 480, 8, 75}, {320, 200, 8, 60},
        {640, 480, 8, 60}, {320, 240, 16, 60}, {640, 480, 32, 60},
    };
    SortDisplayModes(modes);
    std::vector<ModeMenuItem> items = BuildModeMenuItems(modes, {640, 480, 8, 0});
    std::vector<std::string> shown;
    for (const ModeMenuItem& item : items) {
        std::string line = item.separator ? "-" : item.text;
        if (!item.separator)
            line.append(item.checked ? " *" : "").append(" #").append(std::to_string(item.command));
        shown.push_back(line);
    }
    std::vector<std::string> expected = {
        "320x200 (8 bit) #1025", "320x200 (16 bit) #1026", "-",
        "320x240 (8 bit) #1027", "320x240 (16 bit) #1028", "-",
        "640x480 (8 bit) * #1029", "640x480 (32 bit) #1031",  // 1030 is the 75 Hz twin, skipped
    };
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(BuildModeMenuItems({}, {}).empty());
    EXPECT_EQ(ModeChangeFrequency(75, 60), 60);
    EXPECT_EQ(ModeChangeFrequency(75, 1), 75);
    EXPECT_EQ(ModeChangeFrequency(75, 0), 75);
}
