#include "ProfileText.h"

#include <gtest/gtest.h>

namespace {

// A boot file as Windows writes it, with what a user's editor leaves: odd spacing, a blank line
// inside [Options], the padding comments and the closing ^Z.
const std::string kBootFile =
    "[Paths]\r\nWinDir=C:\\WINDOWS\r\nBootDelay=9\r\n\r\n[Options]\r\nBootMulti=1\r\nBootMenu = 1\r\n\r\n"
    "Network = 1\r\n;The following lines are required for compatibility with other programs.\r\n"
    ";xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx-a\r\n\r\n\x1A";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

}  // namespace

TEST(ProfileText, ASetChangesOnlyTheValueOrAddsOneLineWhereTheSystemWould)
{
    struct Case {
        std::string before, key, value, after;
    } cases[] = {
        {kBootFile, "BootMenu", "0", Replaced(kBootFile, "BootMenu = 1", "BootMenu = 0")},
        {kBootFile, "NETWORK", "0", Replaced(kBootFile, "Network = 1", "Network = 0")},
        // New keys go after the section's last entry (the padding), not into [Paths].
        {kBootFile, "BootDelay", "5", Replaced(kBootFile, "-a\r\n", "-a\r\nBootDelay=5\r\n")},
        {"[Paths]\nWinDir=C:\\WINDOWS\n", "Logo", "0", "[Paths]\nWinDir=C:\\WINDOWS\n\n[Options]\nLogo=0\n"},
        {"[Paths]\r\nWinDir=C:\\WINDOWS\r\n\x1A", "Logo", "0",
         "[Paths]\r\nWinDir=C:\\WINDOWS\r\n\r\n[Options]\r\nLogo=0\r\n\x1A"},
        {"", "Logo", "0", "[Options]\r\nLogo=0\r\n"},
        {"[Options]\r\nLogo=1", "Logo", "0", "[Options]\r\nLogo=0"},
        {"[Options]\r\nLogo=1\x1A", "BootDelay", "5", "[Options]\r\nLogo=1\r\nBootDelay=5\x1A"},
        {"[options]\r\n  bootdelay =  3  \r\n", "BootDelay", "15", "[options]\r\n  bootdelay =  15  \r\n"},
        {"[Options]\r\nBootDelay\r\nBootDelay=3\r\n", "BootDelay", "5", "[Options]\r\nBootDelay=5\r\nBootDelay=3\r\n"},
        {"[Options]\r\nBootDelay=\r\n", "BootDelay", "5", "[Options]\r\nBootDelay=5\r\n"},
        {"[Options\r\nLogo=1\r\n", "Logo", "0", "[Options\r\nLogo=1\r\n\r\n[Options]\r\nLogo=0\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithProfileValue(c.before, "Options", c.key, c.value), c.after) << c.before;
        EXPECT_EQ(ProfileValue(c.after, "Options", c.key), c.value) << c.after;
    }
}

TEST(ProfileText, ValuesReadAsTheSystemReadsThem)
{
    EXPECT_EQ(ProfileValue(kBootFile, "options", "bootmenu"), "1");
    EXPECT_EQ(ProfileValue(kBootFile, "Options", "BootDelay"), std::nullopt);
    EXPECT_EQ(ProfileValue("[Options]\r\nLogo=  \x1A", "Options", "Logo"), "");
    struct Case {
        const char* value;
        int number;
    } cases[] = {{"15", 15}, {"0x10", 16}, {"0b11", 3}, {" 12abc", 12}, {"abc", 0}, {"-1", -1}, {"\"5\"", 5},
                 {"0X10", 0}, {"4294967297", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(ProfileNumber(c.value), c.number) << c.value;
}
