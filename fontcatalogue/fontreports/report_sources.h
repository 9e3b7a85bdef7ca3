// What the four font reports read while they are generated: the stored settings, the font
// lists of the screen and the printer, and the font selected in the main list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"

namespace glyphwell {

struct ReportSources {
    SettingsStore* settings = nullptr;
    std::function<std::vector<std::string>()> screenFonts;
    std::function<std::vector<std::string>()> printerFonts;
    std::function<std::string()> selectedFont;
};

}  // namespace glyphwell
