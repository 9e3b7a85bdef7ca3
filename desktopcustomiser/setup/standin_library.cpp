// Stands in for the two helper libraries the setup folder delivers ("Pcdlib32.dll" and
// "twutil.dll"): the program calls nothing in either, so a library that loads and exports
// nothing serves.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
