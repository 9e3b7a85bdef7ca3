#include "AutoRandomizeCountdown.h"
#include "ImageListRules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::string> Paths(const std::vector<ImageRow>& rows)
{
    std::vector<std::string> paths;
    for (const ImageRow& row : rows)
        paths.push_back(row.path);
    return paths;
}

TEST(ImageListRules, LoadReadsFlagsPerEntryAndShortFlagStringsGiveNo)
{
    auto rows = LoadImageRows("\"C:\\a.bmp\" \"C:\\b.jpg\" \"C:\\c.gif\"", "NY", "YNY", true).rows;
    ASSERT_EQ(Paths(rows), (std::vector<std::string>{"C:\\a.bmp", "C:\\b.jpg", "C:\\c.gif"}));
    EXPECT_FALSE(rows[0].tile);
    EXPECT_TRUE(rows[1].tile);
    EXPECT_FALSE(rows[2].tile);  // past the end of "Tile"
    EXPECT_TRUE(rows[0].stretch);
    EXPECT_TRUE(rows[2].stretch);
    // Without the Stretch column no stretch flag is shown, but it is kept.
    for (const ImageRow& row : LoadImageRows("\"C:\\a.bmp\"", "Y", "Y", false).rows) {
        EXPECT_FALSE(row.stretch);
        EXPECT_EQ(row.storedStretch, 'Y');
    }
}

TEST(ImageListRules, StoreRoundTripsAndKeepsFlagsParallelWhenARowIsLeftOut)
{
    std::vector<ImageRow> rows(4);
    const char* paths[] = {"C:\\a.bmp", "", "C:\\b\"x.bmp", "C:\\c.bmp"};
    const bool tiles[] = {true, true, false, false};
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].path = paths[i];
        SetImageRowStyle(rows[i], tiles[i], !tiles[i] || i == 1, true);
    }
    StoredImageList stored = StoreImageRows(rows);
    EXPECT_EQ(stored.list, "\"C:\\a.bmp\" \"C:\\c.bmp\"");
    EXPECT_EQ(stored.tile, "YN");
    EXPECT_EQ(stored.stretch, "NY");
    auto again = LoadImageRows(stored.list, stored.tile, stored.stretch, true).rows;
    EXPECT_EQ(Paths(again), (std::vector<std::string>{"C:\\a.bmp", "C:\\c.bmp"}));
    EXPECT_TRUE(again[0].tile);
    EXPECT_TRUE(again[1].stretch);
    EXPECT_EQ(StoreImageRows({}).list, "");
}

// What the user does to the rows between load and save.
enum class Edit { none, removeSecond, swapFirstTwo, addFirst, tileFirst };

TEST(ImageListRules, SaveKeepsWhatThePageCannotShowThroughEveryEdit)
{
    struct Case {
        const char* list;
        const char* tile;
        const char* stretch;
        Edit edit;
        const char* savedList;
        const char* savedTile;
        const char* savedStretch;
    };
    const Case cases[] = {
        // Without the Plus! pack the Stretch column is not shown; its flags stay parallel.
        {"\"a\" \"b\" \"c\"", "NYN", "YNY", Edit::none, "\"a\" \"b\" \"c\"", "NYN", "YNY"},
        {"\"a\" \"b\" \"c\"", "NYN", "YNY", Edit::removeSecond, "\"a\" \"c\"", "NN", "YY"},
        {"\"a\" \"b\" \"c\"", "NYN", "YNY", Edit::swapFirstTwo, "\"b\" \"a\" \"c\"", "YNN", "NYY"},
        {"\"a\" \"b\" \"c\"", "NYN", "YNY", Edit::addFirst, "\"n\" \"a\" \"b\" \"c\"", "NNYN", "NYNY"},
        {"\"a\" \"b\"", "NN", "YY", Edit::tileFirst, "\"a\" \"b\"", "YN", "NY"},
        {"\"a\" \"b\"", "N", "", Edit::none, "\"a\" \"b\"", "N", ""},
        // An empty or odd entry: it and everything after it are kept as stored.
        {"\"a.bmp\" \"\" \"b.bmp\"", "", "", Edit::none, "\"a.bmp\" \"\" \"b.bmp\"", "", ""},
        {"\"a.bmp\" \"\" \"b.bmp\"", "", "", Edit::addFirst, "\"n\" \"a.bmp\" \"\" \"b.bmp\"", "N", ""},
        {"\"a\" \"\" \"b\"", "YNY", "NNY", Edit::removeSecond, "\"a\" \"\" \"b\"", "YNY", "NNY"},
        {"\"a\" \"\" \"b\"", "YNY", "NNY", Edit::addFirst, "\"n\" \"a\" \"\" \"b\"", "NYNY", "NNNY"},
        {"\"a\"  \"b\"", "", "", Edit::addFirst, "\"n\" \"a\"  \"b\"", "N", ""},
        {"a.bmp", "", "", Edit::none, "a.bmp", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        ImageListRead read = LoadImageRows(c.list, c.tile, c.stretch, false);
        std::vector<ImageRow> rows = read.rows;
        switch (c.edit) {
        case Edit::none: break;
        case Edit::removeSecond:
            if (rows.size() > 1)
                rows.erase(rows.begin() + 1);
            break;
        case Edit::swapFirstTwo: std::swap(rows[0], rows[1]); break;
        case Edit::addFirst: {
            ImageRow added;
            added.path = "n";
            SetImageRowStyle(added, false, false, false);
            rows.insert(rows.begin(), added);
            break;
        }
        case Edit::tileFirst: SetImageRowStyle(rows[0], true, false, false); break;
        }
        StoredImageList stored = StoreImageRows(rows, read);
        EXPECT_EQ(stored.list, c.savedList);
        EXPECT_EQ(stored.tile, c.savedTile);
        EXPECT_EQ(stored.stretch, c.savedStretch);
    }
}

TEST(ImageListRules, ASaveWritesOnlyWhatChangedAndPutsBackWhenAWriteIsRefused)
{
    const uint8_t binary[] = {1, 2, 3};
    auto expand = [](const char* text) { return EncodeProfileString(text); };
    MemoryProfileStore profile;
    profile.SetRaw("Wallpapers", "List", 2, expand("\"%W%\\a.bmp\" \"b.bmp\""));  // REG_EXPAND_SZ
    profile.SetRaw("Wallpapers", "Tile", 3, {binary, binary + 3});                // unreadable
    profile.SetRaw("Wallpapers", "Stretch", 1, expand("YN"));
    ImagePageRead read = ReadImagePage(profile, "Wallpapers", true, false);
    ASSERT_EQ(read.shown.rows.size(), 2u);
    EXPECT_EQ(read.shown.rows[0].path, "%W%\\a.bmp");
    EXPECT_TRUE(PlanImagePageSave(profile, "Wallpapers", read, read.shown.rows, 0, true).empty());

    // The user removes the second row: "List" and "Stretch" change, "List" stays expandable,
    // the unreadable "Tile" and "Random Order?" are not touched.
    std::vector<ImageRow> rows{read.shown.rows[0]};
    WritePlan plan = PlanImagePageSave(profile, "Wallpapers", read, rows, 0, true);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].name, "Wallpapers\\List");
    EXPECT_EQ(plan[1].name, "Wallpapers\\Stretch");
    EXPECT_EQ(RunWritePlan(plan), std::nullopt);
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(profile.ReadValue("Wallpapers", "List", type, data));
    EXPECT_EQ(type, 2u);
    EXPECT_EQ(data, expand("\"%W%\\a.bmp\""));
    ASSERT_TRUE(profile.ReadValue("Wallpapers", "Tile", type, data));
    EXPECT_EQ(type, 3u);
    EXPECT_FALSE(profile.Contains("Wallpapers", "Random Order?"));

    // A refused write stops the save and puts back what it had written.
    read = ReadImagePage(profile, "Wallpapers", true, false);
    profile.Refuse("Wallpapers", "Random Order?");
    ImageRow added;
    added.path = "c.bmp";
    SetImageRowStyle(added, false, false, false);
    rows.insert(rows.begin(), added);
    size_t before = profile.changes;
    EXPECT_EQ(RunWritePlan(PlanImagePageSave(profile, "Wallpapers", read, rows, 1, true)),
              std::optional<std::string>("Wallpapers\\Random Order?"));
    EXPECT_EQ(profile.changes, before + 4);  // "List" and "Stretch" written, then put back
    EXPECT_STREQ(profile.GetProfileString("Wallpapers", "List"), "\"%W%\\a.bmp\"");
}

TEST(ImageListRules, TypedNamesLoseQuotesAndEmptyOrPipedOnesAreRefused)
{
    EXPECT_EQ(CleanImageName("\"C:\\My Pictures\\a.bmp\""), "C:\\My Pictures\\a.bmp");
    struct Case {
        const char* typed;
        ImageNameCheck check;
    } cases[] = {{"C:\\a.bmp", ImageNameCheck::Ok}, {"", ImageNameCheck::Empty}, {"\"\"", ImageNameCheck::Empty},
                 {"   ", ImageNameCheck::Empty}, {"C:\\a|b.bmp", ImageNameCheck::HasPipe}};
    for (const Case& c : cases)
        EXPECT_EQ(CheckImageName(CleanImageName(c.typed)), c.check) << c.typed;
}

TEST(ImageListRules, MovesAreCheckedAndSwapExactlyThePair)
{
    struct Case {
        int count, selectedCount, selected;
        bool up;
        MoveCheck check;
    } cases[] = {
        {3, 0, -1, true, MoveCheck::NoSelection}, {3, 2, 1, true, MoveCheck::SeveralSelected},
        {3, 1, 0, true, MoveCheck::FirstUp},      {3, 1, 2, false, MoveCheck::LastDown},
        {1, 1, 0, false, MoveCheck::LastDown},    {3, 1, 2, true, MoveCheck::Ok},
        {3, 1, 0, false, MoveCheck::Ok},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckMove(c.count, c.selectedCount, c.selected, c.up), c.check) << c.selected << c.up;

    // Up on the third row: it trades places with the second, whatever order the sort compares in.
    std::vector<std::string> rows = {"a", "b", "c", "d"};
    std::vector<int> positions = SwappedPositions(4, MovePairStart(2, true));
    std::vector<std::pair<int, std::string>> items;
    for (size_t i = 0; i < rows.size(); ++i)
        items.push_back({positions[i], rows[i]});
    std::reverse(items.begin(), items.end());
    std::sort(items.begin(), items.end(), [](const auto& x, const auto& y) { return ComparePositions(x.first, y.first) < 0; });
    std::vector<std::string> moved;
    for (const auto& item : items)
        moved.push_back(item.second);
    EXPECT_EQ(moved, (std::vector<std::string>{"a", "c", "b", "d"}));
}

TEST(ImageListRules, RandomRowAndSetStyle)
{
    EXPECT_EQ(RandomRowIndex(32767, 10), 7);
    EXPECT_EQ(RandomRowIndex(4, 5), 4);
    EXPECT_EQ(RandomRowIndex(5, 0), -1);
    DesktopStyleValues stretched = SetCommandStyle(false, true, true);
    EXPECT_STREQ(stretched.wallpaperStyle, "2");
    EXPECT_STREQ(stretched.tileWallpaper, "0");
    EXPECT_STREQ(SetCommandStyle(true, true, false).wallpaperStyle, "0");  // no Plus! pack: never stretched
    EXPECT_STREQ(SetCommandStyle(true, false, false).tileWallpaper, "1");
}

TEST(AutoRandomizeCountdown, LongPeriodsAreCountedDownInFullNotShortened)
{
    // 70000 minutes is 4.2e9 ms: longer than one timer can wait.
    EXPECT_EQ(AutoRandomizePeriodMs64(70000), 4200000000LL);
    EXPECT_EQ(AutoRandomizePeriodMs64(0), 60000);
    AutoRandomizeCountdown countdown;
    uint32_t tick = countdown.Start(70000);
    EXPECT_EQ(tick, 0x7FFFFFFFu);
    int64_t waited = tick;
    uint32_t next = 0;
    int ticks = 1;
    while (!countdown.Tick(next)) {
        waited += next;
        ASSERT_LT(++ticks, 10);
    }
    EXPECT_EQ(waited, 4200000000LL);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(next, 0x7FFFFFFFu);  // the next period starts over

    // A period that fits one timer is one tick each time.
    EXPECT_EQ(countdown.Start(60), 3600000u);
    EXPECT_TRUE(countdown.Tick(next));
    EXPECT_EQ(next, 3600000u);
    EXPECT_TRUE(countdown.Tick(next));
}

}  // namespace
