// Appends the bytes of a file being written to a growing buffer; the file is only put on disk
// once it is complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class ByteWriter {
public:
    void u8(uint8_t v) { out_.push_back(v); }
    void le16(uint32_t v)
    {
        out_.push_back(uint8_t(v & 0xFF));
        out_.push_back(uint8_t((v >> 8) & 0xFF));
    }
    void bytes(const uint8_t* p, size_t n)
    {
        if (n == 0)
            return;
        size_t at = out_.size();
        out_.resize(at + n);
        std::memcpy(out_.data() + at, p, n);
    }
    void reserve(size_t n) { out_.reserve(n); }

    const std::vector<uint8_t>& data() const { return out_; }
    std::vector<uint8_t>& data() { return out_; }

private:
    std::vector<uint8_t> out_;
};
