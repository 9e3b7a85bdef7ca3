// Builds bitmap files byte by byte for the tests, in either header layout.
#pragma once

#include <cstdint>
#include <vector>

namespace tunewright::testing {

struct BmpSpec {
  bool os2 = false;
  int32_t width = 4;
  int32_t height = 2;
  uint16_t planes = 1;
  uint16_t bitCount = 8;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  uint32_t tableEntries = 0;   // entries actually written
  int64_t fileSizeDelta = 0;   // added to the honest file-size field
  int64_t pixelOffsetDelta = 0;
  uint32_t pixelBytes = UINT32_MAX;  // UINT32_MAX: exactly what the rows need
};

inline void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Table entry i is (i, 2i, 3i) in blue, green, red; pixel byte k is k & 0xFF.
inline std::vector<uint8_t> BuildBmp(const BmpSpec& s) {
  const uint32_t headerSize = s.os2 ? 12 : 40;
  const uint32_t entrySize = s.os2 ? 3 : 4;
  const uint32_t rows = static_cast<uint32_t>(s.height < 0 ? -s.height : s.height);
  const uint32_t stride = ((static_cast<uint32_t>(s.width) * s.bitCount + 31) / 32) * 4;
  const uint32_t pixels = s.pixelBytes == UINT32_MAX ? stride * rows : s.pixelBytes;
  const uint32_t offset = 14 + headerSize + s.tableEntries * entrySize;
  std::vector<uint8_t> out;
  Put16(out, 0x4D42);
  Put32(out, static_cast<uint32_t>(offset + pixels + s.fileSizeDelta));
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(offset + s.pixelOffsetDelta));
  Put32(out, headerSize);
  if (s.os2) {
    Put16(out, static_cast<uint16_t>(s.width));
    Put16(out, static_cast<uint16_t>(s.height));
    Put16(out, s.planes);
    Put16(out, s.bitCount);
  } else {
    Put32(out, static_cast<uint32_t>(s.width));
    Put32(out, static_cast<uint32_t>(s.height));
    Put16(out, s.planes);
    Put16(out, s.bitCount);
    Put32(out, s.compression);
    Put32(out, 0);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, s.coloursUsed);
    Put32(out, 0);
  }
  for (uint32_t i = 0; i < s.tableEntries; ++i) {
    out.push_back(static_cast<uint8_t>(i));
    out.push_back(static_cast<uint8_t>(2 * i));
    out.push_back(static_cast<uint8_t>(3 * i));
    if (!s.os2) out.push_back(0x77);
  }
  for (uint32_t k = 0; k < pixels; ++k) out.push_back(static_cast<uint8_t>(k));
  return out;
}

}  // namespace tunewright::testing
