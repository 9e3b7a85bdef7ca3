#include "HomePageLaunch.h"

#include "framework/CString.h"

void LaunchHomePage(const char* address, const char* defaultBrowser,
                    const std::function<bool(const char*, const char*)>& start)
{
    static const char* const kBrowsers[] = {"IEXPLORE.EXE", "NETSCAPE.EXE", "AIRMOS.EXE"};
    CString browser(defaultBrowser);
    CString upper = browser;
    upper.MakeUpper();
    if (!browser.IsEmpty())
        for (const char* name : kBrowsers)
            if (upper.Find(name) >= 0) {
                start(browser, address);
                return;
            }
    for (const char* name : kBrowsers)
        if (start(name, address))
            return;
    start(address, nullptr);
}
