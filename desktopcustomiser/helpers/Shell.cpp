#include "Shell.h"

#include "framework/CString.h"

#include <shellapi.h>

INT_PTR RunProgram(HWND owner, const char* file, int showCommand, const char* parameters)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(owner, nullptr, file, parameters, nullptr, showCommand));
}

void OpenImageInPaint(HWND owner, const char* imagePath)
{
    CString quoted;
    quoted.Format("\"%s\"", imagePath ? imagePath : "");
    ::ShellExecuteA(owner, nullptr, "PBrush.Exe", quoted, nullptr, SW_SHOWNORMAL);
}

int GetSystemIconIndex(const char* path)
{
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return 0;
    return info.iIcon;
}

BOOL IsPlusPackInstalled()
{
    return ::SystemParametersInfoA(SPI_GETWINDOWSEXTENSION, 1, nullptr, 0);
}

void RestartWindows()
{
    ::ExitWindowsEx(EWX_REBOOT, 0);
}

BOOL WritePrivateProfileInt(const char* section, const char* key, int value, const char* file)
{
    CString text;
    text.Format("%d", value);
    return ::WritePrivateProfileStringA(section, key, text, file);
}
