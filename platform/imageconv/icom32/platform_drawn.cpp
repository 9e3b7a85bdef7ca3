#include "platform_drawn.h"

#include <vfw.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "../bitmap_writer.h"
#include "../cgm.h"
#include "../image_decoder.h"
#include "../metafile_header.h"
#include "../own_formats.h"

namespace {

using imageconv::MetafileKind;

// Runs a clean-up when the scope ends, for the handles of one drawing.
template <typename F>
struct Finally {
  F f;
  ~Finally() { f(); }
};
template <typename F>
Finally(F) -> Finally<F>;

std::vector<uint8_t> Play(HENHMETAFILE emf, int width, int height) {
  if (!emf) return {};
  Finally deleteMetafile{[&] { DeleteEnhMetaFile(emf); }};
  if (width <= 0 || height <= 0 || int64_t{width} * height > imageconv::kMaxPixels) return {};
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!dc) return {};
  Finally deleteDc{[&] { DeleteDC(dc); }};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) return {};
  Finally deleteDib{[&] { DeleteObject(dib); }};
  HGDIOBJ old = SelectObject(dc, dib);
  Finally unselect{[&] { SelectObject(dc, old); }};
  RECT area{0, 0, width, height};
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // A record the player cannot carry out leaves the rest drawn: a partial picture is a result.
  PlayEnhMetaFile(dc, emf, &area);
  GdiFlush();
  imageconv::RgbImage image;
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
    const uint8_t* src = static_cast<const uint8_t*>(bits) + y * stride;
    uint8_t* dst = image.rgb.data() + y * static_cast<size_t>(width) * 3;
    for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
      dst[x * 3] = src[x * 3 + 2];
      dst[x * 3 + 1] = src[x * 3 + 1];
      dst[x * 3 + 2] = src[x * 3];
    }
  }
  return imageconv::WriteBitmap24(image);
}

std::vector<uint8_t> DrawMetafile(const imageconv::MetafileHeader& header) {
  if (header.records.size() > 0x7FFFFFFF) return {};
  const UINT size = static_cast<UINT>(header.records.size());
  if (header.kind == MetafileKind::kEnhanced)
    return Play(SetEnhMetaFileBits(size, header.records.data()), header.width, header.height);
  // A Windows metafile becomes an enhanced one of the stated size (hundredths of a
  // millimetre at the screen's resolution), drawn stretched over the whole picture.
  HDC screen = GetDC(nullptr);
  METAFILEPICT picture{MM_ANISOTROPIC, MulDiv(header.width, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                       MulDiv(header.height, 2540, GetDeviceCaps(screen, LOGPIXELSY)), nullptr};
  HENHMETAFILE emf = SetWinMetaFileBits(size, header.records.data(), screen, &picture);
  ReleaseDC(nullptr, screen);
  return Play(emf, header.width, header.height);
}

// The packed bitmap the video-file interface hands out: header, colour table, rows.
size_t PackedDibSize(const BITMAPINFOHEADER* h) {
  const size_t colours = h->biClrUsed ? h->biClrUsed : h->biBitCount <= 8 ? size_t{1} << h->biBitCount : 0;
  const size_t masks = h->biCompression == BI_BITFIELDS ? 12 : 0;
  const size_t stride = ((static_cast<size_t>(h->biWidth) * h->biBitCount + 31) / 32) * 4;
  const size_t rows = static_cast<size_t>(h->biHeight < 0 ? -static_cast<int64_t>(h->biHeight) : h->biHeight);
  const size_t image = h->biSizeImage ? h->biSizeImage : stride * rows;
  return h->biSize + masks + colours * 4 + image;
}

std::vector<uint8_t> FirstVideoFrame(LPCSTR path, size_t fileBytes) {
  AVIFileInit();
  Finally exit{[] { AVIFileExit(); }};
  PAVIFILE file = nullptr;
  if (AVIFileOpenA(&file, path, OF_READ | OF_SHARE_DENY_NONE, nullptr) != 0) return {};
  Finally releaseFile{[&] { AVIFileRelease(file); }};
  PAVISTREAM stream = nullptr;
  if (AVIFileGetStream(file, &stream, streamtypeVIDEO, 0) != 0) return {};
  Finally releaseStream{[&] { AVIStreamRelease(stream); }};
  // The frame's size is checked before a decoder sets aside room for it.
  LONG formatBytes = 0;
  if (AVIStreamReadFormat(stream, AVIStreamStart(stream), nullptr, &formatBytes) != 0 ||
      formatBytes < static_cast<LONG>(sizeof(BITMAPINFOHEADER)))
    return {};
  std::vector<uint8_t> formatBlock(static_cast<size_t>(formatBytes));
  if (AVIStreamReadFormat(stream, AVIStreamStart(stream), formatBlock.data(), &formatBytes) != 0) return {};
  const auto* format = reinterpret_cast<const BITMAPINFOHEADER*>(formatBlock.data());
  if (int64_t{format->biWidth} * std::abs(int64_t{format->biHeight}) > imageconv::PixelsFileMayClaim(fileBytes)) return {};
  PGETFRAME frames = AVIStreamGetFrameOpen(stream, nullptr);  // any format a decoder offers
  if (!frames) return {};
  Finally close{[&] { AVIStreamGetFrameClose(frames); }};
  const auto* header = static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(frames, AVIStreamStart(stream)));
  if (!header || header->biSize < sizeof(BITMAPINFOHEADER) || header->biWidth <= 0 || header->biHeight == 0 ||
      header->biWidth > imageconv::kMaxSide || header->biHeight > imageconv::kMaxSide || header->biHeight < -imageconv::kMaxSide)
    return {};
  const std::span<const uint8_t> dib(reinterpret_cast<const uint8_t*>(header), PackedDibSize(header));
  imageconv::RgbImage image;
  if (imageconv::DecodeDib(dib, image, imageconv::kMaxPixels) != imageconv::ConversionResult::kOk) return {};
  return imageconv::WriteBitmap24(image);
}

}  // namespace

bool DrawnByPlatform(LPCSTR path, std::span<const uint8_t> file, std::vector<uint8_t>& bitmap) {
  bitmap.clear();
  if (file.size() >= 12 && std::memcmp(file.data(), "RIFF", 4) == 0 && std::memcmp(file.data() + 8, "AVI ", 4) == 0) {
    bitmap = FirstVideoFrame(path, file.size());
    return true;
  }
  std::span<const uint8_t> metafile = file;
  std::vector<uint8_t> translated;
  imageconv::RgbImage unused;
  if (imageconv::IsCgm(file)) {
    if (imageconv::CgmToMetafile(file, translated) != imageconv::ConversionResult::kOk) return true;
    metafile = translated;
  } else if (imageconv::IsWpg(file)) {
    // Only a WordPerfect graphic without a bitmap is the platform's to draw.
    if (imageconv::DecodeWpg(file, unused, 1) != imageconv::ConversionResult::kUnreadable) return false;
    if (imageconv::WpgToMetafile(file, translated) != imageconv::ConversionResult::kOk) return false;
    metafile = translated;
  } else if (imageconv::IsEps(file)) {
    metafile = imageconv::EpsMetafilePreview(file);
    if (metafile.empty()) return false;  // a TIFF preview, or none: the portable decoder says
  }
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  imageconv::MetafileHeader header;
  if (imageconv::IsClipboardFile(file)) {
    // Only a clipboard file without a bitmap entry is the platform's to draw.
    if (imageconv::DecodeClipboardFile(file, unused, 1) != imageconv::ConversionResult::kUnreadable) return false;
    const imageconv::ClipboardMetafile entry = imageconv::FindClipboardMetafile(file);
    if (entry.bits.empty()) return false;
    header = imageconv::ReadMetafileHeader(entry.bits, dpiX, dpiY);
    if (entry.widthHundredthsMm > 0 && entry.heightHundredthsMm > 0) {
      header.width = static_cast<int>(std::min<int64_t>(entry.widthHundredthsMm * dpiX / 2540, imageconv::kMaxSide));
      header.height = static_cast<int>(std::min<int64_t>(entry.heightHundredthsMm * dpiY / 2540, imageconv::kMaxSide));
    }
  } else {
    header = imageconv::ReadMetafileHeader(metafile, dpiX, dpiY);
  }
  if (header.kind == MetafileKind::kNone) return false;
  // A drawing's stated size is bounded as a raster file's is, by the bytes of the file.
  if (int64_t{header.width} * header.height > imageconv::PixelsFileMayClaim(file.size())) return true;
  bitmap = DrawMetafile(header);
  return true;
}
