#include "framework/ToolBarData.h"

uint32_t ToolButtonStyleForEnable(uint32_t style, bool on)
{
    if (on)
        return style & ~TBBS_DISABLED;
    return (style | TBBS_DISABLED) & ~TBBS_PRESSED;
}

uint32_t ToolButtonStyleForCheck(uint32_t style, int nCheck)
{
    style &= ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        style |= TBBS_CHECKED;
    else if (nCheck == 2)
        style |= TBBS_INDETERMINATE;
    return style | TBBS_CHECKBOX;
}

bool ParseToolBarResource(const uint8_t* data, size_t size, ToolBarResource& out)
{
    auto word = [data](size_t at) { return static_cast<uint32_t>(data[at] | (data[at + 1] << 8)); };
    auto dword = [&](size_t at) { return word(at) | (word(at + 2) << 16); };
    if (!data || size < 8)
        return false;
    out.items.clear();
    if (word(0) == 1 && size == 8 + size_t{word(6)} * 2) {
        out.imageWidth = static_cast<int>(word(2));
        out.imageHeight = static_cast<int>(word(4));
        for (size_t i = 0; i < word(6); ++i)
            out.items.push_back(static_cast<uint16_t>(word(8 + i * 2)));
        return true;
    }
    if (size >= 12 && dword(8) < size && size == 12 + size_t{dword(8)} * 4) {
        out.imageWidth = static_cast<int>(dword(0));
        out.imageHeight = static_cast<int>(dword(4));
        for (size_t i = 0; i < dword(8); ++i)
            out.items.push_back(static_cast<uint16_t>(dword(12 + i * 4)));
        return true;
    }
    return false;
}
