#include "image_apply.h"

#include "Files.h"
#include "Registry.h"

namespace tunewright {

namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";

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
        if (plan.deleteTemp) ForceDeleteFile(plan.convertTo.c_str());
        Report(context, image_messages::kNotAValidImage, path);
        return;
      }
      if (plan.deleteTemp) {
        const bool copied = ForceCopyFile(plan.convertTo.c_str(), plan.target.c_str());
        ForceDeleteFile(plan.convertTo.c_str());
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
      } else if (!ForceCopyFile(plan.convertTo.c_str(), plan.target.c_str())) {
        Report(context, info->notSetMessage, path);
      } else {
        context.converter.FinishBootScreen(plan.target);
      }
      ForceDeleteFile(plan.convertTo.c_str());
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
        SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle", pick.style->wallpaperStyle.c_str());
        SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper", pick.style->tileWallpaper.c_str());
      }
    } else if (FileExists(pick.path.c_str()) == 0) {
      Report(context, info.notFoundMessage, pick.path);
      continue;
    }
    ApplyImage(context, code, pick.path);
  }
}

}  // namespace tunewright
