#include "own_formats.h"

#include <algorithm>
#include <vector>

#include "byte_reader.h"

namespace imageconv {

namespace {

constexpr uint16_t kWin3 = 0xC350, kNt = 0xC351, kNtLater = 0xC352;
constexpr uint32_t kBitmap = 2, kMetafilePicture = 3, kDib = 8, kPalette = 9, kEnhancedMetafile = 14, kDibV5 = 17;

struct Entry {
  uint32_t format = 0;
  std::span<const uint8_t> data;
};

}  // namespace

// A device-independent bitmap (information header, colour table, bits) given the file
// header it lacks, then read as any bitmap file is.
ConversionResult DecodeDib(std::span<const uint8_t> dib, RgbImage& out, int64_t maxPixels) {
  ByteReader in(dib);
  const uint32_t headerSize = in.U32();
  if (!in.ok() || headerSize < 12 || headerSize > dib.size()) return ConversionResult::kUnreadable;
  uint32_t tableBytes = 0;
  if (headerSize == 12) {  // OS/2 core header: u16 width, u16 height, u16 planes, u16 bits
    in.Seek(10);
    const uint32_t bits = in.U16();
    tableBytes = bits <= 8 ? (3u << bits) : 0;
  } else {
    in.Seek(14);
    const uint32_t bits = in.U16(), compression = in.U32();
    in.Seek(32);
    const uint32_t used = in.U32();
    tableBytes = 4 * (used ? std::min(used, 256u) : bits <= 8 ? 1u << bits : 0);
    if (headerSize == 40 && (compression == 3 || compression == 6)) tableBytes += compression == 3 ? 12 : 16;
  }
  if (!in.ok()) return ConversionResult::kUnreadable;
  std::vector<uint8_t> file(14, 0);
  const uint32_t size = static_cast<uint32_t>(dib.size() + 14), offset = 14 + headerSize + tableBytes;
  file[0] = 'B';
  file[1] = 'M';
  for (int i = 0; i < 4; ++i) {
    file[2 + static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (8 * i));
    file[10 + static_cast<size_t>(i)] = static_cast<uint8_t>(offset >> (8 * i));
  }
  file.insert(file.end(), dib.begin(), dib.end());
  return DecodeImage(file, out, maxPixels);
}

namespace {

// A device-dependent bitmap as the 16-bit clipboard stores it: i16 type, width, height,
// bytes a row, u8 planes, u8 bits a pixel, u32 (a pointer, meaningless in a file), then the
// rows top-down. One plane of 1, 4, 8 or 24 bits; colours from the clipboard's palette
// (LOGPALETTE: u16 version, u16 count, then R G B flags) or, without one, black and white
// for 1 bit and grey levels otherwise.
ConversionResult DecodeDdb(std::span<const uint8_t> ddb, std::span<const uint8_t> palette, RgbImage& out,
                           int64_t maxPixels) {
  ByteReader in(ddb);
  in.U16();
  const int width = in.U16(), height = in.U16(), rowBytes = in.U16();
  const int planes = in.U8(), bits = in.U8();
  in.U32();
  if (!in.ok() || planes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24) ||
      static_cast<int64_t>(rowBytes) * 8 < static_cast<int64_t>(width) * bits)
    return ConversionResult::kUnreadable;
  uint8_t colours[256][3];
  for (int i = 0; i < 256; ++i)
    std::fill_n(colours[i], 3, static_cast<uint8_t>(bits == 1 ? (i ? 255 : 0) : i * 255 / ((1 << std::min(bits, 8)) - 1)));
  ByteReader pal(palette);
  pal.U16();
  const uint16_t count = pal.U16();
  for (int i = 0; i < std::min<int>(count, 256) && pal.ok(); ++i) {
    for (int c = 0; c < 3; ++c) colours[i][c] = pal.U8();
    pal.U8();
  }
  const ConversionResult r = StartImage(out, width, height, maxPixels);
  if (r != ConversionResult::kOk) return r;
  for (int y = 0; y < height; ++y) {
    const auto row = in.Bytes(static_cast<uint64_t>(rowBytes));
    if (!in.ok()) return y > 0 ? ConversionResult::kOk : ConversionResult::kUnreadable;
    for (int x = 0; x < width; ++x) {
      uint8_t* p = out.rgb.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
      const size_t ux = static_cast<size_t>(x);
      if (bits == 24) {
        p[0] = row[ux * 3 + 2], p[1] = row[ux * 3 + 1], p[2] = row[ux * 3];
        continue;
      }
      std::copy_n(colours[PackedValue(row.data(), ux, bits)], 3, p);
    }
  }
  return ConversionResult::kOk;
}

}  // namespace

bool IsClipboardFile(std::span<const uint8_t> file) {
  if (file.size() < 4) return false;
  const uint16_t id = static_cast<uint16_t>(file[0] | file[1] << 8);
  return id == kWin3 || id == kNt || id == kNtLater;
}

// Header: u16 identifier (C350 for Windows 3, C351 or C352 for NT), u16 format count. Then
// the directory: Windows 3 entries of u16 format, u32 length, u32 offset, 79-byte name; NT
// entries of u32 format, u32 length, u32 offset, 79 wide characters of name. The picture is
// the first of: a device-independent bitmap (V5 or plain), a bitmap with its palette.
namespace {

std::vector<Entry> Entries(std::span<const uint8_t> file) {
  ByteReader in(file);
  const bool nt = in.U16() != kWin3;
  const uint16_t count = in.U16();
  std::vector<Entry> entries;
  for (uint16_t i = 0; i < count && in.ok(); ++i) {
    Entry e;
    e.format = nt ? in.U32() : in.U16();
    const uint32_t length = in.U32(), offset = in.U32();
    in.Skip(nt ? 158 : 79);
    if (!in.ok()) break;
    ByteReader data(file);
    data.Seek(offset);
    e.data = data.Bytes(std::min<uint64_t>(length, data.remaining()));
    entries.push_back(e);
  }
  return entries;
}

std::span<const uint8_t> Find(const std::vector<Entry>& entries, uint32_t format) {
  for (const Entry& e : entries)
    if (e.format == format && !e.data.empty()) return e.data;
  return {};
}

}  // namespace

ConversionResult DecodeClipboardFile(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsClipboardFile(file)) return ConversionResult::kUnreadable;
  const std::vector<Entry> entries = Entries(file);
  auto find = [&](uint32_t format) { return Find(entries, format); };
  for (uint32_t format : {kDibV5, kDib}) {
    const auto dib = find(format);
    if (!dib.empty()) return DecodeDib(dib, out, maxPixels);
  }
  const auto ddb = find(kBitmap);
  if (!ddb.empty()) return DecodeDdb(ddb, find(kPalette), out, maxPixels);
  return ConversionResult::kUnreadable;  // metafiles are for the platform to draw
}

// An enhanced metafile entry is the metafile itself. A metafile picture entry starts with
// the picture's mapping mode and extents (Windows 3: four i16 values, the last a handle;
// NT: four i32), the extents in hundredths of a millimetre when positive; the metafile
// follows.
ClipboardMetafile FindClipboardMetafile(std::span<const uint8_t> file) {
  ClipboardMetafile found;
  if (!IsClipboardFile(file)) return found;
  const std::vector<Entry> entries = Entries(file);
  if (const auto emf = Find(entries, kEnhancedMetafile); !emf.empty()) {
    found.bits = emf;
    return found;
  }
  const auto picture = Find(entries, kMetafilePicture);
  const bool nt = file[0] != 0x50;
  const size_t head = nt ? 16 : 8;
  if (picture.size() <= head) return found;
  ByteReader in(picture);
  int64_t x, y;
  if (nt) {
    in.U32();  // mapping mode
    x = static_cast<int32_t>(in.U32());
    y = static_cast<int32_t>(in.U32());
  } else {
    in.U16();
    x = static_cast<int16_t>(in.U16());
    y = static_cast<int16_t>(in.U16());
  }
  found.widthHundredthsMm = x > 0 ? x : 0;
  found.heightHundredthsMm = y > 0 ? y : 0;
  found.bits = picture.subspan(head);
  return found;
}

}  // namespace imageconv
