#include "converter_block.h"

#include <cstdint>
#include <cstring>

#include <icom32.h>

#include "../converter_block_layout.h"
#include "../input_format.h"

namespace tunewright {

using namespace converter_block;

ConverterBlock::~ConverterBlock() {
  if (!handle_) return;
  ReleaseSideBlock();
  if (const uint32_t gdi = GetSlot32(data_, kGdiObject)) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(static_cast<int32_t>(gdi))));
  }
  GlobalUnlock(handle_);
  GlobalFree(handle_);
}

bool ConverterBlock::Allocate() {
  if (handle_) return true;
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kSize);
  if (!handle) return false;
  void* data = GlobalLock(handle);
  if (!data) {
    GlobalFree(handle);
    return false;
  }
  handle_ = handle;
  data_ = static_cast<uint8_t*>(data);
  return true;
}

void ConverterBlock::Initialise(HINSTANCE instance, HWND mainWindow) {
  if (!data_) return;
  std::lock_guard<std::mutex> hold(lock_);
  PutSlot32(data_, kInstance, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(instance)));
  RefillLocked();
  IcoInitialise(handle_);
  PutSlot32(data_, kMainWindow, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(mainWindow)));
}

void ConverterBlock::ReleaseSideBlock() {
  if (!sideHandle_) return;
  GlobalUnlock(sideHandle_);
  GlobalFree(sideHandle_);
  sideHandle_ = nullptr;
}

void ConverterBlock::RefillDisplayInfo() {
  if (!data_) return;
  std::lock_guard<std::mutex> hold(lock_);
  RefillLocked();
}

void ConverterBlock::RefillLocked() {
  // Window and GDI handles are 32-bit values on every Windows, so the slot gives it back.
  if (const uint32_t gdi = GetSlot32(data_, kGdiObject)) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(static_cast<int32_t>(gdi))));
  }
  ReleaseSideBlock();
  DisplayInfo info;
  if (HDC screen = GetDC(nullptr)) {
    info.planesTimesBits = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
    info.logPixelsX = GetDeviceCaps(screen, LOGPIXELSX);
    info.logPixelsY = GetDeviceCaps(screen, LOGPIXELSY);
    info.paletteDevice = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
  }
  if (HGLOBAL side = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kSideBlockSize)) {
    if (void* p = GlobalLock(side)) {
      sideHandle_ = side;
      info.sideBlock = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
    } else {
      GlobalFree(side);
    }
  }
  FillDisplayInfo(data_, info);
}

BOOL ConverterBlock::Convert(const std::string& source, const std::string& destination, int option) {
  std::lock_guard<std::mutex> hold(lock_);
  if (data_) PrepareConversion(data_, InputFormatCode(source));
  int value = option;
  return IcoConvertImage(source.c_str(), destination.c_str(), 1, &value, 1) == -1 ? FALSE : TRUE;
}

void ConverterBlock::FinishBootScreen(const std::string& target) {
  std::lock_guard<std::mutex> hold(lock_);
  IcoFinishBootScreen(target.c_str(), target.c_str(), 8, 0);
}

}  // namespace tunewright
