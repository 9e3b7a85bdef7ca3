#include "own_formats.h"

#include "byte_reader.h"

namespace imageconv {

namespace {

constexpr uint32_t kEpsMagic = 0xC6D3D0C5;

// Binary header (little-endian): u32 C5 D0 D3 C6, then offset and length pairs of the
// PostScript, the Windows metafile preview and the TIFF preview (zero when absent), u16
// checksum. The PostScript itself is not interpreted: the preview is the picture.
std::span<const uint8_t> Section(std::span<const uint8_t> file, int index) {
  ByteReader in(file);
  if (in.U32() != kEpsMagic) return {};
  in.Seek(4 + static_cast<size_t>(index) * 8);
  const uint32_t offset = in.U32(), length = in.U32();
  if (!in.ok() || offset == 0 || length == 0) return {};
  in.Seek(offset);
  return in.Bytes(length);  // empty when it reaches past the end
}

}  // namespace

bool IsEps(std::span<const uint8_t> file) {
  return file.size() >= 30 && file[0] == 0xC5 && file[1] == 0xD0 && file[2] == 0xD3 && file[3] == 0xC6;
}

std::span<const uint8_t> EpsMetafilePreview(std::span<const uint8_t> file) { return Section(file, 1); }

ConversionResult DecodeEps(std::span<const uint8_t> file, RgbImage& out, int64_t maxPixels) {
  const auto tiff = Section(file, 2);
  if (!IsTiff(tiff)) return ConversionResult::kUnreadable;  // no preview, or a metafile one
  return DecodeTiff(tiff, out, maxPixels);
}

}  // namespace imageconv
