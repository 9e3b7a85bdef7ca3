// File and folder operations of the whole program. Paths longer than the system's 260
// characters are refused, never cut or overflowed; every find and shell string is released.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <shlobj.h>

// 0 nothing found, 1 the first match is a file, 2 it is a folder.
int FileExists(const char* pathOrPattern);
BOOL ForceDeleteFile(const char* path);
BOOL ForceCopyFile(const char* source, const char* target);
// Silent shell delete without confirmation (not to the recycle bin); 0 on success. A path of
// more than 254 characters is refused with a non-zero result.
int ShellDeleteFiles(const char* pathOrPattern, HWND owner);
BOOL ClearDocumentsMenu();
void BackupOriginalScreens(const char* folder);
BOOL CanWriteToFolder(const char* folder, HWND owner);
CString GetShellFolderPath(int csidl);
// The display name in ANSI in a 260-character buffer, whichever form the folder returns it in.
BOOL GetDisplayNameText(IShellFolder* folder, LPCITEMIDLIST pidl, DWORD flags, char* out);
