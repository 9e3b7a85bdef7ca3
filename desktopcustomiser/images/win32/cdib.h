// The preview document's device-independent bitmap: the portable blocks of DibImage, read from
// an open file and drawn unscaled onto a device context.
#pragma once

#include <windows.h>

#include <string>

#include "../dib_image.h"

namespace tunewright {

class CDIB {
public:
  CDIB() = default;
  virtual ~CDIB() = default;
  CDIB(const CDIB&) = delete;
  CDIB& operator=(const CDIB&) = delete;

  virtual int Create(int width, int height) { return dib_.Create(width, height) ? 1 : 0; }

  // Reads the bitmap file from the file's current position to its end; 1 on success. The
  // path is remembered first, so it also names a file that failed to read.
  virtual int Read(HANDLE file, const std::string& fullPath);
  int Read(const std::string& path);

  // An unscaled copy at (x, y); the result of the stretch call (0 with no image).
  virtual int Draw(HDC dc, int x, int y) const;

  const BITMAPINFO* BitmapInfo() const {
    return reinterpret_cast<const BITMAPINFO*>(dib_.InfoBlock());
  }
  const void* Bits() const { return dib_.Bits(); }
  const std::string& FileName() const { return m_strFileName; }
  const DibImage& Image() const { return dib_; }
  DibReadResult LastResult() const { return last_; }

private:
  DibImage dib_;
  std::string m_strFileName;
  DibReadResult last_ = DibReadResult::kOk;
};

}  // namespace tunewright
