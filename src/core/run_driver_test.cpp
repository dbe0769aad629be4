// The run drivers step by step against the platform stand-in, with a stand-in for the game.
#include "core/run_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "config/engine_ini.h"
#include "core/run_outputs.h"
#include "platform/platform_standin.h"
#include "results/results_csv.h"

namespace core {
namespace {

namespace standin = platform::standin;
using Strings = std::vector<std::string>;

const std::string kInstall = "C:\\UT2003";
const std::string kLog = "C:\\UT2003\\Benchmark\\lowframerate.log";
const std::string kPage = "C:\\Tools\\Bench\\results.html";
const std::string kEngineIni = "C:\\UT2003.ini";
const std::string kExecScript = "C:\\flybyexec.txt";

// The window's side of a run; a failed step goes into the journal as the message it shows.
class RecordingObserver : public RunObserver {
public:
    void LaunchFinished(const results::LaunchResult& r) override {
        finished.push_back(r);
        if (after) after(finished.size());
    }
    std::function<void(size_t)> after;  // what happens between launch n's end and the next
    void LaunchFailed(const LaunchFailure& failure) override {
        failures.push_back(failure);
        standin::Get().unstartable.clear();  // only the one launch a test makes fail
    }
    void StepFailed(const std::string& error) override {
        standin::Get().journal.push_back("message " + error);
        errors.push_back(error);
    }
    void ResultsNotSaved(const std::string& why) override { not_saved.push_back(why); }
    std::vector<results::LaunchResult> finished;
    std::vector<LaunchFailure> failures;
    std::vector<std::string> errors, not_saved;
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
        settings.install_folder = kInstall;
        settings.edition = common::Edition::kFull;
        settings.renderer = common::Renderer::kDirect3D;
        settings.app_folder = "C:\\Tools\\Bench\\";
        // The game: one record per launch, its values numbered by launch, unless told otherwise.
        standin::Get().on_run = [this](const std::string& command_line) {
            const standin::File* ini = standin::FindFile(kEngineIni);
            launches.push_back({command_line, ini ? ini->contents : ""});
            const std::string n = std::to_string(launches.size());
            if (on_launch) on_launch(launches.size());
            if (no_record.count(launches.size())) return;
            const standin::File* log = standin::FindFile(kLog);
            const std::string average =
                launches.size() <= averages.size() ? averages[launches.size() - 1] : n + ".2";
            standin::AddFile(kLog, (log ? log->contents : "") + "level," + n + ".1 / " + average +
                                       " / " + n + ".3 fps,score " + n + ",frames " + n + "\r\n");
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
            {"remove ", "clean-up"},
            {"append " + kPage, "footer"}};
        Strings steps;
        for (const std::string& line : standin::Get().journal) {
            std::string step;
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
    static size_t Lines(const std::string& path) {
        const std::string text = standin::FindFile(path)->contents;
        return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    }
    static bool Staged() { return standin::HasFile(kEngineIni) || standin::HasFile(kExecScript); }
    void Restart() {
        standin::Get().journal.clear();
        standin::Get().milliseconds = 0;
        launches.clear();
        on_launch = nullptr;
    }

    // The whole run from the click, as the window makes it; a refusal is noted as its message.
    RunReport Run(BenchmarkPreset preset, std::array<bool, 5> resolutions,
                  CustomTestChoices custom = {}) {
        RunSettings s = settings;
        s.preset = preset;
        s.resolutions = resolutions;
        s.custom = custom;
        observer = RecordingObserver{};
        observer.after = after_launch;
        refusal = {};
        RunPlan plan;
        if (!PrepareRun(s, &plan, &refusal)) {
            standin::Get().journal.push_back("message refused");
            return {};
        }
        return CarryOutRunWithOutputs(plan, observer, control);
    }

    RunSettings settings;
    RunRefusal refusal;
    RecordingObserver observer;
    RunControl control;
    std::vector<LaunchSeen> launches;
    std::set<size_t> no_record;             // launches (from 1) that leave no record
    Strings averages;                       // launch n's average when given, else "n.2"
    std::function<void(size_t)> on_launch;  // what the user does while launch n runs
    std::function<void(size_t)> after_launch;
};

const std::array<bool, 5> k640And1024 = {true, false, true, false, false};

TEST_F(RunDriverTest, FixedPresetsRunEveryStepInOrderWithTheirIniOnce) {
    using Ini = config::EngineIniPreset;
    using common::Edition;
    using common::Renderer;
    const std::array<bool, 5> three = {true, true, false, false, true};
    const char* res[] = {"640x480", "800x600", "1600x1200"};
    const struct {
        BenchmarkPreset preset;
        Edition edition;
        Renderer renderer;
        Ini ini;
        size_t n;  // levels a resolution
    } cases[] = {
        {BenchmarkPreset::kHighQuality, Edition::kFull, Renderer::kDirect3D, Ini::kMaxDetail, 7},
        {BenchmarkPreset::kLowQuality, Edition::kDemo, Renderer::kOpenGL, Ini::kMinDetail, 3},
        {BenchmarkPreset::kCpuBenchmark, Edition::kFull, Renderer::kDirect3D, Ini::kCpuLowDetail,
         1}};
    for (const auto& c : cases) {
        Restart();
        settings.edition = c.edition;
        settings.renderer = c.renderer;
        Run(c.preset, three);
        EXPECT_EQ(Steps(), (Strings{"reset", "ini", "stage", "run", "page", "clean-up", "footer"}));
        ASSERT_EQ(launches.size(), 3 * c.n);
        const std::vector<GameRun> levels = RunList(c.preset, c.edition);
        for (size_t i = 0; i < launches.size(); ++i) {
            EXPECT_EQ(launches[i].engine_ini, config::EngineIniText(c.ini, c.renderer));
            EXPECT_TRUE(launches[i].command_line.ends_with(std::string(" -") + res[i / c.n]));
            EXPECT_NE(launches[i].command_line.find(" " + levels[i % c.n].level + "?"),
                      std::string::npos);
        }
        // Three tables of a row per resolution and a column per level, and the footer.
        EXPECT_EQ(Lines(kPage), 1 + 3 * (8 + c.n + 3 * (3 + c.n)) + 11);
        EXPECT_FALSE(Staged());
    }
}

TEST_F(RunDriverTest, CustomTestBranches) {
    const std::array<bool, 5> k800 = {false, true, false, false, false};
    CustomTestChoices max;
    max.level_entry = " ctf-face3* ";
    Run(BenchmarkPreset::kCustomTest, k800, max);
    EXPECT_EQ(Steps(), (Strings{"reset", "ini", "stage", "run", "page", "clean-up"}));
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].command_line.find(" ctf-face3?game=engine.gameinfo exec=\"C:\\flybyexec"
                                            ".txt\" -benchmark -seconds=116 -nosound ini=C:\\"),
              std::string::npos);
    EXPECT_EQ(launches[0].engine_ini, config::EngineIniText(config::EngineIniPreset::kMaxDetail,
                                                            common::Renderer::kDirect3D));
    EXPECT_FALSE(Staged());

    // The user's own ini: only the script staged; their ini, and one at the root, left alone.
    Restart();
    standin::AddFile("E:\\my configs\\fast.ini", "[Engine]\r\n", platform::kReadOnly);
    standin::AddFile(kEngineIni, "[mine]\r\n", platform::kHidden);
    CustomTestChoices own;
    own.custom_ini = true;
    own.custom_ini_path = "E:\\my configs\\fast.ini";
    Run(BenchmarkPreset::kCustomTest, k800, own);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].command_line.find(" ini=\"E:\\my configs\\fast.ini\" userini="),
              std::string::npos);
    EXPECT_EQ(launches[0].engine_ini, "[mine]\r\n");
    for (const std::string& line : standin::Get().journal)
        EXPECT_EQ(line.find(kEngineIni), std::string::npos) << line;
    EXPECT_FALSE(standin::HasFile(kExecScript));
    EXPECT_TRUE(standin::HasFile("E:\\my configs\\fast.ini"));  // the clean-up takes only ours
}

TEST_F(RunDriverTest, ARefusedRunSaysWhyOnceAndStagesNothing) {
    // Without the game, and an own ini without a file: each reason found before the next.
    standin::Get().files.erase(kInstall + "\\System\\ut2003.exe");
    CustomTestChoices own;
    own.custom_ini = true;
    using Reason = RunRefusal::Reason;
    const struct {
        BenchmarkPreset preset;
        std::array<bool, 5> resolutions;
        Reason reason;
    } cases[] = {
        {BenchmarkPreset::kCustomTest, {}, Reason::kNoResolution},
        {BenchmarkPreset::kCustomTest, {false, true}, Reason::kNoCustomIni},
        {BenchmarkPreset::kHighQuality, {true, true, true, true, true}, Reason::kNoGameProgram},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.reason));
        Restart();
        standin::AddFile(kLog, "old");
        Run(c.preset, c.resolutions, own);
        EXPECT_EQ(Steps(), (Strings{"reset", "message"}));
        EXPECT_EQ(standin::FindFile(kLog)->contents, "");
        EXPECT_EQ(refusal.reason, c.reason);
    }
    // The missing game is named by the first launch's command line, as its failed start would.
    EXPECT_TRUE(refusal.detail.starts_with("\"" + kInstall + "\\System\\ut2003.exe\" ") &&
                refusal.detail.ends_with(" -640x480"))
        << refusal.detail;

    // No installation: said, and not even the logs are touched.
    Restart();
    settings.install_folder.clear();
    Run(BenchmarkPreset::kCpuBenchmark, {true});
    EXPECT_EQ(refusal.reason, Reason::kNoInstallation);
    EXPECT_EQ(standin::Get().journal, (Strings{"message refused"}));
}

TEST_F(RunDriverTest, AFailingFileStepShowsOneMessageAndTidiesUp) {
    const struct {
        const char* operation;
        std::string path;
        size_t launches;
        bool cleanup_fails;
    } cases[] = {
        {"create", kInstall + "\\Benchmark\\benchmark.log", 0, true},
        {"write", kEngineIni, 0, true},
        {"copy", kExecScript, 0, true},
        {"write", kPage, 2, true},
        // The footer is appended after the clean-up, so there it is the clean-up that fails.
        {"append", kPage, 2, true},
        {"append", kPage, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + c.path);
        Restart();
        standin::Get().failures = {{c.operation, c.path}};
        // A clean-up failing after an earlier failure is not reported a second time.
        if (c.cleanup_fails) standin::Get().failures.insert({"remove", kExecScript});
        const RunReport report = Run(BenchmarkPreset::kCpuBenchmark, k640And1024);
        EXPECT_EQ(launches.size(), c.launches);
        // The log reset's failure is a refusal: the run never starts.
        const std::vector<std::string> said = refusal.reason == RunRefusal::Reason::kFileStep
                                                  ? Strings{refusal.detail}
                                                  : observer.errors;
        ASSERT_EQ(said.size(), 1u);
        const bool footer = c.cleanup_fails && c.launches && c.operation[0] == 'a';
        EXPECT_NE(said[0].find(footer ? kExecScript : c.path), std::string::npos);
        EXPECT_FALSE(report.page_written);
        EXPECT_FALSE(standin::HasFile(kEngineIni));
        EXPECT_TRUE(c.cleanup_fails || !Staged());
    }
}

TEST_F(RunDriverTest, EachLaunchGetsItsOutcomeAndOnlyItsCellsGoBlank) {
    // Launch 1 leaves no record, 2 cannot start, 3 exits with a code, 4 hangs until the time-out,
    // and "End game now" during 6 ends that game and the run: 7 is not run.
    no_record = {1};
    standin::Get().exit_codes = {{2, 3}};  // the third game run (the second that starts)
    standin::Get().hanging_runs = {3};
    control.end_game = platform::CreateEndSignal();
    on_launch = [this](size_t n) {
        if (n == 1) standin::Get().unstartable.insert(kInstall + "\\System\\ut2003.exe");
        if (n == 5) platform::RaiseEndSignal(control.end_game);
    };
    Run(BenchmarkPreset::kHighQuality, {true, false, false, false, false});
    using O = results::LaunchOutcome;
    EXPECT_EQ(launches.size(), 5u);
    std::vector<O> outcomes;
    for (const auto& r : observer.finished) outcomes.push_back(r.outcome);
    ASSERT_EQ(outcomes, (std::vector<O>{O::kNoRecord, O::kFailedToStart, O::kRecorded, O::kTimedOut,
                                        O::kRecorded, O::kEndedByUser, O::kNotRun}));
    EXPECT_EQ(observer.finished[1].failure.substr(0, 4), "193 ");
    EXPECT_EQ(observer.finished[2].exit_code, 3u);
    EXPECT_EQ(observer.finished[3].duration_ms, (3u * 77u + 120u) * 1000u);
    ASSERT_EQ(observer.failures.size(), 1u);  // the failed start, shown by the window
    EXPECT_FALSE(observer.failures[0].program_not_found);
    // Launch 3 holds the game's second record, 5 its fourth; the third and fifth count for nothing.
    const std::string blank = "<TD>" + std::string(10, ' ') + "\r\n";
    EXPECT_NE(Page().find("<TD>640x480\r\n" + blank + blank + "<TD>2.1       \r\n" + blank +
                          "<TD>4.1       \r\n" + blank + blank + "</TR>"),
              std::string::npos)
        << Page();
}

TEST_F(RunDriverTest, ARecordIsBookedOnlyToTheLaunchThatWroteIt) {
    // The log cannot be read after launch 2; it is emptied during 4, before the game writes; 6
    // writes a malformed record. Each of those gets no record, and the next launch its own.
    on_launch = [](size_t n) {
        if (n == 2) standin::Get().failures.insert({"read", kLog});
        if (n == 4) standin::AddFile(kLog, "");
        if (n == 6)
            standin::AddFile(kLog, standin::FindFile(kLog)->contents + "level,6.1 / 6.2\r\n");
    };
    after_launch = [](size_t) { standin::Get().failures.clear(); };
    Run(BenchmarkPreset::kHighQuality, {true, false, false, false, false});
    std::string averages;
    for (const auto& r : observer.finished)
        averages += (r.HasRecord() ? r.record.average.substr(0, 3) : "-") + " ";
    EXPECT_EQ(averages, "1.2 - 3.2 - 5.2 - 7.2 ");
}

TEST_F(RunDriverTest, RepeatsAndTheResultsFolderRowByRow) {
    // The repeats differ, so results.html shows which one it took: per cell the median (lower).
    const std::string results = "C:\\Tools\\Bench\\Results";
    settings.results_folder = results;
    settings.runs_per_level = 2;
    const std::array<bool, 5> one = {false, false, true, false, false};
    on_launch = [](size_t) { standin::Get().milliseconds += 500; };  // each game's loading
    const RunReport first = Run(BenchmarkPreset::kHighQuality, one);
    ASSERT_EQ(launches.size(), 14u);
    EXPECT_NE(Page().find("<TD>1024x768\r\n<TD>1.1       \r\n<TD>3.1       \r\n"),
              std::string::npos);
    // A row a launch with its own record: the second is the first level's second repeat.
    const std::string csv = standin::FindFile(first.results_folder + "\\results.csv")->contents;
    EXPECT_NE(csv.find("\n2026-12-06T14:05:10,BENCH-PC,High Quality,full,Direct3D,1024x768,"
                       "dm-antalus,77,2,2.10,2.20,2.30,score 2,frames 2,1.000,recorded,0,"),
              std::string::npos)
        << csv;
    // Its report: its time from the click, each level's median and spread of repeats.
    const std::string report = standin::FindFile(first.report_path)->contents;
    EXPECT_NE(report.find("<tr><th>Took</th><td>21 s</td></tr>"), std::string::npos);
    EXPECT_NE(report.find("<tr><td>1024x768</td><td>dm-asbestos</td><td class=\"n\">2 of 2</td>"
                          "<td class=\"n\">13.20</td><td class=\"n\">13.20 - 14.20</td>"),
              std::string::npos);

    // The next run of that kind compares with this one; stopped after three launches, 3 rows.
    Restart();
    standin::Get().milliseconds = 60 * 1000;
    on_launch = [this](size_t n) { control.stop_after_launch = (n == 3); };
    const RunReport stopped = Run(BenchmarkPreset::kHighQuality, one);
    control.stop_after_launch = false;
    ASSERT_EQ(stopped.results_folder, results + "\\2026-12-06 14-06-09 High Quality");
    EXPECT_EQ(Lines(stopped.results_folder + "\\results.csv"), 4u);
    EXPECT_EQ(standin::FindFile(stopped.report_path)->contents.find("no earlier result"),
              std::string::npos);
}

// Until steady: the first cell is steady at its third launch, the second (its first launch
// without a record) never, so it ends at its tenth; then a run stopped during its second launch.
TEST_F(RunDriverTest, UntilSteadyMakesTheLaunchesTheRuleAsksFor) {
    settings.results_folder = "C:\\Tools\\Bench\\Results";
    settings.until_steady = true;
    no_record = {4};
    averages = {"60.00", "61.00", "60.00", "",      "50.00", "70.00", "50.00",
                "70.00", "50.00", "70.00", "50.00", "70.00", "50.00"};
    const RunReport report = Run(BenchmarkPreset::kCpuBenchmark, k640And1024);
    // Numbered in the run's order, repeats within each cell.
    std::string seen;
    for (const auto& r : observer.finished)
        seen += std::to_string(r.index) + ":" + std::to_string(r.repeat) + " ";
    EXPECT_EQ(seen, "1:1 2:2 3:3 4:1 5:2 6:3 7:4 8:5 9:6 10:7 11:8 12:9 13:10 ");
    // results.html: each cell's median record (60.00 of the third launch, 50.00 of the last).
    EXPECT_NE(Page().find("<TD>3.1       \r\n</TR>\r\n<TR>\r\n<TD>1024x768\r\n<TD>13.1"),
              std::string::npos);
    const std::string html = standin::FindFile(report.report_path)->contents;
    for (const char* text :
         {"<td>640x480</td><td>dm-inferno</td><td class=\"n\">3</td><td class=\"n\">60.00</td>"
          "<td class=\"n\">60.33</td><td class=\"n\">1.0%</td><td>steady after 3 runs</td>",
          "<td class=\"n\">10</td><td class=\"n\">50.00</td><td class=\"n\">58.89</td>"
          "<td class=\"n\">17.9%</td><td>not steady after 10 runs</td>"})
        EXPECT_NE(html.find(text), std::string::npos) << text;

    // A stop: the cell ends with its launch, and the next one is said "not run" once.
    Restart();
    on_launch = [this](size_t n) { control.stop_after_launch = (n == 2); };
    Run(BenchmarkPreset::kCpuBenchmark, k640And1024);
    ASSERT_EQ(observer.finished.size(), 3u);
    EXPECT_TRUE(observer.finished[2].outcome == results::LaunchOutcome::kNotRun &&
                observer.finished[2].resolution == "1024x768");
}

// Under a folder on a share that many machines write to: only folders below the share are asked
// for, the run's folder is named with the computer (made fit for a name) and, when another run
// made that name first, takes the next. Its results.csv held open during launch 2 and gone during
// 3 is written again whole, header first; held open from 2 to the end, rows 2 and 3 are said. The
// report is written either way. A path too long for Windows is said once, before anything is made.
TEST_F(RunDriverTest, RunFoldersOnAShareAreNeverSharedAndKeepTheirRows) {
    standin::AddFolder("\\\\labserver\\bench");
    standin::Get().system_info.computer_name = "LAB:7.";
    settings.results_folder = "\\\\labserver\\bench\\lab";
    settings.results_name_computer = true;
    const std::string first = settings.results_folder + "\\2026-12-06 14-05-09 LAB_7 CPU Benchmark";
    for (const std::string& folder : {first, first + " (2)"}) {
        Restart();  // the same second
        const std::string csv = folder + "\\results.csv";
        const bool gone = folder == first;
        on_launch = [&](size_t n) {
            if (n == 2) standin::Get().files[csv].locked = true;
            if (n == 3 && gone) standin::Get().files.erase(csv);
        };
        const RunReport report = Run(BenchmarkPreset::kCpuBenchmark, {true, true, true});
        ASSERT_EQ(report.results_folder, folder);
        const std::string text = standin::FindFile(csv)->contents;
        EXPECT_TRUE(text.starts_with(results::ResultsCsvHeaderLine()));
        EXPECT_EQ(Lines(csv), gone ? 4u : 2u);
        EXPECT_TRUE(standin::HasFile(report.report_path) && report.page_written);
        EXPECT_EQ(observer.not_saved, gone ? Strings{} : Strings{report.rows_not_saved});
        EXPECT_TRUE(gone || report.rows_not_saved.ends_with(" Not saved there: run 2 dm-inferno "
                                                            "800x600, run 3 dm-inferno 1024x768."))
            << report.rows_not_saved;
    }
    EXPECT_EQ(standin::Get().folders_made,
              (Strings{settings.results_folder, first, first, first + " (2)"}));

    Restart();
    standin::Get().folders_made.clear();
    settings.results_folder = "C:\\" + std::string(205, 'x');
    EXPECT_TRUE(Run(BenchmarkPreset::kCpuBenchmark, k640And1024).report_path.empty());
    EXPECT_EQ(Lines(kPage), 63u);  // results.html all the same
    ASSERT_EQ(observer.not_saved.size(), 1u);
    EXPECT_NE(observer.not_saved[0].find("would be 260 characters long, and Windows allows 259"),
              std::string::npos)
        << observer.not_saved[0];
    EXPECT_TRUE(standin::Get().folders_made.empty());
}

// The system's counters around each launch, less the game's time and ours: in the first launch
// of 1 s, 1.75 s busy (two processors), 0.4 s of it the game's and 0.1 s ours; the second cannot
// say. The game's version is read once a run.
TEST_F(RunDriverTest, EachLaunchSaysWhatOtherProgramsUsedAndTheRunTheGamesVersion) {
    settings.results_folder = "C:\\Tools\\Bench\\Results";
    standin::Get().file_versions[kInstall + "\\System\\ut2003.exe"] = {2, 0, 2225, 10};
    on_launch = [](size_t n) {
        standin::State& s = standin::Get();
        s.system_busy = n == 1 ? std::optional<uint64_t>(17'500'000) : std::nullopt;
        s.own_processor_time = 1'000'000 * n;
        s.game_processor_time = 4'000'000;
    };
    const RunReport report = Run(BenchmarkPreset::kCpuBenchmark, k640And1024);
    const std::string csv = standin::FindFile(report.results_folder + "\\results.csv")->contents;
    const std::string page = standin::FindFile(report.report_path)->contents;
    for (const auto& [text, part] : {std::pair{csv, ",125.0,yes,2.0.2225.10,\r\n"},
                                     {csv, ",,unknown,2.0.2225.10,\r\n"},
                                     {page, "<td>2.0.2225.10</td>"},
                                     {page, "<td class=\"disturbed\">125.0%: disturbed</td>"},
                                     {page, "<td class=\"n\">unknown</td>"}})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    standin::Get().file_versions.clear();
    EXPECT_EQ(GameVersion(kInstall), "unknown");
}

// Counters in 100 ns units around a launch of 2 s: 3 s busy, 0.1 s of it ours.
TEST(BackgroundCpuPercent, OthersShareOfOneProcessorNeverBelowZero) {
    const CpuCounters before = {100'000'000, 7'000'000}, after = {130'000'000, 8'000'000};
    EXPECT_NEAR(*BackgroundCpuPercent(before, after, 15'000'000, 2000), 70.0, 1e-9);
    EXPECT_EQ(BackgroundCpuPercent(before, after, 29'500'000, 2000), 0.0);
    EXPECT_EQ(BackgroundCpuPercent(after, before, 0, 2000), 0.0);  // counters gone backwards
    // Nothing to tell without a count or a length.
    EXPECT_EQ(BackgroundCpuPercent(before, after, std::nullopt, 2000), std::nullopt);
    EXPECT_EQ(BackgroundCpuPercent({std::nullopt, 7'000'000}, after, 0, 2000), std::nullopt);
    EXPECT_EQ(BackgroundCpuPercent(before, after, 0, 0), std::nullopt);
}

}  // namespace
}  // namespace core
