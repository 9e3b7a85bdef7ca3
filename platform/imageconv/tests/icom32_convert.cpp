// Test driver: icom32_convert convert|boot SOURCE DESTINATION [SOURCE DESTINATION...]. Loads
// ICOM32.DLL by name and calls it by ordinal as the program does, once a pair (one start of
// the program serves many conversions); exit code 0 when every call succeeded.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include <icom32.h>

template <typename F>
static F Ordinal(HMODULE module, WORD ordinal) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: icom32_convert convert|boot SOURCE DESTINATION [SOURCE DESTINATION...]\n");
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
  bool failed = false;
  for (int i = 2; i + 1 < argc; i += 2) {
    int result;
    if (std::strcmp(argv[1], "boot") == 0) {
      result = finish(argv[i], argv[i + 1], 8, 0);
    } else {
      int option = 2;
      result = convert(argv[i], argv[i + 1], 1, &option, 1);
    }
    failed = failed || result == -1;
  }
  GlobalFree(block);
  return failed ? 1 : 0;
}
