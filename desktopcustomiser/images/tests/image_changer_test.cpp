#include "image_changer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "quoted_path_list.h"

namespace tunewright {
namespace {

using Status = ImagePick::Status;

TEST(QuotedPathList, ParsesTheStoredForm) {
  EXPECT_EQ(ParseQuotedPathList(R"("C:\a.bmp" "D:\pics\b c.jpg")"),
            (std::vector<std::string>{"C:\\a.bmp", "D:\\pics\\b c.jpg"}));
  EXPECT_EQ(ParseQuotedPathList(R"("one")"), (std::vector<std::string>{"one"}));
  EXPECT_TRUE(ParseQuotedPathList("").empty());
  EXPECT_TRUE(ParseQuotedPathList("\"").empty());
  EXPECT_TRUE(ParseQuotedPathList("\"\"").empty());  // one empty entry: an empty list
  EXPECT_EQ(ParseQuotedPathList(R"("a" "" "c")"), (std::vector<std::string>{"a"}));
}

TEST(QuotedPathList, DamagedListsNeverReadPastTheEnd) {
  // Missing closing quote: the rest is the entry. A quote in the last two characters leaves
  // the "three characters on" past the end, which ends the walk.
  EXPECT_EQ(ParseQuotedPathList("\"abc"), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(ParseQuotedPathList("\"abc\""), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(ParseQuotedPathList("\"abc\" "), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(ParseQuotedPathList("\"abc\" \"d"), (std::vector<std::string>{"abc", "d"}));
  // Every prefix of a real list parses to a prefix-like list without fault (ASan watches).
  const std::string list = R"("C:\w\one.bmp" "C:\w\two.gif" "C:\w\three.jpg")";
  for (size_t n = 0; n <= list.size(); ++n) {
    const std::string cut = list.substr(0, n);
    const auto entries = ParseQuotedPathList(std::string_view(cut.data(), cut.size()));
    EXPECT_LE(entries.size(), 3u);
  }
}

TEST(QuotedPathList, FormatRoundTripsAndRefusesBadPaths) {
  const std::vector<std::string> paths = {"C:\\a.bmp", "C:\\b c\\d.png"};
  const auto stored = FormatQuotedPathList(paths);
  ASSERT_TRUE(stored);
  EXPECT_EQ(*stored, R"("C:\a.bmp" "C:\b c\d.png")");
  EXPECT_EQ(ParseQuotedPathList(*stored), paths);
  EXPECT_EQ(FormatQuotedPathList({}), std::string());
  EXPECT_FALSE(FormatQuotedPathList({"a", ""}));
  EXPECT_FALSE(FormatQuotedPathList({"a\"b"}));
  EXPECT_FALSE(FormatQuotedPathList({std::string(260, 'x')}));
  EXPECT_TRUE(FormatQuotedPathList({std::string(259, 'x')}));
}

TEST(YesNoFlags, OneCharacterPerEntry) {
  EXPECT_EQ(YesNoFlagAt("YN", 0), true);
  EXPECT_EQ(YesNoFlagAt("YN", 1), false);
  EXPECT_EQ(YesNoFlagAt("YN", 2), std::nullopt);
  EXPECT_EQ(YesNoFlagAt("", 0), std::nullopt);
  EXPECT_EQ(FormatYesNoFlags({true, false, true}), "YNY");
}

class Changer : public ::testing::Test {
protected:
  void SetList(const char* section, const char* list) { profile.WriteProfileString(section, "List", list); }
  int Current(const char* section) { return profile.GetProfileInt(section, "Current Order", -99); }
  MemoryProfileStore profile;
  int randomCalls = 0;
  std::function<int()> random = [this] { ++randomCalls; return 7; };
};

TEST_F(Changer, SequenceAdvancesAndWraps) {
  SetList("Wallpapers", R"("C:\a.bmp" "C:\b.bmp")");
  const char* want[] = {"C:\\a.bmp", "C:\\b.bmp", "C:\\a.bmp"};
  const int orders[] = {1, 2, 1};
  for (int i = 0; i < 3; ++i) {
    const ImagePick pick = PickImage(profile, ImageCategory::kWallpaper, random);
    ASSERT_EQ(pick.status, Status::kChosen);
    EXPECT_EQ(pick.path, want[i]);
    EXPECT_EQ(Current("Wallpapers"), orders[i]);
  }
  EXPECT_EQ(randomCalls, 0);
}

TEST_F(Changer, OutOfRangeOrderStartsAgainAndOneEntryRepeats) {
  SetList("Startup Screens", R"("x" "y" "z")");
  for (int bad : {7, -1, 3}) {
    profile.WriteProfileInt("Startup Screens", "Current Order", bad);
    const ImagePick pick = PickImage(profile, ImageCategory::kStartupScreen, random);
    EXPECT_EQ(pick.index, 0) << bad;
    EXPECT_EQ(Current("Startup Screens"), 1) << bad;
  }
  SetList("Shutdown Wait Screens", R"("only")");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(PickImage(profile, ImageCategory::kWaitShutdownScreen, random).path, "only");
    EXPECT_EQ(Current("Shutdown Wait Screens"), 1);
  }
}

TEST_F(Changer, RandomOrderPicksOnlyListedEntriesAndWritesNothing) {
  SetList("Shutdown Safe Screens", R"("p" "q" "r")");
  profile.WriteProfileInt("Shutdown Safe Screens", "Random Order?", 1);
  std::set<std::string> seen;
  int next = 0;
  std::function<int()> counting = [&] { return next++; };
  for (int i = 0; i < 30; ++i) seen.insert(PickImage(profile, ImageCategory::kSafeShutdownScreen, counting).path);
  EXPECT_EQ(seen, (std::set<std::string>{"p", "q", "r"}));
  EXPECT_FALSE(profile.Contains("Shutdown Safe Screens", "Current Order"));
  std::function<int()> negative = [] { return -5; };
  EXPECT_EQ(PickImage(profile, ImageCategory::kSafeShutdownScreen, negative).index, 1);
}

TEST_F(Changer, EmptyListsAreSkippedWithoutWriting) {
  for (const char* list : {"", "\"\""}) {
    SetList("Wallpapers", list);
    EXPECT_EQ(PickImage(profile, ImageCategory::kWallpaper, random).status, Status::kNone);
  }
  EXPECT_EQ(PickImage(profile, ImageCategory::kStartupScreen, random).status, Status::kNone);
  EXPECT_FALSE(profile.Contains("Wallpapers", "Current Order"));
}

TEST_F(Changer, OverlongPathIsRefusedAfterTheOrderAdvanced) {
  SetList("Wallpapers", ("\"" + std::string(300, 'x') + "\" \"ok\"").c_str());
  const ImagePick pick = PickImage(profile, ImageCategory::kWallpaper, random);
  EXPECT_EQ(pick.status, Status::kPathTooLong);
  EXPECT_EQ(Current("Wallpapers"), 1);
  EXPECT_EQ(PickImage(profile, ImageCategory::kWallpaper, random).path, "ok");
}

TEST_F(Changer, WallpaperStyleOnlyWhenBothFlagStringsReachTheEntry) {
  SetList("Wallpapers", R"("a" "b")");
  profile.WriteProfileString("Wallpapers", "Tile", "NY");
  profile.WriteProfileString("Wallpapers", "Stretch", "YN");
  ImagePick pick = PickImage(profile, ImageCategory::kWallpaper, random);
  ASSERT_TRUE(pick.style);
  EXPECT_EQ(pick.style->wallpaperStyle, "2");
  EXPECT_EQ(pick.style->tileWallpaper, "0");
  pick = PickImage(profile, ImageCategory::kWallpaper, random);
  ASSERT_TRUE(pick.style);
  EXPECT_EQ(pick.style->wallpaperStyle, "0");
  EXPECT_EQ(pick.style->tileWallpaper, "1");
  profile.WriteProfileString("Wallpapers", "Stretch", "");  // no Plus! pack
  EXPECT_FALSE(PickImage(profile, ImageCategory::kWallpaper, random).style);
  // Boot screens have no style.
  SetList("Startup Screens", R"("a")");
  profile.WriteProfileString("Startup Screens", "Tile", "Y");
  profile.WriteProfileString("Startup Screens", "Stretch", "Y");
  EXPECT_FALSE(PickImage(profile, ImageCategory::kStartupScreen, random).style);
}

TEST(ApplyPlan, TargetsAndTheSelfConversionRules) {
  using Kind = ImageApplyPlan::Kind;
  ImageApplyPlan p = PlanApplyImage(1, "C:\\pics\\a.jpg", "C:\\WINDOWS", "C:\\Program Files\\Tw");
  EXPECT_EQ(p.kind, Kind::kWallpaper);
  EXPECT_EQ(p.target, "C:\\WINDOWS\\Tunewright 97 Image Changer Wallpaper.bmp");
  EXPECT_EQ(p.convertTo, p.target);
  EXPECT_FALSE(p.deleteTemp);

  // The wallpaper bitmap itself in the list: through the temporary file, never onto itself.
  p = PlanApplyImage(1, "c:\\windows\\TUNEWRIGHT 97 image changer wallpaper.bmp", "C:\\WINDOWS", "C:\\Tw");
  EXPECT_EQ(p.kind, Kind::kWallpaper);
  EXPECT_EQ(p.convertTo, "C:\\Tw\\Temp.bmp");
  EXPECT_TRUE(p.deleteTemp);

  p = PlanApplyImage(2, "C:\\pics\\a.gif", "C:\\WINDOWS", "C:\\Tw\\");
  EXPECT_EQ(p.kind, Kind::kBootScreen);
  EXPECT_EQ(p.target, "C:\\Logo.sys");
  EXPECT_EQ(p.convertTo, "C:\\Tw\\Temp.bmp");
  EXPECT_TRUE(p.deleteTemp);
  EXPECT_EQ(PlanApplyImage(3, "x", "C:\\", "C:\\Tw").target, "C:\\Logos.sys");
  EXPECT_EQ(PlanApplyImage(4, "x", "C:\\WIN", "C:\\Tw").target, "C:\\WIN\\Logow.sys");

  EXPECT_EQ(PlanApplyImage(2, "c:\\LOGO.SYS", "C:\\WINDOWS", "C:\\Tw").kind, Kind::kNothing);
  EXPECT_EQ(PlanApplyImage(4, "C:\\windows\\logow.sys", "C:\\WINDOWS", "C:\\Tw").kind, Kind::kNothing);
  EXPECT_EQ(PlanApplyImage(3, "C:\\TW\\temp.BMP", "C:\\WINDOWS", "C:\\Tw").kind, Kind::kNothing);
  EXPECT_EQ(PlanApplyImage(0, "x", "C:\\WINDOWS", "C:\\Tw").kind, Kind::kNothing);
  EXPECT_EQ(PlanApplyImage(5, "x", "C:\\WINDOWS", "C:\\Tw").kind, Kind::kNothing);
}

TEST(ApplyPlan, MessagesHaveTheirTexts) {
  EXPECT_EQ(ImageMessageText(58059), "Image Changer: The file %s is not a valid image");
  for (unsigned id = 57964; id <= 57970; ++id) EXPECT_NE(ImageMessageText(id).find("%s"), std::string_view::npos);
  EXPECT_TRUE(ImageMessageText(1).empty());
  EXPECT_EQ(FindImageCategory(2)->notFoundMessage, 57964u);
  EXPECT_EQ(FindImageCategory(1)->notFoundMessage, 0u);
  EXPECT_STREQ(FindImageCategory(4)->section, "Shutdown Wait Screens");
}

}  // namespace
}  // namespace tunewright
