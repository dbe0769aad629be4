// The levels of a path below its drive or share.
#include "platform/folder_levels.h"

#include "common/text.h"

namespace platform {

namespace {

// How many of the path's first backslashes belong to its root.
size_t RootBackslashes(const std::string& path) {
    const std::string start = common::Lower(path.substr(0, 8));
    if (start == "\\\\?\\unc\\") return 6;  // \\?\UNC\server\share
    if (start.starts_with("\\\\?\\") || start.starts_with("\\\\.\\")) return 4;  // \\?\C:\ .
    if (start.starts_with("\\\\")) return 4;                                     // \\server\share
    if (path.size() > 1 && path[1] == ':') return 1;                             // C:\ .
    return 0;
}

}  // namespace

std::vector<std::string> FolderLevels(const std::string& path,
                                      const std::vector<size_t>& backslashes) {
    std::vector<std::string> levels;
    const size_t root = RootBackslashes(path);
    if (backslashes.size() < root) return levels;
    for (size_t i = root; i < backslashes.size(); ++i) {
        if (backslashes[i] > 0 && path[backslashes[i] - 1] != '\\')
            levels.push_back(path.substr(0, backslashes[i]));
    }
    if (backslashes.empty() || backslashes.back() + 1 < path.size()) levels.push_back(path);
    return levels;
}

}  // namespace platform
