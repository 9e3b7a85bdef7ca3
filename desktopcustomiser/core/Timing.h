// Periods the main frame arms its auto-randomize timer with.
#pragma once

#include <cstdint>

// The first timer tick of the auto-randomize period: "Time" minutes as milliseconds, computed
// without overflow, at least 1 minute (a zero or negative stored value never makes the timer
// fire continuously) and at most the longest period a window timer takes (0x7FFFFFFF ms, about
// 24 days). A longer period, up to the page's 70000 minutes, is counted down in further ticks
// (AutoRandomizeCountdown).
uint32_t AutoRandomizePeriodMs(int minutes);
constexpr uint32_t kMaxTimerPeriodMs = 0x7FFFFFFF;
