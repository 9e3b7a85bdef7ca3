// Bounds-checked reading over a byte span. Every read past the end yields 0 and clears the
// sticky ok flag, so a truncated file is noticed and never read beyond its last byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ >= size_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }
    // The bytes from the read position on (remaining() of them).
    const uint8_t* here() const { return data_ + pos_; }

    uint8_t u8()
    {
        if (pos_ >= size_) {
            ok_ = false;
            return 0;
        }
        return data_[pos_++];
    }

    // Little-endian 16-bit number; a half-present number reads as 0.
    uint16_t le16()
    {
        if (remaining() < 2) {
            pos_ = size_;
            ok_ = false;
            return 0;
        }
        uint16_t v = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }

    // Copies up to n bytes, as many as the span still holds; returns how many were copied.
    size_t bytes(uint8_t* out, size_t n)
    {
        size_t have = remaining() < n ? remaining() : n;
        if (have)
            std::memcpy(out, data_ + pos_, have);
        pos_ += have;
        if (have < n)
            ok_ = false;
        return have;
    }

    size_t skip(size_t n)
    {
        size_t have = remaining() < n ? remaining() : n;
        pos_ += have;
        if (have < n)
            ok_ = false;
        return have;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};
