#include "cdib.h"

#include <vector>

namespace tunewright {

int CDIB::Read(HANDLE file, const std::string& fullPath) {
  m_strFileName = fullPath;
  // The rest of the file goes into memory once; the parser never looks outside it.
  const DWORD start = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  if (start == INVALID_SET_FILE_POINTER || size == INVALID_FILE_SIZE || high != 0 ||
      size < start || size - start > 0x7FFFFFFF) {
    last_ = DibReadResult::kNotABitmap;
    return 0;
  }
  std::vector<uint8_t> bytes(size - start);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(bytes.size() - done);
    if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) break;
    done += got;
  }
  bytes.resize(done);
  last_ = dib_.Read(bytes);
  return last_ == DibReadResult::kOk ? 1 : 0;
}

int CDIB::Read(const std::string& path) {
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  const std::string fullPath = (n > 0 && n < MAX_PATH) ? std::string(full) : path;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    m_strFileName = fullPath;
    last_ = DibReadResult::kNotABitmap;
    return 0;
  }
  const int result = Read(file, fullPath);
  CloseHandle(file);
  return result;
}

int CDIB::Draw(HDC dc, int x, int y) const {
  if (!dib_.HasImage()) return 0;
  const int width = dib_.Width();
  const int height = dib_.Height();
  return StretchDIBits(dc, x, y, width, height < 0 ? -height : height, 0, 0, width,
                       height < 0 ? -height : height, dib_.Bits(), BitmapInfo(), DIB_RGB_COLORS,
                       SRCCOPY);
}

}  // namespace tunewright
