// The portable side of toolbars: the toolbar resource (image size and the command of each
// button, 0 for a separator) and the button-style rules the command-update handlers apply.
// A button style keeps the button's kind in the low word and its state in the high word; the
// state's enabled bit is kept inverted as "disabled", so that a plain button style is 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t TBBS_CHECKBOX = 0x0002;         // the button's kind: a check button
constexpr uint32_t TBBS_SEPARATOR = 0x0001;
constexpr uint32_t TBBS_CHECKED = 0x0001u << 16;
constexpr uint32_t TBBS_PRESSED = 0x0002u << 16;
constexpr uint32_t TBBS_DISABLED = 0x0004u << 16;  // the inverted enabled bit
constexpr uint32_t TBBS_INDETERMINATE = 0x0010u << 16;

// The button style after Enable(on): enabling clears disabled; disabling also lets go of a
// press, so a disabled button never shows pressed.
uint32_t ToolButtonStyleForEnable(uint32_t style, bool on);
// The button style after SetCheck(n): 0 clear, 1 checked, 2 indeterminate; the button becomes
// a check button.
uint32_t ToolButtonStyleForCheck(uint32_t style, int nCheck);

// The toolbar resource, in either of the layouts resource compilers write (little-endian):
//   16-bit: +0 version (1)  +2 image width  +4 image height  +6 item count n  +8 n ids
//   32-bit: +0 image width  +4 image height  +8 item count n  +12 n ids
// Each id is a command, 0 for a separator; the whole resource is exactly header and ids.
struct ToolBarResource {
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<uint16_t> items;
};
// False for a resource that fits neither layout.
bool ParseToolBarResource(const uint8_t* data, size_t size, ToolBarResource& out);
