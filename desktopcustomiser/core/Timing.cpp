#include "Timing.h"

uint32_t AutoRandomizePeriodMs(int minutes)
{
    int64_t m = minutes < 1 ? 1 : minutes;
    int64_t ms = m * 60000;
    return ms > kMaxTimerPeriodMs ? kMaxTimerPeriodMs : static_cast<uint32_t>(ms);
}
