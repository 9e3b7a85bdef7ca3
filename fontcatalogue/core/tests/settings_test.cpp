#include "core/settings.h"

#include <gtest/gtest.h>

#include <map>

namespace glyphwell {
namespace {

// Value names ignore case, as the registry's do.
class MapStore : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    static std::string Key(std::string_view name) {
        std::string key(name);
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return key;
    }
    std::optional<std::string> ReadData(std::string_view name) override {
        auto it = values.find(Key(name));
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool WriteData(std::string_view name, std::string_view data) override {
        values[Key(name)] = std::string(data);
        return true;
    }
};

TEST(SettingsEncoding, TextEndsInTwoNulsAndReadsBack) {
    const std::string data = EncodeSettingData("ABC123");
    EXPECT_EQ(data, std::string("ABC123\0\0", 8));
    EXPECT_EQ(DecodeSettingData(data), "ABC123");
    EXPECT_EQ(EncodeSettingData(""), std::string(2, '\0'));
    EXPECT_EQ(DecodeSettingData(""), "");
    EXPECT_EQ(DecodeSettingData("no terminator"), "no terminator");
}

TEST(SettingsNumbers, DamagedValuesFallBackToTheDefault) {
    EXPECT_EQ(SettingNumber("36", "12"), 36);
    EXPECT_EQ(SettingNumber(" -4 ", "12"), -4);
    EXPECT_EQ(SettingNumber("", "12"), 12);
    EXPECT_EQ(SettingNumber("12pt", "12"), 12);
    EXPECT_EQ(SettingNumber("abc", "24"), 24);
    EXPECT_EQ(SettingNumber("99999999999", "2"), 2);
    EXPECT_EQ(SettingNumber("-", "0"), 0);
    EXPECT_FALSE(ParseSettingNumber("0x10").has_value());
}

TEST(SettingsStoreAccess, DefaultsOnAnEmptyStoreAndNamesIgnoreCase) {
    MapStore store;
    EXPECT_EQ(ReadSetting(store, setting::FontString), "ABC123");
    EXPECT_EQ(ReadSetting(store, setting::PrinterString), "Glyphwell is a great utility!");
    EXPECT_EQ(ReadSettingNumber(store, setting::ScreenWidth), 218);
    EXPECT_EQ(ReadSettingNumber(store, setting::ScreenHeight), 316);
    EXPECT_EQ(ReadSettingNumber(store, setting::CharSetLeft), 224);
    EXPECT_EQ(ReadSettingNumber(store, setting::FontHeight), 24);

    ASSERT_TRUE(WriteSettingNumber(store, setting::FontSet, 1));
    EXPECT_EQ(store.values["fontset"], std::string("1\0\0", 3));
    EXPECT_EQ(ReadSettingNumber(store, setting::FontSetForList), 1);

    WriteSetting(store, setting::FontSize, "");  // the dialog saves an empty edit as it is
    EXPECT_EQ(ReadSetting(store, setting::FontSize), "");
    EXPECT_EQ(ReadSettingNumber(store, setting::FontSize), 12);
    WriteSetting(store, setting::FontString, "A & B");
    EXPECT_EQ(ReadSetting(store, setting::FontString), "A & B");
}

TEST(SettingBounds, SizesChoicesAndTheItemHeightLimit) {
    EXPECT_EQ(BoundedFontSize(0), 1);
    EXPECT_EQ(BoundedFontSize(-7), 1);
    EXPECT_EQ(BoundedFontSize(36), 36);
    EXPECT_EQ(BoundedFontSize(99999), kMaxFontSize);

    // Item height grows by 3 pixels a point plus 2: 84 points give 254, 85 give 257.
    int asked = 0;
    const auto height = [&](int points) { ++asked; return points * 3 + 2; };
    EXPECT_EQ(FittingListFontSize(20, height), 20);
    EXPECT_EQ(FittingListFontSize(84, height), 84);
    EXPECT_EQ(FittingListFontSize(85, height), 84);
    asked = 0;
    EXPECT_EQ(FittingListFontSize(99999, height), 84);
    EXPECT_LT(asked, 20);  // a search, not a walk down from the bound
    EXPECT_EQ(FittingListFontSize(10, [](int) { return 300; }), 1);

    for (int stored : {0, 1}) EXPECT_EQ(ValidChoice(stored, 2), stored);
    for (int stored : {-1, 2, 7}) EXPECT_EQ(ValidChoice(stored, 2), 0) << stored;
}

}  // namespace
}  // namespace glyphwell
