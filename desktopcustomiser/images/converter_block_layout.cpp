#include "converter_block_layout.h"

#include "byte_reader.h"

namespace tunewright {

using namespace converter_block;

int ColourDepthClass(int planesTimesBits) {
  if (planesTimesBits <= 1) return 1;
  if (planesTimesBits <= 4) return 4;
  if (planesTimesBits <= 8) return 8;
  if (planesTimesBits <= 24) return 24;
  return 0;
}

void PutSlot32(uint8_t* block, size_t offset, uint32_t value) { PutU32(block + offset, value); }
uint32_t GetSlot32(const uint8_t* block, size_t offset) { return GetU32(block + offset); }

void FillDisplayInfo(uint8_t* block, const DisplayInfo& info) {
  PutU32(block + 0, 0);
  if (const int depth = ColourDepthClass(info.planesTimesBits)) {
    PutU16(block + kDepthClass, static_cast<uint16_t>(depth));
  }
  PutU32(block + kOne, 1);
  PutU32(block + kLogPixelsX, static_cast<uint32_t>(info.logPixelsX));
  PutU32(block + kLogPixelsY, static_cast<uint32_t>(info.logPixelsY));
  PutU32(block + k234, 234);
  PutU32(block + k256, 256);
  PutU32(block + kGdiObject, 0);
  PutU32(block + kSideBlock, info.sideBlock);
  PutU32(block + kPaletteDevice, info.paletteDevice ? 1 : 0);
  PutU16(block + kDepthClassCopy, GetU16(block + kDepthClass));
}

void PrepareConversion(uint8_t* block, int16_t formatCode) {
  PutU32(block + kClearedA, 0);
  PutU32(block + kClearedB, 0);
  PutU16(block + kFormatCode, static_cast<uint16_t>(formatCode));
}

}  // namespace tunewright
