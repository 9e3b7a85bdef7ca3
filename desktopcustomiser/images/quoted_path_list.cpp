#include "quoted_path_list.h"

namespace tunewright {

std::vector<std::string> ParseQuotedPathList(std::string_view list) {
  std::vector<std::string> entries;
  size_t pos = 1;  // past the opening quote
  while (pos < list.size()) {
    const size_t quote = list.find('"', pos);
    const size_t end = quote == std::string_view::npos ? list.size() : quote;
    if (end == pos) break;  // an empty entry ends the list
    entries.emplace_back(list.substr(pos, end - pos));
    if (quote == std::string_view::npos) break;
    pos = quote + 3;
  }
  return entries;
}

std::optional<std::string> FormatQuotedPathList(const std::vector<std::string>& paths) {
  std::string out;
  for (const std::string& path : paths) {
    if (path.empty() || path.size() > kMaxImagePath || path.find('"') != std::string::npos)
      return std::nullopt;
    if (!out.empty()) out += ' ';
    out += '"';
    out += path;
    out += '"';
  }
  return out;
}

std::optional<bool> YesNoFlagAt(std::string_view flags, size_t index) {
  if (index >= flags.size()) return std::nullopt;
  return flags[index] == 'Y';
}

std::string FormatYesNoFlags(const std::vector<bool>& flags) {
  std::string out;
  for (bool f : flags) out += f ? 'Y' : 'N';
  return out;
}

}  // namespace tunewright
