#include "own_formats.h"

#include <algorithm>
#include <cstring>

#include "byte_reader.h"

namespace imageconv {

namespace {

// Atoms: u32 size (1: a u64 size follows; 0: to the end of the parent), four-letter type,
// contents. The path to a video track's first sample:
//   moov > trak > mdia > hdlr (handler "vide" at 8)
//                      > minf > stbl > stsd (first description: format, width, height, depth)
//                                    > stco or co64 (first chunk's offset)
//                                    > stsz (u32 uniform size, or the first entry)
// Big-endian throughout.
struct Atom {
  uint32_t type = 0;
  std::span<const uint8_t> body;
};

constexpr uint32_t Four(const char (&s)[5]) {
  return static_cast<uint32_t>(s[0]) << 24 | static_cast<uint32_t>(s[1]) << 16 | static_cast<uint32_t>(s[2]) << 8 |
         static_cast<uint32_t>(s[3]);
}

// The first child of the given type, or an empty atom.
Atom Child(std::span<const uint8_t> parent, uint32_t type) {
  ByteReader in(parent, true);
  while (in.remaining() >= 8) {
    const size_t at = in.position();
    uint64_t size = in.U32();
    const uint32_t t = in.U32();
    size_t header = 8;
    if (size == 1) {
      size = uint64_t{in.U32()} << 32;
      size |= in.U32();
      header = 16;
    } else if (size == 0) {
      size = parent.size() - at;
    }
    if (!in.ok() || size < header || size > parent.size() - at) break;
    if (t == type) return {t, parent.subspan(at + header, static_cast<size_t>(size) - header)};
    in.Seek(at + size);
  }
  return {};
}

Atom Path(std::span<const uint8_t> from, std::initializer_list<uint32_t> types) {
  Atom a{0, from};
  for (uint32_t t : types) {
    a = Child(a.body, t);
    if (a.body.empty()) return {};
  }
  return a;
}

// The first track whose handler is video.
std::span<const uint8_t> VideoTrack(std::span<const uint8_t> moov) {
  ByteReader in(moov, true);
  while (in.remaining() >= 8) {
    const size_t at = in.position();
    const uint32_t size = in.U32(), type = in.U32();
    if (!in.ok() || size < 8 || size > moov.size() - at) break;
    if (type == Four("trak")) {
      const auto trak = moov.subspan(at + 8, size - 8);
      const Atom hdlr = Path(trak, {Four("mdia"), Four("hdlr")});
      if (hdlr.body.size() >= 12 && std::memcmp(hdlr.body.data() + 8, "vide", 4) == 0) return trak;
    }
    in.Seek(at + size);
  }
  return {};
}

}  // namespace

bool IsQuickTime(std::span<const uint8_t> file) {
  if (file.size() < 8) return false;
  for (const char* type : {"moov", "mdat", "ftyp", "wide", "free", "skip", "pnot"})
    if (std::memcmp(file.data() + 4, type, 4) == 0) return true;
  return false;
}

// The first frame of the first video track when its codec is uncompressed RGB ("raw " at 24
// or 32 bits; rows of width x 3 or 4 bytes, the 32-bit ones alpha first) or photo JPEG
// ("jpeg": each sample is a JPEG file). Other codecs are refused.
ConversionResult DecodeQuickTime(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsQuickTime(file)) return ConversionResult::kUnreadable;
  const Atom moov = Child(file, Four("moov"));
  const auto track = VideoTrack(moov.body);
  const Atom stbl = Path(track, {Four("mdia"), Four("minf"), Four("stbl")});
  if (stbl.body.empty()) return ConversionResult::kUnreadable;

  ByteReader stsd(Child(stbl.body, Four("stsd")).body, true);
  stsd.Skip(8 + 4);  // version and flags, count, the entry's size
  const uint32_t format = stsd.U32();
  stsd.Skip(6 + 2 + 2 + 2 + 4 + 4 + 4);
  const int width = stsd.U16(), height = stsd.U16();
  stsd.Skip(4 + 4 + 4 + 2 + 32);
  const int depth = stsd.U16();
  if (!stsd.ok()) return ConversionResult::kUnreadable;

  uint64_t offset = 0;
  if (const Atom stco = Child(stbl.body, Four("stco")); !stco.body.empty()) {
    ByteReader in(stco.body, true);
    in.Skip(8);
    offset = in.U32();
    if (!in.ok()) return ConversionResult::kUnreadable;
  } else if (const Atom co64 = Child(stbl.body, Four("co64")); !co64.body.empty()) {
    ByteReader in(co64.body, true);
    in.Skip(8);
    offset = uint64_t{in.U32()} << 32;
    offset |= in.U32();
    if (!in.ok()) return ConversionResult::kUnreadable;
  } else {
    return ConversionResult::kUnreadable;
  }
  ByteReader stsz(Child(stbl.body, Four("stsz")).body, true);
  stsz.Skip(4);
  uint32_t size = stsz.U32();
  if (size == 0) {
    stsz.Skip(4);
    size = stsz.U32();
  }
  if (!stsz.ok()) return ConversionResult::kUnreadable;
  ByteReader data(file, true);
  data.Seek(offset);
  const auto sample = data.Bytes(std::min<uint64_t>(size, data.remaining()));
  if (sample.empty()) return ConversionResult::kUnreadable;

  if (format == Four("jpeg")) {
    if (sample.size() < 2 || sample[0] != 0xFF || sample[1] != 0xD8) return ConversionResult::kUnreadable;
    return DecodeImage(sample, out, maxPixels);
  }
  if (format != Four("raw ") || (depth != 24 && depth != 32)) return ConversionResult::kUnreadable;
  const ConversionResult r = StartImage(out, width, height, maxPixels);
  if (r != ConversionResult::kOk) return r;
  const size_t bytes = static_cast<size_t>(depth / 8);
  const size_t rows = std::min<size_t>(static_cast<size_t>(height), sample.size() / (static_cast<size_t>(width) * bytes));
  if (rows == 0) return ConversionResult::kUnreadable;
  for (size_t i = 0; i < rows * static_cast<size_t>(width); ++i)
    std::copy_n(sample.data() + i * bytes + (bytes == 4 ? 1 : 0), 3, out.rgb.data() + i * 3);
  return ConversionResult::kOk;
}

}  // namespace imageconv
