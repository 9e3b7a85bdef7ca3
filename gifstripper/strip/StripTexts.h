// The fixed texts of a stripping run: the comments log lines, the window messages and the
// status pane texts. Formed as strings, so long names are written whole.
#pragma once

#include <string>

namespace striptext {

std::string banner();                                            // "*****...\n"
std::string cleansing(const std::string& name, long oldSize);   // log header line
std::string comment(const std::string& text);                   // "Comments: ...\n"
std::string savings(const std::string& name, long newSize, long saved);
std::string noCleansingNeeded(const std::string& name);
std::string noCleansingSelected(const std::string& name);        // without the newline
std::string added(const std::string& name, long newSize, long added);
std::string invalidGif(const std::string& name);                 // window message
std::string notRewritten(const std::string& name, const char* why);
std::string commentNotAdded(const std::string& name, const char* why);
std::string number(long value);                                  // "%ld"

} // namespace striptext
