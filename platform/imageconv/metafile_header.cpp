#include "metafile_header.h"

#include <cstdlib>

#include "byte_reader.h"
#include "image_decoder.h"

namespace imageconv {

namespace {

int Pixels(int64_t units, int64_t perInch, int dpi) {
  if (perInch <= 0) return 0;
  const int64_t pixels = std::llabs(units) * dpi / perInch;
  return pixels > 0 && pixels <= kMaxSide ? static_cast<int>(pixels) : 0;
}

}  // namespace

// Enhanced: record 1 (EMR_HEADER): u32 type 1, u32 size, i32 bounds[4], i32 frame[4] in
// hundredths of a millimetre, u32 " EMF" at 40.
// Placeable: u32 9AC6CDD7, u16 handle, i16 left top right bottom, u16 units an inch, u32 0,
// u16 checksum; a plain metafile follows at 22.
// Plain: u16 type 1 or 2, u16 header words 9, u16 version 0x100 or 0x300, ... then records
// of u32 size in words, u16 function, parameters. Its only size is the window extent
// (SetWindowExt, 0x020C: y then x), taken as pixels.
MetafileHeader ReadMetafileHeader(std::span<const uint8_t> file, int dpiX, int dpiY) {
  MetafileHeader h;
  ByteReader in(file);
  const uint32_t first = in.U32();
  if (first == 1 && file.size() >= 88) {
    in.Seek(40);
    if (in.U32() != 0x464D4520) return h;
    in.Seek(24);
    const int32_t left = static_cast<int32_t>(in.U32()), top = static_cast<int32_t>(in.U32());
    const int32_t right = static_cast<int32_t>(in.U32()), bottom = static_cast<int32_t>(in.U32());
    h.kind = MetafileKind::kEnhanced;
    h.width = Pixels(int64_t{right} - left, 2540, dpiX);
    h.height = Pixels(int64_t{bottom} - top, 2540, dpiY);
    h.records = file;
    return h;
  }
  if (first == 0x9AC6CDD7 && file.size() >= 22 + 18) {
    in.Seek(6);
    const int16_t left = static_cast<int16_t>(in.U16()), top = static_cast<int16_t>(in.U16());
    const int16_t right = static_cast<int16_t>(in.U16()), bottom = static_cast<int16_t>(in.U16());
    const uint16_t inch = in.U16();
    h.kind = MetafileKind::kPlaceable;
    h.width = Pixels(right - left, inch, dpiX);
    h.height = Pixels(bottom - top, inch, dpiY);
    h.records = file.subspan(22);
    return h;
  }
  in.Seek(0);
  const uint16_t type = in.U16(), words = in.U16(), version = in.U16();
  if (!in.ok() || (type != 1 && type != 2) || words != 9 || (version != 0x100 && version != 0x300)) return h;
  h.kind = MetafileKind::kPlain;
  h.records = file;
  in.Seek(18);
  while (in.ok() && in.remaining() >= 6) {
    const size_t at = in.position();
    const uint32_t size = in.U32();
    const uint16_t function = in.U16();
    if (size < 3 || function == 0) break;  // the end record, or damage
    if (function == 0x020C) {
      const int16_t y = static_cast<int16_t>(in.U16()), x = static_cast<int16_t>(in.U16());
      h.width = Pixels(x, 1, 1);
      h.height = Pixels(y, 1, 1);
      break;
    }
    in.Seek(at + uint64_t{size} * 2);
  }
  return h;
}

}  // namespace imageconv
