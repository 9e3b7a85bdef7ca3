// The channel between the end-to-end test and its hook inside palettrim's process: a named
// shared memory block holding the paths to drop and the report of the window's state.
#pragma once

#include <windows.h>

constexpr const char* kChannelName = "PalettrimEndToEndChannel";
constexpr const char* kDropMessage = "PalettrimEndToEndDrop";
constexpr const char* kReportMessage = "PalettrimEndToEndReport";

struct TestChannel {
    char paths[32768];  // NUL-separated, ended by an empty name
    char report[16384]; // "key=value" lines
    volatile LONG reportSerial;
    volatile LONG dropsDelivered;
};
