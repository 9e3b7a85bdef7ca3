// The items of a menu as the user reads them, "-" for a separator.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        if (GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION) == 0)
            text[0] = '-';
        items.push_back(text);
    }
    return items;
}
