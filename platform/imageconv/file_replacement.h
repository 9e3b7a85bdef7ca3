// Replacing a destination file by a finished temporary file beside it, over the few file
// operations the platform offers, so that the order of the steps is tested without a disk.
#pragma once

#include <functional>
#include <string>

namespace imageconv {

struct FileOperations {
  // Moves over an existing file in one step; fails where the system has no such move.
  std::function<bool(const std::string& from, const std::string& to)> moveReplacing;
  // Moves to a name nothing uses; fails when the target exists.
  std::function<bool(const std::string& from, const std::string& to)> move;
  std::function<bool(const std::string& path)> remove;
  std::function<bool(const std::string& path)> exists;
  // A name beside the destination that nothing uses, or "" when none can be had.
  std::function<std::string(const std::string& destination)> freeNameBeside;
};

// True once temp is in place under destination's name. On failure the destination holds its
// old content, or is absent if it was.
bool MoveIntoPlace(const FileOperations& ops, const std::string& temp, const std::string& destination);

}  // namespace imageconv
