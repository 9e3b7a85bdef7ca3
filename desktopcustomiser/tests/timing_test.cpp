#include "Timing.h"

#include <gtest/gtest.h>

TEST(Timing, AutoRandomizePeriodNeverOverflowsNorSpins)
{
    EXPECT_EQ(AutoRandomizePeriodMs(60), 3600000u);
    EXPECT_EQ(AutoRandomizePeriodMs(1), 60000u);
    EXPECT_EQ(AutoRandomizePeriodMs(0), 60000u);
    EXPECT_EQ(AutoRandomizePeriodMs(-5), 60000u);
    EXPECT_EQ(AutoRandomizePeriodMs(35791), 35791u * 60000u);
    // 70000 minutes is 4.2e9 ms, past what an int holds and past the timer maximum.
    EXPECT_EQ(AutoRandomizePeriodMs(70000), kMaxTimerPeriodMs);
    EXPECT_EQ(AutoRandomizePeriodMs(2147483647), kMaxTimerPeriodMs);
}
