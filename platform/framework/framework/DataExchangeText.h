// The pure conversions behind dialog data exchange: control text to numbers and the texts of
// the validation messages. The Win32 side only moves text between controls and these.
#pragma once

#include "framework/CString.h"

#include <optional>

// Text to an integer as a user types it: optional blanks around an optional sign and decimal
// digits. Anything else (letters, a second number, no digits, a value outside int) is nothing.
std::optional<int> ParseDialogInt(const char* text);
std::optional<unsigned> ParseDialogUInt(const char* text);

// The validation messages, as the framework shows them.
extern const char kDialogParseIntMessage[];    // "Please enter an integer."
extern const char kDialogParseUIntMessage[];   // "Please enter a positive integer."
CString DialogIntRangeMessage(long long low, long long high);
CString DialogMaxCharsMessage(int maxChars);

// "%1" and "%2" in a message template replaced by the two texts (the framework's message
// format); other "%" characters stay.
CString FormatMessageTemplate(const char* templ, const char* arg1, const char* arg2 = nullptr);

// The index of the first checked button of a radio group, -1 when none is checked.
int RadioIndexFromStates(const bool* checked, int count);
