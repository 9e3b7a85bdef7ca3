#include "InstanceName.h"

#include <cctype>

namespace platterly {

std::string ProgramFileName(const std::string& path)
{
    size_t cut = path.find_last_of(":\\");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return name.substr(0, 255);
}

std::string InstanceBaseName(const std::string& fileName)
{
    if (fileName.find(".EXE") == std::string::npos || fileName.size() < 4)
        return std::string();
    return fileName.substr(0, fileName.size() - 4);
}

std::string InstanceMutexName(const std::string& fileName)
{
    std::string s = fileName;
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace platterly
