#include "HelperText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(HelperText, AppendPathJoinsWithOneBackslashAndEndsInTwoNuls)
{
    char path[kPathBufferSize] = "C:\\";
    EXPECT_EQ(AppendPath(path, "WIN.INI"), 10);
    EXPECT_STREQ(path, "C:\\WIN.INI");
    EXPECT_EQ(path[11], '\0');
    char empty[kPathBufferSize] = "";
    EXPECT_EQ(AppendPath(empty, "name"), 4);
    EXPECT_STREQ(empty, "name");
    char slash[kPathBufferSize] = "C:/dir/";
    AppendPath(slash, "x");
    EXPECT_STREQ(slash, "C:/dir/x");
    char folder[kPathBufferSize] = "C:\\WINDOWS";
    AppendPath(folder, "TempFile.Tmp");
    EXPECT_STREQ(folder, "C:\\WINDOWS\\TempFile.Tmp");
}

TEST(HelperText, AppendPathRefusesWhatDoesNotFit)
{
    char small[12] = "C:\\abc";
    EXPECT_EQ(AppendPath(small, "defg", sizeof small), -1);  // 11 characters + two NULs
    EXPECT_STREQ(small, "C:\\abc");
    EXPECT_EQ(AppendPath(small, "def", sizeof small), 10);
    std::string longName(300, 'x');
    char path[kPathBufferSize] = "C:\\";
    EXPECT_EQ(AppendPath(path, longName.c_str()), -1);
    EXPECT_STREQ(path, "C:\\");
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(AppendPath(unterminated, "e", sizeof unterminated), -1);
}

TEST(HelperText, ExtensionsAndFileNames)
{
    EXPECT_STREQ(GetFileExtension("C:\\pics\\sun.BMP"), "BMP");
    EXPECT_STREQ(GetFileExtension("C:\\pics.old\\sun"), "old\\sun");
    EXPECT_STREQ(GetFileExtension("README"), "");
    EXPECT_STREQ(GetFileExtension("a.tar.gz"), "gz");
    char path[] = "C:\\WINDOWS\\Logow.sys";
    EXPECT_TRUE(StripFileName(path));
    EXPECT_STREQ(path, "C:\\WINDOWS");
    char bare[] = "name";
    EXPECT_FALSE(StripFileName(bare));
    EXPECT_STREQ(bare, "name");
}

TEST(HelperText, TabIconsByCaptionWithoutCase)
{
    EXPECT_EQ(GetTabIconIndex("wallpaper"), 9);
    EXPECT_EQ(GetTabIconIndex("Disk Usage"), 1);
    EXPECT_EQ(GetTabIconIndex("BACKGROUND MUSIC"), 18);
    EXPECT_EQ(GetTabIconIndex("Wallpapers"), 0);
    EXPECT_EQ(GetTabIconIndex(nullptr), 0);
    int v = 5, z = 0;
    EXPECT_EQ(NormalizeBool(&v), 1);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(NormalizeBool(&z), 0);
    EXPECT_EQ(NormalizeBool(nullptr), 0);
}

TEST(HelperText, FormatNumber)
{
    CString s;
    FormatNumber(s, 1234.5, 1, true);
    EXPECT_STREQ(s, "1,234.5");
    FormatNumber(s, 0.5, 2, true);
    EXPECT_STREQ(s, "0.50");
    FormatNumber(s, 12.4, 0, true);
    EXPECT_STREQ(s, "12");
    FormatNumber(s, 0.05, 2, false);
    EXPECT_STREQ(s, "0.05");
    FormatNumber(s, 0.4, 0, false);
    EXPECT_STREQ(s, "0");
    FormatNumber(s, 1234567.891, 3, true);
    EXPECT_STREQ(s, "1,234,567.891");
    FormatNumber(s, 1234567.0, 0, false);
    EXPECT_STREQ(s, "1234567");
    FormatNumber(s, 0.999, 2, false);
    EXPECT_STREQ(s, "1.00");
    FormatNumber(s, -3.0, 1, false);
    EXPECT_STREQ(s, "0.0");
    FormatNumber(s, 1e300, 2, true);
    EXPECT_EQ(s.Right(3), CString(".00"));
}

TEST(HelperText, ThousandsSeparatorsInPlaceWithinCapacity)
{
    char number[16] = "1234567.891";
    EXPECT_TRUE(InsertThousandsSeparators(number, sizeof number));
    EXPECT_STREQ(number, "1,234,567.891");
    char small[] = "123";
    EXPECT_TRUE(InsertThousandsSeparators(small, sizeof small));
    EXPECT_STREQ(small, "123");
    char tight[8] = "1234567";  // needs 10 characters with the commas
    EXPECT_FALSE(InsertThousandsSeparators(tight, sizeof tight));
    EXPECT_STREQ(tight, "1234567");
    CString text("1000");
    InsertThousandsSeparators(text);
    EXPECT_STREQ(text, "1,000");
}
