// The catalogue's stored settings: a handful of text values directly under one per-user registry
// key. Every read names its default; numbers are stored as decimal text.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace glyphwell {

inline constexpr const char* kSettingsKey = "Software\\Corvane\\Glyphwell32";

// One stored value with the default a reader supplies.
struct SettingSpec {
    const char* name;
    const char* fallback;
};

namespace setting {
inline constexpr SettingSpec ScreenLeft{"screenleft", "2"};
inline constexpr SettingSpec ScreenTop{"screentop", "2"};
inline constexpr SettingSpec ScreenWidth{"screenwidth", "218"};
inline constexpr SettingSpec ScreenHeight{"screenheight", "316"};
inline constexpr SettingSpec FontSize{"FontSize", "12"};
inline constexpr SettingSpec FontString{"FontString", "ABC123"};
inline constexpr SettingSpec FontHeight{"FontHeight", "24"};
inline constexpr SettingSpec FontSet{"FontSet", "0"};
// The list loader asks for this spelling; value names ignore case, so it is the same value.
inline constexpr SettingSpec FontSetForList{"Fontset", "0"};
inline constexpr SettingSpec PrinterSet{"PrinterSet", "0"};
inline constexpr SettingSpec PrinterString{"PrinterString", "Glyphwell is a great utility!"};
inline constexpr SettingSpec ReportFontSize{"ReportFontSize", "12"};
inline constexpr SettingSpec CharSetLeft{"cscreenleft", "224"};
inline constexpr SettingSpec CharSetTop{"cscreentop", "2"};
}  // namespace setting

// The bytes stored for a text: the text, the NUL that ends every string value and one extra NUL,
// so the data ends in two NULs.
std::string EncodeSettingData(std::string_view text);

// The text of stored data: everything before the first NUL (data without one is taken whole).
std::string DecodeSettingData(std::string_view data);

// A whole decimal number, optionally signed and surrounded by blanks, that fits an int.
std::optional<int> ParseSettingNumber(std::string_view text);

// The number a setting holds; an empty or non-numeric text counts as the default's number, so
// a damaged value never stops the program from starting.
int SettingNumber(std::string_view text, std::string_view fallback);

// Bounds of the sizes the catalogue uses. A list item is at most 255 pixels high: the platform
// ignores a larger item height, so the list's font is kept small enough to fit.
inline constexpr int kMaxFontSize = 400;
inline constexpr int kMaxItemHeight = 255;

// A stored point size brought into 1..kMaxFontSize.
int BoundedFontSize(int points);

// The largest size, at most the bounded `points`, whose list item height (heightOf, growing
// with the size) is at most kMaxItemHeight; 1 when none fits.
int FittingListFontSize(int points, const std::function<int(int)>& heightOf);

// The index a group of `count` choices shows for a stored value: the value when it names a
// choice, else the first choice, so that what OK stores is always a choice the user saw.
int ValidChoice(int stored, int count);

// Where the values live: the registry in the program, a map in tests. Names ignore case.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored data of a string value, or nothing when it is absent or not a string.
    virtual std::optional<std::string> ReadData(std::string_view name) = 0;
    // Stores data as a string value; false when the key cannot be opened or written.
    virtual bool WriteData(std::string_view name, std::string_view data) = 0;
};

// The text of a value, or the default when the value is absent.
std::string ReadSetting(SettingsStore& store, std::string_view name, std::string_view fallback);
inline std::string ReadSetting(SettingsStore& store, const SettingSpec& spec) {
    return ReadSetting(store, spec.name, spec.fallback);
}
int ReadSettingNumber(SettingsStore& store, const SettingSpec& spec);

bool WriteSetting(SettingsStore& store, std::string_view name, std::string_view value);
inline bool WriteSetting(SettingsStore& store, const SettingSpec& spec, std::string_view value) {
    return WriteSetting(store, spec.name, value);
}
bool WriteSettingNumber(SettingsStore& store, const SettingSpec& spec, int value);

}  // namespace glyphwell
