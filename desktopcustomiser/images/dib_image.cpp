#include "dib_image.h"

#include <cstring>
#include <new>

#include "byte_reader.h"

namespace tunewright {

namespace {

// File header (14 bytes)          Windows header (40)          OS/2 header (12)
//   0 u16 "BM"                      0 u32 size = 40               0 u32 size = 12
//   2 u32 file size                 4 i32 width                   4 u16 width
//   6 u32 reserved                  8 i32 height (<0 top-down)    6 u16 height
//  10 u32 pixel offset             12 u16 planes                  8 u16 planes
//                                  14 u16 bit count              10 u16 bit count
//                                  16 u32 compression
//                                  20 u32 image size, 24/28 i32 resolutions
//                                  32 u32 colours used, 36 u32 colours important
// Colour table after the header: four bytes (B, G, R, 0) an entry, three (B, G, R) for OS/2.
constexpr uint16_t kBitmapType = 0x4D42;
constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

std::unique_ptr<uint8_t[]> Allocate(size_t size) {
  // A zero-byte block is still a block, so that an empty pixel area is not "no image".
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size == 0 ? 1 : size]());
}

bool ValidBitCount(uint16_t bits, bool windows) {
  switch (bits) {
    case 1: case 4: case 8: case 24: return true;
    case 16: case 32: return windows;
    default: return false;
  }
}

}  // namespace

std::string_view DibReadResultText(DibReadResult result) {
  switch (result) {
    case DibReadResult::kOk: return "ok";
    case DibReadResult::kNotABitmap: return "not a bitmap file";
    case DibReadResult::kBadHeader: return "bad bitmap header";
    case DibReadResult::kUnsupportedFormat: return "unsupported bit depth or compression";
    case DibReadResult::kShortColourTable: return "colour table cut short";
    case DibReadResult::kBadPixelRange: return "pixel offset past the file size";
    case DibReadResult::kShortPixels: return "pixel data cut short";
    case DibReadResult::kOutOfMemory: return "out of memory";
  }
  return "unknown";
}

uint64_t DibRowBytes(uint64_t width, uint32_t bitCount) {
  if (width > 0x7FFFFFFF || bitCount > 32) return 0;
  return ((width * bitCount + 31) / 32) * 4;
}

DibImage::DibImage() { Create(16, 16); }

int32_t DibImage::Width() const { return info_ ? static_cast<int32_t>(GetU32(info_.get() + 4)) : 0; }
int32_t DibImage::Height() const { return info_ ? static_cast<int32_t>(GetU32(info_.get() + 8)) : 0; }
uint16_t DibImage::BitCount() const { return info_ ? GetU16(info_.get() + 14) : 0; }

bool DibImage::IsWindowsHeader(const uint8_t* header) { return GetU32(header) != kOs2HeaderSize; }

uint32_t DibImage::GetNumColors(const uint8_t* header) {
  const bool windows = IsWindowsHeader(header);
  const uint16_t bits = GetU16(header + (windows ? 14 : 10));
  uint32_t n = 0;
  switch (bits) {
    case 1: n = 2; break;
    case 4: n = 16; break;
    case 8: n = 256; break;
    default: n = 0; break;
  }
  if (windows && GetU32(header + 32) != 0) n = GetU32(header + 32);
  return n;
}

bool DibImage::Create(int32_t width, int32_t height) {
  info_.reset();
  bits_.reset();
  bitsSize_ = 0;
  if (width <= 0 || height <= 0) return false;
  const uint64_t stride = (static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
  const uint64_t size = stride * static_cast<uint64_t>(height);
  if (size > (uint64_t{1} << 31)) return false;

  auto info = Allocate(kInfoBlockSize);
  if (!info) return false;
  auto bits = Allocate(static_cast<size_t>(size));
  if (!bits) return false;

  uint8_t* h = info.get();
  PutU32(h + 0, kWindowsHeaderSize);
  PutU32(h + 4, static_cast<uint32_t>(width));
  PutU32(h + 8, static_cast<uint32_t>(height));
  PutU16(h + 12, 1);
  PutU16(h + 14, 8);
  uint8_t* table = h + kWindowsHeaderSize;
  for (int i = 0; i < 256; ++i) {
    table[i * 4 + 0] = table[i * 4 + 1] = table[i * 4 + 2] = static_cast<uint8_t>(i);
    table[i * 4 + 3] = 0;
  }
  info_ = std::move(info);
  bits_ = std::move(bits);
  bitsSize_ = static_cast<size_t>(size);
  return true;
}

DibReadResult DibImage::Read(std::span<const uint8_t> file) {
  ByteReader in(file);
  const uint16_t type = in.U16();
  const uint32_t fileSize = in.U32();
  in.U32();
  const uint32_t pixelOffset = in.U32();
  if (!in.ok() || type != kBitmapType) return DibReadResult::kNotABitmap;

  // Only the header's own size is needed before telling the two layouts apart, so a small
  // OS/2 file (shorter than a Windows header) still reads.
  uint8_t header[kWindowsHeaderSize] = {};
  const uint32_t headerSize = in.U32();
  if (!in.ok()) return DibReadResult::kBadHeader;
  bool windows = true;
  if (headerSize == kWindowsHeaderSize) {
    std::span<const uint8_t> raw = in.Bytes(kWindowsHeaderSize - 4);
    if (!in.ok()) return DibReadResult::kBadHeader;
    PutU32(header, kWindowsHeaderSize);
    std::memcpy(header + 4, raw.data(), raw.size());
  } else if (headerSize == kOs2HeaderSize) {
    windows = false;
    const uint16_t w = in.U16(), h = in.U16(), planes = in.U16(), bits = in.U16();
    if (!in.ok()) return DibReadResult::kBadHeader;
    PutU32(header, kWindowsHeaderSize);
    PutU32(header + 4, w);
    PutU32(header + 8, h);
    PutU16(header + 12, planes);
    PutU16(header + 14, bits);
  } else {
    return DibReadResult::kBadHeader;
  }

  const int32_t width = static_cast<int32_t>(GetU32(header + 4));
  const int32_t height = static_cast<int32_t>(GetU32(header + 8));
  const uint16_t planes = GetU16(header + 12);
  const uint16_t bitCount = GetU16(header + 14);
  const uint32_t compression = GetU32(header + 16);
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1)
    return DibReadResult::kBadHeader;
  if (!ValidBitCount(bitCount, windows)) return DibReadResult::kUnsupportedFormat;
  const bool rle = compression == kBiRle8 || compression == kBiRle4;
  if (!(compression == kBiRgb || (compression == kBiRle8 && bitCount == 8) ||
        (compression == kBiRle4 && bitCount == 4) ||
        (compression == kBiBitfields && (bitCount == 16 || bitCount == 32))))
    return DibReadResult::kUnsupportedFormat;
  if (rle && height < 0) return DibReadResult::kUnsupportedFormat;

  // The table read; a Windows header may ask for more entries than the block holds, and only
  // the first 256 mean anything to the drawing calls.
  uint32_t colours = GetNumColors(header);
  if (colours > kMaxColours) {
    colours = kMaxColours;
    PutU32(header + 32, colours);
  }
  // Bit-field masks sit where the table would; the drawing call looks for them there.
  if (compression == kBiBitfields) {
    colours = 3;
    PutU32(header + 32, 0);
  }
  if (pixelOffset > fileSize) return DibReadResult::kBadPixelRange;
  const uint64_t pixelBytes = fileSize - pixelOffset;

  auto info = Allocate(kInfoBlockSize);
  if (!info) return DibReadResult::kOutOfMemory;
  std::memcpy(info.get(), header, kWindowsHeaderSize);
  uint8_t* table = info.get() + kWindowsHeaderSize;
  const size_t entryBytes = windows ? 4 : 3;
  std::span<const uint8_t> rawTable = in.Bytes(colours * entryBytes);
  if (!in.ok()) return DibReadResult::kShortColourTable;
  for (uint32_t i = 0; i < colours; ++i) {
    table[i * 4 + 0] = rawTable[i * entryBytes + 0];
    table[i * 4 + 1] = rawTable[i * entryBytes + 1];
    table[i * 4 + 2] = rawTable[i * entryBytes + 2];
    table[i * 4 + 3] = windows ? rawTable[i * 4 + 3] : 0;
  }

  // The drawing call trusts the header, so uncompressed rows must all be there; compressed
  // data is bounded by the image size we record.
  if (!rle) {
    const uint64_t stride = DibRowBytes(static_cast<uint64_t>(width), bitCount);
    const uint64_t rows = height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height))
                                     : static_cast<uint64_t>(height);
    if (stride == 0 || stride * rows > pixelBytes) return DibReadResult::kShortPixels;
  } else {
    PutU32(info.get() + 20, static_cast<uint32_t>(pixelBytes));
  }

  in.Seek(pixelOffset);
  std::span<const uint8_t> rawPixels = in.Bytes(static_cast<size_t>(pixelBytes));
  if (!in.ok()) return DibReadResult::kShortPixels;
  auto bits = Allocate(static_cast<size_t>(pixelBytes));
  if (!bits) return DibReadResult::kOutOfMemory;
  if (pixelBytes != 0) std::memcpy(bits.get(), rawPixels.data(), rawPixels.size());

  info_ = std::move(info);
  bits_ = std::move(bits);
  bitsSize_ = static_cast<size_t>(pixelBytes);
  return DibReadResult::kOk;
}

}  // namespace tunewright
