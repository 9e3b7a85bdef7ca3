#include "win32/font_enumeration.h"

#include "reports/printer_device.h"

namespace glyphwell {

namespace {
int CALLBACK Collect(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM param) {
    auto* fonts = reinterpret_cast<std::vector<EnumeratedFont>*>(param);
    EnumeratedFont font;
    font.face = logFont->lfFaceName;
    font.charset = logFont->lfCharSet;
    font.fontType = fontType;
    // The picker's fixed-pitch test reads the logical font's pitch bits.
    font.pitchAndFamily = logFont->lfPitchAndFamily;
    fonts->push_back(std::move(font));
    return 1;  // enumeration always continues
}
}  // namespace

std::vector<EnumeratedFont> EnumerateFonts(HDC dc) {
    std::vector<EnumeratedFont> fonts;
    if (!dc) return fonts;
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &query, reinterpret_cast<FONTENUMPROCA>(Collect),
                        reinterpret_cast<LPARAM>(&fonts), 0);
    return fonts;
}

std::vector<EnumeratedFont> EnumerateScreenFonts() {
    HDC screen = GetDC(nullptr);
    auto fonts = EnumerateFonts(screen);
    ReleaseDC(nullptr, screen);
    return fonts;
}

std::vector<EnumeratedFont> EnumeratePrinterFonts(bool* noPrinter) {
    reports::PrinterDC printer = reports::CurrentPrinter::Instance().OpenDC();
    if (noPrinter) *noPrinter = !printer;
    return EnumerateFonts(printer.Get());
}

std::vector<std::string> ScreenFontNames() { return FontNames(EnumerateScreenFonts()); }

std::vector<std::string> PrinterFontNames(bool* noPrinter) { return FontNames(EnumeratePrinterFonts(noPrinter)); }

bool ListCollationLess(const std::string& a, const std::string& b) {
    const int order = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1);
    // Names the locale holds equal still get one order.
    return order == CSTR_EQUAL ? a < b : order == CSTR_LESS_THAN;
}

}  // namespace glyphwell
