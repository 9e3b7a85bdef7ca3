// Bounds-checked little-endian reading over a byte span. A read past the end returns 0 and
// clears the sticky ok flag, so a parser can read a whole header and check once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tunewright {

class ByteReader {
public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  size_t position() const { return pos_; }
  size_t remaining() const { return pos_ <= bytes_.size() ? bytes_.size() - pos_ : 0; }

  // Moves to an absolute offset; an offset past the end clears ok.
  void Seek(size_t offset) {
    if (offset > bytes_.size()) {
      ok_ = false;
      pos_ = bytes_.size();
    } else {
      pos_ = offset;
    }
  }

  uint8_t U8() {
    if (!Need(1)) return 0;
    return bytes_[pos_++];
  }
  uint16_t U16() {
    if (!Need(2)) return 0;
    uint16_t v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    if (!Need(4)) return 0;
    uint32_t v = static_cast<uint32_t>(bytes_[pos_]) | (static_cast<uint32_t>(bytes_[pos_ + 1]) << 8) |
                 (static_cast<uint32_t>(bytes_[pos_ + 2]) << 16) |
                 (static_cast<uint32_t>(bytes_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  // The next count bytes, or an empty span (and ok cleared) when fewer remain.
  std::span<const uint8_t> Bytes(size_t count) {
    if (!Need(count)) return {};
    std::span<const uint8_t> out = bytes_.subspan(pos_, count);
    pos_ += count;
    return out;
  }

private:
  bool Need(size_t count) {
    if (!ok_ || count > remaining()) {
      ok_ = false;
      return false;
    }
    return true;
  }

  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// Little-endian stores into a fixed block, for headers we build ourselves.
inline void PutU16(uint8_t* at, uint16_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(uint8_t* at, uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint16_t GetU16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }
inline uint32_t GetU32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
         (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

}  // namespace tunewright
