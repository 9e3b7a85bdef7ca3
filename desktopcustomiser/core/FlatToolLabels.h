// The button labels of a flat toolbar, packed as the toolbar takes them: each label followed
// by a NUL and one more NUL at the end, in a buffer of 256 characters. Separators have no
// label and take no place (an empty label would end the list early). A set of labels that
// does not fit is refused whole, never cut.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t kFlatToolTextSize = 256;

// Packs the non-empty labels; indices gets, per label, its number in the packed list or -1.
// False (and the buffer left empty, every index -1) when they need more than the buffer holds.
bool PackFlatToolLabels(const std::vector<std::string>& labels, char (&buffer)[kFlatToolTextSize],
                        std::vector<int>& indices);

// The button width range the toolbar is given: the image size plus the label allowance.
struct FlatToolButtonWidth {
    int minimum;
    int maximum;
};
// List-style bars allow the widest label plus the border and the padding. Other bars put the
// label under the image on one row: every button is as wide as the image plus 18 pixels, or as
// the widest label plus the margin the toolbar keeps around it when that is wider. (Given the
// image sizes plus 18 as its range, a toolbar that does not wrap labels cut them.)
FlatToolButtonWidth FlatToolButtonWidths(int imageWidth, int imageHeight, bool listStyle, int widestLabel,
                                         int borderWidth, int textPad, int labelMargin);
