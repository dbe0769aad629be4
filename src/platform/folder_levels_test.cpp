// The folders a path's walk asks Windows for: never a drive, server or share.
#include "platform/folder_levels.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Strings = std::vector<std::string>;

Strings Levels(const std::string& path) {
    std::vector<size_t> backslashes;
    for (size_t i = 0; i < path.size(); ++i)
        if (path[i] == '\\') backslashes.push_back(i);
    return FolderLevels(path, backslashes);
}

TEST(FolderLevels, OnlyBelowTheDriveOrShare) {
    EXPECT_EQ(Levels("C:\\a\\b\\"), (Strings{"C:\\a", "C:\\a\\b"}));
    EXPECT_EQ(Levels("\\\\srv\\share\\a"), Strings{"\\\\srv\\share\\a"});
    EXPECT_EQ(Levels("\\\\?\\C:\\a"), Strings{"\\\\?\\C:\\a"});
    EXPECT_EQ(Levels("\\\\?\\UNC\\srv\\share\\a\\b"),
              (Strings{"\\\\?\\UNC\\srv\\share\\a", "\\\\?\\UNC\\srv\\share\\a\\b"}));
    for (const char* root :
         {"C:\\", "\\\\srv\\share", "\\\\srv\\share\\", "\\\\?\\UNC\\srv\\share"})
        EXPECT_EQ(Levels(root), Strings{}) << root;
}

}  // namespace
}  // namespace platform
