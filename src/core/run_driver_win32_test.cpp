// Whole runs under Wine: the game found through the registry, the stand-in game in a fake
// installation, real files at drive T:'s root and a real results page.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "config/engine_ini.h"
#include "core/run_driver.h"
#include "registry/discovery.h"
#include "results/frame_rate_record.h"
#include "standin_values.h"
#include "test_support_win32.h"

namespace core {
namespace {

namespace ts = test_support;

const char* const kRootIni = "T:\\UT2003.ini";
const char* const kRootScript = "T:\\flybyexec.txt";
const char* const kOpenedCopy = "T:\\opened_results.html";
const char* const kPageProgId = "Benchwright.TestPage";

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetDefault(HKEY root, const std::string& key, const std::string& text) {
    HKEY k = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(k);
}

// The main window as a run sees it; calls are counted.
class FakeWindow : public MainWindowControls {
public:
    explicit FakeWindow(std::array<bool, 5> checks) : checks_(checks) {}
    std::array<bool, 5> ResolutionChecks() override { return checks_; }
    void DisablePresetButtons() override { calls.push_back("disable presets"); }
    void EnablePresetButtons() override { calls.push_back("enable presets"); }
    void DisableResolutionBoxes() override { calls.push_back("disable boxes"); }
    void EnableResolutionBoxes() override { calls.push_back("enable boxes"); }
    std::vector<std::string> calls;

private:
    std::array<bool, 5> checks_;
};

// Dismisses every message box this process shows while it lives, and keeps what they said, so
// a run that shows one does not hang the test.
class BoxCatcher {
public:
    BoxCatcher()
        : thread_([this] {
              while (!stop_) {
                  const ts::MessageBoxSeen box = ts::WaitForMessageBox(GetCurrentProcessId(), 50);
                  if (!box.window) continue;
                  {
                      std::lock_guard<std::mutex> lock(mutex_);
                      boxes_.push_back(box);
                  }
                  ts::DismissMessageBox(box.window);
              }
          }) {}
    ~BoxCatcher() { Stop(); }
    std::vector<ts::MessageBoxSeen> Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return boxes_;
    }

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<ts::MessageBoxSeen> boxes_;
    std::thread thread_;
};

class RunDriverWin32 : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The page is "opened" by copying it aside, so no browser starts.
        char old[256] = {};
        LONG size = sizeof old;
        had_html_ = RegQueryValueA(HKEY_CLASSES_ROOT, ".html", old, &size) == ERROR_SUCCESS;
        old_html_ = old;
        SetDefault(HKEY_CLASSES_ROOT, ".html", kPageProgId);
        SetDefault(HKEY_CLASSES_ROOT, std::string(kPageProgId) + "\\shell\\open\\command",
                   std::string("cmd.exe /c copy /y \"%1\" \"") + kOpenedCopy + "\"");
    }
    static void TearDownTestSuite() {
        const std::string id = kPageProgId;
        for (const std::string& key :
             {id + "\\shell\\open\\command", id + "\\shell\\open", id + "\\shell", id})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
        if (had_html_)
            SetDefault(HKEY_CLASSES_ROOT, ".html", old_html_);
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".html");
    }

    // A fake installation of `edition` at `install`, found through the registry as at start.
    void Install(const std::string& install, registry::Edition edition) {
        install_ = install;
        std::string error;
        ASSERT_TRUE(ts::MakeFakeInstall(install, &error)) << error;
        ts::DeleteGameKey(ts::kFullKey);
        ts::DeleteGameKey(ts::kDemoKey);
        ASSERT_TRUE(
            ts::SetGameFolder(edition == registry::Edition::kDemo ? ts::kDemoKey : ts::kFullKey,
                              ts::RegistryKind::kString, install));
        EXPECT_EQ(registry::FindGameInstallation(state).selected, edition);
        ASSERT_EQ(state.InstallFolder, install);
        InitAppFolder(state);
        state.RenderEngine = "D3D";
        DeleteFileA(PagePath().c_str());
        DeleteFileA(kOpenedCopy);
    }

    void TearDown() override {
        ts::DeleteGameKey(ts::kFullKey);
        ts::DeleteGameKey(ts::kDemoKey);
        if (!install_.empty()) ts::RemoveTree(install_);
        DeleteFileA(kOpenedCopy);
    }

    std::string PagePath() const { return state.AppFolder + "results.html"; }
    std::string Page() const { return ts::ReadFile(PagePath()); }

    // The row of a resolution in one table as the page writes it, from the stand-in's values.
    static std::string Row(const std::string& resolution, const std::vector<std::string>& values) {
        std::string row = "<TR>\r\n<TD>" + resolution + "\r\n";
        for (const std::string& v : values)
            row += "<TD>" + results::FitToWidth(v, results::kValueWidth) + "\r\n";
        return row + "</TR>\r\n";
    }

    // The game's values for a launch, per table (low, average, high).
    static std::vector<std::string> Values(const std::string& level, const std::string& resolution,
                                           uint32_t ini_sum) {
        const standin::FrameRates r = standin::RatesFor(level, resolution, ini_sum);
        return {standin::Hundredths(r.low), standin::Hundredths(r.average),
                standin::Hundredths(r.high)};
    }

    // The opened page's copy appears a moment after the shell was asked.
    static std::string OpenedCopy() {
        for (int i = 0; i < 500 && !Exists(kOpenedCopy); ++i) Sleep(20);
        Sleep(100);
        return ts::ReadFile(kOpenedCopy);
    }

    SessionState state;
    std::string install_;
    static inline bool had_html_ = false;
    static inline std::string old_html_;
};

size_t LineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(RunDriverWin32, CpuBenchmarkOnTheFullEditionEndToEnd) {
    Install(ts::kInstall, registry::Edition::kFull);
    FakeWindow window({true, false, true, false, false});
    BoxCatcher catcher;
    RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);
    EXPECT_TRUE(catcher.Stop().empty());

    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 2u);
    const std::string head =
        "\"T:\\UT2003\\System\\ut2003.exe\" dm-inferno?game=engine.gameinfo "
        "exec=\"T:\\flybyexec.txt\" -benchmark -seconds=77 -nosound ini=\"T:\\UT2003.ini\" "
        "userini=\"T:\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\" -";
    EXPECT_EQ(runs[0].command_line, head + "640x480");
    EXPECT_EQ(runs[1].command_line, head + "1024x768");
    const uint32_t sum =
        standin::Checksum(config::EngineIniText(config::EngineIniPreset::CpuLowDetail, "D3D"));
    for (const ts::StandinRun& run : runs) {
        EXPECT_EQ(run.outcome, "end") << run.detail;
        EXPECT_EQ(run.ini_attributes & ~FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(run.ini_sum, sum);
        EXPECT_TRUE(run.record);
    }

    const std::string page = Page();
    EXPECT_EQ(LineCount(page), 63u) << page;
    const auto first = Values("dm-inferno", "640x480", sum);
    const auto second = Values("dm-inferno", "1024x768", sum);
    for (size_t table = 0; table < 3; ++table) {
        EXPECT_NE(page.find(Row("640x480", {first[table]}) + Row("1024x768", {second[table]}) +
                            "</TABLE>"),
                  std::string::npos)
            << page;
    }
    EXPECT_NE(
        page.find("This test was run using the CPU Bench Option\r\n<BR>\r\nThis test was run "
                  "using the Direct3D Rendering Engine\r\n<BR>\r\nThis test was run using "
                  "the full version of Unreal Tournament 2003\r\n<BR>\r\nThis test was run "
                  "using the CPU_LowDetail.ini provided by Quillmark\r\n<BR>\r\n</CENTER>\r\n"),
        std::string::npos);
    EXPECT_FALSE(Exists(kRootIni));
    EXPECT_FALSE(Exists(kRootScript));
    EXPECT_EQ(OpenedCopy(), page);
    EXPECT_EQ(window.calls.front(), "disable presets");
    EXPECT_EQ(window.calls.back(), "enable boxes");
}

TEST_F(RunDriverWin32, HighQualityOnTheDemoWithOpenGL) {
    Install(ts::kSpacedInstall, registry::Edition::kDemo);
    state.RenderEngine = "OGL";
    FakeWindow window({false, true, false, false, true});
    BoxCatcher catcher;
    RunPresetFromButton(state, window, BenchmarkPreset::kHighQuality);
    EXPECT_TRUE(catcher.Stop().empty());

    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kSpacedInstall);
    ASSERT_EQ(runs.size(), 6u);
    const uint32_t sum =
        standin::Checksum(config::EngineIniText(config::EngineIniPreset::MaxDetail, "OGL"));
    const char* levels[] = {"dm-antalus", "dm-asbestos", "ctf-citadel"};
    const char* resolutions[] = {"800x600", "1600x1200"};
    std::vector<std::string> rows[3];
    for (size_t i = 0; i < 6; ++i) {
        const std::string seconds = i % 3 == 1 ? "71" : "77";
        EXPECT_EQ(
            runs[i].command_line,
            std::string("\"T:\\Program Files\\UT2003\\System\\ut2003.exe\" ") + levels[i % 3] +
                "?game=engine.gameinfo exec=\"T:\\flybyexec.txt\" -benchmark -seconds=" + seconds +
                " -nosound ini=\"T:\\UT2003.ini\" userini=\"T:\\Program Files\\UT2003\\"
                "Benchmark\\Stuff\\MaxDetailUser.ini\" -" +
                resolutions[i / 3]);
        EXPECT_EQ(runs[i].ini_sum, sum);
    }
    const std::string page = Page();
    EXPECT_EQ(LineCount(page), 1u + 3u * (8u + 3u + 2u * 6u) + 11u);
    for (size_t table = 0; table < 3; ++table) {
        std::vector<std::string> row[2];
        for (size_t i = 0; i < 6; ++i)
            row[i / 3].push_back(Values(levels[i % 3], resolutions[i / 3], sum)[table]);
        EXPECT_NE(page.find(Row("800x600", row[0]) + Row("1600x1200", row[1])), std::string::npos);
    }
    EXPECT_NE(page.find("OpenGL Rendering Engine"), std::string::npos);
    EXPECT_NE(page.find("the demo version"), std::string::npos);
    EXPECT_FALSE(Exists(kRootIni));
    EXPECT_FALSE(Exists(kRootScript));
}

TEST_F(RunDriverWin32, CustomTestWithTheUsersOwnIniLeavesItAlone) {
    Install(ts::kInstall, registry::Edition::kFull);
    const std::string own = "T:\\my configs\\fast.ini";
    const std::string own_text = "[Engine.Engine]\r\nRenderDevice=D3DDrv.D3DRenderDevice\r\n";
    ASSERT_TRUE(ts::MakeFolders("T:\\my configs"));
    SetFileAttributesA(own.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(ts::WriteFile(own, own_text));
    SetFileAttributesA(own.c_str(), FILE_ATTRIBUTE_READONLY);
    const DWORD attributes = GetFileAttributesA(own.c_str());

    CustomTestChoices choices;
    choices.custom_ini = true;
    choices.custom_ini_path = own;
    choices.sound_disabled = false;
    choices.level_entry = "ctf-face3*";
    FakeWindow window({false, true, false, false, false});
    BoxCatcher catcher;
    RunCustomTest(state, window, choices);
    EXPECT_TRUE(catcher.Stop().empty());

    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].command_line,
              "\"T:\\UT2003\\System\\ut2003.exe\" ctf-face3?game=engine.gameinfo "
              "exec=\"T:\\flybyexec.txt\" -benchmark -seconds=116 ini=\"T:\\my configs\\fast.ini\" "
              "userini=\"T:\\UT2003\\Benchmark\\Stuff\\MaxDetailUser.ini\" -800x600");
    EXPECT_EQ(runs[0].ini_sum, standin::Checksum(own_text));
    EXPECT_EQ(ts::ReadFile(own), own_text);
    EXPECT_EQ(GetFileAttributesA(own.c_str()), attributes);
    EXPECT_FALSE(Exists(kRootScript));
    EXPECT_EQ(LineCount(Page()), 40u);  // no footer
    EXPECT_EQ(window.calls.back(), "enable presets");
    SetFileAttributesA(own.c_str(), FILE_ATTRIBUTE_NORMAL);
    ts::RemoveTree("T:\\my configs");
}

TEST_F(RunDriverWin32, ALaunchWithoutRecordGetsBlankCells) {
    Install(ts::kInstall, registry::Edition::kFull);
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "norecord 2\r\n"));
    FakeWindow window({true, true, true, false, false});
    BoxCatcher catcher;
    RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);
    EXPECT_TRUE(catcher.Stop().empty());

    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_TRUE(runs[0].record);
    EXPECT_FALSE(runs[1].record);
    EXPECT_TRUE(runs[2].record);
    const std::string page = Page();
    const std::string blank(results::kValueWidth, ' ');
    for (size_t table = 0; table < 3; ++table) {
        EXPECT_NE(
            page.find(Row("640x480", {Values("dm-inferno", "640x480", runs[0].ini_sum)[table]}) +
                      Row("800x600", {blank}) +
                      Row("1024x768", {Values("dm-inferno", "1024x768", runs[2].ini_sum)[table]})),
            std::string::npos)
            << page;
    }
}

TEST_F(RunDriverWin32, ALockedEngineIniStopsTheRunWithOneMessage) {
    Install(ts::kInstall, registry::Edition::kFull);
    HANDLE lock = CreateFileA(kRootIni, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    FakeWindow window({true, false, false, false, false});
    BoxCatcher catcher;
    RunPresetFromButton(state, window, BenchmarkPreset::kLowQuality);
    const std::vector<ts::MessageBoxSeen> boxes = catcher.Stop();
    CloseHandle(lock);
    DeleteFileA(kRootIni);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Benchwright");
    EXPECT_NE(boxes[0].text.find("T:\\UT2003.ini"), std::string::npos) << boxes[0].text;
    EXPECT_TRUE(boxes[0].has_icon);
    EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());
    EXPECT_FALSE(Exists(kRootScript));
    EXPECT_FALSE(Exists(PagePath()));
    EXPECT_EQ(window.calls.back(), "enable boxes");
}

}  // namespace
}  // namespace core
