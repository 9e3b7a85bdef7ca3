#include "framework/ProfileStore.h"

#include <gtest/gtest.h>

TEST(ProfileStore, SectionKeysNameCompanyApplicationAndSection)
{
    EXPECT_STREQ(ProfileSectionKey("Marrowby Corp.", "Tunewright 97", "Settings"),
                 "Software\\Marrowby Corp.\\Tunewright 97\\Settings");
    EXPECT_STREQ(ProfileSectionKey("", "App", "Sec"), "Software\\App\\Sec");
    EXPECT_STREQ(ProfileSectionKey(nullptr, "App", nullptr), "Software\\App");
}

TEST(ProfileStore, IntegersDecodeOnlyFromFourByteIntegerValues)
{
    const uint8_t four[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeProfileInt(4, four, 4, 7), -1);
    const uint8_t sixty[] = {60, 0, 0, 0};
    EXPECT_EQ(DecodeProfileInt(4, sixty, 4, 7), 60);
    EXPECT_EQ(DecodeProfileInt(4, sixty, 3, 7), 7);   // short
    EXPECT_EQ(DecodeProfileInt(4, nullptr, 4, 7), 7);
    EXPECT_EQ(DecodeProfileInt(1, sixty, 4, 7), 7);   // a string is not an integer
    EXPECT_EQ(DecodeProfileInt(3, sixty, 4, 7), 7);   // binary
    EXPECT_EQ(DecodeProfileInt(4, EncodeProfileInt(-123456).data(), 4, 0), -123456);
}

TEST(ProfileStore, StringsStopAtNulOrTheEndOfTheData)
{
    const uint8_t unterminated[] = {'a', 'b', 'c'};
    EXPECT_STREQ(DecodeProfileString(1, unterminated, 3, "d"), "abc");
    const uint8_t embedded[] = {'a', 0, 'c', 0};
    EXPECT_STREQ(DecodeProfileString(1, embedded, 4, "d"), "a");
    EXPECT_STREQ(DecodeProfileString(1, nullptr, 0, "d"), "");
    EXPECT_STREQ(DecodeProfileString(4, embedded, 4, "d"), "d");
    EXPECT_STREQ(DecodeProfileString(4, embedded, 4, nullptr), "");
    // An expandable string is text too, read as stored.
    const uint8_t expand[] = {'%', 'W', '%', '|', 0};
    EXPECT_STREQ(DecodeProfileString(2, expand, 5, "d"), "%W%|");
    EXPECT_STREQ(DecodeProfileString(7, expand, 5, "d"), "d");
    auto encoded = EncodeProfileString("x|y|");
    ASSERT_EQ(encoded.size(), 5u);
    EXPECT_EQ(encoded.back(), 0);
}

TEST(ProfileStore, MemoryStoreRoundTripsAndDefaults)
{
    MemoryProfileStore store;
    EXPECT_EQ(store.GetProfileInt("Wallpapers", "Time", 60), 60);
    EXPECT_STREQ(store.GetProfileString("Wallpapers", "List", "none"), "none");
    EXPECT_STREQ(store.GetProfileString("Wallpapers", "List"), "");

    EXPECT_TRUE(store.WriteProfileInt("Wallpapers", "Time", 5));
    EXPECT_TRUE(store.WriteProfileString("Wallpapers", "List", "\"a.bmp\" \"b.bmp\""));
    EXPECT_EQ(store.GetProfileInt("wallpapers", "TIME", 60), 5);  // names ignore case
    EXPECT_STREQ(store.GetProfileString("Wallpapers", "List"), "\"a.bmp\" \"b.bmp\"");
    // An integer read as a string (and back) gives the default, never a reinterpretation.
    EXPECT_STREQ(store.GetProfileString("Wallpapers", "Time", "x"), "x");
    EXPECT_EQ(store.GetProfileInt("Wallpapers", "List", 9), 9);

    EXPECT_TRUE(store.WriteProfileString("Wallpapers", "List", nullptr));
    EXPECT_FALSE(store.Contains("Wallpapers", "List"));
    EXPECT_FALSE(store.WriteProfileInt(nullptr, "x", 1));
    EXPECT_EQ(store.GetProfileInt(nullptr, nullptr, 3), 3);

    store.SetRaw("Settings", "Run Yet?", 4, {1, 0});
    EXPECT_EQ(store.GetProfileInt("Settings", "Run Yet?", 0), 0);
}
