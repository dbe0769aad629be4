// Launch and wait against the real stand-in game: the wait, the order, and a failed start's box.
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

// A fake installation with the drive root's staged files, and the session that points at them.
SessionState Prepare(const std::string& install) {
    std::string error;
    EXPECT_TRUE(ts::MakeFakeInstall(install, &error)) << error;
    SessionState s;
    s.InstallFolder = install;
    s.ExecScriptPath = DriveRoot(install) + "flybyexec.txt";
    s.EngineIniPath = DriveRoot(install) + "UT2003.ini";
    EXPECT_TRUE(ts::WriteFile(s.ExecScriptPath, ts::kFlybyExecText));
    EXPECT_TRUE(ts::WriteFile(s.EngineIniPath, kIniText));
    return s;
}

TEST_F(LaunchAndWaitWin32, ReturnsOnlyAfterTheGameExitedWithItsRecordWritten) {
    for (const char* install : {ts::kInstall, ts::kSpacedInstall}) {
        SCOPED_TRACE(install);
        const SessionState s = Prepare(install);
        ASSERT_TRUE(ts::WriteControl(install, "sleep 500"));
        SetFileAttributesA(s.EngineIniPath.c_str(), FILE_ATTRIBUTE_READONLY);
        const GameRun run = RunList(BenchmarkPreset::kCpuBenchmark, "full")[0];
        const std::string line = BuildGameCommandLine(s, run, "1024x768", kMinDetailUserIni);

        EXPECT_TRUE(LaunchAndWait(line));
        // The record is there the moment the call returns, although the game took half a second.
        EXPECT_EQ(ts::ReadFile(ts::LogPath(install)),
                  standin::LogLine("dm-inferno", "1024x768", 77, standin::Checksum(kIniText)));
        const auto runs = ts::StandinRuns(install);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].command_line, line);  // the game got the line unchanged
        EXPECT_EQ(runs[0].outcome, "end");
        EXPECT_EQ(runs[0].ini_attributes & ~FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_READONLY);
        SetFileAttributesA(s.EngineIniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(LaunchAndWaitWin32, LaunchesRunStrictlyOneAfterTheOther) {
    SessionState s = Prepare(ts::kInstall);
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "sleep 150\nnorecord 2\ncrash 3\n"));
    const auto& runs = RunList(BenchmarkPreset::kHighQuality, "full");
    std::string expected_log;
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(LaunchAndWait(BuildGameCommandLine(s, runs[i], "640x480", kMaxDetailUserIni)));
        if (i != 1 && i != 2)
            expected_log += standin::LogLine(runs[i].level, "640x480", runs[i].seconds,
                                             standin::Checksum(kIniText));
    }
    // Each run's last line comes before the next run's first: no two games ever overlapped.
    const auto lines = ts::JournalLines(ts::kInstall);
    ASSERT_EQ(lines.size(), 10u);
    for (size_t i = 0; i < lines.size(); i += 2) {
        EXPECT_EQ(lines[i].rfind("start " + std::to_string(i / 2 + 1) + " ", 0), 0u) << lines[i];
        EXPECT_NE(lines[i + 1].rfind("start ", 0), 0u) << lines[i + 1];
    }
    const auto journal = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(journal.size(), 5u);
    for (size_t i = 0; i < journal.size(); ++i) {
        EXPECT_NE(journal[i].command_line.find(" " + runs[i].level + "?game="), std::string::npos);
        if (i > 0) {
            EXPECT_LE(journal[i - 1].end_tick, journal[i].start_tick);
        }
    }
    EXPECT_FALSE(journal[1].record);
    EXPECT_EQ(journal[2].outcome, "crash");
    EXPECT_TRUE(journal[4].record);
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), expected_log);
}

struct Launch {
    std::string line;
    bool result = true;
};

DWORD WINAPI LaunchThread(void* param) {
    auto* launch = static_cast<Launch*>(param);
    launch->result = LaunchAndWait(launch->line);
    return 0;
}

// Runs LaunchAndWait on a second thread, returns the box it shows after pressing its OK.
ts::MessageBoxSeen LaunchExpectingBox(const std::string& line, bool* result) {
    Launch launch{line};
    HANDLE thread = CreateThread(nullptr, 0, LaunchThread, &launch, 0, nullptr);
    const ts::MessageBoxSeen box = ts::WaitForMessageBox(GetCurrentProcessId());
    if (box.window) {
        EXPECT_TRUE(ts::DismissMessageBox(box.window));
    }
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    *result = launch.result;
    return box;
}

TEST_F(LaunchAndWaitWin32, FailedStartShowsItsMessageAndReturnsFalse) {
    SessionState s = Prepare(ts::kInstall);
    s.InstallFolder = "T:\\Nowhere\\UT2003";
    const std::string missing =
        BuildGameCommandLine(s, {"dm-inferno", 77}, "800x600", kMinDetailUserIni);
    bool result = true;
    ts::MessageBoxSeen box = LaunchExpectingBox(missing, &result);
    ASSERT_TRUE(box.window);
    EXPECT_FALSE(result);
    EXPECT_EQ(box.text, missing + " cannot be found.");
    EXPECT_EQ(box.title, "Benchwright");
    EXPECT_TRUE(box.has_icon);

    // A program file that is no program: the system's number and text, no icon.
    ASSERT_TRUE(ts::WriteFile(ts::GamePath(ts::kInstall), "not a program"));
    s.InstallFolder = ts::kInstall;
    result = true;
    box = LaunchExpectingBox(
        BuildGameCommandLine(s, {"dm-inferno", 77}, "800x600", kMinDetailUserIni), &result);
    ASSERT_TRUE(box.window);
    EXPECT_FALSE(result);
    EXPECT_EQ(box.text.rfind("193 : ", 0), 0u) << box.text;
    EXPECT_GT(box.text.size(), 6u);
    EXPECT_EQ(box.title, "Benchwright");
    EXPECT_FALSE(box.has_icon);
    EXPECT_TRUE(ts::JournalLines(ts::kInstall).empty());
}

}  // namespace
}  // namespace core
