// Command-line runs and comparisons against the platform stand-in: settings, console, exit codes.
#include "ui/command_line.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/platform_standin.h"
#include "registry/discovery.h"

namespace ui {
namespace {

using common::BenchmarkPreset;
using core::ProgramArguments;
using core::RunSettings;

namespace standin = platform::standin;
using Strings = std::vector<std::string>;

const std::string kFull = "C:\\UT2003";
const std::string kDemo = "D:\\Games\\UT2003Demo";
const std::string kApp = "C:\\Tools\\Bench\\";

struct RecordingConsole : Console {
    void Print(const std::string& line) override { out.push_back(line); }
    void PrintError(const std::string& line) override { errors.push_back(line); }
    Strings out, errors;
};

ProgramArguments Parse(const Strings& args) {
    ProgramArguments parsed;
    std::string error;
    EXPECT_TRUE(core::ParseProgramArguments(args, &parsed, &error)) << error;
    return parsed;
}

// A CPU benchmark at 640x480, with more options.
Strings Cpu(Strings more = {}) {
    Strings args = {"--preset", "cpu", "--resolutions", "640x480"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void Install(const std::string& folder, common::Edition edition) {
    standin::SetRegistryString(
        edition == common::Edition::kDemo ? registry::kDemoKey : registry::kFullKey,
        registry::kFolderValue, folder);
    standin::AddFile(folder + "\\System\\ut2003.exe", "MZ");
    standin::AddFile(folder + "\\Benchmark\\Stuff\\flybyexec.txt", "flyby\r\n");
}

class CommandLineRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        standin::Reset();
        standin::AddFolder("C:\\Tools\\Bench");
        // The game of a one-launch run: its record.
        standin::Get().on_run = [](const std::string&) {
            standin::AddFile(kFull + "\\Benchmark\\lowframerate.log",
                             "dm-inferno,1.1 / 1.12 / 1.3 fps,score,frames\r\n");
        };
    }

    RunSettings Settings(const Strings& args,
                         const RunDefaults& saved = {kApp, {1, false, false, 20, ""}}) {
        RunSettings settings;
        std::string problem;
        EXPECT_TRUE(CommandLineSettings(Parse(args), saved, &settings, &problem)) << problem;
        return settings;
    }
    // Carried out on this thread, as when no window can show the run.
    int Run(const RunSettings& settings) {
        return RunFromCommandLine(settings, console,
                                  [this](const core::RunPlan& plan, core::RunObserver& observer) {
                                      return core::CarryOutRunWithOutputs(plan, observer, control);
                                  });
    }

    static void ExpectNothingShownOrOpened() {
        EXPECT_TRUE(standin::Get().messages.empty()) << standin::Get().messages[0].text;
        EXPECT_TRUE(standin::Get().opened.empty());
    }

    RecordingConsole console;
    core::RunControl control;
};

TEST_F(CommandLineRunTest, SettingsAreTheWindowsDefaultsUnderTheOptionsGiven) {
    // Only the demo: chosen by itself, but not when the full version is asked for.
    Install(kDemo, common::Edition::kDemo);
    RunSettings s = Settings(Cpu());
    EXPECT_EQ(std::tie(s.install_folder, s.edition), std::tuple(kDemo, common::Edition::kDemo));
    std::string problem;
    EXPECT_FALSE(CommandLineSettings(Parse(Cpu({"--edition", "full"})),
                                     {kApp, {1, false, false, 20, ""}}, &s, &problem));
    EXPECT_NE(problem.find("--edition full asks for UT2003 (full version)"), std::string::npos)
        << problem;
    // Only a level of the chosen edition's list, capitals aside, reaches the game's command line.
    for (const std::string level : {"DM-Antalus", "dm-inferno", "dm-antalus -log", "x\" -y"}) {
        const Strings args = {"--preset", "custom", "--resolutions", "640x480", "--level", level};
        s = Settings(args);
        const bool listed = CheckLevel(Parse(args), &s, &problem);
        EXPECT_EQ(listed, level == "DM-Antalus") << level;
        EXPECT_TRUE(!listed || s.custom.level_entry == "dm-antalus*") << s.custom.level_entry;
    }
    EXPECT_EQ(problem,
              "--level: \"x\" -y\" is not a level of UT2003 (demo); use one of br-anubis, "
              "ctf-citadel, dm-antalus, dm-asbestos.");

    // The full edition wins, as in the window; the custom test window's own defaults: no sound,
    // Max Detail, dm-antalus.
    Install(kFull, common::Edition::kFull);
    s = Settings({"--preset", "high", "--resolutions", "800x600"},
                 {kApp, {3, false, false, 20, "saved"}});
    EXPECT_EQ(std::tie(s.preset, s.edition, s.install_folder, s.renderer, s.runs_per_level,
                       s.until_steady, s.label, s.results_folder, s.results_name_computer),
              std::tuple(BenchmarkPreset::kHighQuality, common::Edition::kFull, kFull,
                         common::Renderer::kDirect3D, 3, false, "saved", kApp + "Results", false));
    EXPECT_TRUE(s.custom.sound_disabled && !s.custom.custom_ini && !s.custom.min_detail);
    EXPECT_EQ(core::CustomGameRun(s.custom.level_entry).level, "dm-antalus");

    // The saved Until steady, its percentage given; --runs over the saved option.
    s = Settings(Cpu({"--steady-within", "4.5"}), {kApp, {3, false, true, 15, ""}});
    EXPECT_TRUE(s.until_steady && s.steady_within_tenths == 45);
    s = Settings(Cpu({"--runs", "2"}), {kApp, {3, false, true, 15, ""}});
    EXPECT_TRUE(!s.until_steady && s.steady_within_tenths == 15);

    s = Settings({"/PRESET", "custom", "/resolutions", "640x480", "--edition", "demo", "--renderer",
                  "OpenGL", "--runs", "2", "--level", "ctf-citadel", "--sound", "on", "--ini",
                  "min", "--results", "E:\\Lab\\Results\\"});
    EXPECT_EQ(
        std::tie(s.edition, s.install_folder, s.renderer, s.runs_per_level, s.custom.sound_disabled,
                 s.custom.min_detail, s.results_folder, s.results_name_computer),
        std::tuple(common::Edition::kDemo, kDemo, common::Renderer::kOpenGL, 2, false, true,
                   "E:\\Lab\\Results", true));
    EXPECT_EQ(core::CustomGameRun(s.custom.level_entry).level, "ctf-citadel");
    standin::Get().code_page_932 = true;  // "E:\ソ" ends in 0x5C, the second byte of "ソ"
    for (const char* folder : {"E:\\\x83\x5C", "E:\\\x83\x5C\\"})
        EXPECT_EQ(Settings(Cpu({"--results", folder})).results_folder, "E:\\\x83\x5C");

    standin::AddFile("E:\\my.ini", "[Engine]");
    s = Settings({"--preset", "custom", "--resolutions", "640x480", "--ini", "E:\\my.ini"});
    EXPECT_TRUE(s.custom.custom_ini && !s.custom.min_detail &&
                s.custom.custom_ini_path == "E:\\my.ini");
    ExpectNothingShownOrOpened();
}

TEST_F(CommandLineRunTest, FileFailuresArePrintedAndSetTheExitCode) {
    Install(kFull, common::Edition::kFull);
    const RunSettings settings = Settings(Cpu());
    const struct {
        const char* operation;
        std::string path;
        int exit_code;
        size_t lines;  // printed on the console's output
    } cases[] = {
        // Before the first launch (the logs, the ini): nothing runs, the file and the reason.
        {"create", kFull + "\\Benchmark\\benchmark.log", kExitCannotStart, 0},
        {"write", "C:\\UT2003.ini", kExitCannotStart, 0},
        // After the launch: its record kept and printed, but the results folder or page missing.
        {"folder", kApp + "Results\\2026-12-06 14-05-09 CPU Benchmark", kExitIncomplete, 1},
        {"write", kApp + "results.html", kExitIncomplete, 2},  // the launch, the folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        console = {};
        standin::Get().failures = {{c.operation, c.path}};
        EXPECT_EQ(Run(settings), c.exit_code);
        ASSERT_EQ(console.out.size(), c.lines);
        EXPECT_TRUE(!c.lines || console.out[0] == "run 1 of 1: dm-inferno 640x480: avg 1.12 fps");
        ASSERT_EQ(console.errors.size(), 1u);
        EXPECT_NE(console.errors[0].find(c.path), std::string::npos) << console.errors[0];
    }
    ExpectNothingShownOrOpened();
}

// A label with quotes, a comma and markup, 500 characters long: the console says it is cut, the
// CSV quotes its first 100, the report shows them escaped.
TEST_F(CommandLineRunTest, ALabelIsCutQuotedAndEscaped) {
    Install(kFull, common::Edition::kFull);
    const std::string label = "<b>\"fast\", drv & co</b>" + std::string(477, 'x');
    EXPECT_EQ(Run(Settings(Cpu({"--label", label}))), kExitOk);
    EXPECT_EQ(console.errors, Strings{"The label is 500 characters long; its first 100 are kept."});
    ASSERT_FALSE(console.out.empty());
    const std::string folder = console.out.back();
    const std::string csv = standin::FindFile(folder + "\\results.csv")->contents;
    EXPECT_NE(csv.find(",\"<b>\"\"fast\"\", drv & co</b>" + std::string(77, 'x') + "\"\r\n"),
              std::string::npos)
        << csv;
    const std::string report = standin::FindFile(folder + "\\report.html")->contents;
    EXPECT_NE(
        report.find("<tr><th>Label</th><td>&lt;b&gt;&quot;fast&quot;, drv &amp; co&lt;/b&gt;" +
                    std::string(77, 'x') + "</td></tr>"),
        std::string::npos);
}

// --out never replaces an input or a run's own file, names compared as Windows compares them;
// a name Windows shortens is written as Windows stores it, and its CSV beside it. Nothing readable
// compared, or a page or CSV not written, each has its exit code.
TEST_F(CommandLineRunTest, ComparisonOutNeverReplacesAnInputOrARunsFileAndSetsTheExitCode) {
    const std::string run = "D:\\Lab\\2026-12-06 14-05-09 BENCH-PC CPU Benchmark";
    standin::AddFile(run + "\\results.csv", "started\r\n");
    standin::AddFile("E:\\pc-c.csv", "started\r\n");
    const std::pair<std::string, std::string> refused[] = {
        // --out, what the message names
        {run + "\\results.html", run + "\\results.html"},
        {run + "\\RESULTS.htm", "its CSV \"" + run + "\\RESULTS.csv\""},
        {run + "\\Results.HTML. ", run + "\\Results.HTML"},
        {run + "/report.html::$DATA", "report.html\": it would have the name of a run's own"},
        {"E:\\PC-C.html", "its CSV \"E:\\PC-C.csv\" would replace one of the results compared"},
        {"E:\\pc-c.csv. ", "\"E:\\pc-c.csv\": it would replace one of the results"},
        {"D:\\Lab", "D:\\Lab\": it is a folder"},
        {"E:\\New\\", "E:\\New\\\": it is a folder"},
    };
    for (const auto& [out, named] : refused) {
        console = {};
        const Strings args = {"--compare", "D:\\Lab", "E:\\pc-c.csv", "--out", out};
        EXPECT_EQ(CompareFromCommandLine(Parse(args), console), kExitBadArguments) << out;
        ASSERT_EQ(console.errors.size(), 1u) << out;
        EXPECT_NE(console.errors[0].find(named), std::string::npos) << console.errors[0];
    }
    EXPECT_TRUE(standin::Get().journal.empty()) << standin::Get().journal[0];
    standin::AddFolder(kApp + "Results\\empty");
    const ProgramArguments args =
        Parse({"--compare", kApp + "Results\\empty", "E:\\pc-c.csv", "--out", "E:\\drivers.csv "});
    EXPECT_EQ(CompareFromCommandLine(args, console), kExitIncomplete);
    EXPECT_EQ(standin::Get().journal,
              Strings({"write E:\\drivers.csv", "write E:\\drivers.csv.csv"}));
    EXPECT_EQ(console.out.size(), 3u);  // both skipped, then the page
    EXPECT_EQ(console.out.back(), "E:\\drivers.csv");
    EXPECT_EQ(console.errors.back(), "No result could be read, so the comparison is empty.");
    for (const std::string file : {"E:\\drivers.csv", "E:\\drivers.csv.csv"}) {
        console = {};
        standin::Get().failures = {{"write", file}};
        EXPECT_EQ(CompareFromCommandLine(args, console), kExitNotWritten);
        ASSERT_EQ(console.errors.size(), 1u);
        EXPECT_NE(console.errors[0].find(file + "\""), std::string::npos) << console.errors[0];
    }
    ExpectNothingShownOrOpened();
}

}  // namespace
}  // namespace ui
