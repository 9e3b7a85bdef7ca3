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

// The order a sorted list box keeps names in: the user's locale, without regard to case.
bool ListCollationLess(const std::string& a, const std::string& b);

}  // namespace glyphwell
