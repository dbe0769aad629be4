// Whole runs under Wine: the game found through the registry, the stand-in game in a fake
// installation, and a user's own file at drive T:'s root through a run, a stop and a kill.
#include <gtest/gtest.h>
#include <windows.h>

#include "config/engine_ini.h"
#include "config/staged_files.h"
#include "core/run_driver.h"
#include "core/run_outputs.h"
#include "core/start_up.h"
#include "standin_values.h"
#include "test_support_win32.h"

namespace core {
namespace {

namespace ts = test_support;

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The drive root's files a run stages or sets aside.
const char* const kRootIni = "T:\\UT2003.ini";
const char* const kRootFiles[] = {kRootIni, "T:\\UT2003.ini.user-backup", "T:\\flybyexec.txt",
                                  "T:\\flybyexec.txt.user-backup"};

// A file as the user would miss it: its bytes and attributes (less the archive flag Wine adds).
struct FileState {
    bool exists = false;
    std::string bytes;
    DWORD attributes = 0;
    bool operator==(const FileState&) const = default;
};

FileState StateOf(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return {};
    return {true, ts::ReadFile(path), a & ~DWORD{FILE_ATTRIBUTE_ARCHIVE}};
}

// Puts `path` on disk as `state` says, or removes it.
void Lay(const std::string& path, const FileState& state) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    if (!state.exists) return;
    ASSERT_TRUE(ts::WriteFile(path, state.bytes)) << path;
    SetFileAttributesA(path.c_str(), state.attributes ? state.attributes : FILE_ATTRIBUTE_NORMAL);
}

// Notes the drive root as the first launch starts, and may stop the run there; and what the
// window would show a box for.
struct WatchingObserver : RunObserver {
    void LaunchStarting(size_t index) override {
        if (index == 0)
            for (const char* path : kRootFiles) at_first_launch.push_back(StateOf(path));
        if (stop) stop->stop_after_launch = true;
    }
    void LaunchFailed(const LaunchFailure& failure) override {
        said.push_back(FailureText(failure));
    }
    void StepFailed(const std::string& error) override { said.push_back(error); }
    RunControl* stop = nullptr;
    std::vector<FileState> at_first_launch;
    std::vector<std::string> said;
};

class RunDriverWin32 : public ::testing::Test {
protected:
    void TearDown() override {
        ts::DeleteGameKey(ts::kFullKey);
        ts::RemoveFakeInstalls();
    }
};

TEST_F(RunDriverWin32, AUsersReadOnlyIniComesBackAfterARunAStopAndAKill) {
    // The full edition found through the registry, as at start.
    std::string error;
    ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
    ASSERT_TRUE(ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, ts::kInstall));
    RunSettings s;
    s.install_folder = FindInstallation().install_folder;
    s.app_folder = AppFolder();
    s.resolutions = {true, false, true, false, false};
    const std::string mine = "[Engine.Engine]\r\nmy own settings\r\n";
    ASSERT_TRUE(ts::WriteFile(kRootIni, mine));
    SetFileAttributesA(kRootIni, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const FileState theirs = StateOf(kRootIni);
    const uint32_t ours = standin::Checksum(
        config::EngineIniText(config::EngineIniPreset::kCpuLowDetail, common::Renderer::kDirect3D));

    // A finished run, then one stopped during its first launch.
    WatchingObserver observer;
    for (bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped" : "finished");
        DeleteFileA(ts::JournalPath(ts::kInstall).c_str());
        observer = WatchingObserver{};
        RunControl control;
        if (stop) observer.stop = &control;
        RunPlan plan;
        RunRefusal refusal;
        ASSERT_TRUE(PrepareRun(s, &plan, &refusal));
        const RunReport report = CarryOutRunWithOutputs(plan, observer, control);
        EXPECT_TRUE(observer.said.empty());
        const auto runs = ts::StandinRuns(ts::kInstall);
        ASSERT_EQ(runs.size(), stop ? 1u : 2u);
        for (const ts::StandinRun& run : runs) EXPECT_EQ(run.ini_sum, ours);  // never theirs
        ASSERT_EQ(observer.at_first_launch.size(), 4u);
        EXPECT_EQ(observer.at_first_launch[1], theirs);  // aside, untouched, while the game ran
        EXPECT_EQ(StateOf(kRootIni), theirs);
        for (const char* path : {kRootFiles[1], kRootFiles[2], kRootFiles[3]})
            EXPECT_FALSE(Exists(path)) << path;
        EXPECT_TRUE(report.page_written);
    }

    // Killed during its first launch: the next start finds the drive root as it was then.
    for (size_t i = 0; i < 4; ++i) Lay(kRootFiles[i], observer.at_first_launch[i]);
    ASSERT_TRUE(Exists(kRootFiles[1]));
    EXPECT_EQ(ts::ReadFile(kRootIni), config::EngineIniText(config::EngineIniPreset::kCpuLowDetail,
                                                            common::Renderer::kDirect3D));
    ASSERT_TRUE(config::RemoveLeftovers({s.install_folder}, &error)) << error;
    EXPECT_EQ(StateOf(kRootIni), theirs);
    for (const char* path : {kRootFiles[1], kRootFiles[2], kRootFiles[3]})
        EXPECT_FALSE(Exists(path)) << path;
}

}  // namespace
}  // namespace core
