#include "packaged_decoder_guard.h"

#include <algorithm>
#include <string_view>

#include "byte_reader.h"

namespace imageconv {

namespace {

// Walks the segments as the packaged decoder does. Segments: FF marker, then (except for
// SOI, EOI, TEM and the restart markers) a big-endian u16 length that counts itself. A DHT
// segment holds tables of: class and slot byte, sixteen code counts, then as many symbols as
// the counts add up to. After a start of scan the entropy-coded data runs to the next FF
// that is not followed (after any further FFs) by 00 or a restart marker.
bool JpegTablesAreSafe(std::span<const uint8_t> file) {
  ByteReader in(file, true);
  bool defined[2][4] = {};  // Huffman tables by class (DC, AC) and slot
  while (in.ok() && in.remaining() >= 2) {
    if (in.U8() != 0xFF) continue;  // the decoder looks for the next marker byte by byte too
    uint8_t marker = in.U8();
    while (marker == 0xFF && in.ok()) marker = in.U8();
    if (marker == 0xD9) return true;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
    const uint16_t length = in.U16();
    if (length < 2) return true;
    const size_t end = in.position() + length - 2;
    if (marker == 0xC4) {
      while (in.ok() && in.position() < end) {  // the decoder reads a whole table even past the end
        const uint8_t slot = in.U8();
        uint32_t symbols = 0;
        for (int i = 0; i < 16; ++i) symbols += in.U8();
        if (symbols > 256) return false;  // more symbols than a table holds
        if ((slot >> 4) < 2 && (slot & 15) < 4) defined[slot >> 4][slot & 15] = true;
        in.Skip(symbols);
      }
    } else if (marker == 0xDA) {
      // Start of scan: u8 count, then per component u8 id and u8 DC table << 4 | AC table;
      // then spectral start and end. A scan that starts at 0 decodes DC values, one that
      // ends past 0 AC values; each needs the tables it names to have been defined.
      const uint8_t count = in.U8();
      uint8_t tables[4] = {};
      for (uint8_t i = 0; i < count && i < 4; ++i) {
        in.U8();
        tables[i] = in.U8();
      }
      if (count > 4) in.Skip(2u * (count - 4u));
      const uint8_t start = in.U8(), stop = in.U8();
      for (uint8_t i = 0; i < count && i < 4; ++i) {
        const bool dc = defined[0][(tables[i] >> 4) & 3] && (tables[i] >> 4) < 4;
        const bool ac = defined[1][tables[i] & 3] && (tables[i] & 15) < 4;
        if ((start == 0 && !dc) || (stop > 0 && !ac)) return false;
      }
    }
    in.Seek(end);
    if (marker == 0xDA) {  // skip the scan's data; FF, more FFs, then 00 is data there
      while (in.ok() && in.remaining() >= 2) {
        const size_t at = in.position();
        if (in.U8() == 0xFF) {
          uint8_t next = in.U8();
          while (next == 0xFF && in.ok()) next = in.U8();
          if (in.ok() && next != 0 && !(next >= 0xD0 && next <= 0xD7)) {
            in.Seek(at);
            break;
          }
        }
      }
    }
  }
  return true;
}

// The decoder reads zeros past the end of a PSD file, so a file cut off before its pixels
// would come out as a picture of nothing. Layout (big-endian): "8BPS", u16 version, six
// reserved bytes, u16 channels, u32 height, u32 width, u16 bits, u16 colour mode; then three
// sections each led by its u32 length (colour mode data, image resources, layers and masks);
// then u16 compression (0 raw planes, 1 run-length rows after a u16 byte count a row of every
// channel) and the pixels, of which at least one row must be there.
bool PsdHasPixels(std::span<const uint8_t> file) {
  ByteReader in(file, true);
  in.Seek(12);
  const uint32_t channels = in.U16(), height = in.U32(), width = in.U32(), bits = in.U16();
  in.Seek(26);
  for (int section = 0; section < 3; ++section) in.Skip(in.U32());
  const uint16_t compression = in.U16();
  if (!in.ok()) return false;
  const uint64_t row = compression == 1 ? 1 : (uint64_t{width} * bits + 7) / 8;
  const uint64_t before = compression == 1 ? uint64_t{channels} * height * 2 : 0;
  return in.remaining() >= before + row;
}

// The decoder sets aside room for a chunk's stated length before reading it, and for the
// whole raw picture before inflating: a chunk longer than the bytes left, or compressed data
// too short to inflate to the rows the header claims (Deflate gives at most 1032 bytes a byte),
// would have it ask for gigabytes that no data fills. Layout (big-endian): the 8-byte
// signature, then chunks of u32 length, 4-byte type, the data and a u32 CRC; IHDR first (u32
// width, u32 height, u8 bit depth, u8 colour type), the pixels in the IDAT chunks.
bool PngChunksFit(std::span<const uint8_t> file) {
  ByteReader in(file, true);
  in.Seek(8);
  uint64_t rowBits = 0, height = 0, compressed = 0;
  while (in.ok() && in.remaining() >= 8) {
    const uint32_t length = in.U32();
    const std::span<const uint8_t> type = in.Bytes(4);
    if (length > in.remaining()) return false;
    const size_t next = in.position() + length;
    const std::string_view name(reinterpret_cast<const char*>(type.data()), 4);
    if (name == "IHDR") {
      const uint32_t width = in.U32();
      height = in.U32();
      const uint8_t depth = in.U8(), colour = in.U8();
      const uint32_t samples = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
      rowBits = uint64_t{width} * samples * depth;
    } else if (name == "IDAT") {
      compressed += length;
    } else if (name == "IEND") {
      break;
    }
    in.Seek(next);
    in.Skip(4);  // the CRC, which may be cut off at the very end
  }
  return height * (1 + (rowBits + 7) / 8) <= (compressed + 64) * 1032;
}

}  // namespace

// The decoder takes a file for JPEG when fill bytes (FF) and then the start marker (D8)
// begin it, so the walk covers every file that starts with FF.
bool SafeForPackagedDecoder(std::span<const uint8_t> file) {
  if (file.size() >= 4 && file[0] == '8' && file[1] == 'B' && file[2] == 'P' && file[3] == 'S') return PsdHasPixels(file);
  static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (file.size() >= 8 && std::equal(kPng, kPng + 8, file.begin())) return PngChunksFit(file);
  return file.empty() || file[0] != 0xFF || JpegTablesAreSafe(file);
}

}  // namespace imageconv
