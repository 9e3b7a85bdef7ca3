// The system clipboard: plain text, and rich text with its plain-text form beside it.
#pragma once

#include <windows.h>

#include <string>

namespace forms {

namespace clipboard {
// Both return false when the clipboard could not be opened or filled. The owner window becomes
// the clipboard's owner, as the system expects of a program that empties it.
bool SetText(const std::string& text, HWND owner = nullptr);
bool SetRichText(const std::string& rtf, const std::string& plain, HWND owner = nullptr);
// The clipboard's text ("Rich Text Format" when asked and present), empty when none.
std::string GetText();
std::string GetRichText();
} // namespace clipboard

} // namespace forms
