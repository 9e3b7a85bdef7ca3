// The rich text a copied character goes to the clipboard as: one line holding the character
// in its font at a point size, as a rich-text editor would write it.
#pragma once

#include <string>

namespace glyphwell {

std::string CharacterRichText(const std::string& fontName, int pointSize, unsigned char code);

}  // namespace glyphwell
