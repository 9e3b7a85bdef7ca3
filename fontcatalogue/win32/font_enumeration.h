// The fonts a device offers, as the system enumerates them (every family once per character
// set), and the de-duplicated name lists of the screen and the current printer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/font_set.h"

namespace glyphwell {

std::vector<EnumeratedFont> EnumerateFonts(HDC dc);
std::vector<EnumeratedFont> EnumerateScreenFonts();
// Empty when there is no printer; *noPrinter then says so.
std::vector<EnumeratedFont> EnumeratePrinterFonts(bool* noPrinter = nullptr);

std::vector<std::string> ScreenFontNames();
std::vector<std::string> PrinterFontNames(bool* noPrinter = nullptr);

}  // namespace glyphwell
