#include "DiskUsage.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Windows-1252's lower-casing: its capitals past ASCII are 0xC0 to 0xDE, less the sign 0xD7.
std::string LowerWestern(const std::string& text)
{
    std::string lower = LowerAscii(text);
    for (char& c : lower)
        if (static_cast<unsigned char>(c) >= 0xC0 && static_cast<unsigned char>(c) <= 0xDE && c != '\xD7')
            c = char(c + 0x20);
    return lower;
}

}  // namespace

TEST(DiskUsage, ExtensionListsMatchAsStored)
{
    EXPECT_EQ(NormalizeExtensionList("  BMP  Gif ", LowerWestern), "bmp  gif");
    // Letters past ASCII fold by the code page's rules, in the list and in the names.
    EXPECT_EQ(NormalizeExtensionList("\xC4" "BC", LowerWestern), "\xE4" "bc");
    struct Case {
        const char* list;
        const char* name;
        bool matches;
    } cases[] = {
        {"bmp  gif", "a.BMP", true}, {"bmp  gif", "b.GIF", true}, {"bmp  gif", "README", false},
        {"bmp  gif", "x.bmp.txt", false}, {"*", "README", true}, {"txt", "A.TXT", true},
        {"txt", "a.txt.bak", false}, {"", "README", true}, {"", "a.txt", false},
        {"\xE4" "bc", "file.\xC4" "BC", true}, {"txt \xE4" "bc", "file.\xE4" "Bc", true}, {"\xE4" "bc", "file.abc", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtensionMatches(c.list, c.name, LowerWestern), c.matches) << c.list << " / " << c.name;
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

TEST(DiskUsage, ThePageKeepsRecordsAfterAnEmptyOneAndWritesOnlyWhenTheRecordsChange)
{
    MemoryProfileStore profile;
    // The second record's extensions are empty (no blank): loading ends there, "gif" is kept.
    const char* stored[][2] = {{"Extension List", "bmp||gif|"},         {"Path List", "C:\\|D:\\|E:\\|"},
                               {"NumFile List", "1|2|3|"},             {"Total NumFile List", "4|5|6|"},
                               {"Size List", "0.10|0.20|0.30|"},       {"Total Size List", "0.40|0.50|0.60|"},
                               {"Percent List", "25|40|50|"}};
    for (auto& value : stored)
        profile.SetRaw("Disk Usage", value[0], 2, EncodeProfileString(value[1]));  // REG_EXPAND_SZ
    UsagePageRead read = ReadUsagePage(profile);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0][1], "C:\\");
    EXPECT_TRUE(PlanUsageSave(profile, read, read.records).empty());

    std::vector<UsageRecord> records = read.records;
    records.push_back({"txt", "F:\\", "7", "8", "0.70", "0.80", "88"});
    EXPECT_EQ(RunWritePlan(PlanUsageSave(profile, read, records)), std::nullopt);
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(profile.ReadValue("Disk Usage", "Extension List", type, data));
    EXPECT_EQ(type, 2u);
    EXPECT_EQ(data, EncodeProfileString("bmp|txt||gif|"));
    EXPECT_STREQ(profile.GetProfileString("Disk Usage", "Path List"), "C:\\|F:\\|D:\\|E:\\|");
}

TEST(DiskUsage, InputRefusesWhatCannotBeStoredOrScanned)
{
    EXPECT_EQ(CheckUsageRecordInput("bmp", "C:\\"), UsageInputFault::none);
    EXPECT_EQ(CheckUsageRecordInput("bmp", "  "), UsageInputFault::emptyPath);
    EXPECT_EQ(CheckUsageRecordInput("b|mp", "C:\\"), UsageInputFault::pipe);
    EXPECT_EQ(CheckUsageRecordInput("bmp", "C:\\a|b"), UsageInputFault::pipe);
}

namespace {

FolderEntry File(const char* name, uint64_t size, bool exact = true, bool extensionExact = true)
{
    FolderEntry entry;
    entry.name = name;
    entry.size = size;
    entry.nameExact = exact;
    entry.extensionExact = extensionExact;
    return entry;
}

FolderEntry Folder(const std::string& name, const std::string& shortName = "", bool exact = true, bool link = false)
{
    FolderEntry entry;
    entry.name = name;
    entry.shortName = shortName;
    entry.nameExact = exact;
    entry.isFolder = true;
    entry.isLink = link;
    return entry;
}

// A made-up disk: folders by their long names; a short name in a path stands for its long name,
// a best-fit stand-in opens nothing, and a pattern past the platform's limit fails, as there.
struct FakeDisk {
    std::map<std::string, std::vector<FolderEntry>> folders;
    std::map<std::string, std::string> longOf;
    std::set<std::string> standIns;
    std::vector<std::string> listed;

    void Add(const std::string& folder, std::vector<FolderEntry> entries)
    {
        for (const FolderEntry& entry : entries)
            if (entry.isFolder && !entry.shortName.empty())
                longOf[entry.shortName] = entry.name;
        folders[folder] = std::move(entries);
    }
    bool List(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit)
    {
        listed.push_back(folder);
        if (folder.size() + 3 > kMaxListingPattern)
            return false;
        std::string canonical;
        for (size_t pos = 0, end; (end = folder.find('\\', pos)) != std::string::npos; pos = end + 1) {
            std::string part = folder.substr(pos, end - pos);
            if (standIns.count(part))
                return false;
            canonical += (longOf.count(part) ? longOf[part] : part) + "\\";
        }
        auto it = folders.find(canonical);
        if (it == folders.end())
            return false;
        for (const FolderEntry& entry : it->second)
            if (!visit(entry))
                break;
        return true;
    }
    FolderWalk Walk(std::function<bool()> keepGoing = [] { return true; })
    {
        return {[this](const std::string& f, const std::function<bool(const FolderEntry&)>& v) { return List(f, v); },
                std::move(keepGoing), [](const std::string&) {}, LowerWestern};
    }
};

}  // namespace

TEST(DiskUsage, WalkCountsFilesOnceSkipsLinksAndStopsWhenAsked)
{
    FakeDisk disk;
    disk.Add("R\\", {File("a.bmp", 5000000000ull), Folder("sub"), Folder("loop", "", true, true), File("readme", 7)});
    disk.Add("R\\sub\\", {Folder("."), Folder(".."), File("b.GIF", 3)});
    disk.Add("R\\loop\\", {File("c.bmp", 11)});
    UsageTotals totals;
    std::vector<std::string> folders;
    FolderWalk walk = disk.Walk();
    walk.onFolder = [&](const std::string& f) { folders.push_back(f); };
    ASSERT_EQ(ScanFolderTree("R", "bmp gif", walk, totals), ScanResult::done);
    EXPECT_EQ(totals.totalCount, 3u);
    EXPECT_EQ(totals.matchCount, 2u);
    EXPECT_EQ(totals.totalBytes, 5000000010ull);
    EXPECT_EQ(totals.matchBytes, 5000000003ull);
    EXPECT_EQ(folders, (std::vector<std::string>{"R", "R\\sub"}));

    int budget = 3;
    UsageTotals partial;
    EXPECT_EQ(ScanFolderTree("R", "*", disk.Walk([&] { return budget-- > 0; }), partial), ScanResult::aborted);
    EXPECT_EQ(partial.totalCount, 1u);

    // A folder that is gone is not an empty one; an empty one is.
    disk.Add("R\\empty\\", {});
    UsageTotals none;
    EXPECT_EQ(ScanFolderTree("R\\gone", "*", disk.Walk(), none), ScanResult::notListed);
    EXPECT_EQ(ScanFolderTree("R\\empty", "*", disk.Walk(), none), ScanResult::done);
}

TEST(DiskUsage, WalkReachesNamesWithoutAnEquivalentAndPathsPastTheLimitByShortNames)
{
    FakeDisk disk;
    // "Omega.dir" is the best fit of a name the code page cannot show; "Sigma.dir" one that the
    // listing cannot tell from an exact name (opening it fails); "??" the name with no fit.
    disk.standIns = {"Omega.dir", "Sigma.dir", "??"};
    disk.Add("R\\", {Folder("Omega.dir", "_MEG~PGT.DIR", false), Folder("Sigma.dir", "SIGMA~1.DIR"),
                     Folder("??", "__~~~OKK", false), Folder("locked", "LOCKED~1"), Folder("deep"),
                     Folder("deeper"), File("??G.jpeg", 5, false, true), File("a.?xt", 7, false, false)});
    disk.Add("R\\Omega.dir\\", {File("x.txt", 1)});
    disk.Add("R\\Sigma.dir\\", {File("y.TXT", 2)});
    disk.Add("R\\??\\", {File("z.jpeg", 4)});
    // Eight levels of 40-character names pass the limit; by their short names they fit. Thirty
    // levels do not fit even by short names: those are counted as unreachable, not skipped.
    std::string folder = "R\\deep\\";
    for (int level = 0; level < 8; ++level) {
        std::string name = std::string(38, 'n') + std::to_string(10 + level);
        disk.Add(folder, {Folder(name, "NNNN~" + std::to_string(level)), File("f.txt", 100)});
        folder += name + "\\";
    }
    disk.Add(folder, {File("bottom.txt", 1000)});
    folder = "R\\deeper\\";
    for (int level = 0; level < 30; ++level) {
        std::string name = "level" + std::to_string(level);
        disk.Add(folder, {Folder(name + ".long.name", "LEVEL~" + std::to_string(level))});
        folder += name + ".long.name\\";
    }
    disk.Add(folder, {File("lost.txt", 1)});

    UsageTotals totals;
    ASSERT_EQ(ScanFolderTree("R", "txt jpeg", disk.Walk(), totals), ScanResult::done);
    EXPECT_EQ(totals.totalCount, 14u);
    EXPECT_EQ(totals.totalBytes, 1 + 2 + 4 + 5 + 7 + 800 + 1000u);
    // a.?xt has an extension no list can name.
    EXPECT_EQ(totals.matchCount, 13u);
    EXPECT_EQ(totals.matchBytes, 1 + 2 + 4 + 5 + 800 + 1000u);
    EXPECT_EQ(totals.unreachableFolders, 2u);  // "locked" and the thirtieth level
    for (const std::string& listed : disk.listed)
        EXPECT_LE(listed.size() + 3, kMaxListingPattern) << listed;
}

TEST(DiskUsage, AnUnreadableSubFolderIsCountedAsUnreachable)
{
    // "locked" holds 5000 bytes that no listing reaches: its figures are partial, and say so.
    FakeDisk disk;
    disk.Add("R\\", {File("a.txt", 100), Folder("open"), Folder("locked", "LOCKED~1")});
    disk.Add("R\\open\\", {File("b.txt", 200)});
    UsageTotals totals;
    ASSERT_EQ(ScanFolderTree("R", "*", disk.Walk(), totals), ScanResult::done);
    EXPECT_EQ(totals.totalCount, 2u);
    EXPECT_EQ(totals.totalBytes, 300u);
    EXPECT_EQ(totals.unreachableFolders, 1u);
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
