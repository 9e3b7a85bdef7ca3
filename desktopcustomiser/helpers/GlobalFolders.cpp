#include "GlobalFolders.h"

#include "HelperText.h"

#include <windows.h>

CString g_strWindowsFolder;
CString g_strSystemFolder;
CString g_strTempFolder;

namespace {

// A folder the system gives in a buffer of 260; empty when it does not fit or fails.
template <typename Call>
CString ReadFolder(Call call)
{
    char buffer[kPathBufferSize] = {};
    UINT length = call(buffer, static_cast<UINT>(sizeof buffer));
    if (length == 0 || length >= sizeof buffer)
        return CString();
    return CString(buffer);
}

}  // namespace

void InitGlobalFolders()
{
    g_strWindowsFolder = ReadFolder([](char* b, UINT n) { return ::GetWindowsDirectoryA(b, n); });
    g_strSystemFolder = ReadFolder([](char* b, UINT n) { return ::GetSystemDirectoryA(b, n); });
    g_strTempFolder = ReadFolder([](char* b, UINT n) { return static_cast<UINT>(::GetTempPathA(n, b)); });
    if (g_strTempFolder.GetLength() > 0 && g_strTempFolder[g_strTempFolder.GetLength() - 1] == '\\')
        g_strTempFolder = g_strTempFolder.Left(g_strTempFolder.GetLength() - 1);
}
