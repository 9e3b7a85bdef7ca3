#include "own_formats.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "byte_reader.h"
#include "metafile_writer.h"

namespace imageconv {

namespace {

enum Record : uint8_t {
  kFill = 0x01, kLine = 0x02, kSegment = 0x05, kPolyline = 0x06, kRectangle = 0x07, kPolygon = 0x08,
  kEllipse = 0x09, kBitmap1 = 0x0B, kColourMap = 0x0E, kStart = 0x0F, kEnd = 0x10, kBitmap2 = 0x14,
};

// Calls each(type, body) for every record from the first to the end record, until each
// returns false. Records: u8 type, then the length: one byte, or FF and a u16, whose top
// bit set means a u32 of (u16 & 0x7FFF) << 16 and one more u16.
template <typename F>
void Records(std::span<const uint8_t> file, F each) {
  ByteReader in(file);
  in.Seek(4);
  in.Seek(in.U32());
  while (in.ok() && in.remaining() >= 2) {
    const uint8_t type = in.U8();
    uint64_t length = in.U8();
    if (length == 0xFF) {
      length = in.U16();
      if (length & 0x8000) length = (length & 0x7FFF) << 16 | in.U16();
    }
    if (!in.ok() || type == kEnd) return;
    ByteReader body(in.Bytes(std::min<uint64_t>(length, in.remaining())));
    if (!each(type, body)) return;
  }
}

// A colour map record: the first index, u16 count, then RGB triples. Writers differ on the
// first index: one byte (a body of 3 + 3 x count bytes) or a u16 (4 + 3 x count); the body's
// length tells which. A body that fits neither is damaged: false, and nothing is read.
bool ReadColourMap(ByteReader& body, uint8_t palette[256][3]) {
  const std::span<const uint8_t> bytes = body.Bytes(body.remaining());
  if (bytes.size() < 3) return false;
  const bool wide = bytes.size() % 3 == 1;
  ByteReader map(bytes);
  const uint32_t at = wide ? map.U16() : map.U8(), count = map.U16();
  if (!map.ok() || map.remaining() != 3 * size_t{count}) return false;
  for (uint32_t i = 0; i < count; ++i)
    for (int c = 0; c < 3; ++c) {
      const uint8_t v = map.U8();
      if (at + i < 256) palette[at + i][c] = v;
    }
  return true;
}

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
      if (done < rowBytes || done % rowBytes != 0) return done >= rowBytes;
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
// Colours come from a preceding colour-map record (0x0E, see ReadColourMap; a damaged one
// makes the file unreadable); without one, 1-bit pictures are black and white and others grey levels.
// Rows are top-down, packed at 1, 2, 4 or 8 bits a pixel. Drawing records are not read.
ConversionResult DecodeWpg(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsWpg(file)) return ConversionResult::kUnreadable;
  if (file[10] != 1) return ConversionResult::kUnreadable;
  uint8_t palette[256][3] = {};
  bool mapped = false;
  ConversionResult result = ConversionResult::kUnreadable;
  Records(file, [&](uint8_t type, ByteReader& body) {
    if (type == kColourMap) {
      mapped = ReadColourMap(body, palette);
      return mapped;
    }
    if (type != kBitmap1 && type != kBitmap2) return true;
    if (type == kBitmap2) body.Skip(10);
    const int width = body.U16(), height = body.U16(), bits = body.U16();
    body.Skip(4);
    if (!body.ok() || (bits != 1 && bits != 2 && bits != 4 && bits != 8)) return false;
    result = StartImage(out, width, height, maxPixels);
    if (result != ConversionResult::kOk) return false;
    if (!mapped)
      for (int i = 0; i < 256; ++i)
        std::fill_n(palette[i], 3, static_cast<uint8_t>(bits == 1 ? (i ? 255 : 0) : std::min(255, i * 255 / ((1 << bits) - 1))));
    const size_t rowBytes = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 7) / 8;
    std::vector<uint8_t> rows;
    if (!Unpack(body, rowBytes, static_cast<size_t>(height), rows)) {
      result = ConversionResult::kUnreadable;
      return false;
    }
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
      for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
        std::copy_n(palette[PackedValue(rows.data() + y * rowBytes, x, bits)], 3, out.rgb.data() + (y * static_cast<size_t>(width) + x) * 3);
      }
    return false;
  });
  return result;
}

// Drawing records, in WordPerfect units (1200 an inch) from the lower left corner:
//   0x0F start: u8 version, u8 flags, u16 width, u16 height (the picture's size);
//   0x01 fill: u8 style (0 hollow, others filled), u8 colour;
//   0x02 line: u8 style (0 none, others solid), u8 colour, u16 width;
//   0x05 line: i16 x1 y1 x2 y2; 0x06 polyline and 0x08 polygon: u16 count, i16 x y pairs;
//   0x07 rectangle: i16 x y width height; 0x09 ellipse: i16 centre x y, radii x y (drawn
//   whole and unrotated).
// Colours are indices into the colour map, or the 16 EGA colours and grey levels beyond.
ConversionResult WpgToMetafile(std::span<const uint8_t> file, std::vector<uint8_t>& metafile) {
  if (!IsWpg(file) || file[10] != 1) return ConversionResult::kUnreadable;
  constexpr uint8_t kEga[16][3] = {{0, 0, 0},     {0, 0, 170},   {0, 170, 0},   {0, 170, 170},
                                   {170, 0, 0},   {170, 0, 170}, {170, 85, 0},  {170, 170, 170},
                                   {85, 85, 85},  {85, 85, 255}, {85, 255, 85}, {85, 255, 255},
                                   {255, 85, 85}, {255, 85, 255}, {255, 255, 85}, {255, 255, 255}};
  uint8_t palette[256][3];
  for (int i = 0; i < 256; ++i)
    for (int c = 0; c < 3; ++c) palette[i][c] = i < 16 ? kEga[i][c] : static_cast<uint8_t>(i);
  auto colour = [&](uint8_t i) { return uint32_t{palette[i][0]} | uint32_t{palette[i][1]} << 8 | uint32_t{palette[i][2]} << 16; };
  MetafileWriter wmf;
  int width = 0, height = 0, shapes = 0;
  int64_t sizeY = 0;
  uint32_t lineColour = 0, fillColour = 0;
  int lineWidth = 1;
  bool line = true, fill = false, damaged = false;
  auto px = [&](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v * 96 / 1200, -30000, 30000)); };
  auto py = [&](int64_t v) { return px(sizeY - v); };
  auto point = [](ByteReader& b) { return static_cast<int16_t>(b.U16()); };
  Records(file, [&](uint8_t type, ByteReader& body) {
    switch (type) {
      case kColourMap:
        if (!ReadColourMap(body, palette)) {
          damaged = true;
          return false;
        }
        break;
      case kStart: {
        body.Skip(2);
        const int64_t w = body.U16(), h = body.U16();
        width = static_cast<int>(std::min<int64_t>(w * 96 / 1200, kMaxSide));
        height = static_cast<int>(std::min<int64_t>(h * 96 / 1200, kMaxSide));
        sizeY = h;
        if (width > 0 && height > 0) {
          wmf.Record(0x020B, {0, 0});
          wmf.Record(0x020C, {height, width});
        }
        break;
      }
      case kFill: fill = body.U8() != 0; fillColour = colour(body.U8()); break;
      case kLine:
        line = body.U8() != 0;
        lineColour = colour(body.U8());
        lineWidth = std::clamp(static_cast<int>(body.U16() * 96 / 1200), 1, 100);
        break;
      case kSegment:
      case kPolyline:
      case kPolygon: {
        std::vector<int32_t> xy;
        const uint32_t count = type == kSegment ? 2 : body.U16();
        for (uint32_t i = 0; i < count && body.ok() && xy.size() < 16000; ++i) {
          const int16_t x = point(body), y = point(body);
          if (body.ok()) xy.insert(xy.end(), {px(x), py(y)});
        }
        if (xy.size() < 4 || width <= 0) break;
        wmf.Shape(lineColour, lineWidth, line, fillColour, type == kPolygon && fill);
        wmf.Points(type == kPolygon ? 0x0324 : 0x0325, xy);
        ++shapes;
        break;
      }
      case kRectangle:
      case kEllipse: {
        const int64_t a = point(body), b = point(body), c = point(body), d = point(body);
        if (!body.ok() || width <= 0) break;
        // A rectangle is corner and size, an ellipse centre and radii.
        const int64_t left = type == kRectangle ? a : a - c, bottom = type == kRectangle ? b : b - d;
        const int64_t right = a + c, top = b + d;
        wmf.Shape(lineColour, lineWidth, line, fillColour, fill);
        wmf.Record(type == kRectangle ? 0x041B : 0x0418, {py(bottom) + 1, px(right) + 1, py(top), px(left)});
        ++shapes;
        break;
      }
      default: break;  // text, markers, bitmaps and the rest are not drawn here
    }
    return true;
  });
  if (shapes == 0 || damaged) return ConversionResult::kUnreadable;
  metafile = wmf.Finish(width, height);
  return ConversionResult::kOk;
}

}  // namespace imageconv
