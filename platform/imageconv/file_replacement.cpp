#include "file_replacement.h"

namespace imageconv {

// Without a replacing move (Windows 95) the old file is first moved aside under a free name,
// so that it can be put back if the new one cannot be moved in, and is removed only once the
// new one is in place.
bool MoveIntoPlace(const FileOperations& ops, const std::string& temp, const std::string& destination) {
  if (ops.moveReplacing(temp, destination)) return true;
  if (!ops.exists(destination)) return ops.move(temp, destination);
  const std::string aside = ops.freeNameBeside(destination);
  if (aside.empty() || !ops.move(destination, aside)) return false;
  if (!ops.move(temp, destination)) {
    ops.move(aside, destination);
    return false;
  }
  ops.remove(aside);  // a leftover copy of the old picture costs space, not data
  return true;
}

}  // namespace imageconv
