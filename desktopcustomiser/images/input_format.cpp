#include "input_format.h"

#include <cctype>
#include <string>

namespace tunewright {

namespace {

struct Entry {
  const char* extension;
  int16_t code;
};

constexpr Entry kFormats[] = {
    {"bmp", 200}, {"dib", 200}, {"rle", 200}, {"sys", 200}, {"pcx", 205}, {"tga", 207},
    {"targa", 207}, {"tif", 208}, {"tiff", 208}, {"wmf", 21}, {"emf", 22}, {"gif", 202},
    {"jpg", 203}, {"jpeg", 203}, {"jpe", 203}, {"avi", 100}, {"mov", 102}, {"clp", 20},
    {"cgm", 23}, {"wpg", 25}, {"eps", 24}, {"pcd", 204}, {"pic", 206}, {"fli", 101},
    {"flc", 101},
};

}  // namespace

int16_t InputFormatCode(std::string_view path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos) return 0;
  // A dot inside a folder name is not an extension.
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string_view::npos && slash > dot) return 0;
  std::string ext;
  for (char c : path.substr(dot + 1)) ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const Entry& e : kFormats)
    if (ext == e.extension) return e.code;
  return 0;
}

}  // namespace tunewright
