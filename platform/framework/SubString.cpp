#include "framework/SubString.h"

#include <cstring>

bool AfxExtractSubString(CString& rString, const char* lpszFullString, int iSubString, char chSep)
{
    rString.Empty();
    if (!lpszFullString || iSubString < 0)
        return false;
    const char* p = lpszFullString;
    for (; iSubString > 0; --iSubString) {
        p = std::strchr(p, chSep);
        if (!p)
            return false;
        ++p;
    }
    const char* end = std::strchr(p, chSep);
    rString = CString(p, end ? static_cast<int>(end - p) : static_cast<int>(std::strlen(p)));
    return true;
}
