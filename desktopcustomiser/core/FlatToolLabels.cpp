#include "FlatToolLabels.h"

#include <algorithm>
#include <cstring>

bool PackFlatToolLabels(const std::vector<std::string>& labels, char (&buffer)[kFlatToolTextSize],
                        std::vector<int>& indices)
{
    size_t needed = 1;
    for (const std::string& label : labels)
        needed += label.empty() ? 0 : label.size() + 1;
    std::memset(buffer, 0, sizeof buffer);
    indices.assign(labels.size(), -1);
    if (needed > sizeof buffer)
        return false;
    char* p = buffer;
    int next = 0;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].empty())
            continue;
        std::memcpy(p, labels[i].data(), labels[i].size());
        p += labels[i].size() + 1;
        indices[i] = next++;
    }
    return true;
}

FlatToolButtonWidth FlatToolButtonWidths(int imageWidth, int imageHeight, bool listStyle, int widestLabel,
                                         int borderWidth, int textPad, int labelMargin)
{
    if (listStyle) {
        int allowance = widestLabel + borderWidth + textPad;
        // The maximum follows the image height, as the toolbar was always given it.
        return {imageWidth + allowance, imageHeight + allowance};
    }
    int width = std::max(imageWidth + 18, widestLabel + labelMargin);
    return {width, width};
}
