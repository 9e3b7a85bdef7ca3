#include "own_formats.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "byte_reader.h"

namespace imageconv {

namespace {

enum Record : uint8_t { kColourMap = 0x0E, kBitmap1 = 0x0B, kBitmap2 = 0x14, kEnd = 0x10 };

// Run-length rows, one stream for the whole picture. A control byte c:
//   c & 0x80, count = c & 0x7F: count copies of the next byte; count 0: the next byte
//     gives how many 0xFF bytes follow;
//   otherwise count = c: count literal bytes; count 0: the next byte gives how many times
//     the previous row repeats.
// Writing stops at the end of the picture; a short stream leaves the rest 0.
bool Unpack(ByteReader& in, size_t rowBytes, size_t rows, std::vector<uint8_t>& out) {
  out.assign(rowBytes * rows, 0);
  size_t done = 0;
  auto put = [&](uint8_t b) {
    if (done < out.size()) out[done++] = b;
  };
  while (done < out.size() && in.ok()) {
    const uint8_t c = in.U8();
    const uint32_t count = c & 0x7F;
    if (c & 0x80) {
      const uint8_t value = count ? in.U8() : 0xFF;
      const uint32_t times = count ? count : in.U8();
      if (!in.ok()) break;
      for (uint32_t i = 0; i < times; ++i) put(value);
    } else if (count) {
      for (uint32_t i = 0; i < count && in.ok(); ++i) {
        const uint8_t b = in.U8();
        if (in.ok()) put(b);
      }
    } else {
      const uint32_t times = in.U8();
      if (!in.ok()) break;
      // The previous row is the last whole one written; mid-row the stream is damaged.
      if (done < rowBytes || done % rowBytes != 0) return done > 0;
      for (uint32_t t = 0; t < times && done < out.size(); ++t)
        for (size_t i = 0; i < rowBytes; ++i) put(out[done - rowBytes]);
    }
  }
  return done >= rowBytes;  // at least one whole row
}

}  // namespace

bool IsWpg(std::span<const uint8_t> file) {
  return file.size() >= 16 && file[0] == 0xFF && file[1] == 'W' && file[2] == 'P' && file[3] == 'C' && file[9] == 0x16;
}

// Header (16 bytes): FF "WPC", u32 offset of the first record, u8 product, u8 file type 0x16,
// u8 major version (1; version 2 files are not read), u8 minor, u16 encryption (0).
// Records: u8 type, then the length: one byte, or FF and a u16, whose top bit set means a
// u32 of (u16 & 0x7FFF) << 16 and one more u16. The picture is the first bitmap record:
//   0x0B: u16 width, height, bits a pixel, x and y resolution, then the rows;
//   0x14: u16 angle, four i16 placement values, then as 0x0B.
// Colours come from a preceding colour-map record (0x0E: u8 first index, u16 count, then
// RGB triples); without one, 1-bit pictures are black and white and others grey levels.
// Rows are top-down, packed at 1, 2, 4 or 8 bits a pixel. Drawing records are not read.
ConversionResult DecodeWpg(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsWpg(file)) return ConversionResult::kUnreadable;
  ByteReader in(file);
  in.Seek(4);
  const uint32_t first = in.U32();
  in.Seek(10);
  if (in.U8() != 1) return ConversionResult::kUnreadable;
  in.Seek(first);
  uint8_t palette[256][3] = {};
  bool mapped = false;
  while (in.ok() && in.remaining() >= 2) {
    const uint8_t type = in.U8();
    uint64_t length = in.U8();
    if (length == 0xFF) {
      length = in.U16();
      if (length & 0x8000) length = (length & 0x7FFF) << 16 | in.U16();
    }
    if (!in.ok()) break;
    const size_t start = in.position();
    ByteReader body(in.Bytes(std::min<uint64_t>(length, in.remaining())));
    if (type == kEnd) break;
    if (type == kColourMap) {
      const uint32_t at = body.U8(), count = body.U16();
      for (uint32_t i = 0; i < count && body.ok(); ++i)
        for (int c = 0; c < 3; ++c) {
          const uint8_t v = body.U8();
          if (at + i < 256 && body.ok()) palette[at + i][c] = v;
        }
      mapped = true;
    } else if (type == kBitmap1 || type == kBitmap2) {
      if (type == kBitmap2) body.Skip(10);
      const int width = body.U16(), height = body.U16(), bits = body.U16();
      body.Skip(4);
      if (!body.ok() || (bits != 1 && bits != 2 && bits != 4 && bits != 8)) return ConversionResult::kUnreadable;
      const ConversionResult r = StartImage(out, width, height, maxPixels);
      if (r != ConversionResult::kOk) return r;
      if (!mapped)
        for (int i = 0; i < 256; ++i)
          std::fill_n(palette[i], 3, static_cast<uint8_t>(bits == 1 ? (i ? 255 : 0) : std::min(255, i * 255 / ((1 << bits) - 1))));
      const size_t rowBytes = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 7) / 8;
      std::vector<uint8_t> rows;
      if (!Unpack(body, rowBytes, static_cast<size_t>(height), rows)) return ConversionResult::kUnreadable;
      for (size_t y = 0; y < static_cast<size_t>(height); ++y)
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
          const size_t bit = x * static_cast<size_t>(bits);
          const uint32_t index = (rows[y * rowBytes + bit / 8] >> (8 - bits - static_cast<int>(bit % 8))) & ((1u << bits) - 1);
          std::copy_n(palette[index], 3, out.rgb.data() + (y * static_cast<size_t>(width) + x) * 3);
        }
      return ConversionResult::kOk;
    }
    in.Seek(start + length);
  }
  return ConversionResult::kUnreadable;
}

}  // namespace imageconv
