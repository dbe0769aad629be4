// benchwright.exe with arguments under Wine, as a script runs it: output through a pipe and a
// file, exit codes, paths taken from the current folder, and no window but the progress window,
// no message box and no browser along the way; what other programs did during each launch.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/presets.h"
#include "platform/platform.h"
#include "program_win32.h"
#include "results/csv.h"
#include "results/results_csv.h"
#include "results/run_statistics.h"
#include "standin_values.h"
#include "standin_version.h"
#include "steady_check.h"

namespace {

using namespace test_program;
namespace ts = test_support;
using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text) {
    Lines lines;
    for (size_t at = 0, end; at < text.size(); at = end + 2) {
        end = std::min(text.find("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

// What one benchwright.exe with arguments did.
struct Outcome {
    long exit_code = -1;
    Lines out;      // its standard output, a pipe
    Lines error;    // its standard error, a file
    Lines windows;  // the captions of the windows it showed, each once
};

// Runs benchwright.exe with `args` in `folder` and waits for it to end. Each window it shows is
// noted and, when a message box, pressed away so that the run can end.
Outcome Benchwright(const std::string& args, const char* folder = "T:\\") {
    Outcome outcome;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read_out = nullptr, write_out = nullptr;
    EXPECT_TRUE(CreatePipe(&read_out, &write_out, &inherit, 1 << 16));
    SetHandleInformation(read_out, HANDLE_FLAG_INHERIT, 0);
    // A new file each time: Wine may close an ended process's copy of the last one a little later.
    static int runs = 0;
    const std::string error_path = "T:\\bw_stderr_" + std::to_string(++runs) + ".txt";
    HANDLE error_file = CreateFileA(error_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                    CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_out;
    startup.hStdError = error_file;
    std::string command = Quoted(TestBuildExe()) + " " + args;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder, &startup, &process);
    CloseHandle(write_out);
    CloseHandle(error_file);
    EXPECT_TRUE(started) << command;
    const DWORD start = GetTickCount();
    while (started && WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > kRunWait) {
            ADD_FAILURE() << command << " did not end in time";
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 10000);
        }
        HWND shown = ts::FindVisibleWindow(process.dwProcessId, [](HWND) { return true; });
        const std::string caption = shown ? gui::Text(shown) : "";  // "": one going away
        if (!caption.empty() &&
            std::ranges::find(outcome.windows, caption) == outcome.windows.end())
            outcome.windows.push_back(caption);
        const ts::MessageBoxSeen box = ts::WaitForMessageBox(process.dwProcessId, 0);
        if (box.window) ts::DismissMessageBox(box.window);
    }
    if (started) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        outcome.exit_code = static_cast<long>(code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_out, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    CloseHandle(read_out);
    outcome.out = SplitLines(out);
    outcome.error = SplitLines(ts::ReadFile(error_path));
    DeleteFileA(error_path.c_str());
    return outcome;
}

// Each test starts from the full edition installed at T:\UT2003 with an old log, and pages
// "opened" by the capturing program.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ts::DeleteGameKey(ts::kDemoKey);
        ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
        ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, ts::kInstall);
        ts::WriteFile(ts::LogPath(ts::kInstall), "old record\r\n");
        ts::RemoveTree(OpenedFolder());
    }
    void TearDown() override {
        ts::RemoveFakeInstalls();
        ts::RemoveTree("T:\\bw_results");
        ts::DeleteGameKey(ts::kFullKey);
        EXPECT_EQ(GetFileAttributesA(OpenedFolder().c_str()), INVALID_FILE_ATTRIBUTES);
    }

private:
    ts::HtmlAssociation html_{CaptureCommand()};
};

// 50, 70, then 60s within 10 %: the sample deviation (n - 1) is 9.6 % only at the seventh
// launch; the population's would have stopped at the sixth.
TEST_F(CommandLine, RunsSteadyMakesTheLaunchesTheRuleAsksFor) {
    std::string averages = "average 1 5000\naverage 2 7000";
    for (int n = 3; n <= 10; ++n) averages += "\naverage " + std::to_string(n) + " 6000";
    ts::WriteControl(ts::kInstall, averages);
    const Outcome run = Benchwright(
        "--preset cpu --resolutions 800x600 --runs steady --steady-within 10 --results bw_results");
    EXPECT_EQ(run.exit_code, 0);
    ASSERT_FALSE(run.out.empty());
    std::vector<std::vector<std::string>> rows;
    ASSERT_TRUE(
        results::ReadResultsCsv(ts::ReadFile(run.out.back() + "\\results.csv"), &rows, nullptr));
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), rows.size());
    EXPECT_EQ(rows.size(), standin::LaunchesTheRuleAsksFor(rows, 100));
    if (standin::AnyDisturbed(rows)) GTEST_SKIP() << "a busy machine: some launch was disturbed";
    ASSERT_EQ(run.out.size(), 8u);
    EXPECT_EQ(run.out[6], "run 7 of at most 10: dm-inferno 800x600: avg 60.00 fps");
    EXPECT_TRUE(Contains(ts::ReadFile(run.out[7] + "\\report.html"), "steady after 7 runs"));
}

void Spin(const std::atomic<bool>* done) {
    while (!*done) continue;
}

// Keeps both processors busy from this process (another program to Benchwright) while the
// stand-in game's run `n` lasts, as its journal tells.
void HogDuringRun(size_t n) {
    const auto seen = [n](bool ended) {
        const auto runs = ts::StandinRuns(ts::kInstall);
        return runs.size() >= n && (!ended || !runs[n - 1].outcome.empty());
    };
    Until([&] { return seen(false); }, kRunWait);
    std::atomic<bool> done{false};
    std::thread first(Spin, &done), second(Spin, &done);
    Until([&] { return seen(true); }, kRunWait);
    done = true;
    first.join();
    second.join();
}

TEST_F(CommandLine, ALaunchOtherProgramsKeptBusyIsDisturbedAndRowsNameTheGamesVersion) {
    ts::WriteControl(ts::kInstall, "sleep 1500");
    std::thread hog(HogDuringRun, 2);
    const Outcome run =
        Benchwright("--preset cpu --resolutions 640x480,800x600,1024x768 --results bw_results");
    hog.join();
    std::vector<std::vector<std::string>> rows;
    ASSERT_TRUE(
        results::ReadResultsCsv(ts::ReadFile(run.out.back() + "\\results.csv"), &rows, nullptr));
    ASSERT_EQ(rows.size(), 3u);
    std::vector<double> figure;
    for (const auto& row : rows) {
        EXPECT_EQ(row[results::kGameVersion], STANDIN_FILE_VERSION_DOTTED);
        figure.push_back(results::ParseFps(row[results::kBackgroundCpuPercent]).value_or(-1));
    }
    const std::string figures = testing::PrintToString(figure);
    std::printf("background_cpu_percent, launch by launch: %s\n", figures.c_str());
    EXPECT_EQ(rows[1][results::kDisturbed], "yes") << figures;
    EXPECT_GE(std::min(figure[0], figure[2]), 0) << figures;
    // Other work on the machine counts too: once it fills both processors, nothing can show.
    if (std::max(figure[0], figure[2]) > 120) GTEST_SKIP() << "a busy machine: " << figures;
    EXPECT_GT(figure[1], std::max(figure[0], figure[2]) + 40) << figures;
}

// A results.csv of `preset` with recorded launches of dm-antalus and dm-inferno at 1024x768.
std::string ResultsCsv(const std::string& preset, const Lines& antalus, const Lines& inferno) {
    using namespace results;
    std::string text = ResultsCsvHeaderLine();
    std::vector<std::string> row(kResultsCsvColumns.size());
    row[kPreset] = preset;
    row[kEdition] = "full";
    row[kRenderer] = "Direct3D";
    row[kResolution] = "1024x768";
    row[kOutcome] = "recorded";
    for (const Lines* level : {&antalus, &inferno}) {
        row[kLevel] = level == &antalus ? "dm-antalus" : "dm-inferno";
        for (const std::string& average : *level) {
            row[kAvgFps] = average;
            text += CsvLine(row);
        }
    }
    return text;
}

// Two High Quality runs, dm-antalus clearly faster in the second, dm-inferno overlapping, and a
// CPU Benchmark run of dm-antalus with no change against either, compared from the current
// folder. Then --out: a name Windows shortens is written as stored with its CSV beside the page,
// an input is never replaced (2), a page held open by another program cannot be written (4).
TEST_F(CommandLine, ACompareSaysWhichChangesAreRealAndWritesItsPageAsWindowsNamesIt) {
    const std::pair<const char*, std::string> runs[] = {
        {"a", ResultsCsv("High Quality", {"50.00", "50.20", "49.90"}, {"40.00", "42.00", "41.00"})},
        {"b", ResultsCsv("High Quality", {"55.10", "54.80", "55.30"}, {"41.50", "40.50", "42.50"})},
        {"c", ResultsCsv("CPU Benchmark", {"80.00", "84.00"}, {})}};
    for (const auto& [name, csv] : runs) {
        const std::string folder = std::string("T:\\bw_work\\runs\\") + name;
        ASSERT_TRUE(ts::MakeFolders(folder) && ts::WriteFile(folder + "\\results.csv", csv));
    }
    const Outcome compare = Benchwright("--compare runs", "T:\\bw_work");
    EXPECT_EQ(compare.exit_code, 0);
    EXPECT_TRUE(compare.windows.empty()) << compare.windows[0];
    EXPECT_EQ(compare.out, Lines{"T:\\bw_work\\compare.html"});
    const std::string page = ts::ReadFile("T:\\bw_work\\compare.html");
    EXPECT_TRUE(Contains(page, "+10.2%</span> <span class=\"real\">real</span>"));
    EXPECT_TRUE(Contains(page, "+1.2%</span> within noise"));
    EXPECT_TRUE(Contains(ts::ReadFile("T:\\bw_work\\compare.csv"),
                         "\nCPU Benchmark,full,Direct3D,dm-antalus,1024x768,,,,,,,,,,,,,,,"
                         "80.00,80.00,84.00,5.0,,,2\r\n"));

    const Outcome named = Benchwright("--compare runs --out \"drivers.csv \"", "T:\\bw_work");
    EXPECT_EQ(named.out.back(), "T:\\bw_work\\drivers.csv");
    EXPECT_TRUE(Contains(ts::ReadFile("T:\\bw_work\\drivers.csv"), "<html"));
    EXPECT_FALSE(Contains(ts::ReadFile("T:\\bw_work\\drivers.csv.csv"), "<html"));
    ts::WriteFile("T:\\bw_work\\mine.csv", "mine");
    EXPECT_EQ(Benchwright("--compare mine.csv --out MINE.html", "T:\\bw_work").exit_code, 2);
    EXPECT_EQ(ts::ReadFile("T:\\bw_work\\mine.csv"), "mine");
    HANDLE held =
        CreateFileA("T:\\bw_work\\held.html", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const Outcome unwritable = Benchwright("--compare runs --out held.html", "T:\\bw_work");
    CloseHandle(held);
    EXPECT_EQ(unwritable.exit_code, 4);
    EXPECT_TRUE(!unwritable.error.empty() && Contains(unwritable.error[0], "bw_work\\held.html"));
    ts::RemoveTree("T:\\bw_work");
}

// This process holds the one-instance mutex as a running Benchwright does: a run is refused,
// wrong arguments are named, help prints; no refusal shows a window or does a thing.
TEST_F(CommandLine, RefusedRunsGiveTheirCodeAndDoNothingButHelpStillPrints) {
    HANDLE other = CreateMutexA(nullptr, FALSE, "Global\\Benchwright.OneInstance");
    ASSERT_TRUE(other);
    Outcome run = Benchwright("--preset cpu --resolutions 640x480 --colour blue");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.out.empty() && run.windows.empty());
    ASSERT_EQ(run.error.size(), 1u);
    EXPECT_TRUE(Contains(run.error[0], "--colour")) << run.error[0];
    run = Benchwright("--preset cpu --resolutions 640x480");
    EXPECT_EQ(run.exit_code, 3);
    EXPECT_TRUE(run.windows.empty()) << run.windows[0];
    ASSERT_EQ(run.error.size(), 1u);
    EXPECT_TRUE(Contains(run.error[0], "another Benchwright is running")) << run.error[0];
    EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());
    EXPECT_EQ(GetFileAttributesA("T:\\UT2003.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "old record\r\n");
    run = Benchwright("/?");
    EXPECT_EQ(run.exit_code, 0);
    ASSERT_GT(run.out.size(), 10u);
    EXPECT_EQ(run.out[0], "Usage:");
    CloseHandle(other);
}

// The one run folder under T:\bw_results, or "".
std::string RunFolder() {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA("T:\\bw_results\\2*", &found);
    if (h == INVALID_HANDLE_VALUE) return "";
    FindClose(h);
    return std::string("T:\\bw_results\\") + found.cFileName;
}

// Killed while its game runs, a run takes its game with it before the record is written, but
// leaves our read-only UT2003.ini at the root and the user's own renamed. The next command-line
// start puts that right first, even one refused (3) for a game no Benchwright started. Then a
// run whose results.csv another program holds open for three seconds once the first row is in
// shows only its progress, books each launch's own record and writes every row.
TEST_F(CommandLine, AKilledRunIsPutRightAndNoRecordOrRowGoesAstray) {
    const std::string game = ts::GamePath(ts::kInstall);
    const char* const backup = "T:\\UT2003.ini.user-backup";
    ASSERT_TRUE(ts::WriteFile("T:\\UT2003.ini", "mine\r\n"));
    ts::WriteControl(ts::kInstall, "sleep 60000");
    std::thread killed([] { Benchwright("--preset cpu --resolutions 800x600 --results bw_kill"); });
    EXPECT_TRUE(Until([] { return ts::StandinRuns(ts::kInstall).size() == 1; }));
    EXPECT_TRUE(platform::EndProgram(TestBuildExe()));
    killed.join();
    EXPECT_FALSE(platform::ProgramRunning(game, kWait));
    ASSERT_EQ(ts::ReadFile(backup), "mine\r\n");
    ts::RemoveTree("T:\\bw_kill");

    ts::WriteFile(ts::LogPath(ts::kInstall), "old record\r\n");
    const std::string stuff = std::string(ts::kInstall) + "\\Benchmark\\Stuff\\";
    ASSERT_TRUE(platform::StartProgram(
        core::BuildGameCommandLine(
            {ts::kInstall, stuff + "flybyexec.txt", stuff + "MaxDetailUser.ini"},
            {"dm-inferno", 77}, "640x480", core::kMaxDetailUserIni),
        nullptr));
    ASSERT_TRUE(Until([] { return ts::StandinRuns(ts::kInstall).size() == 2; }));
    const Outcome refused = Benchwright("--preset cpu --resolutions 640x480");
    EXPECT_EQ(refused.exit_code, 3);
    EXPECT_TRUE(refused.windows.empty()) << refused.windows[0];
    ASSERT_EQ(refused.error.size(), 1u);
    EXPECT_TRUE(Contains(refused.error[0], "ut2003.exe is still running")) << refused.error[0];
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "old record\r\n");
    EXPECT_EQ(ts::ReadFile("T:\\UT2003.ini"), "mine\r\n");
    EXPECT_EQ(GetFileAttributesA(backup), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("T:\\flybyexec.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(platform::EndProgram(game));

    ts::WriteControl(ts::kInstall, "sleep 1500");
    Outcome next;
    std::thread run([&] {
        next =
            Benchwright("--preset cpu --resolutions 640x480,800x600,1024x768 --results bw_results");
    });
    std::string csv;
    EXPECT_TRUE(Until([&] {
        csv = RunFolder() + "\\results.csv";
        return std::ranges::count(ts::ReadFile(csv), '\n') == 2;
    }));
    HANDLE held = CreateFileA(csv.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Sleep(3000);  // the lock itself, not a wait for something
    CloseHandle(held);
    run.join();
    EXPECT_EQ(next.exit_code, 0);
    EXPECT_EQ(next.windows, Lines{"Benchmark running"});
    EXPECT_TRUE(next.error.empty()) << next.error[0];
    EXPECT_EQ(std::ranges::count(ts::ReadFile(csv), '\n'), 4);
    EXPECT_NE(GetFileAttributesA((RunFolder() + "\\report.html").c_str()), INVALID_FILE_ATTRIBUTES);
    const auto runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 5u);
    ASSERT_EQ(next.out.size(), 4u);
    EXPECT_EQ(next.out[3], RunFolder());  // made absolute from the current folder
    EXPECT_EQ(runs[0].outcome, "");       // the orphan never came to its end
    const char* resolutions[] = {"640x480", "800x600", "1024x768"};
    for (size_t i = 0; i < 3; ++i) {
        const auto rates = standin::RatesFor("dm-inferno", resolutions[i], runs[i + 2].ini_sum);
        EXPECT_TRUE(next.out[i].ends_with(" avg " + standin::Hundredths(rates.average) + " fps"))
            << next.out[i];
    }
}

}  // namespace
