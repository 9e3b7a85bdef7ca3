#include "settings.h"

#include <algorithm>
#include <charconv>

namespace glyphwell {

std::string EncodeSettingData(std::string_view text) {
    std::string data(text);
    data.push_back('\0');
    data.push_back('\0');
    return data;
}

std::string DecodeSettingData(std::string_view data) {
    const auto end = data.find('\0');
    return std::string(data.substr(0, end));
}

std::optional<int> ParseSettingNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto* first = text.data();
    const auto* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, 10);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

int SettingNumber(std::string_view text, std::string_view fallback) {
    if (auto n = ParseSettingNumber(text)) return *n;
    if (auto n = ParseSettingNumber(fallback)) return *n;
    return 0;
}

std::string ReadSetting(SettingsStore& store, std::string_view name, std::string_view fallback) {
    if (auto data = store.ReadData(name)) return DecodeSettingData(*data);
    return std::string(fallback);
}

int ReadSettingNumber(SettingsStore& store, const SettingSpec& spec) {
    return SettingNumber(ReadSetting(store, spec), spec.fallback);
}

int BoundedFontSize(int points) { return std::clamp(points, 1, kMaxFontSize); }

int FittingListFontSize(int points, const std::function<int(int)>& heightOf) {
    int low = 1;
    int high = BoundedFontSize(points);
    if (heightOf(high) <= kMaxItemHeight) return high;
    // Heights grow with the size: find the last size that fits.
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (heightOf(mid) <= kMaxItemHeight) low = mid;
        else high = mid - 1;
    }
    return low;
}

int ValidChoice(int stored, int count) { return stored >= 0 && stored < count ? stored : 0; }

bool WriteSetting(SettingsStore& store, std::string_view name, std::string_view value) {
    return store.WriteData(name, EncodeSettingData(value));
}

bool WriteSettingNumber(SettingsStore& store, const SettingSpec& spec, int value) {
    return WriteSetting(store, spec, std::to_string(value));
}

}  // namespace glyphwell
