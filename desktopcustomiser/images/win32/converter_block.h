// The one converter block of the process and the calls into ICOM32.DLL, which is imported by
// ordinal and bound at load time. The application object owns one ConverterBlock from
// start-up to exit; the image changer and every preview thread convert through it, and its
// lock lets one conversion at a time use the block.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

namespace tunewright {

class ConverterBlock {
public:
  ConverterBlock() = default;
  ~ConverterBlock();
  ConverterBlock(const ConverterBlock&) = delete;
  ConverterBlock& operator=(const ConverterBlock&) = delete;

  // Start-up: allocates and locks the block; false (and no block) when memory is short.
  bool Allocate();
  bool IsAllocated() const { return data_ != nullptr; }

  // The start-up sequence around the converter's initialisation: instance, display fields,
  // ordinal 2 with the block's handle, then the main window.
  void Initialise(HINSTANCE instance, HWND mainWindow);

  // The refill of the display fields from the screen (InitConverterDisplayInfo).
  void RefillDisplayInfo();

  // One conversion (ordinal 1): the image changer passes option 2, a preview 0. Works without
  // a block too, as the converter needs none. TRUE unless the converter returned -1.
  BOOL Convert(const std::string& source, const std::string& destination, int option);

  // Ordinal 3 on a bitmap already copied over a boot-screen file; the result is not used.
  void FinishBootScreen(const std::string& target);

  HGLOBAL Handle() const { return handle_; }
  const uint8_t* Data() const { return data_; }

private:
  void ReleaseSideBlock();
  void RefillLocked();

  std::mutex lock_;
  HGLOBAL handle_ = nullptr;
  uint8_t* data_ = nullptr;
  HGLOBAL sideHandle_ = nullptr;
};

}  // namespace tunewright
