// Session state: the resolution list, its token walk and the program's folder.
#include "core/session.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace core {
namespace {

TEST(BuildResolutionList, FollowsCheckBoxOrderAndFillsNames) {
    SessionState s;
    BuildResolutionList(s, {true, true, true, true, true});
    EXPECT_EQ(s.ResolutionCount, 5);
    EXPECT_EQ(s.ResolutionList, "640x480_800x600_1024x768_1280x1024_1600x1200_");
    EXPECT_EQ(s.ResolutionNames, (std::vector<std::string>{"640x480", "800x600", "1024x768",
                                                           "1280x1024", "1600x1200"}));
    // A smaller run afterwards leaves exactly its own names.
    BuildResolutionList(s, {true, false, false, true, false});
    EXPECT_EQ(s.ResolutionList, "640x480_1280x1024_");
    EXPECT_EQ(s.ResolutionNames, (std::vector<std::string>{"640x480", "1280x1024"}));
    BuildResolutionList(s, {false, false, false, false, false});
    EXPECT_EQ(s.ResolutionCount, 0);
    EXPECT_EQ(s.ResolutionList, "");
}

TEST(TokenWalk, YieldsTheNamesInOrderAndEmptiesTheList) {
    SessionState s;
    BuildResolutionList(s, {false, true, false, true, true});
    for (int k = 0; k < s.ResolutionCount; ++k)
        EXPECT_EQ(TakeNextResolution(s.ResolutionList), s.ResolutionNames[k]);
    EXPECT_EQ(s.ResolutionList, "");
    std::string only = "1600x1200_";
    EXPECT_EQ(TakeNextResolution(only), "1600x1200");
    EXPECT_EQ(only, "");
    EXPECT_EQ(TakeNextResolution(only), "");  // walking past the end stays harmless
}

TEST(InitAppFolder, EndsInExactlyOneBackslash) {
    platform::standin::Reset();
    SessionState s;
    platform::standin::Get().program_folder = "C:\\Tools\\Bench";
    InitAppFolder(s);
    EXPECT_EQ(s.AppFolder, "C:\\Tools\\Bench\\");
    platform::standin::Get().program_folder = "D:\\";
    InitAppFolder(s);
    EXPECT_EQ(s.AppFolder, "D:\\");
}

TEST(SessionTests, DriveRootAndTheTwoSwitches) {
    EXPECT_EQ(DriveRoot("C:\\Program Files\\UT2003"), "C:\\");
    EXPECT_EQ(DriveRoot("D:"), "D:");
    EXPECT_EQ(DriveRoot(""), "");
    EXPECT_TRUE(IsOpenGL("OGL"));
    for (const char* v : {"D3D", "", "ogl", "OGL "}) EXPECT_FALSE(IsOpenGL(v)) << v;
    EXPECT_TRUE(IsDemo("demo"));
    for (const char* v : {"full", "", "Demo"}) EXPECT_FALSE(IsDemo(v)) << v;
}

}  // namespace
}  // namespace core
