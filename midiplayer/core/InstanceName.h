// Names of the single-instance guard, from the program's own path.
#pragma once

#include <string>

namespace platterly {

// The file-name part of the path (after the last ":" or "\"), at most 255 characters.
std::string ProgramFileName(const std::string& path);
// The name without its last four characters when it holds ".EXE" (upper case), else empty.
std::string InstanceBaseName(const std::string& fileName);
// The mutex name: the file name in upper case, so that the spelling of the path's letter case
// never lets a second instance through.
std::string InstanceMutexName(const std::string& fileName);

} // namespace platterly
