#include "PipeList.h"
#include "UserEntries.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Repeat(const char* item, int count)
{
    std::string list;
    for (int i = 0; i < count; ++i)
        list += std::string(item) + std::to_string(i) + "|";
    return list;
}

}  // namespace

TEST(PipeList, ItemsEndAtBarsAndAnExhaustedListGivesEmptyItems)
{
    PipeListReader reader("a|b c||last");
    EXPECT_STREQ(reader.Next(), "a");
    EXPECT_STREQ(reader.Next(), "b c");
    EXPECT_STREQ(reader.Next(), "");
    EXPECT_STREQ(reader.Next(), "last");  // no bar after it: up to the end
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_STREQ(reader.Next(), "");
    PipeListReader none(nullptr);
    EXPECT_STREQ(none.Next(), "");
}

TEST(UserEntries, MenuItemsStopAtTheFirstEmptyTextOrProgram)
{
    auto entries = ReadMenuEntries("Notes|Calc|Paint|", "notepad.exe|calc.exe||");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_STREQ(entries[1].text, "Calc");
    EXPECT_STREQ(entries[1].program, "calc.exe");
    EXPECT_TRUE(ReadMenuEntries("", "x|").empty());
    EXPECT_EQ(ReadMenuEntries("a|b|", "x|").size(), 1u);
}

TEST(UserEntries, AtMostOneHundredEntriesSoIdsNeverCollide)
{
    std::string texts = Repeat("item", 150), programs = Repeat("prog", 150);
    auto entries = ReadMenuEntries(texts.c_str(), programs.c_str());
    ASSERT_EQ(entries.size(), 100u);
    EXPECT_STREQ(entries[99].text, "item99");
    // The last menu id is still a menu id, the next one is the first tray icon's.
    EXPECT_EQ(ClassifyUserItem(kFirstUserMenuId + 99).kind, UserItemKind::MenuItem);
    EXPECT_EQ(ClassifyUserItem(kFirstUserMenuId + 100).kind, UserItemKind::TrayIcon);
    EXPECT_EQ(ClassifyUserItem(kFirstUserMenuId + 100).index, 0);
    EXPECT_EQ(ClassifyUserItem(kLastUserItemId).index, 99);
    EXPECT_EQ(ClassifyUserItem(kLastUserItemId + 1).kind, UserItemKind::None);
    EXPECT_EQ(ClassifyUserItem(kFirstUserMenuId - 1).kind, UserItemKind::None);
}

TEST(UserEntries, IconSlotsSkipIncompleteEntriesAndGoOn)
{
    auto slots = ReadUserIconSlots("Edit||Calc|", "notepad.exe|x.exe|calc.exe|", " | ||");
    ASSERT_TRUE(slots[0]);
    EXPECT_STREQ(slots[0]->program, "notepad.exe");
    EXPECT_FALSE(slots[1]);  // empty description
    EXPECT_FALSE(slots[2]);  // empty parameters: the pages store a blank, so this is damage
    EXPECT_FALSE(slots[3]);

    std::string many = Repeat("d", 120), programs = Repeat("p", 120), params = Repeat(" ", 120);
    auto full = ReadUserIconSlots(many.c_str(), programs.c_str(), params.c_str());
    EXPECT_TRUE(full[99]);
    EXPECT_STREQ(full[99]->description, "d99");
}

TEST(UserEntries, ProgramEntriesAreFoundByPositionUpToAnEmptyProgram)
{
    auto entry = FindProgramEntry("a.exe|b.exe|", " |-x|", 1);
    ASSERT_TRUE(entry);
    EXPECT_STREQ(entry->program, "b.exe");
    EXPECT_STREQ(entry->text, "-x");
    EXPECT_FALSE(FindProgramEntry("a.exe||c.exe|", " | | |", 2));
    EXPECT_FALSE(FindProgramEntry("a.exe|", " |", 1));
    EXPECT_FALSE(FindProgramEntry("a.exe|", " |", -1));
}
