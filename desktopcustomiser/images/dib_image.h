// The portable half of the preview's device-independent bitmap: an information block (a
// 40-byte Windows bitmap header and room for 256 colour entries) and a block of pixel rows,
// read from a bitmap file's bytes or created blank. The Win32 CDIB draws these two blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace tunewright {

// Why a bitmap file was refused; the held image is unchanged in every case but kOk.
enum class DibReadResult {
  kOk,
  kNotABitmap,        // shorter than a file header, or no "BM"
  kBadHeader,         // short header, unknown header size, impossible dimensions
  kUnsupportedFormat, // bit depth or compression no drawing call understands
  kShortColourTable,
  kBadPixelRange,     // pixel offset beyond the stated file size
  kShortPixels,       // pixel data missing or shorter than the rows need
  kOutOfMemory,
};

std::string_view DibReadResultText(DibReadResult result);

class DibImage {
public:
  static constexpr size_t kInfoBlockSize = 1064;
  static constexpr size_t kWindowsHeaderSize = 40;
  static constexpr size_t kOs2HeaderSize = 12;
  static constexpr size_t kFileHeaderSize = 14;
  static constexpr size_t kMaxColours = 256;

  // A new image is 16 x 16, 8 bits per pixel, all colour 0 of the grey table.
  DibImage();
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;
  DibImage(DibImage&&) noexcept = default;
  DibImage& operator=(DibImage&&) noexcept = default;

  // A blank 8-bit image with the grey table; false (and no image held) when it cannot be made.
  bool Create(int32_t width, int32_t height);

  // Reads a whole bitmap file (its first byte is the file start); replaces both blocks only
  // on success.
  DibReadResult Read(std::span<const uint8_t> file);

  bool HasImage() const { return info_ != nullptr; }
  const uint8_t* InfoBlock() const { return info_.get(); }
  const uint8_t* Bits() const { return bits_.get(); }
  size_t BitsSize() const { return bitsSize_; }
  int32_t Width() const;
  int32_t Height() const;
  uint16_t BitCount() const;

  // Colour-table entries a header calls for (Windows or OS/2 header bytes; at least 12 bytes,
  // 40 for a Windows header).
  static uint32_t GetNumColors(const uint8_t* header);
  static bool IsWindowsHeader(const uint8_t* header);

private:
  std::unique_ptr<uint8_t[]> info_;
  std::unique_ptr<uint8_t[]> bits_;
  size_t bitsSize_ = 0;
};

// Bytes in one pixel row, padded to four; 0 when the width is absurd.
uint64_t DibRowBytes(uint64_t width, uint32_t bitCount);

}  // namespace tunewright
