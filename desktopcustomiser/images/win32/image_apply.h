// The image changer's Win32 steps: choosing each requested category's entry, converting it,
// installing it as the wallpaper or over a boot-screen file, and reporting failures through
// the application's message boxes (the reporter gets the string-table id and the path).
#pragma once

#include <cstdlib>
#include <functional>
#include <string>

#include "../image_changer.h"
#include "converter_block.h"

namespace tunewright {

struct ImageChangerContext {
  ProfileStore& profile;
  ConverterBlock& converter;
  std::string windowsFolder;
  std::string installFolder;
  std::function<void(unsigned messageId, const std::string& path)> report;
  std::function<int()> random = [] { return std::rand(); };
};

// Each true flag processes its category, in this order: wallpaper, startup screen,
// safe-to-shutdown screen, wait-to-shutdown screen. Each category fails on its own.
void ChangeImages(ImageChangerContext& context, bool wallpaper, bool startup, bool safe, bool wait);

// Converts and installs one file for a category (1 to 4; anything else does nothing).
void ApplyImage(ImageChangerContext& context, int category, const std::string& path);

}  // namespace tunewright
