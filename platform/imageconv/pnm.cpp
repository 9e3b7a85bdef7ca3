#include "own_formats.h"

#include <algorithm>

#include "byte_reader.h"

namespace imageconv {

namespace {

// A header number after white space and "#" comments (which run to the end of the line);
// -1 when there is none or it has more than nine digits.
int64_t Number(ByteReader& in, std::span<const uint8_t> file) {
  while (in.ok() && in.remaining() > 0) {
    const uint8_t c = file[in.position()];
    if (c == '#') {
      while (in.ok() && in.remaining() > 0 && file[in.position()] != '\n' && file[in.position()] != '\r') in.U8();
    } else if (c == ' ' || (c >= '\t' && c <= '\r')) {
      in.U8();
    } else {
      break;
    }
  }
  int64_t value = 0;
  int digits = 0;
  while (in.remaining() > 0 && file[in.position()] >= '0' && file[in.position()] <= '9') {
    if (++digits > 9) return -1;
    value = value * 10 + (in.U8() - '0');
  }
  return digits ? value : -1;
}

}  // namespace

bool IsPnm(std::span<const uint8_t> file) {
  return file.size() >= 3 && file[0] == 'P' && (file[1] == '5' || file[1] == '6');
}

// Binary grey (P5) and colour (P6) maps: "P5" or "P6", width, height and largest value in
// decimal, one white space character, then rows top-down of one (grey) or three samples a
// pixel, a byte each when the largest value is below 256, else two bytes big-endian. Samples
// are brought to 0..255. A file cut short keeps its whole rows; with none it fails.
ConversionResult DecodePnm(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  if (!IsPnm(file)) return ConversionResult::kUnreadable;
  ByteReader in(file, true);
  in.Seek(2);
  const int64_t width = Number(in, file), height = Number(in, file), largest = Number(in, file);
  if (width <= 0 || height <= 0 || largest <= 0 || largest > 65535) return ConversionResult::kUnreadable;
  in.U8();
  const ConversionResult r = StartImage(out, width, height, maxPixels);
  if (r != ConversionResult::kOk) return r;
  const bool colour = file[1] == '6', wide = largest > 255;
  const size_t samples = static_cast<size_t>(width) * (colour ? 3 : 1);
  for (int64_t y = 0; y < height; ++y) {
    ByteReader row(in.Bytes(samples * (wide ? 2 : 1)), true);
    if (!in.ok()) return y > 0 ? ConversionResult::kOk : ConversionResult::kUnreadable;
    uint8_t* p = out.rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
    for (size_t i = 0; i < samples; ++i) {
      const int64_t v = wide ? row.U16() : row.U8();
      const uint8_t level = static_cast<uint8_t>((std::min(v, largest) * 255 + largest / 2) / largest);
      if (colour) {
        p[i] = level;
      } else {
        p[i * 3] = p[i * 3 + 1] = p[i * 3 + 2] = level;
      }
    }
  }
  return ConversionResult::kOk;
}

}  // namespace imageconv
