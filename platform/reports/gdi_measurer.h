// Measures report text with the system's fonts, at one pixel per engine unit, so layout made
// with it matches what the painter draws on any device.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "reports/display_list.h"

namespace reports {

class GdiTextMeasurer : public TextMeasurer {
public:
    GdiTextMeasurer();
    ~GdiTextMeasurer() override;
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

    TextSize Measure(const FontSpec& font, const std::string& text) const override;

private:
    HFONT FontFor(const FontSpec& font) const;
    HDC dc_;
    mutable std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
};

}  // namespace reports
