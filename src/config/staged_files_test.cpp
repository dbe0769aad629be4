// Log reset, exec script staging and clean-up, against the in-memory platform.
#include "config/staged_files.h"

#include <gtest/gtest.h>

#include "config/engine_ini.h"
#include "platform/platform_standin.h"

namespace config {
namespace {

using platform::standin::AddFile;
using platform::standin::FindFile;
using platform::standin::Get;
using platform::standin::HasFile;

const char kSource[] = "T:\\UT2003\\Benchmark\\Stuff\\flybyexec.txt";
const char kBenchmarkLog[] = "T:\\UT2003\\Benchmark\\benchmark.log";
const char kLowLog[] = "T:\\UT2003\\Benchmark\\lowframerate.log";

class StagedFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::standin::Reset();
        state.InstallFolder = "T:\\UT2003";
        AddFile(kSource, "flyby script\r\n");
    }
    core::SessionState state;
    std::string error;
};

TEST_F(StagedFilesTest, FileExistsMeansReadableAndChangesNothing) {
    AddFile("T:\\ro.txt", "x", platform::kReadOnly | platform::kHidden);
    AddFile("T:\\locked.txt", "x");
    Get().files.find("T:\\locked.txt")->second.locked = true;
    EXPECT_TRUE(FileExists("T:\\ro.txt"));
    EXPECT_TRUE(FileExists("t:\\RO.TXT"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("T:\\missing.txt"));
    EXPECT_FALSE(FileExists("T:\\locked.txt"));
    EXPECT_TRUE(Get().journal.empty());
}

TEST_F(StagedFilesTest, LogsAreCreatedOrCutToZeroWithTheirAttributes) {
    AddFile(kBenchmarkLog, "old run\r\n", platform::kHidden);
    ASSERT_TRUE(ResetBenchmarkLogs(state, &error)) << error;
    EXPECT_EQ(FindFile(kBenchmarkLog)->contents, "");
    EXPECT_EQ(FindFile(kBenchmarkLog)->attributes, platform::kHidden);
    ASSERT_TRUE(HasFile(kLowLog));
    EXPECT_EQ(FindFile(kLowLog)->contents, "");
}

TEST_F(StagedFilesTest, LogResetFailuresNameTheFile) {
    // No Benchmark folder: the first log fails and the second is left alone.
    Get().folders.clear();
    Get().files.clear();
    EXPECT_FALSE(ResetBenchmarkLogs(state, &error));
    EXPECT_EQ(error, std::string("Cannot create \"") + kBenchmarkLog +
                         "\": The system cannot find the path specified.");
    EXPECT_EQ(Get().journal, (std::vector<std::string>{std::string("create ") + kBenchmarkLog}));

    // A read-only second log.
    AddFile(kLowLog, "keep", platform::kReadOnly);
    EXPECT_FALSE(ResetBenchmarkLogs(state, &error));
    EXPECT_NE(error.find(kLowLog), std::string::npos) << error;
    EXPECT_EQ(FindFile(kLowLog)->contents, "keep");

    // No game folder: nothing is written relative to the current folder.
    Get().journal.clear();
    state.InstallFolder = "";
    EXPECT_FALSE(ResetBenchmarkLogs(state, &error));
    EXPECT_EQ(error, "Cannot empty \"benchmark.log\": the game's folder is not known.");
    EXPECT_TRUE(Get().journal.empty());
}

TEST_F(StagedFilesTest, StagingCopiesTheScriptWritableAndRepeatably) {
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    EXPECT_EQ(state.ExecScriptPath, "T:\\flybyexec.txt");
    EXPECT_EQ(FindFile("T:\\flybyexec.txt")->contents, "flyby script\r\n");

    // A read-only script (installed from a CD) still gives a copy that can be replaced.
    AddFile(kSource, "read-only script", platform::kReadOnly);
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    EXPECT_EQ(FindFile("T:\\flybyexec.txt")->contents, "read-only script");
    EXPECT_EQ(platform::GetAttributes("T:\\flybyexec.txt") & platform::kReadOnly, 0u);
    EXPECT_EQ(FindFile(kSource)->attributes, platform::kReadOnly);
}

TEST_F(StagedFilesTest, StagingFailuresNameTheFileAndLeaveNoPath) {
    state.ExecScriptPath = "T:\\flybyexec.txt";  // from an earlier run, removed since
    Get().files.clear();
    EXPECT_FALSE(StageExecScript(state, &error));
    EXPECT_NE(error.find(kSource), std::string::npos) << error;
    EXPECT_EQ(state.ExecScriptPath, "");

    AddFile(kSource, "script");
    AddFile("T:\\flybyexec.txt", "someone's", platform::kReadOnly);
    EXPECT_FALSE(StageExecScript(state, &error));
    EXPECT_EQ(error, "Cannot copy to \"T:\\flybyexec.txt\": Access is denied.");
    EXPECT_EQ(FindFile("T:\\flybyexec.txt")->contents, "someone's");
    EXPECT_EQ(state.ExecScriptPath, "");

    state.InstallFolder = "UT2003";
    EXPECT_FALSE(StageExecScript(state, &error));
    EXPECT_EQ(error,
              "Cannot copy \"flybyexec.txt\": the game's folder \"UT2003\" is not on a drive such "
              "as C:\\.");
}

TEST_F(StagedFilesTest, CleanUpRemovesBothStagedFilesInOrder) {
    ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::MaxDetail, "OGL", &error)) << error;
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    Get().journal.clear();
    ASSERT_TRUE(RemoveStagedFiles(state, &error)) << error;
    EXPECT_EQ(Get().journal,
              (std::vector<std::string>{"attributes T:\\UT2003.ini 128", "remove T:\\UT2003.ini",
                                        "remove T:\\flybyexec.txt"}));
    EXPECT_FALSE(HasFile("T:\\UT2003.ini"));
    EXPECT_FALSE(HasFile("T:\\flybyexec.txt"));
    EXPECT_TRUE(HasFile(kSource));
    // The paths keep their values, and a second clean-up finds nothing to do.
    EXPECT_EQ(state.EngineIniPath, "T:\\UT2003.ini");
    EXPECT_TRUE(RemoveStagedFiles(state, &error)) << error;
    // Nothing staged at all.
    EXPECT_TRUE(RemoveStagedFiles(core::SessionState{}, &error)) << error;
}

TEST_F(StagedFilesTest, CleanUpNeverTouchesAFileItDidNotStage) {
    const uint32_t attributes = platform::kReadOnly | platform::kHidden;
    AddFile("T:\\Mine\\my.ini", "user's own", attributes);
    AddFile("T:\\UT2003.ini", "user's own at the root", attributes);
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    Get().journal.clear();
    for (const char* path : {"\"T:\\Mine\\my.ini\"", "\"T:\\UT2003.ini\"", "T:\\Mine\\my.ini"}) {
        state.EngineIniPath = path;
        EXPECT_TRUE(RemoveStagedFiles(state, &error)) << error;
    }
    EXPECT_EQ(FindFile("T:\\Mine\\my.ini")->contents, "user's own");
    EXPECT_EQ(FindFile("T:\\Mine\\my.ini")->attributes, attributes);
    EXPECT_EQ(FindFile("T:\\UT2003.ini")->contents, "user's own at the root");
    EXPECT_EQ(FindFile("T:\\UT2003.ini")->attributes, attributes);
    // The staged script goes all the same.
    EXPECT_FALSE(HasFile("T:\\flybyexec.txt"));
    for (const std::string& step : Get().journal)
        EXPECT_EQ(step.find("ini"), std::string::npos) << step;
}

TEST_F(StagedFilesTest, CleanUpTriesBothAndReportsEachFailure) {
    ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error)) << error;
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    Get().files.find("T:\\UT2003.ini")->second.locked = true;
    Get().failures.insert({"remove", "T:\\flybyexec.txt"});
    EXPECT_FALSE(RemoveStagedFiles(state, &error));
    EXPECT_EQ(error,
              "Cannot delete \"T:\\UT2003.ini\": The process cannot access the file because it is "
              "being used by another process.\nCannot delete \"T:\\flybyexec.txt\": Access is "
              "denied.");

    // The ini failing alone still lets the script go.
    Get().failures.clear();
    EXPECT_FALSE(RemoveStagedFiles(state, &error));
    EXPECT_EQ(error.find("flybyexec"), std::string::npos) << error;
    EXPECT_FALSE(HasFile("T:\\flybyexec.txt"));
}

}  // namespace
}  // namespace config
