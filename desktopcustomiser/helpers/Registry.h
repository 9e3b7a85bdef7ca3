// Registry access of the whole program: each call is given root key, sub key and value name
// (empty for the key's default value) and reports failure through its result only.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <memory>

CString GetRegistryString(HKEY root, const CString& subKey, const CString& valueName);
// The value's bytes, owned by the caller, and their count; nullptr unless it is REG_BINARY.
std::unique_ptr<BYTE[]> GetRegistryBinary(HKEY root, const CString& subKey, const CString& valueName, DWORD* size);
LONG SetRegistryString(HKEY root, const CString& subKey, const CString& valueName, const CString& text);
LONG SetRegistryBinary(HKEY root, const CString& subKey, const CString& valueName, const BYTE* data, DWORD size);
LONG DeleteRegistryValue(HKEY root, const CString& subKey, const CString& valueName);
// "icon file,index" of the type registered for an extension (with its dot); empty when none.
CString GetFileTypeDefaultIcon(const CString& extension);
