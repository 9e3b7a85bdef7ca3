#include "image_changer.h"

#include <cctype>

#include "quoted_path_list.h"

namespace tunewright {

namespace {

constexpr ImageCategoryInfo kCategories[] = {
    {ImageCategory::kWallpaper, "Wallpapers", 0, image_messages::kWallpaperNotSet},
    {ImageCategory::kStartupScreen, "Startup Screens", image_messages::kStartupNotFound, image_messages::kStartupNotSet},
    {ImageCategory::kSafeShutdownScreen, "Shutdown Safe Screens", image_messages::kSafeNotFound, image_messages::kSafeNotSet},
    {ImageCategory::kWaitShutdownScreen, "Shutdown Wait Screens", image_messages::kWaitNotFound, image_messages::kWaitNotSet},
};

}  // namespace

std::string_view ImageMessageText(unsigned id) {
  switch (id) {
    case image_messages::kStartupNotFound:
      return "The startup screen %s could not be found.\n\nThe startup screen was not changed.";
    case image_messages::kSafeNotFound:
      return "The safe to shutdown screen %s could not be found.\n\nThe safe to shutdown screen was not changed.";
    case image_messages::kWaitNotFound:
      return "The wait to shutdown screen %s could not be found.\n\nThe wait to shutdown screen was not changed.";
    case image_messages::kWallpaperNotSet: return "The wallpaper %s could not be set";
    case image_messages::kStartupNotSet: return "The startup screen %s could not be set";
    case image_messages::kSafeNotSet: return "The safe to shutdown screen %s could not be set";
    case image_messages::kWaitNotSet: return "The wait to shutdown screen %s could not be set";
    case image_messages::kNotAValidImage: return "Image Changer: The file %s is not a valid image";
    default: return {};
  }
}

std::optional<ImageCategoryInfo> FindImageCategory(int code) {
  if (code < 1 || code > 4) return std::nullopt;
  return kCategories[code - 1];
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (out.empty() || (out.back() != '\\' && out.back() != '/')) out += '\\';
  out += name;
  return out;
}

std::string ImageTargetPath(ImageCategory category, std::string_view windowsFolder) {
  switch (category) {
    case ImageCategory::kWallpaper: return JoinPath(windowsFolder, "Tunewright 97 Image Changer Wallpaper.bmp");
    case ImageCategory::kStartupScreen: return "C:\\Logo.sys";
    case ImageCategory::kSafeShutdownScreen: return JoinPath(windowsFolder, "Logos.sys");
    case ImageCategory::kWaitShutdownScreen: return JoinPath(windowsFolder, "Logow.sys");
  }
  return {};
}

std::string ImageTempPath(std::string_view installFolder) { return JoinPath(installFolder, "Temp.bmp"); }

bool SamePath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (std::tolower(ca) != std::tolower(cb)) return false;
  }
  return true;
}

ImagePick PickImage(ProfileStore& profile, ImageCategory category, const std::function<int()>& random) {
  ImagePick pick;
  const ImageCategoryInfo info = kCategories[static_cast<int>(category) - 1];
  const CString list = profile.GetProfileString(info.section, "List", "");
  const std::vector<std::string> entries = ParseQuotedPathList(list.c_str());
  if (entries.empty()) return pick;
  const int count = static_cast<int>(entries.size());

  int index;
  if (profile.GetProfileInt(info.section, "Random Order?", 0) != 0) {
    const int r = random ? random() : 0;
    index = ((r % count) + count) % count;
  } else {
    index = profile.GetProfileInt(info.section, "Current Order", 0);
    if (index < 0 || index >= count) index = 0;
    profile.WriteProfileInt(info.section, "Current Order", index + 1);
  }
  pick.index = index;
  pick.path = entries[static_cast<size_t>(index)];
  if (pick.path.size() > kMaxImagePath) {
    pick.status = ImagePick::Status::kPathTooLong;
    return pick;
  }
  pick.status = ImagePick::Status::kChosen;

  if (category == ImageCategory::kWallpaper) {
    const CString tile = profile.GetProfileString(info.section, "Tile", "");
    const CString stretch = profile.GetProfileString(info.section, "Stretch", "");
    const auto t = YesNoFlagAt(tile.c_str(), static_cast<size_t>(index));
    const auto s = YesNoFlagAt(stretch.c_str(), static_cast<size_t>(index));
    if (t && s) pick.style = WallpaperStyle{*s ? "2" : "0", *t ? "1" : "0"};
  }
  return pick;
}

ImageApplyPlan PlanApplyImage(int category, std::string_view path, std::string_view windowsFolder,
                              std::string_view installFolder) {
  ImageApplyPlan plan;
  const auto info = FindImageCategory(category);
  if (!info) return plan;
  plan.target = ImageTargetPath(info->category, windowsFolder);
  const std::string temp = ImageTempPath(installFolder);
  if (info->category == ImageCategory::kWallpaper) {
    plan.kind = ImageApplyPlan::Kind::kWallpaper;
    // Converting a file onto itself would truncate it while it is read.
    const bool self = SamePath(path, plan.target);
    plan.convertTo = self ? temp : plan.target;
    plan.deleteTemp = self;
    return plan;
  }
  // The screen already installed, or the temporary file that would be overwritten and deleted.
  if (SamePath(path, plan.target) || SamePath(path, temp)) {
    plan.target.clear();
    return plan;
  }
  plan.kind = ImageApplyPlan::Kind::kBootScreen;
  plan.convertTo = temp;
  plan.deleteTemp = true;
  return plan;
}

}  // namespace tunewright
