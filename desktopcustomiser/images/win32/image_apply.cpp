#include "image_apply.h"

namespace tunewright {

namespace {

// Boot screens are often read-only, hidden or system files; the copy and the delete clear
// that first.
bool ForceCopy(const std::string& source, const std::string& target) {
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

bool ForceDelete(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) != 0;
}

bool Exists(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

void SetDesktopValue(const char* name, const std::string& value) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &key, &disposition) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

void Report(ImageChangerContext& context, unsigned id, const std::string& path) {
  if (context.report) context.report(id, path);
}

}  // namespace

void ApplyImage(ImageChangerContext& context, int category, const std::string& path) {
  const ImageApplyPlan plan = PlanApplyImage(category, path, context.windowsFolder, context.installFolder);
  const auto info = FindImageCategory(category);
  switch (plan.kind) {
    case ImageApplyPlan::Kind::kNothing:
      return;
    case ImageApplyPlan::Kind::kWallpaper: {
      if (!context.converter.Convert(path, plan.convertTo, 2)) {
        if (plan.deleteTemp) ForceDelete(plan.convertTo);
        Report(context, image_messages::kNotAValidImage, path);
        return;
      }
      if (plan.deleteTemp) {
        const bool copied = ForceCopy(plan.convertTo, plan.target);
        ForceDelete(plan.convertTo);
        if (!copied) {
          Report(context, info->notSetMessage, path);
          return;
        }
      }
      if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(plan.target.c_str()),
                                 SPIF_UPDATEINIFILE))
        Report(context, info->notSetMessage, path);
      return;
    }
    case ImageApplyPlan::Kind::kBootScreen: {
      if (!context.converter.Convert(path, plan.convertTo, 2)) {
        Report(context, image_messages::kNotAValidImage, path);
      } else if (!ForceCopy(plan.convertTo, plan.target)) {
        Report(context, info->notSetMessage, path);
      } else {
        context.converter.FinishBootScreen(plan.target);
      }
      ForceDelete(plan.convertTo);
      return;
    }
  }
}

void ChangeImages(ImageChangerContext& context, bool wallpaper, bool startup, bool safe, bool wait) {
  const bool wanted[4] = {wallpaper, startup, safe, wait};
  for (int code = 1; code <= 4; ++code) {
    if (!wanted[code - 1]) continue;
    const ImageCategoryInfo info = *FindImageCategory(code);
    const ImagePick pick = PickImage(context.profile, info.category, context.random);
    if (pick.status == ImagePick::Status::kNone) continue;
    if (pick.status == ImagePick::Status::kPathTooLong) {
      Report(context, image_messages::kNotAValidImage, pick.path);
      continue;
    }
    if (info.category == ImageCategory::kWallpaper) {
      if (pick.style) {
        SetDesktopValue("WallpaperStyle", pick.style->wallpaperStyle);
        SetDesktopValue("TileWallpaper", pick.style->tileWallpaper);
      }
    } else if (!Exists(pick.path)) {
      Report(context, info.notFoundMessage, pick.path);
      continue;
    }
    ApplyImage(context, code, pick.path);
  }
}

}  // namespace tunewright
