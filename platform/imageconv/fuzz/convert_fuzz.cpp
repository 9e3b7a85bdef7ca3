// Any bytes through the whole conversion entry, every decoder included, the metafile header
// reading and the CGM and WordPerfect drawing translations, and the converted bitmap through the boot-screen finish: no crash, no read outside the buffer, and a success
// is always a well-formed bitmap of the size its header states.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "cgm.h"
#include "converter.h"
#include "metafile_header.h"
#include "own_formats.h"

namespace {

// Small pictures keep the fuzzer fast (the limit is the path a huge picture takes), yet
// PhotoCD's fixed 768 x 512 base picture fits.
constexpr int64_t kFuzzMaxPixels = int64_t{1} << 19;

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void CheckBitmap(const std::vector<uint8_t>& bmp) {
  if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M' || Get32(bmp, 2) != bmp.size()) std::abort();
  const uint64_t width = Get32(bmp, 18), height = Get32(bmp, 22), bits = bmp[28];
  const uint64_t row = (width * bits / 8 + 3) & ~uint64_t{3};
  const uint64_t table = bits == 8 ? 1024 : 0;
  if (width == 0 || height == 0 || 54 + table + row * height != bmp.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so that the sanitizers see any read past the end.
  std::unique_ptr<uint8_t[]> copy(new uint8_t[size ? size : 1]);
  if (size) std::memcpy(copy.get(), data, size);
  const std::span<const uint8_t> source(copy.get(), size);
  // The header reading the Windows edge does before the platform draws a metafile.
  const imageconv::MetafileHeader metafile = imageconv::ReadMetafileHeader(source, 96, 96);
  if (!metafile.records.empty() && (metafile.records.data() < source.data() ||
                                    metafile.records.data() + metafile.records.size() > source.data() + source.size()))
    std::abort();
  (void)imageconv::ReadMetafileHeader(imageconv::EpsMetafilePreview(source), 96, 96);
  (void)imageconv::ReadMetafileHeader(imageconv::FindClipboardMetafile(source).bits, 96, 96);
  std::vector<uint8_t> translated;
  if (imageconv::CgmToMetafile(source, translated) == imageconv::ConversionResult::kOk &&
      imageconv::ReadMetafileHeader(translated, 96, 96).kind != imageconv::MetafileKind::kPlaceable)
    std::abort();
  if (imageconv::WpgToMetafile(source, translated) == imageconv::ConversionResult::kOk &&
      imageconv::ReadMetafileHeader(translated, 96, 96).kind != imageconv::MetafileKind::kPlaceable)
    std::abort();
  std::vector<uint8_t> bitmap;
  if (imageconv::ConvertToBitmap(source, bitmap, kFuzzMaxPixels) != imageconv::ConversionResult::kOk) return 0;
  CheckBitmap(bitmap);
  // A boot screen always costs a full 320 x 400 reduction: finish one input in eight.
  if (size % 8 != 0) return 0;
  std::vector<uint8_t> boot;
  if (imageconv::MakeBootScreen(bitmap, boot, kFuzzMaxPixels) != imageconv::ConversionResult::kOk) std::abort();
  CheckBitmap(boot);
  return 0;
}
