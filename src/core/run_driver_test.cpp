// The run drivers step by step against the platform stand-in, with a stand-in for the game.
#include "core/run_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "config/engine_ini.h"
#include "platform/platform_standin.h"

namespace core {
namespace {

namespace standin = platform::standin;
using Strings = std::vector<std::string>;

const std::string kInstall = "C:\\UT2003";
const std::string kLog = "C:\\UT2003\\Benchmark\\lowframerate.log";
const std::string kPage = "C:\\Tools\\Bench\\results.html";
const std::string kEngineIni = "C:\\UT2003.ini";
const std::string kExecScript = "C:\\flybyexec.txt";

// The main window's side of a run; its calls go into the stand-in's journal, so they are ordered
// among the file and process requests.
class FakeWindow : public MainWindowControls {
public:
    explicit FakeWindow(std::array<bool, 5> checks) : checks_(checks) {}
    std::array<bool, 5> ResolutionChecks() override {
        Note("resolutions");
        return checks_;
    }
    void DisablePresetButtons() override { Note("disable presets"); }
    void EnablePresetButtons() override { Note("enable presets"); }
    void DisableResolutionBoxes() override { Note("disable boxes"); }
    void EnableResolutionBoxes() override { Note("enable boxes"); }

private:
    static void Note(const std::string& s) { standin::Get().journal.push_back("ui " + s); }
    std::array<bool, 5> checks_;
};

// What a launch got: its command line and the engine ini at the drive root.
struct LaunchSeen {
    std::string command_line, engine_ini;
};

class RunDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        standin::Reset();
        standin::AddFile(kInstall + "\\System\\ut2003.exe", "MZ");
        standin::AddFile(kInstall + "\\Benchmark\\Stuff\\flybyexec.txt", "flyby\r\n");
        standin::AddFile(kLog, "old,1 / 2 / 3 fps,a,b\r\n");
        standin::AddFolder("C:\\Tools\\Bench");
        state.InstallFolder = kInstall;
        state.GameEdition = "full";
        state.RenderEngine = "D3D";
        InitAppFolder(state);
        // The game: one record per launch, its values numbered by launch, unless told otherwise.
        standin::Get().on_run = [this](const std::string& command_line) {
            const standin::File* ini = standin::FindFile(kEngineIni);
            launches.push_back({command_line, ini ? ini->contents : ""});
            const std::string n = std::to_string(launches.size());
            if (no_record.count(launches.size())) return;
            const standin::File* log = standin::FindFile(kLog);
            standin::AddFile(kLog, (log ? log->contents : "") + "level," + n + ".1 / " + n +
                                       ".2 / " + n + ".3 fps,x,y\r\n");
        };
    }

    // The journal reduced to the steps of a run, repeated steps shown once.
    static Strings Steps() {
        const std::pair<std::string, std::string> kinds[] = {
            {"message ", "message"},
            {"create " + kInstall + "\\Benchmark\\benchmark.log", "reset"},
            {"write " + kEngineIni, "ini"},
            {"copy ", "stage"},
            {"run ", "run"},
            {"write " + kPage, "page"},
            {"remove " + kEngineIni, "clean-up"},
            {"remove " + kExecScript, "clean-up"},
            {"append " + kPage, "footer"},
            {"open ", "open"}};
        Strings steps;
        for (const std::string& line : standin::Get().journal) {
            std::string step = line.starts_with("ui ") ? line.substr(3) : "";
            for (const auto& [prefix, kind] : kinds)
                if (line.starts_with(prefix)) step = kind;
            if (!step.empty() && (steps.empty() || steps.back() != step)) steps.push_back(step);
        }
        return steps;
    }

    static std::string Page() {
        const standin::File* page = standin::FindFile(kPage);
        return page ? page->contents : "";
    }
    static size_t PageLines() {
        const std::string page = Page();
        return static_cast<size_t>(std::count(page.begin(), page.end(), '\n'));
    }
    static bool Staged() { return standin::HasFile(kEngineIni) || standin::HasFile(kExecScript); }
    void Restart() {
        standin::Get().journal.clear();
        standin::Get().messages.clear();
        standin::Get().opened.clear();
        launches.clear();
    }

    SessionState state;
    std::vector<LaunchSeen> launches;
    std::set<size_t> no_record;  // launches (from 1) that leave no record
};

const std::array<bool, 5> k640And1024 = {true, false, true, false, false};

TEST_F(RunDriverTest, FixedPresetsRunEveryStepInOrder) {
    for (BenchmarkPreset preset : {BenchmarkPreset::kHighQuality, BenchmarkPreset::kLowQuality,
                                   BenchmarkPreset::kCpuBenchmark}) {
        Restart();
        FakeWindow window(k640And1024);
        RunPresetFromButton(state, window, preset);
        EXPECT_EQ(Steps(), (Strings{"reset", "disable presets", "disable boxes", "resolutions",
                                    "ini", "stage", "run", "page", "clean-up", "footer", "open",
                                    "enable presets", "enable boxes"}));
        EXPECT_EQ(standin::Get().opened, Strings{kPage});
        EXPECT_FALSE(Staged());
        EXPECT_TRUE(standin::Get().messages.empty());
    }
    // The CPU benchmark (its ini and lines are checked with real files under Wine).
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_TRUE(launches[1].command_line.ends_with("MinDetailUser.ini\" -1024x768"));
    // The old record was emptied away; both launches' values stand in their rows.
    EXPECT_EQ(Page().find("<TD>old"), std::string::npos);
    EXPECT_NE(Page().find("<TD>1.1       \r\n</TR>\r\n<TR>\r\n<TD>1024x768\r\n<TD>2.1 "),
              std::string::npos);
    EXPECT_EQ(PageLines(), 63u);
}

TEST_F(RunDriverTest, QualityPresetsLaunchEveryLevelOfEveryResolutionInOrder) {
    FakeWindow window({true, true, false, false, true});
    const char* res[] = {"640x480", "800x600", "1600x1200"};
    auto check = [&](const char* edition, BenchmarkPreset preset, config::EngineIniPreset ini) {
        const auto& levels = RunList(preset, edition);
        ASSERT_EQ(launches.size(), 3 * levels.size());
        for (size_t i = 0; i < launches.size(); ++i) {
            const std::string& line = launches[i].command_line;
            EXPECT_NE(line.find(" " + levels[i % levels.size()].level + "?"), std::string::npos);
            EXPECT_TRUE(line.ends_with(std::string(" -") + res[i / levels.size()])) << line;
            EXPECT_EQ(launches[i].engine_ini, config::EngineIniText(ini, state.RenderEngine));
        }
        // The ini is written and the script staged once per preset, not per launch.
        const Strings steps = Steps();
        EXPECT_EQ(std::count(steps.begin(), steps.end(), "ini"), 1);
        EXPECT_EQ(std::count(steps.begin(), steps.end(), "stage"), 1);
    };
    RunPresetFromButton(state, window, BenchmarkPreset::kHighQuality);
    EXPECT_EQ(launches.size(), 21u);
    check("full", BenchmarkPreset::kHighQuality, config::EngineIniPreset::MaxDetail);
    EXPECT_NE(launches[20].command_line.find("MaxDetailUser.ini"), std::string::npos);
    EXPECT_EQ(PageLines(), 1u + 3u * (8u + 7u + 3u * 10u) + 11u);  // N = 7

    Restart();
    state.GameEdition = "demo";
    state.RenderEngine = "OGL";
    RunPresetFromButton(state, window, BenchmarkPreset::kLowQuality);
    EXPECT_EQ(launches.size(), 9u);
    check("demo", BenchmarkPreset::kLowQuality, config::EngineIniPreset::MinDetail);
    EXPECT_EQ(PageLines(), 1u + 3u * (8u + 3u + 3u * 6u) + 11u);  // N = 3
}

TEST_F(RunDriverTest, CustomTestBranches) {
    FakeWindow window({false, true, false, false, false});
    CustomTestChoices max;
    max.level_entry = " ctf-face3* ";
    RunCustomTest(state, window, max);
    EXPECT_EQ(Steps(),
              (Strings{"reset", "disable boxes", "disable presets", "resolutions", "ini", "stage",
                       "run", "page", "clean-up", "open", "enable boxes", "enable presets"}));
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].command_line.find(" ctf-face3?game=engine.gameinfo exec=\"C:\\flybyexec"
                                            ".txt\" -benchmark -seconds=116 -nosound ini=C:\\"),
              std::string::npos);
    EXPECT_EQ(launches[0].engine_ini,
              config::EngineIniText(config::EngineIniPreset::MaxDetail, "D3D"));
    EXPECT_EQ(PageLines(), 40u);  // no footer
    EXPECT_FALSE(Staged());

    Restart();
    CustomTestChoices min;
    min.min_detail = true;
    min.sound_disabled = false;
    RunCustomTest(state, window, min);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].command_line.find("-seconds=77 ini=C:\\UT2003.ini userini=\"C:\\UT2003\\"
                                            "Benchmark\\Stuff\\MinDetailUser.ini\" -800x600"),
              std::string::npos);
    EXPECT_EQ(launches[0].engine_ini,
              config::EngineIniText(config::EngineIniPreset::MinDetail, "D3D"));

    // The user's own ini: nothing written at the root but the script, the file left alone.
    Restart();
    standin::AddFile("E:\\my configs\\fast.ini", "[Engine]\r\n", platform::kReadOnly);
    CustomTestChoices own;
    own.custom_ini = true;
    own.custom_ini_path = "E:\\my configs\\fast.ini";
    RunCustomTest(state, window, own);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].command_line.find(" ini=\"E:\\my configs\\fast.ini\" userini="),
              std::string::npos);
    const Strings steps = Steps();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "ini"), 0);
    EXPECT_FALSE(Staged());
}

TEST_F(RunDriverTest, NoResolutionNoFileOrNoInstallationStagesNothing) {
    FakeWindow none({});
    RunPresetFromButton(state, none, BenchmarkPreset::kLowQuality);
    EXPECT_EQ(Steps(), (Strings{"reset", "disable presets", "disable boxes", "resolutions",
                                "message", "enable boxes", "enable presets", "enable boxes"}));
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_EQ(standin::Get().messages[0].text, "Please Select at least one resolution to use");
    EXPECT_EQ(standin::Get().messages[0].title, "Select a Resolution");
    EXPECT_EQ(standin::FindFile(kLog)->contents, "");  // the logs are emptied all the same

    // "Custom ini" without a file: with no resolution only that message, else the file message.
    CustomTestChoices own;
    own.custom_ini = true;
    Restart();
    RunCustomTest(state, none, own);
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_EQ(standin::Get().messages[0].title, "Please select a Resolution");
    Restart();
    FakeWindow one({true, false, false, false, false});
    RunCustomTest(state, one, own);
    EXPECT_EQ(Steps(), (Strings{"reset", "disable boxes", "disable presets", "resolutions",
                                "message", "enable boxes", "enable presets"}));
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_EQ(standin::Get().messages[0].text, "Please Choose a Custom ini file to use");
    EXPECT_EQ(standin::Get().messages[0].title, "Choose a File...");

    // No installation: a message for each driver, and not even the logs are touched.
    Restart();
    state.InstallFolder.clear();
    standin::AddFile("C:\\Benchmark\\lowframerate.log", "keep");
    RunPresetFromButton(state, one, BenchmarkPreset::kCpuBenchmark);
    RunCustomTest(state, one, CustomTestChoices{});
    RunHighQuality(state, one);
    EXPECT_EQ(standin::Get().messages.size(), 3u);
    for (const std::string& line : standin::Get().journal)
        EXPECT_TRUE(line.starts_with("ui enable") || line.starts_with("message ")) << line;
    EXPECT_EQ(standin::FindFile("C:\\Benchmark\\lowframerate.log")->contents, "keep");

    EXPECT_TRUE(launches.empty());
    EXPECT_FALSE(standin::HasFile(kPage));
    EXPECT_FALSE(Staged());
}

TEST_F(RunDriverTest, AFailingFileStepShowsOneMessageAndTidiesUp) {
    const struct {
        const char* operation;
        std::string path;
        size_t launches;
        bool cleanup_fails, custom;
    } cases[] = {
        {"create", kInstall + "\\Benchmark\\benchmark.log", 0, true, false},
        {"write", kEngineIni, 0, true, false},
        {"copy", kExecScript, 0, true, false},
        {"write", kPage, 2, true, false},
        // The footer is appended after the clean-up, so there it is the clean-up that fails.
        {"append", kPage, 2, true, false},
        {"append", kPage, 2, false, false},
        {"write", kEngineIni, 0, false, true},
    };
    FakeWindow window(k640And1024);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + c.path);
        Restart();
        standin::Get().failures = {{c.operation, c.path}};
        // A clean-up failing after an earlier failure is not reported a second time.
        if (c.cleanup_fails) standin::Get().failures.insert({"remove", kExecScript});
        if (c.custom)
            RunCustomTest(state, window, CustomTestChoices{});
        else
            RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);
        EXPECT_EQ(launches.size(), c.launches);
        ASSERT_EQ(standin::Get().messages.size(), 1u);
        const bool footer = c.cleanup_fails && c.launches && c.operation[0] == 'a';
        EXPECT_NE(standin::Get().messages[0].text.find(footer ? kExecScript : c.path),
                  std::string::npos);
        EXPECT_TRUE(standin::Get().opened.empty());
        EXPECT_FALSE(standin::HasFile(kEngineIni));
        if (!c.cleanup_fails) {
            EXPECT_FALSE(Staged());
        }
        // Both control groups were enabled again after the message.
        const Strings steps = Steps();
        const auto after = std::find(steps.begin(), steps.end(), "message");
        EXPECT_NE(std::find(after, steps.end(), "enable boxes"), steps.end());
        EXPECT_NE(std::find(after, steps.end(), "enable presets"), steps.end());
    }
}

TEST_F(RunDriverTest, ALaunchWithoutRecordLeavesOnlyItsCellBlank) {
    // A High Quality run whose first launch writes nothing: the first cell of the row only.
    no_record = {1};
    FakeWindow one({true, false, false, false, false});
    RunPresetFromButton(state, one, BenchmarkPreset::kHighQuality);
    ASSERT_EQ(launches.size(), 7u);
    EXPECT_NE(Page().find("<TD>640x480\r\n<TD>" + std::string(10, ' ') +
                          "\r\n<TD>2.1       \r\n<TD>3.1       \r\n"),
              std::string::npos)
        << Page();
}

}  // namespace
}  // namespace core
