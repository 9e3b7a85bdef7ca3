#include "framework/DataExchangeText.h"

#include <gtest/gtest.h>

TEST(DataExchangeText, IntegersAsTypedInAnEdit)
{
    EXPECT_EQ(ParseDialogInt("500"), 500);
    EXPECT_EQ(ParseDialogInt("  -25 "), -25);
    EXPECT_EQ(ParseDialogInt("+7"), 7);
    EXPECT_EQ(ParseDialogInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseDialogInt("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseDialogInt("2147483648"));
    EXPECT_FALSE(ParseDialogInt("99999999999999999999"));
    EXPECT_FALSE(ParseDialogInt(""));
    EXPECT_FALSE(ParseDialogInt("   "));
    EXPECT_FALSE(ParseDialogInt("-"));
    EXPECT_FALSE(ParseDialogInt("12abc"));
    EXPECT_FALSE(ParseDialogInt("1 2"));
    EXPECT_FALSE(ParseDialogInt("0x10"));
    EXPECT_FALSE(ParseDialogInt(nullptr));
}

TEST(DataExchangeText, UnsignedRefusesMinus)
{
    EXPECT_EQ(ParseDialogUInt("4294967295"), 4294967295u);
    EXPECT_FALSE(ParseDialogUInt("-1"));
    EXPECT_FALSE(ParseDialogUInt("4294967296"));
}

TEST(DataExchangeText, ValidationMessages)
{
    EXPECT_STREQ(kDialogParseIntMessage, "Please enter an integer.");
    EXPECT_STREQ(DialogIntRangeMessage(50, 10000), "Please enter an integer between 50 and 10000.");
    EXPECT_STREQ(DialogIntRangeMessage(-5, 0), "Please enter an integer between -5 and 0.");
    EXPECT_STREQ(FormatMessageTemplate("%2 before %1, 100%", "a", "b"), "b before a, 100%");
    EXPECT_STREQ(FormatMessageTemplate("%1%2", "x"), "x");
}

TEST(DataExchangeText, RadioIndexIsTheFirstCheckedButton)
{
    const bool none[] = {false, false, false};
    const bool third[] = {false, false, true};
    const bool two[] = {false, true, true};
    EXPECT_EQ(RadioIndexFromStates(none, 3), -1);
    EXPECT_EQ(RadioIndexFromStates(third, 3), 2);
    EXPECT_EQ(RadioIndexFromStates(two, 3), 1);
    EXPECT_EQ(RadioIndexFromStates(nullptr, 3), -1);
}
