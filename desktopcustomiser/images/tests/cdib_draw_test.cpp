#include "win32/cdib.h"

#include <gtest/gtest.h>

#include <vector>

#include "bmp_builder.h"

namespace tunewright {
namespace {

// A 32-bit memory surface to draw onto and read back.
class Surface {
public:
  Surface(int w, int h) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    width_ = w;
  }
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return static_cast<const uint32_t*>(bits_)[y * width_ + x] & 0xFFFFFF;
  }

private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
};

std::string WriteTemp(const std::vector<uint8_t>& bytes) {
  char dir[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  GetTempFileNameA(dir, "dib", 0, path);
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(f);
  return path;
}

TEST(CDIB, DrawsAnOs2FileUnscaledWithItsColourTable) {
  testing::BmpSpec s;
  s.os2 = true;
  s.width = 4;
  s.height = 2;
  s.bitCount = 8;
  s.tableEntries = 256;
  const std::string path = WriteTemp(testing::BuildBmp(s));
  CDIB dib;
  ASSERT_EQ(dib.Read(path), 1);
  Surface surface(10, 10);
  EXPECT_EQ(dib.Draw(surface.dc(), 3, 5), 2);
  // Bottom-up rows: file pixel k (value k) lands at column k % 4 of row 1 - k / 4.
  // Entry i is blue i, green 2i, red 3i, read back as 0x00RRGGBB.
  auto colour = [](uint32_t i) { return ((3 * i & 0xFF) << 16) | ((2 * i & 0xFF) << 8) | i; };
  EXPECT_EQ(surface.At(3, 6), colour(0));
  EXPECT_EQ(surface.At(6, 6), colour(3));
  EXPECT_EQ(surface.At(4, 5), colour(5));
  EXPECT_EQ(surface.At(2, 5), 0u);  // nothing outside the image
  DeleteFileA(path.c_str());
}

TEST(CDIB, FailedReadKeepsTheBlankImageAndNamesTheFile) {
  const std::string path = WriteTemp({'B', 'M', 1, 2, 3});
  CDIB dib;
  EXPECT_EQ(dib.Read(path), 0);
  EXPECT_NE(dib.FileName().find("dib"), std::string::npos);
  Surface surface(20, 20);
  EXPECT_EQ(dib.Draw(surface.dc(), 0, 0), 16);
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace tunewright
