// Launch and wait against the real stand-in game: the wait, ending a game, and a failed start.
#include <gtest/gtest.h>

#include "core/launch.h"
#include "core/presets.h"
#include "standin_values.h"
#include "test_support_win32.h"

namespace core {
namespace {

namespace ts = test_support;

const std::string kIniText = "[Engine.Engine]\r\nRenderDevice=D3DDrv.D3DRenderDevice\r\n";

class LaunchAndWaitWin32 : public ::testing::Test {
protected:
    void TearDown() override { ts::RemoveFakeInstalls(); }
};

bool Launch(const std::string& line, platform::GameEnd* end = nullptr,
            LaunchFailure* failure = nullptr, uint32_t timeout_ms = 0,
            platform::EndSignal signal = nullptr) {
    platform::GameEnd ignored_end;
    LaunchFailure ignored_failure;
    return LaunchAndWait(line, timeout_ms, signal, end ? end : &ignored_end,
                         failure ? failure : &ignored_failure);
}

// A fake installation with the drive root's staged files, and the session that points at them.
LaunchFiles Prepare(const std::string& install) {
    std::string error;
    EXPECT_TRUE(ts::MakeFakeInstall(install, &error)) << error;
    const std::string root = install.substr(0, 3);
    LaunchFiles s = {install, root + "flybyexec.txt", root + "UT2003.ini"};
    EXPECT_TRUE(ts::WriteFile(s.exec_script_path, ts::kFlybyExecText));
    EXPECT_TRUE(ts::WriteFile(s.engine_ini_path, kIniText));
    return s;
}

TEST_F(LaunchAndWaitWin32, ReturnsOnlyAfterTheGameExitedWithItsRecordWritten) {
    for (const char* install : {ts::kInstall, ts::kSpacedInstall}) {
        SCOPED_TRACE(install);
        const LaunchFiles s = Prepare(install);
        ASSERT_TRUE(ts::WriteControl(install, "sleep 500"));
        const std::string line =
            BuildGameCommandLine(s, {"dm-inferno", 77}, "1024x768", kMinDetailUserIni);
        EXPECT_TRUE(Launch(line));
        // The record is there the moment the call returns, although the game took half a second.
        EXPECT_EQ(ts::ReadFile(ts::LogPath(install)),
                  standin::LogLine("dm-inferno", "1024x768", 77, standin::Checksum(kIniText)));
        const auto runs = ts::StandinRuns(install);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].command_line, line);
        EXPECT_EQ(runs[0].outcome, "end");
    }
}

TEST_F(LaunchAndWaitWin32, AGameThatRunsTooLongOrIsEndedIsEnded) {
    const LaunchFiles s = Prepare(ts::kInstall);
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "sleep 60000"));
    const std::string line =
        BuildGameCommandLine(s, {"dm-inferno", 77}, "1024x768", kMinDetailUserIni);
    platform::GameEnd end;
    EXPECT_TRUE(Launch(line, &end, nullptr, 300));
    EXPECT_EQ(end.how, platform::GameEnd::How::kTimedOut);
    EXPECT_LT(end.milliseconds, 30000u);
    // A raised signal ends the next game at once; the stand-in never got to write its record.
    platform::EndSignal signal = platform::CreateEndSignal();
    platform::RaiseEndSignal(signal);
    EXPECT_TRUE(Launch(line, &end, nullptr, 0, signal));
    platform::CloseEndSignal(signal);
    EXPECT_EQ(end.how, platform::GameEnd::How::kEnded);
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "");
    // Neither game got to its end (the second may have been ended before it wrote anything).
    const auto runs = ts::StandinRuns(ts::kInstall);
    ASSERT_GE(runs.size(), 1u);
    for (const auto& run : runs) EXPECT_NE(run.outcome, "end");
}

TEST_F(LaunchAndWaitWin32, AFailedStartGivesItsMessage) {
    // A missing program's message is checked in run_driver_win32_test. A program file that is no
    // program: the system's number and text.
    const LaunchFiles s = Prepare(ts::kInstall);
    ASSERT_TRUE(ts::WriteFile(ts::GamePath(ts::kInstall), "not a program"));
    LaunchFailure failure;
    const std::string bad = BuildGameCommandLine(s, {"dm-inferno", 77}, "800x600", "");
    EXPECT_FALSE(Launch(bad, nullptr, &failure));
    EXPECT_FALSE(failure.program_not_found);
    EXPECT_EQ(FailureText(failure).rfind("193 : ", 0), 0u) << FailureText(failure);
    EXPECT_TRUE(ts::JournalLines(ts::kInstall).empty());
}

}  // namespace
}  // namespace core
