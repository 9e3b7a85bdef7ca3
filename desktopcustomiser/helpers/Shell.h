// Shell and system calls of the whole program.
#pragma once

#include <windows.h>

// Shell execute with the default verb and no start folder; the shell's instance result.
INT_PTR RunProgram(HWND owner, const char* file, int showCommand, const char* parameters = nullptr);
void OpenImageInPaint(HWND owner, const char* imagePath);
// Index of the path's small icon in the system image list; 0 on failure.
int GetSystemIconIndex(const char* path);
BOOL IsPlusPackInstalled();
void RestartWindows();
BOOL WritePrivateProfileInt(const char* section, const char* key, int value, const char* file);
