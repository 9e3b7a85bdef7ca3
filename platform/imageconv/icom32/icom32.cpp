// ICOM32.DLL: the thin Win32 edge of the converter; the work is portable code in imageconv.
#include "icom32.h"

#include <mutex>
#include <string>
#include <vector>

#include "../converter.h"
#include "platform_drawn.h"

namespace {

// Conversions may come from the main thread and from preview threads at once; the decoder
// keeps global state, so one conversion runs at a time.
std::mutex g_conversionLock;
HGLOBAL g_block = nullptr;

bool ReadWholeFile(LPCSTR path, std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  bool ok = size != INVALID_FILE_SIZE && high == 0 && size < 0x40000000;
  if (ok) {
    bytes.resize(size);
    DWORD done = 0;
    ok = size == 0 || (ReadFile(file, bytes.data(), size, &done, nullptr) && done == size);
  }
  CloseHandle(file);
  return ok;
}

// A complete temporary file beside the destination, then one replace; on any failure the
// destination is left as it was.
bool WriteWholeFile(LPCSTR path, const std::vector<uint8_t>& bytes) {
  const std::string whole(path);
  const size_t slash = whole.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string(".") : whole.substr(0, slash);
  if (folder.empty() || folder.back() == ':') folder += '\\';
  char temp[MAX_PATH];
  if (!GetTempFileNameA(folder.c_str(), "ico", 0, temp)) return false;
  HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(temp);
    return false;
  }
  DWORD done = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
            done == bytes.size();
  ok = CloseHandle(file) && ok;
  if (ok) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING)) {
      // Windows 95 has no replacing move: delete, then move.
      ok = (DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND) && MoveFileA(temp, path);
    }
  }
  if (!ok) DeleteFileA(temp);
  return ok;
}

using Step = imageconv::ConversionResult (*)(std::span<const uint8_t>, std::vector<uint8_t>&, int64_t);

int Run(LPCSTR source, LPCSTR destination, Step step) {
  if (!source || !destination) return -1;
  try {
    std::lock_guard<std::mutex> hold(g_conversionLock);
    std::vector<uint8_t> in, out;
    if (!ReadWholeFile(source, in)) return -1;
    std::vector<uint8_t> drawn;
    if (DrawnByPlatform(source, in, drawn)) {
      if (drawn.empty()) return -1;
      in.swap(drawn);
    }
    if (step(in, out, imageconv::kMaxPixels) != imageconv::ConversionResult::kOk) return -1;
    return WriteWholeFile(destination, out) ? 1 : -1;
  } catch (...) {
    return -1;
  }
}

}  // namespace

// The block's display fields describe the program's screen; the output is always a 24-bit
// bitmap, which every display depth shows, so only the handle is kept. Decoding goes by the
// file's content, so the block's format code needs no reading either.
extern "C" int WINAPI IcoInitialise(HGLOBAL block) {
  std::lock_guard<std::mutex> hold(g_conversionLock);
  g_block = block;
  return 1;
}

extern "C" int WINAPI IcoConvertImage(LPCSTR source, LPCSTR destination, int, int*, int) {
  return Run(source, destination, &imageconv::ConvertToBitmap);
}

extern "C" int WINAPI IcoFinishBootScreen(LPCSTR source, LPCSTR destination, int, int) {
  return Run(source, destination, &imageconv::MakeBootScreen);
}
