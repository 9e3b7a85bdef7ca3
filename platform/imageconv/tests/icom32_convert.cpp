// Test driver: icom32_convert convert|boot SOURCE DESTINATION. Loads ICOM32.DLL by name and
// calls it by ordinal as the program does; exit code 0 on success.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include <icom32.h>

template <typename F>
static F Ordinal(HMODULE module, WORD ordinal) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: icom32_convert convert|boot SOURCE DESTINATION\n");
    return 2;
  }
  HMODULE module = LoadLibraryA("ICOM32.DLL");
  if (!module) return 3;
  auto init = Ordinal<IcoInitialiseFn>(module, kIcoInitialiseOrdinal);
  auto convert = Ordinal<IcoConvertImageFn>(module, kIcoConvertImageOrdinal);
  auto finish = Ordinal<IcoFinishBootScreenFn>(module, kIcoFinishBootScreenOrdinal);
  if (!init || !convert || !finish) return 3;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1573);
  init(block);
  int result;
  if (std::strcmp(argv[1], "boot") == 0) {
    result = finish(argv[2], argv[3], 8, 0);
  } else {
    int option = 2;
    result = convert(argv[2], argv[3], 1, &option, 1);
  }
  GlobalFree(block);
  return result == -1 ? 1 : 0;
}
