// Which folders of a path a program may create: those below its root. The root is a drive
// ("C:\"), a share ("\\server\share"), or either behind the "\\?\" prefix ("\\?\C:\",
// "\\?\UNC\server\share"); Windows cannot create a server or a share, and asking it to fails.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The folders to create for `path`, from the top: each level below its root, the path itself
// last. Empty when `path` is a root or lies inside one. `backslashes` are the offsets of the
// path's backslash characters, found by whole characters of the code page (in a double-byte
// code page a character's trail byte may be 0x5C without being one).
std::vector<std::string> FolderLevels(const std::string& path,
                                      const std::vector<size_t>& backslashes);

}  // namespace platform
