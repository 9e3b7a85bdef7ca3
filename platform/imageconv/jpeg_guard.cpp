#include "jpeg_guard.h"

#include "byte_reader.h"

namespace imageconv {

// Walks the segments as the packaged decoder does. Segments: FF marker, then (except for SOI, EOI, TEM and the restart markers) a big-endian
// u16 length that counts itself. A DHT segment holds tables of: class and slot byte, sixteen
// code counts, then as many symbols as the counts add up to. After a start of scan the
// entropy-coded data runs to the next FF that is not followed by 00 or a restart marker.
bool JpegTablesAreSafe(std::span<const uint8_t> file) {
  if (file.size() < 2 || file[0] != 0xFF || file[1] != 0xD8) return true;  // not a JPEG
  ByteReader in(file, true);
  in.Seek(2);
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
        in.U8();
        uint32_t symbols = 0;
        for (int i = 0; i < 16; ++i) symbols += in.U8();
        if (symbols > 256) return false;  // more symbols than a table holds
        in.Skip(symbols);
      }
    }
    in.Seek(end);
    if (marker == 0xDA) {  // skip the scan's data
      while (in.ok() && in.remaining() >= 2) {
        const size_t at = in.position();
        if (in.U8() == 0xFF) {
          const uint8_t next = in.U8();
          if (next != 0 && !(next >= 0xD0 && next <= 0xD7)) {
            in.Seek(at);
            break;
          }
        }
      }
    }
  }
  return true;
}

}  // namespace imageconv
