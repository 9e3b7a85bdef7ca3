// Arithmetic of the two character grids: the compact character-set view (printable codes in
// reading order) and the whole 256-code set view, with the texts their cells show.
#pragma once

#include <string>

namespace glyphwell {

// Character-set view: 32 x 7 cells of 18 x 18 pixels, codes 33..255 and then 0.
inline constexpr int kCharSetColumns = 32;
inline constexpr int kCharSetRows = 7;
inline constexpr int kCharSetCellSize = 18;
int CharSetCellCode(int column, int row);

// Whole-set view: 16 x 16 cells of 48 x 30 pixels, code = column + row x 16.
inline constexpr int kWholeSetColumns = 16;
inline constexpr int kWholeSetRows = 16;
inline constexpr int kWholeSetCellWidth = 48;
inline constexpr int kWholeSetCellHeight = 30;
int WholeSetCellCode(int column, int row);

// Upper-case hexadecimal text with at least `digits` digits.
std::string HexText(unsigned value, int digits);

// The code label of a whole-set cell: two hex digits or the decimal number, at most 3 characters.
std::string WholeSetCodeText(int code, bool hex);

// The largest of values[0..highIndex].
int MaxOfIntegers(const int* values, int highIndex);

struct Point {
    int x = 0;
    int y = 0;
};

// Where the magnifier stands for a press at (x, y) in grid coordinates: centred across the
// pointer and below it. Halves round toward zero.
Point MagnifierPosition(Point viewTopLeft, Point pointer, int magnifierWidth, int magnifierHeight);

// Top of a character centred in a cell of [top, bottom) given the height of "X".
int CentredCharacterTop(int top, int bottom, int textHeight);

// The one-character text of a code (code 0 gives a string holding a NUL).
std::string CharacterText(int code);

}  // namespace glyphwell
