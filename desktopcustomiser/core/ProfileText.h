// A profile file ("[Section]" lines, "key=value" lines) read and edited as the text it is, so
// that a change leaves every other byte of it as it was: blank lines, comments, the spacing
// around "=", the spelling of keys, the line ends, a closing ^Z. It finds what the system's
// profile calls find: the first section of the name, its first key of the name, both without
// case, blanks and ^Z around names and values not counting.
#pragma once

#include <optional>
#include <string>

// The key's value without its surrounding blanks; nothing when the section or key is missing.
std::optional<std::string> ProfileValue(const std::string& text, const std::string& section, const std::string& key);

// The text with the key set to value. Only the value's own characters change on an existing
// key's line; a new key goes on a line of its own after the last entry of the section, and a
// missing section is added after the last entry of the file, with the file's own line end.
std::string WithProfileValue(const std::string& text, const std::string& section, const std::string& key,
                             const std::string& value);

// A value read as a number as the profile calls read one: leading blanks, a sign, "0x", "0o"
// or "0b" for another base, then the digits up to the first that is not one (none: 0); a
// value in quotes is read without them.
int ProfileNumber(const std::string& value);
