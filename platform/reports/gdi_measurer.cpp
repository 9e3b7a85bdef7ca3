#include "reports/gdi_measurer.h"

#include <algorithm>

#include "reports/text_placement.h"

namespace reports {

GdiTextMeasurer::GdiTextMeasurer() : dc_(CreateCompatibleDC(nullptr)) {}

GdiTextMeasurer::~GdiTextMeasurer() {
    for (auto& entry : fonts_) DeleteObject(entry.second);
    if (dc_) DeleteDC(dc_);
}

HFONT GdiTextMeasurer::FontFor(const FontSpec& font) const {
    const auto key = std::make_tuple(font.name, font.sizePoints, font.bold, font.italic);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    const int height = -std::max(1, MulDiv(font.sizePoints, kUnitsPerInch, 72));
    HFONT made = CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic ? TRUE : FALSE,
                             FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    fonts_.emplace(key, made);
    return made;
}

TextSize GdiTextMeasurer::Measure(const FontSpec& font, const std::string& text) const {
    HGDIOBJ old = SelectObject(dc_, FontFor(font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    SIZE extent{0, 0};
    if (!text.empty()) GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(dc_, old);
    // Counted at the size it will be drawn at on any device (TMPF_VECTOR clear: a bitmap face).
    const double factor = CountFactor(std::max(1, MulDiv(font.sizePoints, kUnitsPerInch, 72)),
                                      metrics.tmHeight - metrics.tmInternalLeading,
                                      (metrics.tmPitchAndFamily & TMPF_VECTOR) == 0);
    return TextSize{static_cast<int>(extent.cx * factor), static_cast<int>(metrics.tmHeight * factor)};
}

}  // namespace reports
