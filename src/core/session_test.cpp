// Session state: the resolution list, its token walk and the program's folder.
#include "core/session.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace core {
namespace {

TEST(BuildResolutionList, FollowsCheckBoxOrderAndTheTokenWalkEmptiesIt) {
    SessionState s;
    BuildResolutionList(s, {true, true, true, true, true});
    EXPECT_EQ(s.ResolutionList, "640x480_800x600_1024x768_1280x1024_1600x1200_");
    // A smaller run afterwards leaves exactly its own names.
    BuildResolutionList(s, {false, true, false, true, false});
    EXPECT_EQ(s.ResolutionCount, 2);
    EXPECT_EQ(s.ResolutionNames, (std::vector<std::string>{"800x600", "1280x1024"}));
    EXPECT_EQ(TakeNextResolution(s.ResolutionList), "800x600");
    EXPECT_EQ(TakeNextResolution(s.ResolutionList), "1280x1024");
    EXPECT_EQ(s.ResolutionList, "");
    EXPECT_EQ(TakeNextResolution(s.ResolutionList), "");  // past the end stays harmless
    BuildResolutionList(s, {false, false, false, false, false});
    EXPECT_EQ(s.ResolutionCount, 0);
}

TEST(InitAppFolder, EndsInExactlyOneBackslash) {
    platform::standin::Reset();
    SessionState s;
    for (const char* folder : {"C:\\Tools\\Bench", "C:\\Tools\\Bench\\"}) {
        platform::standin::Get().program_folder = folder;
        InitAppFolder(s);
        EXPECT_EQ(s.AppFolder, "C:\\Tools\\Bench\\");
    }
}

}  // namespace
}  // namespace core
