// The fixed texts of a stripping run: the comments log lines, the window messages and the
// status pane texts. Formed as strings, so long names are written whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace striptext {

std::string banner();                                            // "*****...\n"
std::string cleansing(const std::string& name, int64_t oldSize); // log header line
// "Comments: ...\n"; the text stops at a NUL inside it, the line always ends.
std::string comment(const std::string& text);
std::string savings(const std::string& name, int64_t newSize, int64_t saved);
std::string noCleansingNeeded(const std::string& name);
std::string noCleansingSelected(const std::string& name);        // without the newline
std::string added(const std::string& name, int64_t newSize, int64_t added);
std::string invalidGif(const std::string& name);                 // window message
std::string notRewritten(const std::string& name, const char* why);
std::string commentNotAdded(const std::string& name, const char* why);
std::string number(int64_t value); // decimal, sizes of any file
// The box that names the opened files that could not be read, one a line.
std::string notFound(const std::vector<std::string>& paths);

} // namespace striptext
