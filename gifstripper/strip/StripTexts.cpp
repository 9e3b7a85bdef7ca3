#include "StripTexts.h"

namespace striptext {

std::string banner() { return "*********************************\n"; }

std::string number(int64_t value) { return std::to_string(value); }

std::string cleansing(const std::string& name, int64_t oldSize)
{
    return "Cleansing " + name + " , Original File Size: " + number(oldSize) + "\n";
}

std::string comment(const std::string& text)
{
    return "Comments: " + text.substr(0, text.find('\0')) + "\n";
}

std::string savings(const std::string& name, int64_t newSize, int64_t saved)
{
    return name + " : New Size: " + number(newSize) + ",Savings: " + number(saved) + "\n";
}

std::string noCleansingNeeded(const std::string& name) { return name + " : no cleansing needed\n"; }

std::string noCleansingSelected(const std::string& name) { return name + " : no cleansing selected"; }

std::string added(const std::string& name, int64_t newSize, int64_t addedBytes)
{
    return name + " : New Size: " + number(newSize) + ",Added: " + number(addedBytes) + "\n";
}

std::string invalidGif(const std::string& name) { return "Invalid Gif File: " + name; }

std::string notRewritten(const std::string& name, const char* why)
{
    return name + " : not rewritten, " + why;
}

std::string commentNotAdded(const std::string& name, const char* why)
{
    return name + " : comment not added, " + why;
}

std::string notFound(const std::vector<std::string>& paths)
{
    std::string text = "These files were not found, so they were not cleaned:\r\n";
    for (const std::string& path : paths)
        text += "\r\n" + path;
    return text;
}

} // namespace striptext
