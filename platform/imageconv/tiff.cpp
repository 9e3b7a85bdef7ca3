#include "own_formats.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "byte_reader.h"
#include "tiff_codecs.h"
#include "tiff_fax.h"

namespace imageconv {

namespace {

enum Tag : uint16_t {
  kWidth = 256, kHeight = 257, kBitsPerSample = 258, kCompression = 259, kPhotometric = 262,
  kFillOrder = 266, kStripOffsets = 273, kSamplesPerPixel = 277, kRowsPerStrip = 278, kStripByteCounts = 279,
  kPlanarConfig = 284, kT4Options = 292, kT6Options = 293, kPredictor = 317, kColourMap = 320, kTileWidth = 322,
  kTileLength = 323, kTileOffsets = 324, kTileByteCounts = 325, kSampleFormat = 339,
};
enum Photometric { kWhiteIsZero = 0, kBlackIsZero = 1, kRgb = 2, kPalette = 3, kSeparated = 5 };

// The first directory's tags that a baseline reader needs, each as a list of numbers.
struct Directory {
  std::vector<uint32_t> values[kSampleFormat - kWidth + 1];
  const std::vector<uint32_t>& operator[](Tag t) const { return values[t - kWidth]; }
  uint32_t Get(Tag t, uint32_t fallback) const { return (*this)[t].empty() ? fallback : (*this)[t][0]; }
};

// Header: "II" or "MM", u16 42, u32 offset of the first directory. Directory: u16 entry
// count, then entries of u16 tag, u16 type (1 byte, 3 short, 4 long, others not read here),
// u32 count, and four bytes holding the values when they fit, else their offset.
bool ReadDirectory(std::span<const uint8_t> file, Directory& dir) {
  ByteReader in(file, file[0] == 'M');
  in.Seek(4);
  in.Seek(in.U32());
  const uint16_t entries = in.U16();
  for (uint16_t i = 0; i < entries && in.ok(); ++i) {
    const uint16_t tag = in.U16(), type = in.U16();
    const uint32_t count = in.U32();
    const size_t next = in.position() + 4;
    const uint32_t size = type == 1 ? 1 : type == 3 ? 2 : type == 4 ? 4 : 0;
    if (tag < kWidth || tag > kSampleFormat || size == 0 || count == 0) {
      in.Seek(next);
      continue;
    }
    if (uint64_t{count} * size > file.size()) return false;  // more values than the file holds
    if (uint64_t{count} * size > 4) in.Seek(in.U32());
    std::vector<uint32_t>& values = dir.values[tag - kWidth];
    values.resize(count);
    for (uint32_t& v : values) v = size == 1 ? in.U8() : size == 2 ? in.U16() : in.U32();
    in.Seek(next);
  }
  return in.ok();
}

struct Layout {
  int64_t width = 0, height = 0;
  int bits = 0, samples = 0, photometric = 0;
  bool planar = false, bigEndian = false, predictor = false;
  TiffCompression compression = TiffCompression::kNone;
  uint32_t faxOptions = 0;
  bool lsbFirst = false;
  int64_t chunkWidth = 0, chunkHeight = 0;  // a tile, or a strip of the full width
  std::vector<uint32_t> offsets, counts;
  std::vector<uint32_t> colourMap;
};

// Brings a sample to 8 bits as the common viewers do.
uint8_t Scale(uint32_t v, int bits) {
  if (bits == 8) return static_cast<uint8_t>(v);
  if (bits == 16) return static_cast<uint8_t>((v + 128) / 257);
  return static_cast<uint8_t>(v * 255 / ((1u << bits) - 1));
}

uint32_t Sample(const uint8_t* row, size_t index, int bits, bool bigEndian) {
  if (bits == 8) return row[index];
  if (bits == 16) {
    const uint8_t a = row[index * 2], b = row[index * 2 + 1];
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  }
  return PackedValue(row, index, bits);
}

// Horizontal differencing undone, sample by sample along each row.
void Undifference(std::vector<uint8_t>& chunk, size_t rowBytes, int samplesInRow, int stride, int bits, bool bigEndian) {
  for (size_t row = 0; row + rowBytes <= chunk.size(); row += rowBytes) {
    uint8_t* p = chunk.data() + row;
    if (bits == 8) {
      for (int i = stride; i < samplesInRow; ++i) p[i] = static_cast<uint8_t>(p[i] + p[i - stride]);
    } else {
      for (int i = stride; i < samplesInRow; ++i) {
        const uint32_t v = Sample(p, static_cast<size_t>(i), 16, bigEndian) + Sample(p, static_cast<size_t>(i - stride), 16, bigEndian);
        p[i * 2 + (bigEndian ? 0 : 1)] = static_cast<uint8_t>(v >> 8);
        p[i * 2 + (bigEndian ? 1 : 0)] = static_cast<uint8_t>(v);
      }
    }
  }
}

bool ReadLayout(std::span<const uint8_t> file, Layout& l, int64_t maxPixels) {
  Directory dir;
  if (!ReadDirectory(file, dir)) return false;
  l.bigEndian = file[0] == 'M';
  l.width = dir.Get(kWidth, 0);
  l.height = dir.Get(kHeight, 0);
  l.samples = static_cast<int>(dir.Get(kSamplesPerPixel, 1));
  l.bits = static_cast<int>(dir.Get(kBitsPerSample, 1));
  for (uint32_t b : dir[kBitsPerSample])
    if (static_cast<int>(b) != l.bits) return false;
  // Compared unsigned: a LONG of 2^31 or more is a kind this reader does not know either.
  const uint32_t photometric = dir.Get(kPhotometric, l.samples >= 3 ? kRgb : kBlackIsZero);
  if (photometric > kSeparated || photometric == 4) return false;
  l.photometric = static_cast<int>(photometric);
  l.planar = dir.Get(kPlanarConfig, 1) == 2;
  l.predictor = dir.Get(kPredictor, 1) == 2;
  const uint32_t compression = dir.Get(kCompression, 1);
  if (compression == 32946) l.compression = TiffCompression::kDeflate;  // the older Deflate number
  else if ((compression >= 1 && compression <= 5) || compression == 8 || compression == 32773)
    l.compression = static_cast<TiffCompression>(compression);
  else return false;  // JPEG and others are not read
  const bool fax = compression >= 2 && compression <= 4;
  if (fax && (l.bits != 1 || l.samples != 1 || l.predictor)) return false;
  l.faxOptions = dir.Get(compression == 4 ? kT6Options : kT4Options, 0);
  l.lsbFirst = dir.Get(kFillOrder, 1) == 2;
  if (dir.Get(kSampleFormat, 1) != 1) return false;
  if (l.bits != 1 && l.bits != 2 && l.bits != 4 && l.bits != 8 && l.bits != 16) return false;
  if (l.predictor && l.bits != 8 && l.bits != 16) return false;
  const int needed = l.photometric == kRgb ? 3 : l.photometric == kSeparated ? 4 : 1;
  if (l.samples < needed || l.samples > 8) return false;
  if (l.photometric == kPalette) {
    l.colourMap = dir[kColourMap];
    if (l.bits > 8 || l.colourMap.size() < 3u << l.bits) return false;
  }
  // Tiled when the tile size is given; some writers keep the tiles' offsets and counts
  // under the strip tags, as readers accept.
  if (!dir[kTileWidth].empty() && !dir[kTileLength].empty()) {
    l.chunkWidth = dir.Get(kTileWidth, 0);
    l.chunkHeight = dir.Get(kTileLength, 0);
    const bool tileTags = !dir[kTileOffsets].empty();
    l.offsets = tileTags ? dir[kTileOffsets] : dir[kStripOffsets];
    l.counts = tileTags ? dir[kTileByteCounts] : dir[kStripByteCounts];
  } else {
    l.chunkWidth = l.width;
    l.chunkHeight = std::min<int64_t>(dir.Get(kRowsPerStrip, UINT32_MAX), l.height);
    l.offsets = dir[kStripOffsets];
    l.counts = dir[kStripByteCounts];
  }
  // A chunk is decoded only as far down as the picture reaches, so its buffer is bounded by
  // the picture's height rather than by the tile's claim.
  if (l.chunkWidth <= 0 || l.chunkHeight <= 0 || l.chunkWidth > kMaxSide || l.chunkHeight > kMaxSide ||
      l.chunkWidth * std::min(l.chunkHeight, l.height) > maxPixels)
    return false;
  if (l.width <= 0 || l.height <= 0) return false;
  // Every chunk of every plane needs its offset: a short table is a damaged file, not a
  // picture of black.
  const int64_t across = (l.width + l.chunkWidth - 1) / l.chunkWidth;
  const int64_t down = (l.height + l.chunkHeight - 1) / l.chunkHeight;
  return static_cast<uint64_t>(l.offsets.size()) >= static_cast<uint64_t>(across * down * (l.planar ? l.samples : 1));
}

// The most one byte of a chunk can expand to, so that a chunk's buffer holds only the rows its
// data could fill: PackBits repeats a byte at most 128 times for two, Deflate gives at most
// 1032 bytes a byte, an LZW code of 9 bits or more at most a 4096-byte string, and the fax
// codings need at least one bit a row.
uint64_t MostBytesAByte(TiffCompression compression, size_t rowBytes) {
  switch (compression) {
    case TiffCompression::kNone: return 1;
    case TiffCompression::kPackBits: return 64;
    case TiffCompression::kDeflate: return 1032;
    case TiffCompression::kLzw: return 4096;
    case TiffCompression::kCcittRle:
    case TiffCompression::kCcittFax3:
    case TiffCompression::kCcittFax4: return 8 * uint64_t{rowBytes};
  }
  return 0;
}

uint8_t Reversed(uint8_t b) {
  b = static_cast<uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
  b = static_cast<uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
  return static_cast<uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

// A sample as kept until the colour is worked out: a palette index as it is, others at 8 bits.
uint8_t Kept(const Layout& l, uint32_t v) { return l.photometric == kPalette ? static_cast<uint8_t>(v) : Scale(v, l.bits); }

// The colour of one pixel from its kept samples.
void Colour(const Layout& l, const uint8_t* s, uint8_t* rgb) {
  switch (l.photometric) {
    case kWhiteIsZero: std::fill_n(rgb, 3, static_cast<uint8_t>(255 - s[0])); break;
    case kBlackIsZero: std::fill_n(rgb, 3, s[0]); break;
    case kRgb: std::copy_n(s, 3, rgb); break;
    case kPalette:
      for (size_t c = 0; c < 3; ++c) rgb[c] = Scale(l.colourMap[(c << l.bits) + s[0]], 16);
      break;
    case kSeparated:
      for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>((255 - s[c]) * (255 - s[3]) / 255);
      break;
  }
}

}  // namespace

bool IsTiff(std::span<const uint8_t> file) {
  return file.size() >= 8 && ((file[0] == 'I' && file[1] == 'I' && file[2] == 42 && file[3] == 0) ||
                              (file[0] == 'M' && file[1] == 'M' && file[2] == 0 && file[3] == 42));
}

// The first picture of the file, strip by strip or tile by tile. Each chunk is expanded to
// its full size (a short one leaves its remaining pixels black), the predictor undone, and
// its pixels placed at its own column and row; chunks past the picture's edge are clipped.
// Rows a chunk's data cannot reach stay black without being held.
// Planar files hold every chunk of the first sample, then of the second, and so on. A file
// none of whose chunks gives a whole row holds no picture. FillOrder 2 reverses the bits of
// every byte of every chunk, whatever its compression.
ConversionResult DecodeTiff(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsTiff(file)) return ConversionResult::kUnreadable;
  Layout l;
  if (!ReadLayout(file, l, maxPixels)) return ConversionResult::kUnreadable;
  const ConversionResult r = StartImage(out, l.width, l.height, maxPixels);
  if (r != ConversionResult::kOk) return r;

  const int64_t across = (l.width + l.chunkWidth - 1) / l.chunkWidth;
  const int64_t down = (l.height + l.chunkHeight - 1) / l.chunkHeight;
  const int planes = l.planar ? l.samples : 1;
  const int inChunk = l.planar ? 1 : l.samples;
  const size_t rowBytes = (static_cast<size_t>(l.chunkWidth) * static_cast<size_t>(inChunk * l.bits) + 7) / 8;
  // The samples the colour needs (at most four; extra ones such as alpha are dropped) of every
  // pixel, gathered from the planes before the colour is worked out.
  const int kept = std::min(l.samples, 4);
  // Sized in 64 bits first: on a 32-bit system the largest pictures cannot be held at all.
  const uint64_t chunkBytes = uint64_t{rowBytes} * static_cast<uint64_t>(std::min(l.chunkHeight, l.height));
  const uint64_t pixels = static_cast<uint64_t>(l.width * l.height);
  if (pixels * static_cast<uint64_t>(kept) + chunkBytes > static_cast<uint64_t>(PTRDIFF_MAX) - out.rgb.size())
    return ConversionResult::kOutOfMemory;
  std::vector<uint8_t> samples(static_cast<size_t>(pixels) * static_cast<size_t>(kept), 0);
  std::vector<uint8_t> chunk;
  std::vector<uint8_t> reversed;
  const FaxLayout fax{static_cast<int>(l.chunkWidth), l.faxOptions};
  bool any = false;
  for (int plane = 0; plane < planes; ++plane)
    for (int64_t cy = 0; cy < down; ++cy)
      for (int64_t cx = 0; cx < across; ++cx) {
        const size_t index = static_cast<size_t>((plane * down + cy) * across + cx);
        if (index >= l.offsets.size() || plane >= kept) continue;
        ByteReader in(file);
        in.Seek(l.offsets[index]);
        const size_t stated = index < l.counts.size() ? l.counts[index] : in.remaining();
        std::span<const uint8_t> packed = in.Bytes(std::min(stated, in.remaining()));
        if (l.lsbFirst) {
          reversed.resize(packed.size());
          std::transform(packed.begin(), packed.end(), reversed.begin(), Reversed);
          packed = reversed;
        }
        const uint64_t fillable = (packed.size() * MostBytesAByte(l.compression, rowBytes) + rowBytes - 1) / rowBytes;
        const int64_t rows = std::min({l.chunkHeight, l.height - cy * l.chunkHeight, static_cast<int64_t>(std::min<uint64_t>(fillable, kMaxSide))});
        chunk.assign(rowBytes * static_cast<size_t>(rows), 0);
        const size_t produced = UnpackTiffChunk(l.compression, packed, chunk, &fax);
        if (produced == 0) continue;
        any = any || produced >= rowBytes;  // a picture needs one whole row somewhere
        if (l.predictor) Undifference(chunk, rowBytes, static_cast<int>(l.chunkWidth) * inChunk, inChunk, l.bits, l.bigEndian);
        const int64_t cols = std::min(l.chunkWidth, l.width - cx * l.chunkWidth);
        for (int64_t y = 0; y < rows; ++y) {
          const uint8_t* src = chunk.data() + static_cast<size_t>(y) * rowBytes;
          const int64_t py = cy * l.chunkHeight + y;
          for (int64_t x = 0; x < cols; ++x) {
            uint8_t* s = samples.data() + static_cast<size_t>(py * l.width + cx * l.chunkWidth + x) * static_cast<size_t>(kept);
            for (int k = 0; k < inChunk && plane + k < kept; ++k)
              s[plane + k] = Kept(l, Sample(src, static_cast<size_t>(x * inChunk + k), l.bits, l.bigEndian));
          }
        }
      }
  if (!any) return ConversionResult::kUnreadable;
  for (size_t i = 0; i < static_cast<size_t>(pixels); ++i)
    Colour(l, samples.data() + i * static_cast<size_t>(kept), out.rgb.data() + i * 3);
  return ConversionResult::kOk;
}

}  // namespace imageconv
