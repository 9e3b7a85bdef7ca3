#include "metafile_writer.h"

#include <algorithm>

namespace imageconv {

void MetafileWriter::Record(uint16_t function, std::initializer_list<int32_t> words) {
  const uint32_t size = static_cast<uint32_t>(3 + words.size());
  Put32(size);
  Put16(function);
  for (int32_t w : words) Put16(static_cast<uint16_t>(w));
  biggest_ = std::max(biggest_, size);
}

void MetafileWriter::Points(uint16_t function, const std::vector<int32_t>& xy) {
  const uint32_t size = static_cast<uint32_t>(4 + xy.size());
  Put32(size);
  Put16(function);
  Put16(static_cast<uint16_t>(xy.size() / 2));
  for (int32_t v : xy) Put16(static_cast<uint16_t>(v));
  biggest_ = std::max(biggest_, size);
}

// The player puts a new object in the lowest free slot, so the pair alternates between slots
// 0-1 and 2-3; the previous pair is deleted once it is no longer selected.
void MetafileWriter::Shape(uint32_t penColour, int penWidth, bool pen, uint32_t brushColour, bool brush) {
  const int slot = pair_ == 0 ? 2 : 0;
  Record(0x02FA, {pen ? 0 : 5, penWidth, 0, static_cast<int32_t>(penColour & 0xFFFF), static_cast<int32_t>(penColour >> 16)});
  Record(0x02FC, {brush ? 0 : 1, static_cast<int32_t>(brushColour & 0xFFFF), static_cast<int32_t>(brushColour >> 16), 0});
  Record(0x012D, {slot});
  Record(0x012D, {slot + 1});
  if (pair_ >= 0) {
    Record(0x01F0, {pair_});
    Record(0x01F0, {pair_ + 1});
  }
  pair_ = slot;
}

// Placeable header (22 bytes): u32 9AC6CDD7, u16 0, i16 left top right bottom, u16 units an
// inch, u32 0, u16 checksum (the exclusive or of the ten words before it). Metafile header
// (18 bytes): u16 type 1, u16 9, u16 0x300, u32 size in words, u16 objects, u32 largest
// record, u16 0. The end record is three words: size 3, function 0.
std::vector<uint8_t> MetafileWriter::Finish(int width, int height) {
  Put32(3);
  Put16(0);
  std::vector<uint8_t> out(22 + 18 + body_.size());
  auto put = [&](size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(0, 0x9AC6CDD7, 4);
  put(10, static_cast<uint32_t>(width), 2);
  put(12, static_cast<uint32_t>(height), 2);
  put(14, 96, 2);
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(out[i] | out[i + 1] << 8);
  put(20, sum, 2);
  put(22, 1, 2);
  put(24, 9, 2);
  put(26, 0x300, 2);
  put(28, static_cast<uint32_t>(9 + body_.size() / 2), 4);
  put(32, 4, 2);
  put(34, biggest_, 4);
  std::copy(body_.begin(), body_.end(), out.begin() + 40);
  return out;
}

void MetafileWriter::Put16(uint16_t v) {
  body_.push_back(static_cast<uint8_t>(v));
  body_.push_back(static_cast<uint8_t>(v >> 8));
}

void MetafileWriter::Put32(uint32_t v) {
  Put16(static_cast<uint16_t>(v));
  Put16(static_cast<uint16_t>(v >> 16));
}

}  // namespace imageconv
