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

const char* const kInstall = "C:\\UT2003";
const char* const kLog = "C:\\UT2003\\Benchmark\\lowframerate.log";
const char* const kPage = "C:\\Tools\\Bench\\results.html";
const char* const kEngineIni = "C:\\UT2003.ini";
const char* const kExecScript = "C:\\flybyexec.txt";

// The main window's side of a run; every call goes into the stand-in's journal, so it is ordered
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

// What a launch saw of the staged files.
struct LaunchSeen {
    std::string command_line;
    std::string engine_ini;  // contents of C:\UT2003.ini
    uint32_t engine_ini_attributes = 0;
    bool exec_script = false;
};

class RunDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        standin::Reset();
        standin::AddFile(std::string(kInstall) + "\\System\\ut2003.exe", "MZ");
        standin::AddFile(std::string(kInstall) + "\\Benchmark\\Stuff\\flybyexec.txt", "flyby\r\n");
        standin::AddFile(std::string(kInstall) + "\\Benchmark\\Stuff\\MinDetailUser.ini", "min");
        standin::AddFile(std::string(kInstall) + "\\Benchmark\\Stuff\\MaxDetailUser.ini", "max");
        standin::AddFile(kLog, "old,1 / 2 / 3 fps,a,b\r\n");
        standin::AddFolder("C:\\Tools\\Bench");
        state.InstallFolder = kInstall;
        state.GameEdition = "full";
        state.RenderEngine = "D3D";
        InitAppFolder(state);
        // The game: one record per launch, numbered by launch, unless told otherwise.
        standin::Get().on_run = [this](const std::string& command_line) {
            LaunchSeen seen;
            seen.command_line = command_line;
            if (const standin::File* ini = standin::FindFile(kEngineIni)) {
                seen.engine_ini = ini->contents;
                seen.engine_ini_attributes = ini->attributes;
            }
            seen.exec_script = standin::HasFile(kExecScript);
            launches.push_back(seen);
            const size_t n = launches.size();
            if (no_record.count(n)) return;
            const std::string level = command_line.substr(
                command_line.find(' ') + 1, command_line.find('?') - command_line.find(' ') - 1);
            const std::string v = std::to_string(n);
            const standin::File* log = standin::FindFile(kLog);
            standin::AddFile(kLog, (log ? log->contents : "") + level + "," + v + ".1 / " + v +
                                       ".2 / " + v + ".3 fps,x,y\r\n");
        };
    }

    // The journal reduced to the steps of a run, repeated steps shown once.
    std::vector<std::string> Steps() const {
        std::vector<std::string> steps;
        for (const std::string& line : standin::Get().journal) {
            std::string step;
            if (line.rfind("ui ", 0) == 0)
                step = line.substr(3);
            else if (line.rfind("message ", 0) == 0)
                step = "message";
            else if (line.find("benchmark.log") != std::string::npos)
                step = "reset";
            else if (line.rfind("write " + std::string(kEngineIni), 0) == 0)
                step = "ini";
            else if (line.rfind("copy ", 0) == 0 && line.find(kExecScript) != std::string::npos)
                step = "stage";
            else if (line.rfind("run ", 0) == 0)
                step = "run";
            else if (line == "write " + std::string(kPage))
                step = "page";
            else if (line.rfind("remove C:\\", 0) == 0 && line.find('\\', 10) == std::string::npos)
                step = "clean-up";
            else if (line == "append " + std::string(kPage))
                step = "footer";
            else if (line.rfind("open ", 0) == 0)
                step = line;
            if (!step.empty() && (steps.empty() || steps.back() != step)) steps.push_back(step);
        }
        return steps;
    }

    std::string Page() const {
        const standin::File* page = standin::FindFile(kPage);
        return page ? page->contents : "";
    }

    size_t PageLines() const {
        const std::string page = Page();
        return static_cast<size_t>(std::count(page.begin(), page.end(), '\n'));
    }

    bool Staged() const { return standin::HasFile(kEngineIni) || standin::HasFile(kExecScript); }

    SessionState state;
    std::vector<LaunchSeen> launches;
    std::set<size_t> no_record;  // launches (from 1) that leave no record
};

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Both control groups were enabled again after the (last) message.
bool EnabledAfterMessage(const std::vector<std::string>& steps) {
    auto message = std::find(steps.rbegin(), steps.rend(), "message");
    if (message == steps.rend()) return false;
    auto after = message.base();
    return std::find(after, steps.end(), "enable boxes") != steps.end() &&
           std::find(after, steps.end(), "enable presets") != steps.end();
}

const std::array<bool, 5> k640And1024 = {true, false, true, false, false};
const std::array<bool, 5> kNone = {false, false, false, false, false};

TEST_F(RunDriverTest, CpuBenchmarkButtonRunsEveryStepInOrder) {
    FakeWindow window(k640And1024);
    RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);

    EXPECT_EQ(Steps(), (std::vector<std::string>{"reset", "disable presets", "disable boxes",
                                                 "resolutions", "ini", "stage", "run", "page",
                                                 "clean-up", "footer", "open " + std::string(kPage),
                                                 "enable presets", "enable boxes"}));
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].command_line,
              "\"C:\\UT2003\\System\\ut2003.exe\" dm-inferno?game=engine.gameinfo "
              "exec=\"C:\\flybyexec.txt\" -benchmark -seconds=77 -nosound ini=\"C:\\UT2003.ini\" "
              "userini=\"C:\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\" -640x480");
    EXPECT_NE(launches[1].command_line.find("-seconds=77 "), std::string::npos);
    EXPECT_TRUE(launches[1].command_line.ends_with(" -1024x768"));
    for (const LaunchSeen& seen : launches) {
        EXPECT_EQ(seen.engine_ini,
                  config::EngineIniText(config::EngineIniPreset::CpuLowDetail, "D3D"));
        EXPECT_TRUE(seen.engine_ini_attributes & platform::kReadOnly);
        EXPECT_TRUE(seen.exec_script);
    }
    EXPECT_FALSE(Staged());
    // The old record was emptied away; both launches' values stand in their rows.
    EXPECT_EQ(Page().find("<TD>old"), std::string::npos);
    EXPECT_NE(Page().find("<TD>1.1       \r\n</TR>"), std::string::npos);
    EXPECT_NE(Page().find("<TD>2.3       \r\n</TR>"), std::string::npos);
    EXPECT_NE(Page().find("This test was run using the CPU Bench Option"), std::string::npos);
    EXPECT_EQ(PageLines(), 63u);
    EXPECT_TRUE(standin::Get().messages.empty());
}

TEST_F(RunDriverTest, QualityPresetsLaunchEveryLevelOfEveryResolutionInOrder) {
    FakeWindow window({true, true, false, false, true});
    RunPresetFromButton(state, window, BenchmarkPreset::kHighQuality);
    ASSERT_EQ(launches.size(), 21u);
    const char* full[] = {"dm-antalus", "dom-suntemple", "dm-phobos2", "dm-inferno",
                          "ctf-face3",  "ctf-citadel",   "dm-asbestos"};
    const char* res[] = {"640x480", "800x600", "1600x1200"};
    for (size_t i = 0; i < 21; ++i) {
        const std::string& line = launches[i].command_line;
        EXPECT_NE(line.find(std::string(" ") + full[i % 7] + "?"), std::string::npos) << line;
        EXPECT_TRUE(line.ends_with(std::string(" -") + res[i / 7])) << line;
        EXPECT_NE(line.find("MaxDetailUser.ini"), std::string::npos);
    }
    EXPECT_EQ(launches[0].engine_ini,
              config::EngineIniText(config::EngineIniPreset::MaxDetail, "D3D"));
    // N = 7: 1 + 3 * (8 + 7 + 3 * 10) body lines and the footer.
    EXPECT_EQ(PageLines(), 136u + 11u);
    EXPECT_NE(Page().find("High Quality Option"), std::string::npos);
    EXPECT_FALSE(Staged());

    standin::Get().journal.clear();
    launches.clear();
    state.GameEdition = "demo";
    state.RenderEngine = "OGL";
    RunPresetFromButton(state, window, BenchmarkPreset::kLowQuality);
    ASSERT_EQ(launches.size(), 9u);
    const char* demo[] = {"dm-antalus", "dm-asbestos", "ctf-citadel"};
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_NE(launches[i].command_line.find(std::string(" ") + demo[i % 3] + "?"),
                  std::string::npos);
        EXPECT_TRUE(launches[i].command_line.ends_with(std::string(" -") + res[i / 3]));
        EXPECT_EQ(launches[i].engine_ini,
                  config::EngineIniText(config::EngineIniPreset::MinDetail, "OGL"));
    }
    // The ini is written and the script staged once per preset, not per launch.
    const auto& journal = standin::Get().journal;
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "write " + std::string(kEngineIni)), 1);
    EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                            [](const std::string& l) { return l.rfind("copy ", 0) == 0; }),
              1);
    EXPECT_EQ(PageLines(), 88u + 11u);  // N = 3
    EXPECT_NE(Page().find("the demo version"), std::string::npos);
    EXPECT_NE(Page().find("OpenGL Rendering Engine"), std::string::npos);
}

TEST_F(RunDriverTest, CustomTestBranches) {
    FakeWindow window({false, true, false, false, false});
    CustomTestChoices max;
    max.level_entry = " ctf-face3* ";
    RunCustomTest(state, window, max);
    EXPECT_EQ(Steps(), (std::vector<std::string>{"reset", "disable boxes", "disable presets",
                                                 "resolutions", "ini", "stage", "run", "page",
                                                 "clean-up", "open " + std::string(kPage),
                                                 "enable boxes", "enable presets"}));
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].command_line,
              "\"C:\\UT2003\\System\\ut2003.exe\" ctf-face3?game=engine.gameinfo "
              "exec=\"C:\\flybyexec.txt\" -benchmark -seconds=116 -nosound ini=C:\\UT2003.ini "
              "userini=\"C:\\UT2003\\Benchmark\\Stuff\\MaxDetailUser.ini\" -800x600");
    EXPECT_EQ(launches[0].engine_ini,
              config::EngineIniText(config::EngineIniPreset::MaxDetail, "D3D"));
    EXPECT_EQ(PageLines(), 40u);  // no footer
    EXPECT_FALSE(Staged());

    launches.clear();
    CustomTestChoices min;
    min.min_detail = true;
    min.sound_disabled = false;
    min.level_entry = "dm-asbestos*";
    RunCustomTest(state, window, min);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].command_line.find("nosound"), std::string::npos);
    EXPECT_NE(launches[0].command_line.find(
                  " dm-asbestos?game=engine.gameinfo exec=\"C:\\flybyexec.txt\" -benchmark "
                  "-seconds=71 ini=C:\\UT2003.ini userini=\"C:\\UT2003\\Benchmark\\Stuff\\"
                  "MinDetailUser.ini\" -800x600"),
              std::string::npos);
    EXPECT_EQ(launches[0].engine_ini,
              config::EngineIniText(config::EngineIniPreset::MinDetail, "D3D"));

    // The user's own ini: nothing written at the root but the script, the file left alone.
    launches.clear();
    standin::Get().journal.clear();
    standin::AddFile("E:\\my configs\\fast.ini", "[Engine]\r\n", platform::kReadOnly);
    CustomTestChoices own;
    own.custom_ini = true;
    own.custom_ini_path = "E:\\my configs\\fast.ini";
    own.sound_disabled = false;
    own.level_entry = "br-anubis";
    RunCustomTest(state, window, own);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].command_line.find(
                  " br-anubis?game=engine.gameinfo exec=\"C:\\flybyexec.txt\" -benchmark "
                  "-seconds=77 ini=\"E:\\my configs\\fast.ini\" userini=\"C:\\UT2003\\Benchmark\\"
                  "Stuff\\MaxDetailUser.ini\" -800x600"),
              std::string::npos);
    EXPECT_EQ(launches[0].engine_ini, "");  // the root ini of earlier runs is gone
    const std::vector<std::string> steps = Steps();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "ini"), 0);
    const standin::File* own_file = standin::FindFile("E:\\my configs\\fast.ini");
    ASSERT_NE(own_file, nullptr);
    EXPECT_EQ(own_file->contents, "[Engine]\r\n");
    EXPECT_EQ(own_file->attributes, platform::kReadOnly);
    EXPECT_FALSE(Staged());
    EXPECT_EQ(standin::Get().opened.size(), 3u);
    EXPECT_TRUE(standin::Get().messages.empty());
}

TEST_F(RunDriverTest, NoResolutionOrNoFileStopsBeforeAnythingIsStaged) {
    FakeWindow none(kNone);
    RunPresetFromButton(state, none, BenchmarkPreset::kLowQuality);
    EXPECT_EQ(Steps(), (std::vector<std::string>{"reset", "disable presets", "disable boxes",
                                                 "resolutions", "message", "enable boxes",
                                                 "enable presets", "enable boxes"}));
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_EQ(standin::Get().messages[0].text, "Please Select at least one resolution to use");
    EXPECT_EQ(standin::Get().messages[0].title, "Select a Resolution");
    EXPECT_EQ(standin::Get().messages[0].icon, platform::MessageIcon::kNone);
    EXPECT_EQ(standin::FindFile(kLog)->contents, "");  // the logs are emptied all the same

    // "Custom ini" without a file and no resolution: only the resolution message.
    standin::Get().messages.clear();
    CustomTestChoices own;
    own.custom_ini = true;
    RunCustomTest(state, none, own);
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_EQ(standin::Get().messages[0].title, "Please select a Resolution");
    EXPECT_EQ(standin::Get().messages[0].text, "Please Select at least one resolution to use");

    // With a resolution: the file message, then the run ends as above.
    standin::Get().messages.clear();
    standin::Get().journal.clear();
    FakeWindow one({true, false, false, false, false});
    RunCustomTest(state, one, own);
    EXPECT_EQ(Steps(),
              (std::vector<std::string>{"reset", "disable boxes", "disable presets", "resolutions",
                                        "message", "enable boxes", "enable presets"}));
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_EQ(standin::Get().messages[0].text, "Please Choose a Custom ini file to use");
    EXPECT_EQ(standin::Get().messages[0].title, "Choose a File...");
    EXPECT_EQ(standin::Get().messages[0].icon, platform::MessageIcon::kNone);

    EXPECT_TRUE(launches.empty());
    EXPECT_FALSE(standin::HasFile(kPage));
    EXPECT_FALSE(Staged());
}

TEST_F(RunDriverTest, NoInstallationStartsNoRun) {
    state.InstallFolder.clear();
    standin::AddFile("C:\\Benchmark\\lowframerate.log", "keep");
    FakeWindow window(k640And1024);
    RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);
    RunCustomTest(state, window, CustomTestChoices{});
    RunHighQuality(state, window);
    EXPECT_EQ(standin::Get().messages.size(), 3u);
    for (const std::string& line : standin::Get().journal)
        EXPECT_TRUE(line.rfind("ui enable", 0) == 0 || line.rfind("message ", 0) == 0) << line;
    EXPECT_EQ(standin::FindFile("C:\\Benchmark\\lowframerate.log")->contents, "keep");
    EXPECT_TRUE(launches.empty());
}

TEST_F(RunDriverTest, AFailingFileStepShowsOneMessageAndTidiesUp) {
    FakeWindow window(k640And1024);
    struct Case {
        const char* operation;
        std::string path;
        size_t launches;
    };
    const Case cases[] = {
        {"create", std::string(kInstall) + "\\Benchmark\\benchmark.log", 0},
        {"write", kEngineIni, 0},
        {"copy", kExecScript, 0},
        {"write", kPage, 2},
        {"append", kPage, 2},
    };
    for (const Case& c : cases) {
        standin::Get().journal.clear();
        standin::Get().messages.clear();
        standin::Get().opened.clear();
        standin::Get().failures = {{c.operation, c.path}};
        // Clean-up failing as well after an earlier failure is not reported a second time.
        standin::Get().failures.insert({"remove", kExecScript});
        launches.clear();
        RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);
        SCOPED_TRACE(std::string(c.operation) + " " + c.path);
        EXPECT_EQ(launches.size(), c.launches);
        const bool cleanup_fails = c.launches && std::string(c.operation) == "append";
        ASSERT_EQ(standin::Get().messages.size(), 1u);
        const platform::standin::Message& m = standin::Get().messages[0];
        // The footer is appended after the clean-up, so there it is the clean-up that fails.
        EXPECT_NE(m.text.find(cleanup_fails ? std::string(kExecScript) : c.path), std::string::npos)
            << m.text;
        EXPECT_EQ(m.title, "");
        EXPECT_TRUE(standin::Get().opened.empty());
        EXPECT_FALSE(standin::HasFile(kEngineIni));
        EXPECT_TRUE(EnabledAfterMessage(Steps()));
    }

    // Only the footer failing: the staged files are gone, the page is not opened.
    standin::Get().failures = {{"append", kPage}};
    standin::Get().messages.clear();
    standin::Get().opened.clear();
    standin::Get().journal.clear();
    RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_NE(standin::Get().messages[0].text.find(kPage), std::string::npos);
    EXPECT_FALSE(Staged());
    EXPECT_TRUE(standin::Get().opened.empty());
    EXPECT_TRUE(EnabledAfterMessage(Steps()));

    // The custom test too, with the engine ini failing.
    standin::Get().failures = {{"write", kEngineIni}};
    standin::Get().messages.clear();
    standin::Get().journal.clear();
    launches.clear();
    RunCustomTest(state, window, CustomTestChoices{});
    EXPECT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_TRUE(launches.empty());
    EXPECT_FALSE(Staged());
    EXPECT_TRUE(EnabledAfterMessage(Steps()));
}

TEST_F(RunDriverTest, ALaunchWithoutRecordLeavesOnlyItsCellsBlank) {
    FakeWindow window({true, true, true, false, false});
    no_record = {2};
    RunPresetFromButton(state, window, BenchmarkPreset::kCpuBenchmark);
    ASSERT_EQ(launches.size(), 3u);
    const std::string page = Page();
    const std::string blank(10, ' ');
    EXPECT_NE(page.find("<TD>640x480\r\n<TD>1.1       \r\n</TR>"), std::string::npos) << page;
    EXPECT_EQ(Occurrences(page, "<TD>800x600\r\n<TD>" + blank + "\r\n</TR>"), 3u);
    EXPECT_NE(page.find("<TD>1024x768\r\n<TD>3.1       \r\n</TR>"), std::string::npos);
    EXPECT_NE(page.find("<TD>1024x768\r\n<TD>3.2       \r\n</TR>"), std::string::npos);
    EXPECT_NE(page.find("<TD>1024x768\r\n<TD>3.3       \r\n</TR>"), std::string::npos);

    // A High Quality run whose first launch writes nothing: the first cell of the row only.
    launches.clear();
    no_record = {1};
    FakeWindow one({true, false, false, false, false});
    RunPresetFromButton(state, one, BenchmarkPreset::kHighQuality);
    ASSERT_EQ(launches.size(), 7u);
    EXPECT_NE(Page().find("<TD>640x480\r\n<TD>" + blank + "\r\n<TD>2.1       \r\n"),
              std::string::npos)
        << Page();
}

}  // namespace
}  // namespace core
