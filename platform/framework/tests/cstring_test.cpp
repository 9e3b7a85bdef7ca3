#include "framework/CString.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CString, SubstringsClampToTheText)
{
    CString s("abcdef");
    EXPECT_STREQ(s.Mid(2), "cdef");
    EXPECT_STREQ(s.Mid(2, 2), "cd");
    EXPECT_STREQ(s.Mid(4, 100), "ef");
    EXPECT_STREQ(s.Mid(-3, 2), "ab");
    EXPECT_STREQ(s.Mid(10), "");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Left(99), "abcdef");
    EXPECT_STREQ(s.Right(2), "ef");
    EXPECT_STREQ(s.Right(99), "abcdef");
    EXPECT_EQ(s.GetAt(6), '\0');
    EXPECT_EQ(s.GetAt(-1), '\0');
    s.SetAt(99, 'x');
    EXPECT_STREQ(s, "abcdef");
}

TEST(CString, SearchesReportPositionsOrMinusOne)
{
    CString s("C:\\dir.d\\file");
    EXPECT_EQ(s.Find('\\'), 2);
    EXPECT_EQ(s.Find('\\', 3), 8);
    EXPECT_EQ(s.Find('q'), -1);
    EXPECT_EQ(s.Find('d', 99), -1);
    EXPECT_EQ(s.Find("file"), 9);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.ReverseFind('.'), 6);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(s.FindOneOf(".:"), 1);
    EXPECT_EQ(CString().Find('a'), -1);
}

TEST(CString, EditingOperations)
{
    CString s("  Some Text\t ");
    s.TrimLeft();
    s.TrimRight();
    EXPECT_STREQ(s, "Some Text");
    s.MakeUpper();
    EXPECT_STREQ(s, "SOME TEXT");
    s.MakeLower();
    EXPECT_EQ(s.Replace("e", "EE"), 2);
    EXPECT_STREQ(s, "somEE tEExt");
    EXPECT_EQ(s.Replace('E', 'e'), 4);
    EXPECT_EQ(s.Remove('e'), 4);
    EXPECT_STREQ(s, "som txt");
    s.Insert(3, 'e');
    s.Insert(100, "!");
    EXPECT_STREQ(s, "some txt!");
    s.Delete(4, 100);
    EXPECT_STREQ(s, "some");
    s.Delete(-1);
    EXPECT_STREQ(s, "some");

    CString pipes("a||b||");
    pipes.TrimRight('|');
    EXPECT_STREQ(pipes, "a||b");
    EXPECT_EQ(pipes.Replace("", "x"), 0);
}

TEST(CString, ComparisonAndConcatenation)
{
    CString a("Wallpaper");
    EXPECT_EQ(a.CompareNoCase("WALLPAPER"), 0);
    EXPECT_LT(a.CompareNoCase("wallpapers"), 0);
    EXPECT_GT(a.Compare("Wall"), 0);
    EXPECT_TRUE(a == "Wallpaper");
    EXPECT_TRUE(a != CString("wallpaper"));
    CString b = "C:" + CString("\\") + "x" + '.' + CString("bmp");
    EXPECT_STREQ(b, "C:\\x.bmp");
    b += nullptr;
    EXPECT_EQ(b.GetLength(), 8);
    CString fromNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(fromNull.IsEmpty());
    EXPECT_STREQ(CString('-', 3), "---");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_STREQ(CString("ab", 10), "ab");
}

TEST(CString, FormatHandlesLongTexts)
{
    CString s;
    std::string longText(5000, 'x');
    s.Format("%s\\Temp.bmp (%d)", longText.c_str(), 42);
    EXPECT_EQ(s.GetLength(), 5000 + 14);
    EXPECT_STREQ(s.Right(14), "\\Temp.bmp (42)");
}

TEST(CString, BufferReleaseTakesTheWrittenLength)
{
    CString s("old");
    char* buffer = s.GetBuffer(260);
    std::strcpy(buffer, "C:\\WINDOWS");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "C:\\WINDOWS");
    EXPECT_EQ(s.GetLength(), 10);

    buffer = s.GetBuffer(2);  // shorter than the text: the text stays whole
    EXPECT_EQ(std::strlen(buffer), 10u);
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "C:\\");

    buffer = s.GetBufferSetLength(5);
    std::memcpy(buffer, "abcde", 5);
    s.ReleaseBuffer(99);
    EXPECT_STREQ(s, "abcde");
}
