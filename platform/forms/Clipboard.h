// The system clipboard: plain text, and rich text with its plain-text form beside it.
#pragma once

#include <string>

namespace forms {

namespace clipboard {
// Both return false when the clipboard could not be opened or filled.
bool SetText(const std::string& text);
bool SetRichText(const std::string& rtf, const std::string& plain);
// The clipboard's text ("Rich Text Format" when asked and present), empty when none.
std::string GetText();
std::string GetRichText();
} // namespace clipboard

} // namespace forms
