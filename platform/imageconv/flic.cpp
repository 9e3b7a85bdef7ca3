#include "own_formats.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "byte_reader.h"

namespace imageconv {

namespace {

constexpr uint16_t kFli = 0xAF11, kFlc = 0xAF12, kFrame = 0xF1FA;
enum Chunk : uint16_t { kDeltaFlc = 7, kColour64 = 11, kDeltaFli = 12, kBlack = 13, kByteRun = 15, kCopy = 16, kColour256 = 4 };

struct Canvas {
  int width, height;
  std::vector<uint8_t> pixels;  // palette indices, rows top-down
  uint8_t palette[256][3] = {};
  uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

// Packets of: u8 entries to skip, u8 entries to set (0 means 256), then that many RGB
// triples, each component 0..255 or, in the 64-level chunk, 0..63.
void Colours(ByteReader& in, Canvas& c, bool levels64) {
  const uint16_t packets = in.U16();
  size_t at = 0;
  for (uint16_t p = 0; p < packets && in.ok(); ++p) {
    at += in.U8();
    size_t count = in.U8();
    if (count == 0) count = 256;
    for (size_t i = 0; i < count && in.ok(); ++i, ++at)
      for (int k = 0; k < 3; ++k) {
        const uint8_t v = in.U8();
        if (at < 256) c.palette[at][k] = levels64 ? static_cast<uint8_t>((v & 63) << 2 | (v & 63) >> 4) : v;
      }
  }
}

// Each row: a packet count (unreliable, ignored), then signed counts until the row is full:
// positive repeats the next byte, negative copies that many bytes.
void ByteRun(ByteReader& in, Canvas& c) {
  for (int y = 0; y < c.height && in.ok(); ++y) {
    uint8_t* row = c.Row(y);
    in.U8();
    for (int x = 0; x < c.width && in.ok();) {
      const int n = static_cast<int8_t>(in.U8());
      if (n >= 0) {
        const uint8_t v = in.U8();
        for (int i = 0; i < n && x < c.width; ++i) row[x++] = v;
      } else {
        for (int i = 0; i < -n && x < c.width && in.ok(); ++i) row[x++] = in.U8();
      }
    }
  }
}

// FLI delta: u16 rows to skip, u16 rows changed; each row: u8 packets of u8 columns to skip
// and a signed count (positive copies bytes, negative repeats one byte).
void DeltaFli(ByteReader& in, Canvas& c) {
  int y = in.U16();
  const int rows = in.U16();
  for (int r = 0; r < rows && y < c.height && in.ok(); ++r, ++y) {
    uint8_t* row = c.Row(y);
    const int packets = in.U8();
    int x = 0;
    for (int p = 0; p < packets && in.ok(); ++p) {
      x += in.U8();
      const int n = static_cast<int8_t>(in.U8());
      if (n >= 0) {
        for (int i = 0; i < n; ++i, ++x) {
          const uint8_t v = in.U8();
          if (x < c.width) row[x] = v;
        }
      } else {
        const uint8_t v = in.U8();
        for (int i = 0; i < -n; ++i, ++x)
          if (x < c.width) row[x] = v;
      }
    }
  }
}

// FLC delta: u16 rows coded; each row starts with words: 11xxxxxx... skips -word rows,
// 10xxxxxx... sets the row's last byte, otherwise the packet count. Packets: u8 columns to
// skip, signed count of words (positive copies, negative repeats one word).
void DeltaFlc(ByteReader& in, Canvas& c) {
  const int rows = in.U16();
  int y = 0;
  for (int r = 0; r < rows && y < c.height && in.ok(); ++r, ++y) {
    int packets = 0;
    while (in.ok()) {
      const int16_t word = static_cast<int16_t>(in.U16());
      if ((word & 0xC000) == 0xC000) {
        y -= word;
        if (y >= c.height) return;
      } else if ((word & 0xC000) == 0x8000) {
        c.Row(y)[c.width - 1] = static_cast<uint8_t>(word);
      } else {
        packets = word;
        break;
      }
    }
    uint8_t* row = c.Row(y);
    int x = 0;
    for (int p = 0; p < packets && in.ok(); ++p) {
      x += in.U8();
      const int n = static_cast<int8_t>(in.U8());
      const int words = n >= 0 ? n : -n;
      uint8_t pair[2] = {0, 0};
      if (n < 0) pair[0] = in.U8(), pair[1] = in.U8();
      for (int i = 0; i < words; ++i)
        for (int k = 0; k < 2; ++k, ++x) {
          const uint8_t v = n >= 0 ? in.U8() : pair[k];
          if (x < c.width) row[x] = v;
        }
    }
  }
}

}  // namespace

bool IsFlic(std::span<const uint8_t> file) {
  if (file.size() < 128) return false;
  const uint16_t magic = static_cast<uint16_t>(file[4] | file[5] << 8);
  return (magic == kFli || magic == kFlc) && (file[12] == 8 || file[12] == 0) && file[13] == 0;
}

// Header (little-endian, 128 bytes): 0 u32 file size, 4 u16 magic AF11 (FLI) or AF12 (FLC), 6 u16 frames, 8 u16 width, 10 u16 height, 12 u16 depth 8; FLC: 80 u32 offset of
// the first frame. Chunks from there: u32 size, u16 type. The first frame chunk (F1FA: u16
// sub-chunk count, 8 reserved bytes) is drawn; other chunks before it (a prefix) are passed
// over. Its sub-chunks set colours or draw onto a black picture of colour 0.
ConversionResult DecodeFlic(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsFlic(file)) return ConversionResult::kUnreadable;
  ByteReader in(file);
  in.Seek(4);
  const bool flc = in.U16() == kFlc;
  in.U16();
  Canvas c{in.U16(), in.U16(), {}};
  if (c.width == 0 || c.height == 0) c.width = 320, c.height = 200;
  const ConversionResult r = StartImage(out, c.width, c.height, maxPixels);
  if (r != ConversionResult::kOk) return r;
  c.pixels.assign(static_cast<size_t>(c.width) * static_cast<size_t>(c.height), 0);

  in.Seek(128);
  if (flc) {
    in.Seek(80);
    const uint32_t first = in.U32();
    in.Seek(first ? first : 128);
  }
  bool drawn = false;
  for (int guard = 0; guard < 16 && in.ok() && !drawn; ++guard) {
    const size_t start = in.position();
    const uint32_t size = in.U32();
    const uint16_t type = in.U16();
    if (size < 6) break;
    if (type != kFrame) {
      in.Seek(uint64_t{start} + size);
      continue;
    }
    const uint16_t chunks = in.U16();
    in.Skip(8);
    uint16_t i = 0;
    for (; i < chunks && in.ok(); ++i) {
      const size_t at = in.position();
      const uint32_t chunkSize = in.U32();
      const uint16_t chunkType = in.U16();
      if (chunkSize < 6) break;
      // Each sub-chunk is read on its own, so a damaged one cannot run into the next.
      ByteReader body(file.subspan(at + 6, std::min<size_t>(chunkSize - 6, file.size() - at - 6)));
      const bool holdsData = body.remaining() > 0;  // a drawing chunk cut off before its data draws nothing
      switch (chunkType) {
        case kColour256: Colours(body, c, false); break;
        case kColour64: Colours(body, c, true); break;
        case kByteRun: ByteRun(body, c); drawn = drawn || holdsData; break;
        case kDeltaFli: DeltaFli(body, c); drawn = drawn || holdsData; break;
        case kDeltaFlc: DeltaFlc(body, c); drawn = drawn || holdsData; break;
        case kBlack: drawn = true; break;
        case kCopy: {
          const auto bytes = body.Bytes(std::min<size_t>(body.remaining(), c.pixels.size()));
          std::copy(bytes.begin(), bytes.end(), c.pixels.begin());
          drawn = drawn || holdsData;
          break;
        }
        default: break;  // postage stamps and unknown chunks
      }
      in.Seek(uint64_t{at} + chunkSize);
    }
    // A whole first frame of colours only shows colour 0; one cut off before it draws is nothing.
    drawn = drawn || (i == chunks && in.ok());
    break;
  }
  if (!drawn) return ConversionResult::kUnreadable;
  for (size_t i = 0; i < c.pixels.size(); ++i) std::copy_n(c.palette[c.pixels[i]], 3, out.rgb.data() + i * 3);
  return ConversionResult::kOk;
}

}  // namespace imageconv
