#include "framework/CString.h"

#include "framework/CWinApp.h"

bool CString::LoadString(unsigned id)
{
    // Texts are loaded into a growing buffer so that long ones are not cut.
    for (int size = 256; size <= 65536; size *= 4) {
        int length = ::LoadStringA(AfxGetResourceHandle(), id, GetBuffer(size), size);
        if (length < size - 1) {
            ReleaseBuffer(length > 0 ? length : 0);
            return length > 0;
        }
    }
    ReleaseBuffer();
    return true;
}
