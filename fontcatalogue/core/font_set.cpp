#include "font_set.h"

#include <algorithm>

namespace glyphwell {

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(Lower(a[i]));
        const auto cb = static_cast<unsigned char>(Lower(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}
}  // namespace

bool PassesFontOptions(const EnumeratedFont& font, FontListOptions options) {
    if ((options & foAnsiOnly) && font.charset != kAnsiCharset) return false;
    if ((options & foTrueTypeOnly) && !(font.fontType & kTrueTypeFontType)) return false;
    if ((options & foFixedPitchOnly) && !(font.pitchAndFamily & kFixedPitch)) return false;
    if ((options & foOEMFontsOnly) && font.charset != kOemCharset) return false;
    if ((options & foNoOEMFonts) && font.charset == kOemCharset) return false;
    if ((options & foScalableOnly) && (font.fontType & kRasterFontType)) return false;
    return true;
}

bool FontNameLess(std::string_view a, std::string_view b) {
    const int c = CompareIgnoringCase(a, b);
    return c != 0 ? c < 0 : a < b;
}

bool SameFontName(std::string_view a, std::string_view b) { return CompareIgnoringCase(a, b) == 0; }

bool FontSet::Add(const EnumeratedFont& font, FontListOptions options) {
    if (font.face.empty() || IndexOfIgnoringCase(font.face) >= 0) return false;
    if (!PassesFontOptions(font, options)) return false;
    auto at = std::lower_bound(items_.begin(), items_.end(), font.face,
                               [](const FontItem& item, const std::string& face) {
                                   return FontNameLess(item.face, face);
                               });
    items_.insert(at, FontItem{font.face, font.fontType});
    return true;
}

void FontSet::AddAll(const std::vector<EnumeratedFont>& fonts, FontListOptions options) {
    for (const auto& font : fonts) Add(font, options);
}

std::vector<std::string> FontSet::Names() const {
    std::vector<std::string> names;
    names.reserve(items_.size());
    for (const auto& item : items_) names.push_back(item.face);
    return names;
}

int FontSet::IndexOfExact(std::string_view face) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].face == face) return static_cast<int>(i);
    return -1;
}

int FontSet::IndexOfIgnoringCase(std::string_view face) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (SameFontName(items_[i].face, face)) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> FontNames(const std::vector<EnumeratedFont>& fonts) {
    FontSet set;
    set.AddAll(fonts);
    return set.Names();
}

std::vector<std::string> FontsOnlyIn(const std::vector<std::string>& a,
                                     const std::vector<std::string>& b) {
    std::vector<std::string> only;
    for (const auto& name : a) {
        const bool inB = std::any_of(b.begin(), b.end(),
                                     [&](const std::string& other) { return SameFontName(name, other); });
        if (!inB) only.push_back(name);
    }
    return only;
}

std::string FontCountText(std::size_t count, bool printer) {
    return std::to_string(count) + (printer ? " Printer Fonts" : " Screen Fonts");
}

}  // namespace glyphwell
