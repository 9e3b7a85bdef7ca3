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
    auto word = [data](size_t at) { return static_cast<uint16_t>(data[at] | (data[at + 1] << 8)); };
    if (!data || size < 8 || word(0) != 1)
        return false;
    size_t count = word(6);
    if (size < 8 + count * 2)
        return false;
    out.imageWidth = word(2);
    out.imageHeight = word(4);
    out.items.clear();
    for (size_t i = 0; i < count; ++i)
        out.items.push_back(word(8 + i * 2));
    return true;
}
