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

// The window's side of a run: what it would show a box for.
struct ShowingObserver : RunObserver {
    void LaunchFailed(const LaunchFailure& failure) override {
        said.push_back(FailureText(failure));
    }
    void StepFailed(const std::string& error) override { said.push_back(error); }
    std::vector<std::string> said;
};

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

// Notes the drive root as the first launch starts, and may stop the run there.
struct WatchingObserver : ShowingObserver {
    void LaunchStarting(size_t index) override {
        if (index == 0)
            for (const char* path : kRootFiles) at_first_launch.push_back(StateOf(path));
        if (stop) stop->stop_after_launch = true;
    }
    RunControl* stop = nullptr;
    std::vector<FileState> at_first_launch;
};

class RunDriverWin32 : public ::testing::Test {
protected:
    // A fake installation of `edition` at `install`, found through the registry as at start.
    void Install(const std::string& install, common::Edition edition) {
        install_ = install;
        std::string error;
        ASSERT_TRUE(ts::MakeFakeInstall(install, &error)) << error;
        ts::DeleteGameKey(ts::kFullKey);
        ts::DeleteGameKey(ts::kDemoKey);
        ASSERT_TRUE(
            ts::SetGameFolder(edition == common::Edition::kDemo ? ts::kDemoKey : ts::kFullKey,
                              ts::RegistryKind::kString, install));
        const common::Installation found = FindInstallation();
        ASSERT_EQ(found.selected, edition);
        settings.install_folder = found.install_folder;
        settings.edition = found.selected;
        settings.app_folder = AppFolder();
        settings.renderer = common::Renderer::kDirect3D;
        DeleteFileA(PagePath().c_str());
    }

    // The run from the click, as the window makes it: false when it was refused.
    bool Carry(const RunSettings& s, RunObserver& observer, RunControl& control) {
        RunPlan plan;
        RunRefusal refusal;
        if (!PrepareRun(s, &plan, &refusal)) return false;
        CarryOutRunWithOutputs(plan, observer, control);
        return true;
    }

    void TearDown() override {
        ts::DeleteGameKey(ts::kFullKey);
        ts::DeleteGameKey(ts::kDemoKey);
        ts::RemoveFakeInstalls();
    }

    std::string PagePath() const { return settings.app_folder + "results.html"; }
    std::string Page() const { return ts::ReadFile(PagePath()); }

    RunSettings settings;
    std::string install_;
};

size_t LineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(RunDriverWin32, AUsersReadOnlyIniComesBackAfterARunAStopAndAKill) {
    Install(ts::kInstall, common::Edition::kFull);
    const std::string mine = "[Engine.Engine]\r\nmy own settings\r\n";
    ASSERT_TRUE(ts::WriteFile(kRootIni, mine));
    SetFileAttributesA(kRootIni, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const FileState theirs = StateOf(kRootIni);
    ASSERT_EQ(theirs.attributes, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN});
    const uint32_t ours = standin::Checksum(
        config::EngineIniText(config::EngineIniPreset::kCpuLowDetail, common::Renderer::kDirect3D));
    RunSettings s = settings;
    s.resolutions = {true, false, true, false, false};

    // A finished run, then one stopped during its first launch.
    WatchingObserver observer;
    for (bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped" : "finished");
        DeleteFileA(ts::JournalPath(install_).c_str());
        observer = WatchingObserver{};
        RunControl control;
        if (stop) observer.stop = &control;
        EXPECT_TRUE(Carry(s, observer, control));
        EXPECT_TRUE(observer.said.empty());
        const auto runs = ts::StandinRuns(install_);
        ASSERT_EQ(runs.size(), stop ? 1u : 2u);
        for (const ts::StandinRun& run : runs) EXPECT_EQ(run.ini_sum, ours);  // never theirs
        ASSERT_EQ(observer.at_first_launch.size(), 4u);
        EXPECT_EQ(observer.at_first_launch[1], theirs);  // aside, untouched, while the game ran
        EXPECT_EQ(StateOf(kRootIni), theirs);
        for (const char* path : {kRootFiles[1], kRootFiles[2], kRootFiles[3]})
            EXPECT_FALSE(Exists(path)) << path;
        EXPECT_EQ(LineCount(Page()), 63u);
    }

    // Killed during its first launch: the next start finds the drive root as it was then.
    for (size_t i = 0; i < 4; ++i) Lay(kRootFiles[i], observer.at_first_launch[i]);
    ASSERT_TRUE(Exists(kRootFiles[1]));
    EXPECT_EQ(ts::ReadFile(kRootIni), config::EngineIniText(config::EngineIniPreset::kCpuLowDetail,
                                                            common::Renderer::kDirect3D));
    std::string error;
    ASSERT_TRUE(config::RemoveLeftovers(settings.install_folder, &error)) << error;
    EXPECT_EQ(StateOf(kRootIni), theirs);
    for (const char* path : {kRootFiles[1], kRootFiles[2], kRootFiles[3]})
        EXPECT_FALSE(Exists(path)) << path;
}

}  // namespace
}  // namespace core
