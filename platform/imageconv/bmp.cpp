#include "own_formats.h"

#include <algorithm>

#include "byte_reader.h"
#include "rle_bitmap.h"

namespace imageconv {

namespace {

// A colour channel held under a bit mask: its value brought to 8 bits by repeating its bits
// (5 bits abcde give abcdeabc), so that full scale stays full scale.
struct Channel {
  uint32_t mask = 0;
  int shift = 0, bits = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  uint8_t Of(uint32_t pixel) const {
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    uint32_t wide = 0;
    int have = 0;
    for (; have < 8; have += bits) wide = wide << bits | v;
    return static_cast<uint8_t>(wide >> (have - 8));
  }
};

}  // namespace

bool IsBmp(std::span<const uint8_t> file) { return file.size() >= 2 && file[0] == 'B' && file[1] == 'M'; }

// File header (14 bytes): "BM", u32 file size, u32 reserved, u32 offset of the pixels.
// Information header, by its u32 size:
//   12 (OS/2 1.x): u16 width, u16 height, u16 planes, u16 bits; a colour table of as many
//      B G R triples as the bits allow.
//   40, 52, 56, 108, 124 (Windows): i32 width, i32 height (negative: rows stored top-down),
//      u16 planes, u16 bits, u32 compression (0 none, 1 RLE8, 2 RLE4, 3 bit fields, 6 bit
//      fields with alpha), u32 image size, two i32 resolutions, u32 colours used, u32
//      colours important; the longer headers then hold the u32 red, green and blue masks,
//      which otherwise follow a 40-byte header when the compression is 3 (or 6, with alpha).
//      A colour table of B G R 0 entries: colours used, or as many as the bits allow.
//   64 and 16 (OS/2 2.x): the same fields as far as the header goes (the shorter one stops
//      after the bits; the rest of the longer one is ignored), no bit fields (3 and 4 are
//      OS/2's own codings there, not read), and a table of B G R 0 entries.
// Rows are padded to four bytes and run bottom-up unless the height is negative. A 16, 24 or
// 32-bit file may carry a colour table too (a hint for palette screens); its pixels still
// start at the stated offset. Without masks 16 bits are 5-5-5 and 32 bits 8-8-8 (the top
// byte, alpha or nothing, is dropped).
ConversionResult DecodeBmp(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsBmp(file)) return ConversionResult::kUnreadable;
  ByteReader in(file);
  in.Seek(10);
  const uint32_t offset = in.U32();
  const uint32_t headerSize = in.U32();
  const bool core = headerSize == 12, os2 = headerSize == 16 || headerSize == 64;
  if (!core && !os2 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
    return ConversionResult::kUnreadable;
  int64_t width, height;
  if (core) {
    width = in.U16();
    height = in.U16();
  } else {
    width = static_cast<int32_t>(in.U32());
    height = static_cast<int32_t>(in.U32());
  }
  const uint32_t planes = in.U16(), bits = in.U16();
  const uint32_t compression = core || headerSize == 16 ? 0 : in.U32();
  // Colours used sits past a short header's end, where a short OS/2 file may already stop.
  uint32_t used = 0;
  if (!core && headerSize != 16) {
    in.Seek(46);
    used = in.U32();
  }
  if (!in.ok() || planes != 1) return ConversionResult::kUnreadable;
  if (compression == 1 || compression == 2) return DecodeRleBitmap(file, out, maxPixels);
  const bool fields = !os2 && (compression == 3 || compression == 6);
  if (!(compression == 0 || (fields && (bits == 16 || bits == 32)))) return ConversionResult::kUnreadable;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return ConversionResult::kUnreadable;
  const bool topDown = height < 0;
  if (topDown) height = -height;

  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  size_t tableAt = 14 + static_cast<size_t>(headerSize);
  if (fields) {
    in.Seek(headerSize == 40 ? tableAt : 54);
    for (uint32_t& m : masks) m = in.U32();
    if (headerSize == 40) tableAt += compression == 3 ? 12 : 16;
    if (!in.ok() || !masks[0] || !masks[1] || !masks[2]) return ConversionResult::kUnreadable;
  }
  const Channel channels[3] = {Channel(masks[0]), Channel(masks[1]), Channel(masks[2])};

  // The colour table ends where the pixels start; entries it lacks are black. Pixels that
  // start inside the header, or inside the entries the header says are used, would be read
  // from the table's bytes.
  if (offset < tableAt || offset >= file.size()) return ConversionResult::kUnreadable;
  uint8_t table[256][3] = {};
  if (bits <= 8) {
    const size_t entryBytes = core ? 3 : 4;
    const size_t stated = used && used < (1u << bits) ? used : 1u << bits;
    if (used && offset < tableAt + stated * entryBytes) return ConversionResult::kUnreadable;
    const size_t count = std::min<size_t>(stated, (offset - tableAt) / entryBytes);
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* e = file.data() + tableAt + i * entryBytes;
      table[i][0] = e[2], table[i][1] = e[1], table[i][2] = e[0];
    }
  }

  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return StartImage(out, width, height, maxPixels);
  const size_t rowBytes = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t dataBytes = (static_cast<size_t>(width) * bits + 7) / 8;  // the last row may lack its padding
  const size_t rows = std::min<size_t>(static_cast<size_t>(height), (file.size() - offset + rowBytes - dataBytes) / rowBytes);
  if (rows == 0) return ConversionResult::kUnreadable;  // not one whole row
  const ConversionResult r = StartImage(out, width, height, maxPixels);
  if (r != ConversionResult::kOk) return r;
  for (size_t stored = 0; stored < rows; ++stored) {
    const uint8_t* src = file.data() + offset + stored * rowBytes;
    const size_t y = topDown ? stored : static_cast<size_t>(height) - 1 - stored;
    uint8_t* dst = out.rgb.data() + y * static_cast<size_t>(width) * 3;
    for (size_t x = 0; x < static_cast<size_t>(width); ++x, dst += 3) {
      if (bits <= 8) {
        std::copy_n(table[PackedValue(src, x, static_cast<int>(bits))], 3, dst);
      } else if (bits == 24) {
        dst[0] = src[x * 3 + 2], dst[1] = src[x * 3 + 1], dst[2] = src[x * 3];
      } else {
        const uint8_t* p = src + x * (bits / 8);
        const uint32_t v = bits == 16 ? p[0] | p[1] << 8 : p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
        for (int c = 0; c < 3; ++c) dst[c] = channels[c].Of(v);
      }
    }
  }
  return ConversionResult::kOk;
}

}  // namespace imageconv
