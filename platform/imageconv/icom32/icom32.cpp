// ICOM32.DLL: the thin Win32 edge of the converter; the work is portable code in imageconv.
#include "icom32.h"

#include <mutex>
#include <string>
#include <vector>

#include "../converter.h"
#include "../file_replacement.h"
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

// The converted file goes into a temporary file beside the destination as it is made, then
// replaces the destination in one step; on any failure the destination is left as it was.
// The temporary file is made at the first piece, so a source that does not decode touches
// nothing.
class ReplacingFile {
public:
  explicit ReplacingFile(LPCSTR path) : path_(path) {}
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (temp_[0]) DeleteFileA(temp_);
  }

  bool Write(std::span<const uint8_t> bytes) {
    if (file_ == INVALID_HANDLE_VALUE && !Create()) return false;
    DWORD done = 0;
    return WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
  }

  bool Commit() {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    const bool closed = CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!closed) return false;
    SetFileAttributesA(path_, FILE_ATTRIBUTE_NORMAL);
    imageconv::FileOperations ops;
    ops.moveReplacing = [](const std::string& from, const std::string& to) {
      return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    };
    ops.move = [](const std::string& from, const std::string& to) { return MoveFileA(from.c_str(), to.c_str()) != FALSE; };
    ops.remove = [](const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; };
    ops.exists = [](const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
    ops.freeNameBeside = [this](const std::string&) {
      // The system makes the name with an empty file under it, which the move must not meet.
      char aside[MAX_PATH];
      if (!GetTempFileNameA(Folder().c_str(), "ico", 0, aside) || !DeleteFileA(aside)) return std::string();
      return std::string(aside);
    };
    if (!imageconv::MoveIntoPlace(ops, temp_, path_)) return false;
    temp_[0] = 0;
    return true;
  }

private:
  bool Create() {
    if (temp_[0]) return false;  // made once; a failed creation is not retried
    if (!GetTempFileNameA(Folder().c_str(), "ico", 0, temp_)) {
      temp_[0] = 0;
      return false;
    }
    file_ = CreateFileA(temp_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
  }

  // The destination's folder, where the temporary files go so that the moves stay on one disk.
  std::string Folder() const {
    const std::string whole(path_);
    const size_t slash = whole.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string(".") : whole.substr(0, slash);
    if (folder.empty() || folder.back() == ':') folder += '\\';
    return folder;
  }

  LPCSTR path_;
  char temp_[MAX_PATH] = {};
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Makes the destination file of a decoded source, piece by piece.
using Step = imageconv::ConversionResult (*)(std::span<const uint8_t>, const imageconv::ByteSink&);

imageconv::ConversionResult ToBitmap(std::span<const uint8_t> in, const imageconv::ByteSink& sink) {
  return imageconv::ConvertToBitmap(in, sink, imageconv::kMaxPixels);
}

imageconv::ConversionResult ToBootScreen(std::span<const uint8_t> in, const imageconv::ByteSink& sink) {
  std::vector<uint8_t> out;
  const imageconv::ConversionResult r = imageconv::MakeBootScreen(in, out, imageconv::kMaxPixels);
  if (r != imageconv::ConversionResult::kOk) return r;
  return sink(out) ? r : imageconv::ConversionResult::kCannotWriteFile;
}

int Run(LPCSTR source, LPCSTR destination, Step step) {
  if (!source || !destination) return -1;
  try {
    std::lock_guard<std::mutex> hold(g_conversionLock);
    std::vector<uint8_t> in;
    if (!ReadWholeFile(source, in)) return -1;
    std::vector<uint8_t> drawn;
    if (DrawnByPlatform(source, in, drawn)) {
      if (drawn.empty()) return -1;
      in.swap(drawn);
    }
    ReplacingFile out(destination);
    if (step(in, [&](std::span<const uint8_t> bytes) { return out.Write(bytes); }) != imageconv::ConversionResult::kOk) return -1;
    return out.Commit() ? 1 : -1;
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
  return Run(source, destination, &ToBitmap);
}

extern "C" int WINAPI IcoFinishBootScreen(LPCSTR source, LPCSTR destination, int, int) {
  return Run(source, destination, &ToBootScreen);
}
