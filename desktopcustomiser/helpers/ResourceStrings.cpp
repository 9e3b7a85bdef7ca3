#include "ResourceStrings.h"

#include "framework/CWinApp.h"

const char* LoadResourceString(UINT id, HINSTANCE module)
{
    thread_local char buffer[kResourceStringSize];
    if (::LoadStringA(module ? module : AfxGetResourceHandle(), id, buffer, kResourceStringSize) <= 0)
        buffer[0] = '\0';
    return buffer;
}

void LoadResourceCString(CString& out, UINT id)
{
    char buffer[kResourceStringSize] = {};
    if (::LoadStringA(AfxGetResourceHandle(), id, buffer, kResourceStringSize) <= 0)
        buffer[0] = '\0';
    out = buffer;
}
