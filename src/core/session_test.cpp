// Session state: the program's folder.
#include "core/session.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace core {
namespace {

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
