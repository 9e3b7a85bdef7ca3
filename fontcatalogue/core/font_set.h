// Font lists as the catalogue shows them: one entry per face name, sorted the way a sorted list
// box sorts (without regard to case), filtered by the picker's options.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwell {

// Values of the platform's enumeration that the lists look at.
inline constexpr std::uint32_t kRasterFontType = 0x0001;
inline constexpr std::uint32_t kDeviceFontType = 0x0002;
inline constexpr std::uint32_t kTrueTypeFontType = 0x0004;
inline constexpr std::uint8_t kAnsiCharset = 0;
inline constexpr std::uint8_t kOemCharset = 255;
inline constexpr std::uint8_t kFixedPitch = 1;

// One font as the system enumerates it; a family comes once per character set.
struct EnumeratedFont {
    std::string face;
    std::uint8_t charset = kAnsiCharset;
    std::uint32_t fontType = 0;
    std::uint8_t pitchAndFamily = 0;
};

// The picker's filter options (a set of bits).
enum FontListOption : unsigned {
    foAnsiOnly = 0x01,
    foTrueTypeOnly = 0x02,
    foFixedPitchOnly = 0x04,
    foNoOEMFonts = 0x08,
    foOEMFontsOnly = 0x10,
    foScalableOnly = 0x20,
};
using FontListOptions = unsigned;

bool PassesFontOptions(const EnumeratedFont& font, FontListOptions options);

// Order of a sorted list: case-insensitive first, then by bytes so the order is total.
bool FontNameLess(std::string_view a, std::string_view b);
bool SameFontName(std::string_view a, std::string_view b);  // without regard to case

struct FontItem {
    std::string face;
    std::uint32_t fontType = 0;
};

// A sorted set of faces. Adding a face that is already there (in any case) keeps the first one.
class FontSet {
public:
    // True when the face was new and went in.
    bool Add(const EnumeratedFont& font, FontListOptions options = 0);
    void AddAll(const std::vector<EnumeratedFont>& fonts, FontListOptions options = 0);

    const std::vector<FontItem>& Items() const { return items_; }
    std::vector<std::string> Names() const;
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    // Index of the face (exact text, or without regard to case), -1 when absent.
    int IndexOfExact(std::string_view face) const;
    int IndexOfIgnoringCase(std::string_view face) const;

private:
    std::vector<FontItem> items_;
};

// Sorted, de-duplicated face names of an enumeration.
std::vector<std::string> FontNames(const std::vector<EnumeratedFont>& fonts);

// The names of `a` that `b` lacks (both sorted sets of names), in order.
std::vector<std::string> FontsOnlyIn(const std::vector<std::string>& a,
                                     const std::vector<std::string>& b);

// The status line after loading a list: "12 Screen Fonts" or "3 Printer Fonts".
std::string FontCountText(std::size_t count, bool printer);

}  // namespace glyphwell
