#include "core/rich_text.h"

namespace glyphwell {

namespace {
// Braces, backslashes and semicolons cannot stand in a font table entry as they are.
std::string FontTableName(const std::string& name) {
    std::string out;
    for (char c : name)
        if (c != '{' && c != '}' && c != '\\' && c != ';') out.push_back(c);
    return out;
}
}  // namespace

std::string CharacterRichText(const std::string& fontName, int pointSize, unsigned char code) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 " + FontTableName(fontName) + ";}}";
    rtf += "\\pard\\plain\\f0\\fs" + std::to_string((pointSize < 1 ? 1 : pointSize) * 2) + " ";
    // The character as an escaped byte, so any code (a brace, a backslash, 0) survives.
    rtf += "\\'";
    rtf += kHex[code >> 4];
    rtf += kHex[code & 0xF];
    rtf += "\\par\n}";
    return rtf;
}

}  // namespace glyphwell
