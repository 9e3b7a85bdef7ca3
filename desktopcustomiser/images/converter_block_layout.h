// The converter block's layout: 1573 bytes, byte-packed, little-endian, shared with the
// converter library. Handles and pointers sit in 32-bit slots; on 64-bit Windows a window or
// GDI handle keeps its meaning in 32 bits, while the instance and the side block's address do
// not, so the program keeps the full values itself and our converter reads neither slot.
//
//   0 u32 0                 4 u16 colour-depth class    6 u32 cleared per conversion
//  16 u32 1               264 u32 LOGPIXELSX          268 u32 LOGPIXELSY
// 288 u32 instance        292 u32 main window         332 u32 234        340 u32 256
// 348 u32 GDI object (deleted and cleared on refill)  356 u32 side block (1032 bytes)
// 360 u32 1 when the screen uses a palette            446 u16 colour-depth class again
// 452 u16 input format code of the next conversion    586 u32 cleared per conversion
#pragma once

#include <cstddef>
#include <cstdint>

namespace tunewright {

namespace converter_block {
constexpr size_t kSize = 1573;
constexpr size_t kSideBlockSize = 1032;
constexpr size_t kDepthClass = 4, kClearedA = 6, kOne = 16, kLogPixelsX = 264, kLogPixelsY = 268,
                 kInstance = 288, kMainWindow = 292, k234 = 332, k256 = 340, kGdiObject = 348,
                 kSideBlock = 356, kPaletteDevice = 360, kDepthClassCopy = 446, kFormatCode = 452,
                 kClearedB = 586;
}  // namespace converter_block

struct DisplayInfo {
  int planesTimesBits = 0;
  int logPixelsX = 0;
  int logPixelsY = 0;
  bool paletteDevice = false;
  uint32_t sideBlock = 0;  // the side block's address as the 32-bit slot holds it
};

// The colour-depth class of a screen: 1, 4, 8 or 24; 0 for deeper screens, whose class is
// left as it was.
int ColourDepthClass(int planesTimesBits);

// The refill of the display fields (offsets 0, 4, 16, 264-360 and 446, not the instance and
// main window slots). The caller has already deleted the GDI object the slot named.
void FillDisplayInfo(uint8_t* block, const DisplayInfo& info);

// Before each conversion: the two cleared fields and the format code.
void PrepareConversion(uint8_t* block, int16_t formatCode);

void PutSlot32(uint8_t* block, size_t offset, uint32_t value);
uint32_t GetSlot32(const uint8_t* block, size_t offset);

}  // namespace tunewright
