#include "framework/SubString.h"
#include "framework/ToolBarData.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ToolBarData, EnableAndCheckChangeOnlyTheirOwnBits)
{
    struct Case {
        uint32_t style;
        bool enable;
        uint32_t expected;
    };
    const Case cases[] = {
        {TBBS_DISABLED, true, 0},
        {TBBS_PRESSED, false, TBBS_DISABLED},                           // a disabled button is never pressed
        {TBBS_CHECKED | TBBS_CHECKBOX, false, TBBS_CHECKED | TBBS_CHECKBOX | TBBS_DISABLED},
        {TBBS_PRESSED, true, TBBS_PRESSED},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToolButtonStyleForEnable(c.style, c.enable), c.expected) << c.style;

    EXPECT_EQ(ToolButtonStyleForCheck(0, 1), TBBS_CHECKED | TBBS_CHECKBOX);
    EXPECT_EQ(ToolButtonStyleForCheck(TBBS_CHECKED, 2), TBBS_INDETERMINATE | TBBS_CHECKBOX);
    EXPECT_EQ(ToolButtonStyleForCheck(TBBS_INDETERMINATE | TBBS_DISABLED, 0), TBBS_DISABLED | TBBS_CHECKBOX);
}

TEST(ToolBarData, BothResourceLayoutsParseAndDamagedOnesAreRefused)
{
    // 16-bit layout: version 1, 32 x 30, three items.
    const std::vector<uint8_t> words = {1, 0, 32, 0, 30, 0, 3, 0, 0x0B, 0x80, 0, 0, 0x26, 0x80};
    // 32-bit layout of the same bar.
    const std::vector<uint8_t> dwords = {32, 0, 0, 0, 30, 0, 0, 0, 3, 0, 0, 0, 0x0B, 0x80, 0, 0,
                                         0, 0, 0, 0, 0x26, 0x80, 0, 0};
    for (const auto& data : {words, dwords}) {
        ToolBarResource bar;
        ASSERT_TRUE(ParseToolBarResource(data.data(), data.size(), bar));
        EXPECT_EQ(bar.imageWidth, 32);
        EXPECT_EQ(bar.imageHeight, 30);
        EXPECT_EQ(bar.items, (std::vector<uint16_t>{0x800B, 0, 0x8026}));
    }
    ToolBarResource bar;
    EXPECT_FALSE(ParseToolBarResource(words.data(), words.size() - 1, bar));   // an id cut short
    EXPECT_FALSE(ParseToolBarResource(dwords.data(), dwords.size() - 4, bar)); // an id missing
    EXPECT_FALSE(ParseToolBarResource(words.data(), 4, bar));
    std::vector<uint8_t> huge = {1, 0, 0, 0, 0, 0, 0xFF, 0xFF};               // count past the end
    EXPECT_FALSE(ParseToolBarResource(huge.data(), huge.size(), bar));
}

TEST(SubString, TemplateStringFields)
{
    const char* text = "Tunewright 97 Preview\nDIB\nDIB Document\nDIB Files (*.bmp)\n.bmp";
    const char* expected[] = {"Tunewright 97 Preview", "DIB", "DIB Document", "DIB Files (*.bmp)", ".bmp"};
    CString field;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(AfxExtractSubString(field, text, i));
        EXPECT_EQ(field, expected[i]);
    }
    EXPECT_FALSE(AfxExtractSubString(field, text, 5));
    EXPECT_TRUE(field.IsEmpty());
    EXPECT_TRUE(AfxExtractSubString(field, "a\n\nc", 1));
    EXPECT_TRUE(field.IsEmpty());
}
