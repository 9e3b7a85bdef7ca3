// What the four font reports read while they are generated: the stored settings, the font
// lists of the screen and the printer, the font selected in the main list, and the order the
// main list sorts names in (the installed-fonts reports list them in that same order).
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
    // Empty: case-insensitive byte order (FontNameLess).
    std::function<bool(const std::string&, const std::string&)> nameLess;
};

}  // namespace glyphwell
