// A generated report page as a device-independent display list: what to draw and where, in
// thousandths of an inch from the page's top left. One painter draws it to the screen at any
// zoom or to a printer, so preview and print cannot disagree.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace reports {

inline constexpr int kUnitsPerInch = 1000;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct FontSpec {
    std::string name = "Arial";
    int sizePoints = 10;
    bool bold = false;
    bool italic = false;
    std::uint32_t color = 0;  // 0x00BBGGRR
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

enum class Alignment { Left, Center, Right };

// Text drawn on one line inside its box, exactly as given (no mnemonic prefixes).
struct TextRun {
    Rect box;
    FontSpec font;
    std::string text;
    Alignment alignment = Alignment::Left;
    bool clip = false;  // a fixed-size box cuts its text off at its edges
};

struct BoxShape {
    Rect box;
    int penWidth = 10;
};

struct LineShape {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int penWidth = 10;
};

using DisplayItem = std::variant<TextRun, BoxShape, LineShape>;

struct Page {
    std::vector<DisplayItem> items;
};

struct PageList {
    int width = 8500;    // Letter, portrait
    int height = 11000;
    std::vector<Page> pages;
};

// Measures one line of text in engine units; the program measures with the platform's fonts,
// tests with a fixed rule.
struct TextSize {
    int width = 0;
    int height = 0;
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual TextSize Measure(const FontSpec& font, const std::string& text) const = 0;
};

}  // namespace reports
