#include "HelperText.h"

#include <cstdio>
#include <cstring>
#include <string>

int AppendPath(char* path, const char* name, size_t capacity)
{
    if (!path || !name || capacity == 0)
        return -1;
    size_t length = strnlen(path, capacity);
    if (length >= capacity)
        return -1;  // not even a terminated path to start from
    bool needSlash = length > 0 && path[length - 1] != '\\' && path[length - 1] != '/';
    size_t nameLength = std::strlen(name);
    size_t total = length + (needSlash ? 1 : 0) + nameLength;
    if (total + 2 > capacity)
        return -1;
    if (needSlash)
        path[length++] = '\\';
    std::memcpy(path + length, name, nameLength);
    path[total] = '\0';
    path[total + 1] = '\0';
    return static_cast<int>(total);
}

const char* GetFileExtension(const char* path)
{
    if (!path)
        return "";
    const char* dot = std::strrchr(path, '.');
    return dot ? dot + 1 : path + std::strlen(path);
}

bool StripFileName(char* path)
{
    char* slash = path ? std::strrchr(path, '\\') : nullptr;
    if (!slash)
        return false;
    *slash = '\0';
    return true;
}

int GetTabIconIndex(const char* caption)
{
    static const char* const kCaptions[] = {
        "Disk Usage",           "Registered File Types", "Tunewright 97 Options",    "Safe Shutdown Screen",
        "Wait Shutdown Screen", "Startup Screen",        "Shell Folders",            "Shell Icons",
        "Wallpaper",            "Miscellaneous",         "About Tunewright 97",      "Tray Icons",
        "Drive Info",           "Tray Icon Menus",       "Screen Saver Corner",      "Windows 95 Boot Options",
        "Multimedia Files",     "Background Music",
    };
    CString text(caption);
    for (int i = 0; i < static_cast<int>(sizeof kCaptions / sizeof kCaptions[0]); ++i)
        if (text.CompareNoCase(kCaptions[i]) == 0)
            return i + 1;
    return 0;
}

int NormalizeBool(int* value)
{
    if (!value)
        return 0;
    if (*value)
        *value = 1;
    return *value;
}

void InsertThousandsSeparators(CString& number)
{
    int point = number.Find('.');
    int integerEnd = point < 0 ? number.GetLength() : point;
    // From the last integer digit back: a comma before every third digit, never in front.
    for (int pos = integerEnd - 3; pos > 0; pos -= 3)
        number.Insert(pos, ',');
}

bool InsertThousandsSeparators(char* number, size_t capacity)
{
    if (!number || strnlen(number, capacity) >= capacity)
        return false;
    CString text(number);
    InsertThousandsSeparators(text);
    if (static_cast<size_t>(text.GetLength()) + 1 > capacity)
        return false;
    std::memcpy(number, text.c_str(), static_cast<size_t>(text.GetLength()) + 1);
    return true;
}

void FormatNumber(CString& out, double value, int decimals, bool thousands)
{
    if (!(value >= 0))  // negative or not a number
        value = 0;
    if (decimals < 0)
        decimals = 0;
    if (decimals > 20)
        decimals = 20;
    CString digits;
    digits.Format("%.*f", decimals, value);
    int point = digits.Find('.');
    CString integerPart = point < 0 ? digits : digits.Left(point);
    CString fraction = point < 0 ? CString() : digits.Mid(point + 1);
    if (integerPart == "0")
        integerPart.Empty();  // below 1: no integer digits, the "0" comes back below
    if (thousands)
        InsertThousandsSeparators(integerPart);
    out = integerPart + "." + fraction;
    if (out[0] == '.')
        out.Insert(0, '0');
    if (decimals == 0)
        out = out.Left(out.GetLength() - 1);
}
