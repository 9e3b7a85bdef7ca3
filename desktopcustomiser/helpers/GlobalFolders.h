// The Windows, System and Temp folders, read once at start-up and only read afterwards.
#pragma once

#include "framework/CString.h"

extern CString g_strWindowsFolder;  // as the system gives it (a trailing "\" only for a root)
extern CString g_strSystemFolder;
extern CString g_strTempFolder;     // without its trailing "\"

void InitGlobalFolders();
