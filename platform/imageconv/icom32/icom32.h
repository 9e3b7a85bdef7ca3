// The image converter library ICOM32.DLL, exported by ordinal only:
//   1  IcoConvertImage(source, destination, mode, option*, flags): -1 on failure, else the
//      destination is a 24-bit Windows bitmap file of the source's pixels.
//   2  IcoInitialise(block): the program's converter block (a global memory handle); 1.
//   3  IcoFinishBootScreen(source, destination, bits, reserved): turns the bitmap at source
//      into a 320 x 400 boot-screen bitmap of 8 bits a pixel at destination; -1 on failure.
// Both conversions read the whole source before writing, and write the destination through a
// complete temporary file beside it, so source and destination may be the same file.
#pragma once

#include <windows.h>

#ifdef ICOM32_BUILD
#define ICOM32_API extern "C"
#else
#define ICOM32_API extern "C" __declspec(dllimport)
#endif

ICOM32_API int WINAPI IcoConvertImage(LPCSTR source, LPCSTR destination, int mode, int* option,
                                      int flags);
ICOM32_API int WINAPI IcoInitialise(HGLOBAL block);
ICOM32_API int WINAPI IcoFinishBootScreen(LPCSTR source, LPCSTR destination, int bits,
                                          int reserved);

// Ordinals, for callers that bind at run time.
constexpr WORD kIcoConvertImageOrdinal = 1;
constexpr WORD kIcoInitialiseOrdinal = 2;
constexpr WORD kIcoFinishBootScreenOrdinal = 3;
using IcoConvertImageFn = int(WINAPI*)(LPCSTR, LPCSTR, int, int*, int);
using IcoInitialiseFn = int(WINAPI*)(HGLOBAL);
using IcoFinishBootScreenFn = int(WINAPI*)(LPCSTR, LPCSTR, int, int);
