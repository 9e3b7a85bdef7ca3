#include "framework/DataExchangeText.h"

#include <cctype>
#include <climits>

const char kDialogParseIntMessage[] = "Please enter an integer.";
const char kDialogParseUIntMessage[] = "Please enter a positive integer.";

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Parses [blanks][sign]digits[blanks] into a 64-bit value; false on anything else or when the
// digits exceed what the caller's range check can still see.
bool ParseWhole(const char* text, bool allowMinus, long long& out)
{
    if (!text)
        return false;
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        if (negative && !allowMinus)
            return false;
        ++p;
    }
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return false;
    long long value = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10 + (*p - '0');
        if (value > 0xFFFFFFFFLL)
            return false;
        ++p;
    }
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return false;
    out = negative ? -value : value;
    return true;
}

}  // namespace

std::optional<int> ParseDialogInt(const char* text)
{
    long long value = 0;
    if (!ParseWhole(text, true, value) || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<unsigned> ParseDialogUInt(const char* text)
{
    long long value = 0;
    if (!ParseWhole(text, false, value) || value > UINT_MAX)
        return std::nullopt;
    return static_cast<unsigned>(value);
}

CString FormatMessageTemplate(const char* templ, const char* arg1, const char* arg2)
{
    CString result;
    for (const char* p = templ ? templ : ""; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            const char* arg = p[1] == '1' ? arg1 : arg2;
            result += arg ? arg : "";
            ++p;
        } else {
            result += *p;
        }
    }
    return result;
}

CString DialogIntRangeMessage(long long low, long long high)
{
    CString a, b;
    a.Format("%lld", low);
    b.Format("%lld", high);
    return FormatMessageTemplate("Please enter an integer between %1 and %2.", a, b);
}

CString DialogMaxCharsMessage(int maxChars)
{
    CString a;
    a.Format("%d", maxChars);
    return FormatMessageTemplate("Please enter no more than %1 characters.", a);
}

int RadioIndexFromStates(const bool* checked, int count)
{
    for (int i = 0; checked && i < count; ++i)
        if (checked[i])
            return i;
    return -1;
}
