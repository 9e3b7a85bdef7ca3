#include "char_grids.h"

#include <algorithm>

namespace glyphwell {

int CharSetCellCode(int column, int row) { return (row * kCharSetColumns + column + 33) % 256; }

int WholeSetCellCode(int column, int row) { return column + row * kWholeSetColumns; }

std::string HexText(unsigned value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    while (static_cast<int>(text.size()) < digits) text.insert(text.begin(), '0');
    return text;
}

std::string WholeSetCodeText(int code, bool hex) {
    std::string text = hex ? HexText(static_cast<unsigned>(code), 2) : std::to_string(code);
    if (text.size() > 3) text.resize(3);
    return text;
}

int MaxOfIntegers(const int* values, int highIndex) {
    return *std::max_element(values, values + highIndex + 1);
}

Point MagnifierPosition(Point viewTopLeft, Point pointer, int magnifierWidth, int magnifierHeight) {
    return Point{viewTopLeft.x + pointer.x - magnifierWidth / 2,
                 viewTopLeft.y + pointer.y + magnifierHeight / 2};
}

int CentredCharacterTop(int top, int bottom, int textHeight) {
    return top + (bottom - top) / 2 - textHeight / 2;
}

std::string CharacterText(int code) { return std::string(1, static_cast<char>(code & 0xFF)); }

}  // namespace glyphwell
