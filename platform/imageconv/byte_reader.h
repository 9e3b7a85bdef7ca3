// Bounds-checked reading over a byte span, in either byte order. A read past the end returns
// 0 and clears the sticky ok flag, so a decoder reads a whole header and checks once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace imageconv {

class ByteReader {
public:
  explicit ByteReader(std::span<const uint8_t> bytes, bool bigEndian = false)
      : bytes_(bytes), big_(bigEndian) {}

  bool ok() const { return ok_; }
  size_t position() const { return pos_; }
  size_t remaining() const { return bytes_.size() - pos_; }
  void SetBigEndian(bool big) { big_ = big; }

  // Moves to an absolute offset; one past the end clears ok.
  void Seek(uint64_t offset) {
    if (offset > bytes_.size()) {
      ok_ = false;
      pos_ = bytes_.size();
    } else {
      pos_ = static_cast<size_t>(offset);
    }
  }
  void Skip(uint64_t count) { Seek(pos_ + count); }

  uint8_t U8() { return Need(1) ? bytes_[pos_++] : 0; }
  uint16_t U16() { return static_cast<uint16_t>(Number(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Number(4)); }

  // The next count bytes, or an empty span (and ok cleared) when fewer remain.
  std::span<const uint8_t> Bytes(uint64_t count) {
    if (!Need(count)) return {};
    const std::span<const uint8_t> out = bytes_.subspan(pos_, static_cast<size_t>(count));
    pos_ += static_cast<size_t>(count);
    return out;
  }

private:
  bool Need(uint64_t count) {
    if (!ok_ || count > remaining()) {
      ok_ = false;
      pos_ = bytes_.size();
      return false;
    }
    return true;
  }
  uint64_t Number(int size) {
    if (!Need(static_cast<uint64_t>(size))) return 0;
    uint64_t v = 0;
    for (int i = 0; i < size; ++i) {
      const uint64_t b = bytes_[pos_ + static_cast<size_t>(i)];
      v |= big_ ? b << (8 * (size - 1 - i)) : b << (8 * i);
    }
    pos_ += static_cast<size_t>(size);
    return v;
  }

  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
  bool big_ = false;
  bool ok_ = true;
};

// The index-th value of a row packed at 1, 2, 4 or 8 bits a value, most significant bits first.
inline uint32_t PackedValue(const uint8_t* row, size_t index, int bits) {
  const size_t bit = index * static_cast<size_t>(bits);
  return (row[bit / 8] >> (8 - bits - static_cast<int>(bit % 8))) & ((1u << bits) - 1);
}

}  // namespace imageconv
