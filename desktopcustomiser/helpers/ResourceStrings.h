// String-table texts. LoadResourceString returns a buffer that the next call on the same
// thread overwrites; each thread has its own, so preview threads never see the main thread's.
#pragma once

#include "framework/CString.h"

#include <windows.h>

constexpr int kResourceStringSize = 260;

const char* LoadResourceString(UINT id, HINSTANCE module = nullptr);
void LoadResourceCString(CString& out, UINT id);
