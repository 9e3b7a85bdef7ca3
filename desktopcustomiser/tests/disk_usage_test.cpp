#include "DiskUsage.h"

#include <gtest/gtest.h>

#include <map>

TEST(DiskUsage, ExtensionListsMatchAsStored)
{
    std::string list = NormalizeExtensionList("  BMP  Gif ");
    EXPECT_EQ(list, "bmp  gif");
    struct Case {
        const char* list;
        const char* name;
        bool matches;
    } cases[] = {
        {"bmp  gif", "a.BMP", true}, {"bmp  gif", "b.GIF", true}, {"bmp  gif", "README", false},
        {"bmp  gif", "x.bmp.txt", false}, {"*", "README", true}, {"txt", "A.TXT", true},
        {"txt", "a.txt.bak", false}, {"", "README", true}, {"", "a.txt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtensionMatches(c.list, c.name), c.matches) << c.list << " / " << c.name;
}

TEST(DiskUsage, TextsOfAScanUseWholeNumbers)
{
    EXPECT_EQ(UsagePercent(29, 100), 29u);  // floating point gives 28
    EXPECT_EQ(UsagePercent(0, 0), 0u);
    EXPECT_EQ(UsagePercent(UINT64_MAX / 2, UINT64_MAX), 49u);
    UsageTotals totals{1234, 1234567, 3u * 1048576u + 524288u, 5000000000ull};
    UsageTexts texts = MakeUsageTexts(totals);
    EXPECT_STREQ(texts.matchCount, "1,234");
    EXPECT_STREQ(texts.totalCount, "1,234,567");
    EXPECT_STREQ(texts.matchMegabytes, "3.50");
    EXPECT_STREQ(texts.totalMegabytes, "4,768.37");
    EXPECT_STREQ(texts.percent, "0");
}

TEST(DiskUsage, StoredListsKeepEveryRecordAndEmptyColumns)
{
    std::vector<UsageRecord> records = {
        {"", "C:\\Data", "1", "2", "0.00", "0.00", "50"},
        {"bmp gif", "*", "1,000", "2,000", "1.50", "3.00", "50"},
    };
    UsageLists lists = BuildUsageLists(records);
    EXPECT_EQ(lists.extensions, " |bmp gif|");
    EXPECT_EQ(lists.totalCounts, "2|2,000|");
    EXPECT_EQ(ParseUsageLists(lists), records);

    // A record whose later column is missing is still shown; loading ends there.
    UsageLists cut = lists;
    cut.sizes = "0.00|";
    auto loaded = ParseUsageLists(cut);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[1][2], "1,000");
    EXPECT_EQ(loaded[1][4], "");
}

TEST(DiskUsage, InputRefusesWhatCannotBeStoredOrScanned)
{
    EXPECT_EQ(CheckUsageRecordInput("bmp", "C:\\"), UsageInputFault::none);
    EXPECT_EQ(CheckUsageRecordInput("bmp", "  "), UsageInputFault::emptyPath);
    EXPECT_EQ(CheckUsageRecordInput("b|mp", "C:\\"), UsageInputFault::pipe);
    EXPECT_EQ(CheckUsageRecordInput("bmp", "C:\\a|b"), UsageInputFault::pipe);
}

namespace {

// A made-up tree: folder -> entries.
std::map<std::string, std::vector<FolderEntry>> g_tree = {
    {"R\\", {{"a.bmp", false, false, 5000000000ull}, {"sub", true, false, 0}, {"loop", true, true, 0},
             {"readme", false, false, 7}}},
    {"R\\sub\\", {{".", true, false, 0}, {"..", true, false, 0}, {"b.GIF", false, false, 3}}},
    {"R\\loop\\", {{"c.bmp", false, false, 11}}},
};

bool FakeList(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit)
{
    auto it = g_tree.find(folder);
    if (it == g_tree.end())
        return false;
    for (const FolderEntry& entry : it->second)
        if (!visit(entry))
            break;
    return true;
}

}  // namespace

TEST(DiskUsage, WalkCountsFilesOnceSkipsLinksAndStopsWhenAsked)
{
    UsageTotals totals;
    std::vector<std::string> folders;
    ASSERT_TRUE(ScanFolderTree("R", "bmp gif", FakeList, [] { return true; },
                               [&](const std::string& f) { folders.push_back(f); }, totals));
    EXPECT_EQ(totals.totalCount, 3u);
    EXPECT_EQ(totals.matchCount, 2u);
    EXPECT_EQ(totals.totalBytes, 5000000010ull);
    EXPECT_EQ(totals.matchBytes, 5000000003ull);
    EXPECT_EQ(folders, (std::vector<std::string>{"R", "R\\sub"}));

    int budget = 3;
    UsageTotals partial;
    EXPECT_FALSE(ScanFolderTree("R", "*", FakeList, [&] { return budget-- > 0; }, [](const std::string&) {}, partial));
    EXPECT_EQ(partial.totalCount, 1u);
}

TEST(DiskUsage, DriveTexts)
{
    EXPECT_EQ(SerialNumberText(0x1A2B3C4D), "1A2B-3C4D");
    EXPECT_EQ(SerialNumberText(0x0A2B3C4D), "A2B3C4D");
    EXPECT_EQ(SerialNumberText(0), "0");
    EXPECT_STREQ(DriveTypeText(5), "CD-ROM");
    EXPECT_STREQ(DriveTypeText(9), "Unknown");
    EXPECT_TRUE(DriveTypeIsRemovable(5));
    EXPECT_FALSE(DriveTypeIsRemovable(4));
}
