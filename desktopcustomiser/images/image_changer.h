// The image changer's rules, over the application profile: which entry of a category's list
// comes next, the wallpaper style that goes with it, and how a chosen file is installed.
//
// The application object's members are thin layers over these (win32/image_apply.h does the
// Win32 steps):
//   void CTunewrightApp::ChangeImages(BOOL wallpaper, BOOL startup, BOOL safe, BOOL wait);
//       wait cursor, then tunewright::ChangeImages(context, wallpaper, startup, safe, wait)
//   void CTunewrightApp::ApplyImage(int category, LPCSTR path);
//       tunewright::ApplyImage(context, category, path)
//   BOOL CTunewrightApp::ConvertImage(LPCSTR source, LPCSTR destination);
//       m_converter.Convert(source, destination, 2)
// where context is an ImageChangerContext holding Profile(), the converter block, the
// Windows and install folders and a message reporter (string-table id, path).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/ProfileStore.h"

namespace tunewright {

enum class ImageCategory { kWallpaper = 1, kStartupScreen = 2, kSafeShutdownScreen = 3, kWaitShutdownScreen = 4 };

// String-table ids of the changer's messages; each formats the path into "%s".
namespace image_messages {
constexpr unsigned kStartupNotFound = 57964;      // "The startup screen %s could not be found.\n\nThe startup screen was not changed."
constexpr unsigned kSafeNotFound = 57965;         // "The safe to shutdown screen %s could not be found.\n\nThe safe to shutdown screen was not changed."
constexpr unsigned kWaitNotFound = 57966;         // "The wait to shutdown screen %s could not be found.\n\nThe wait to shutdown screen was not changed."
constexpr unsigned kWallpaperNotSet = 57967;      // "The wallpaper %s could not be set"
constexpr unsigned kStartupNotSet = 57968;        // "The startup screen %s could not be set"
constexpr unsigned kSafeNotSet = 57969;           // "The safe to shutdown screen %s could not be set"
constexpr unsigned kWaitNotSet = 57970;           // "The wait to shutdown screen %s could not be set"
constexpr unsigned kNotAValidImage = 58059;       // "Image Changer: The file %s is not a valid image"
}  // namespace image_messages

// The texts of those ids, for the string table and for tests; empty for any other id.
std::string_view ImageMessageText(unsigned id);

struct ImageCategoryInfo {
  ImageCategory category;
  const char* section;        // profile section
  unsigned notFoundMessage;   // 0: the file is not looked for first
  unsigned notSetMessage;
};

// Nothing for a code outside 1 to 4.
std::optional<ImageCategoryInfo> FindImageCategory(int code);

// The category's target file: the wallpaper bitmap or boot screen the changer installs.
std::string ImageTargetPath(ImageCategory category, std::string_view windowsFolder);
// "Temp.bmp" in the install folder: boot-screen conversions go through it.
std::string ImageTempPath(std::string_view installFolder);
// Folder + "\" + name, without doubling a backslash the folder already ends with.
std::string JoinPath(std::string_view folder, std::string_view name);
bool SamePath(std::string_view a, std::string_view b);  // without case

// The "Control Panel\Desktop" values to write with a wallpaper: "WallpaperStyle" ("2" to
// stretch, else "0") and "TileWallpaper" ("1" or "0").
struct WallpaperStyle {
  std::string wallpaperStyle;
  std::string tileWallpaper;
};

struct ImagePick {
  enum class Status { kNone, kChosen, kPathTooLong };
  Status status = Status::kNone;
  int index = 0;
  std::string path;
  std::optional<WallpaperStyle> style;  // wallpaper only, when both flag strings reach the index
};

// Chooses the category's next entry. Random order: random() modulo the count, nothing
// written. In sequence: "Current Order" (0 when outside the list), and "Current Order" :=
// index + 1 is written at once, before the file is used. kNone for an empty list.
ImagePick PickImage(ProfileStore& profile, ImageCategory category, const std::function<int()>& random);

// How a chosen file is installed.
struct ImageApplyPlan {
  enum class Kind { kNothing, kWallpaper, kBootScreen };
  Kind kind = Kind::kNothing;
  std::string convertTo;    // the converter's destination
  std::string target;       // the file installed (copied over when it differs from convertTo)
  bool deleteTemp = false;  // convertTo is a temporary file to remove afterwards
};

// Wallpaper: straight into the target, or through "Temp.bmp" when the source is the target
// itself. Boot screens: through "Temp.bmp", then copied over the target and finished; nothing
// when the source is the target, or the temporary file itself.
ImageApplyPlan PlanApplyImage(int category, std::string_view path, std::string_view windowsFolder,
                              std::string_view installFolder);

}  // namespace tunewright
