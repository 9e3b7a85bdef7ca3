// The image changer end to end under Wine: profile lists in, wallpaper and boot screens out.
#include "win32/image_apply.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "byte_reader.h"
#include "quoted_path_list.h"

namespace tunewright {
namespace {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string DesktopValue(const char* name) {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return value;
}

class ImageApply : public ::testing::Test {
protected:
  void SetUp() override {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    root_ = std::string(dir) + "twapply";
    CreateDirectoryA(root_.c_str(), nullptr);
    windows_ = root_ + "\\win";
    install_ = root_ + "\\tw";
    CreateDirectoryA(windows_.c_str(), nullptr);
    CreateDirectoryA(install_.c_str(), nullptr);
    ASSERT_TRUE(converter_.Allocate());
    converter_.Initialise(GetModuleHandleA(nullptr), nullptr);
    // The startup screen's target is fixed; whatever the prefix held there comes back after.
    hadLogo_ = FileExists("C:\\Logo.sys");
    if (hadLogo_) savedLogo_ = ReadFileBytes("C:\\Logo.sys");
  }

  void TearDown() override {
    SetFileAttributesA("C:\\Logo.sys", FILE_ATTRIBUTE_NORMAL);
    if (!hadLogo_) {
      DeleteFileA("C:\\Logo.sys");
    } else if (FILE* f = std::fopen("C:\\Logo.sys", "wb")) {
      std::fwrite(savedLogo_.data(), 1, savedLogo_.size(), f);
      std::fclose(f);
    }
  }

  // A w x h picture, every pixel (shade, 255 - shade, w).
  std::string Picture(const char* name, int w, int h, uint8_t shade) {
    const std::string path = root_ + "\\" + name;
    char head[64];
    const int n = std::snprintf(head, sizeof head, "P6\n%d %d\n255\n", w, h);
    std::vector<uint8_t> bytes(head, head + n);
    for (int i = 0; i < w * h; ++i) {
      bytes.push_back(shade);
      bytes.push_back(static_cast<uint8_t>(255 - shade));
      bytes.push_back(static_cast<uint8_t>(w));
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }

  // Checks a 24-bit bitmap's size and its first pixel (stored blue, green, red).
  static void ExpectBitmapOf(const std::string& path, int w, int h, uint8_t shade) {
    const auto bmp = ReadFileBytes(path);
    ASSERT_GE(bmp.size(), 57u) << path;
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(GetU32(bmp.data() + 18), static_cast<uint32_t>(w));
    EXPECT_EQ(GetU32(bmp.data() + 22), static_cast<uint32_t>(h));
    EXPECT_EQ(GetU16(bmp.data() + 28), 24);
    EXPECT_EQ(bmp[54 + 2], shade);
    EXPECT_EQ(bmp[54 + 1], 255 - shade);
    EXPECT_EQ(bmp[54 + 0], w);
  }

  ImageChangerContext Context() {
    return ImageChangerContext{profile_, converter_, windows_, install_,
                               [this](unsigned id, const std::string& path) { messages_.push_back({id, path}); }};
  }

  std::string root_, windows_, install_;
  MemoryProfileStore profile_;
  ConverterBlock converter_;
  std::vector<std::pair<unsigned, std::string>> messages_;
  bool hadLogo_ = false;
  std::vector<uint8_t> savedLogo_;
};

TEST_F(ImageApply, TwoWallpapersInSequenceAreInstalledInTurn) {
  const std::string a = Picture("a.ppm", 20, 10, 40), b = Picture("b.ppm", 30, 12, 200);
  profile_.WriteProfileString("Wallpapers", "List", FormatQuotedPathList({a, b})->c_str());
  profile_.WriteProfileString("Wallpapers", "Tile", "YN");
  profile_.WriteProfileString("Wallpapers", "Stretch", "NY");
  ImageChangerContext context = Context();
  const std::string target = windows_ + "\\Tunewright 97 Image Changer Wallpaper.bmp";

  ChangeImages(context, true, false, false, false);
  EXPECT_EQ(profile_.GetProfileInt("Wallpapers", "Current Order", -1), 1);
  ExpectBitmapOf(target, 20, 10, 40);
  EXPECT_STRCASEEQ(DesktopValue("Wallpaper").c_str(), target.c_str());
  EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
  EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");

  ChangeImages(context, true, false, false, false);
  EXPECT_EQ(profile_.GetProfileInt("Wallpapers", "Current Order", -1), 2);
  ExpectBitmapOf(target, 30, 12, 200);
  EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
  EXPECT_EQ(DesktopValue("WallpaperStyle"), "2");

  ChangeImages(context, true, false, false, false);
  EXPECT_EQ(profile_.GetProfileInt("Wallpapers", "Current Order", -1), 1);
  ExpectBitmapOf(target, 20, 10, 40);
  EXPECT_TRUE(messages_.empty());

  // The installed wallpaper listed itself: converted through the temporary file, intact.
  ApplyImage(context, 1, target);
  ExpectBitmapOf(target, 20, 10, 40);
  EXPECT_FALSE(FileExists(install_ + "\\Temp.bmp"));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ImageApply, StartupScreenBecomesA320By400EightBitLogoAndTheTemporaryFileGoes) {
  const std::string logo = Picture("logo.ppm", 64, 40, 90);
  profile_.WriteProfileString("Startup Screens", "List", ("\"" + logo + "\"").c_str());
  ImageChangerContext context = Context();
  ChangeImages(context, false, true, false, false);
  const auto sys = ReadFileBytes("C:\\Logo.sys");
  ASSERT_EQ(sys.size(), 54u + 1024u + 320u * 400u);
  EXPECT_EQ(sys[0], 'B');
  EXPECT_EQ(GetU32(sys.data() + 18), 320u);
  EXPECT_EQ(GetU32(sys.data() + 22), 400u);
  EXPECT_EQ(GetU16(sys.data() + 28), 8);
  EXPECT_FALSE(FileExists(install_ + "\\Temp.bmp"));
  EXPECT_TRUE(messages_.empty());

  // The installed screen chosen again, in another case: nothing happens, no message.
  profile_.WriteProfileString("Startup Screens", "List", "\"c:\\LOGO.SYS\"");
  const auto before = ReadFileBytes("C:\\Logo.sys");
  ChangeImages(context, false, true, false, false);
  EXPECT_EQ(ReadFileBytes("C:\\Logo.sys"), before);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ImageApply, ShutdownScreensGoToTheWindowsFolderAndFailuresAreReported) {
  const std::string ok = Picture("wait.ppm", 10, 10, 5);
  const std::string missing = root_ + "\\gone.bmp";
  const std::string junk = root_ + "\\junk.gif";
  FILE* f = std::fopen(junk.c_str(), "wb");
  std::fputs("not an image", f);
  std::fclose(f);
  profile_.WriteProfileString("Shutdown Wait Screens", "List", ("\"" + ok + "\"").c_str());
  profile_.WriteProfileString("Shutdown Safe Screens", "List", ("\"" + missing + "\" \"" + junk + "\"").c_str());
  ImageChangerContext context = Context();
  ChangeImages(context, false, false, true, true);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].first, 57965u);
  EXPECT_EQ(messages_[0].second, missing);
  EXPECT_EQ(profile_.GetProfileInt("Shutdown Safe Screens", "Current Order", -1), 1);  // advanced anyway
  EXPECT_EQ(GetU32(ReadFileBytes(windows_ + "\\Logow.sys").data() + 18), 320u);

  ChangeImages(context, false, false, true, false);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1].first, 58059u);
  EXPECT_FALSE(FileExists(windows_ + "\\Logos.sys"));
  EXPECT_FALSE(FileExists(install_ + "\\Temp.bmp"));

  ApplyImage(context, 1, missing);  // a missing wallpaper is not a valid image
  ASSERT_EQ(messages_.size(), 3u);
  EXPECT_EQ(messages_[2].first, 58059u);
}

TEST_F(ImageApply, RandomOrderInstallsOnlyListedImages) {
  const std::string a = Picture("ra.ppm", 11, 3, 1), b = Picture("rb.ppm", 12, 3, 2), c = Picture("rc.ppm", 13, 3, 3);
  profile_.WriteProfileString("Wallpapers", "List", FormatQuotedPathList({a, b, c})->c_str());
  profile_.WriteProfileInt("Wallpapers", "Random Order?", 1);
  ImageChangerContext context = Context();
  std::srand(12345);
  std::set<uint32_t> widths;
  for (int i = 0; i < 12; ++i) {
    ChangeImages(context, true, false, false, false);
    const auto bmp = ReadFileBytes(windows_ + "\\Tunewright 97 Image Changer Wallpaper.bmp");
    ASSERT_GE(bmp.size(), 54u);
    widths.insert(GetU32(bmp.data() + 18));
  }
  for (uint32_t w : widths) EXPECT_TRUE(w >= 11 && w <= 13) << w;
  EXPECT_GE(widths.size(), 2u);
  EXPECT_FALSE(profile_.Contains("Wallpapers", "Current Order"));
}

}  // namespace
}  // namespace tunewright
