// Launch and wait: the run goes through, a failed start shows its one message.
#include "core/launch.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace core {
namespace {

namespace standin = platform::standin;

const std::string kGame = "C:\\UT2003\\System\\ut2003.exe";
const std::string kLine = "\"" + kGame + "\" dm-inferno?game=engine.gameinfo -1024x768";

TEST(LaunchAndWait, ReturnsTrueAfterTheGameRanAndShowsNothing) {
    standin::Reset();
    standin::AddFile(kGame, "");
    int ran = 0;
    standin::Get().on_run = [&](const std::string& line) {
        EXPECT_EQ(line, kLine);
        ++ran;
    };
    EXPECT_TRUE(LaunchAndWait(kLine));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(standin::Get().messages.empty());
}

TEST(LaunchAndWait, FailedStartsShowOneUntitledMessageAndReturnFalse) {
    standin::Reset();
    EXPECT_FALSE(LaunchAndWait(kLine));
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    const standin::Message& missing = standin::Get().messages[0];
    EXPECT_EQ(missing.text, kLine + " cannot be found.");
    EXPECT_EQ(missing.title, "");
    EXPECT_EQ(missing.icon, platform::MessageIcon::kCritical);

    standin::AddFile(kGame, "");
    standin::Get().unstartable.insert(kGame);
    EXPECT_FALSE(LaunchAndWait(kLine));
    ASSERT_EQ(standin::Get().messages.size(), 2u);
    const standin::Message& other = standin::Get().messages[1];
    EXPECT_EQ(other.text, "193 : %1 is not a valid Win32 application.");
    EXPECT_EQ(other.title, "");
    EXPECT_EQ(other.icon, platform::MessageIcon::kNone);
    EXPECT_TRUE(standin::Get().runs.empty());
}

}  // namespace
}  // namespace core
