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
    auto rows = LoadImageRows("\"C:\\a.bmp\" \"C:\\b.jpg\" \"C:\\c.gif\"", "NY", "YNY", true);
    ASSERT_EQ(Paths(rows), (std::vector<std::string>{"C:\\a.bmp", "C:\\b.jpg", "C:\\c.gif"}));
    EXPECT_FALSE(rows[0].tile);
    EXPECT_TRUE(rows[1].tile);
    EXPECT_FALSE(rows[2].tile);  // past the end of "Tile"
    EXPECT_TRUE(rows[0].stretch);
    EXPECT_TRUE(rows[2].stretch);
    // Without the Stretch column no stretch flag is taken.
    for (const ImageRow& row : LoadImageRows("\"C:\\a.bmp\"", "Y", "Y", false))
        EXPECT_FALSE(row.stretch);
}

TEST(ImageListRules, StoreRoundTripsAndKeepsFlagsParallelWhenARowIsLeftOut)
{
    std::vector<ImageRow> rows = {{"C:\\a.bmp", true, false}, {"", true, true}, {"C:\\b\"x.bmp", false, true},
                                  {"C:\\c.bmp", false, true}};
    StoredImageList stored = StoreImageRows(rows, true);
    EXPECT_EQ(stored.list, "\"C:\\a.bmp\" \"C:\\c.bmp\"");
    EXPECT_EQ(stored.tile, "YN");
    EXPECT_EQ(stored.stretch, "NY");
    EXPECT_EQ(StoreImageRows(rows, false).stretch, "");
    auto again = LoadImageRows(stored.list, stored.tile, stored.stretch, true);
    EXPECT_EQ(Paths(again), (std::vector<std::string>{"C:\\a.bmp", "C:\\c.bmp"}));
    EXPECT_TRUE(again[0].tile);
    EXPECT_TRUE(again[1].stretch);
    EXPECT_EQ(StoreImageRows({}, true).list, "");
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
