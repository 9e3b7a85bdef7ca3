// An image category's list as the profile stores it: each path in double quotes, the quoted
// paths separated by one blank, e.g.  "C:\a.bmp" "C:\b.jpg". A path holds no double quote
// and is never empty; an empty string is an empty list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tunewright {

// Longest path an entry may hold (a MAX_PATH buffer with its NUL).
constexpr size_t kMaxImagePath = 259;

// The entries in list order. The walk: skip the opening quote, take the text up to the next
// quote (the whole rest when there is none), stop at an empty entry, go on three characters
// after the quote (closing quote, blank, next opening quote). It never reads past the end.
// Entries longer than kMaxImagePath are kept here; PickImage refuses them.
std::vector<std::string> ParseQuotedPathList(std::string_view list);

// The stored form of paths; nothing when a path is empty, holds a double quote or is longer
// than kMaxImagePath.
std::optional<std::string> FormatQuotedPathList(const std::vector<std::string>& paths);

// "Tile" and "Stretch": one "Y" or "N" per wallpaper, in list order.
// The flag at index; nothing when the string is too short to hold it.
std::optional<bool> YesNoFlagAt(std::string_view flags, size_t index);
std::string FormatYesNoFlags(const std::vector<bool>& flags);

}  // namespace tunewright
