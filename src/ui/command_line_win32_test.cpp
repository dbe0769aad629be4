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

#include "program_win32.h"
#include "results/results_csv.h"
#include "results/run_statistics.h"
#include "standin_version.h"

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

    // A run that cannot start ran no game and changed no file.
    static void ExpectNothingDone() {
        EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());
        EXPECT_EQ(GetFileAttributesA("T:\\UT2003.ini"), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "old record\r\n");
    }

private:
    ts::HtmlAssociation html_{CaptureCommand()};
};

TEST_F(CommandLine, ARunShowsOnlyItsProgressAndPrintsEachLaunchAndItsFolder) {
    // Games long enough for the progress window to be seen; the first leaves no record.
    ts::WriteControl(ts::kInstall, "sleep 1500\nnorecord 1");
    const Outcome run =
        Benchwright("--preset cpu --resolutions 640x480,1024x768 --results bw_results");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.windows, Lines{"Benchmark running"});
    EXPECT_TRUE(run.error.empty()) << run.error[0];
    ASSERT_EQ(run.out.size(), 3u);
    EXPECT_EQ(run.out[0], "run 1 of 2: dm-inferno 640x480: no record");
    EXPECT_TRUE(run.out[1].starts_with("run 2 of 2: dm-inferno 1024x768: avg ")) << run.out[1];
    // The results folder from the current folder.
    EXPECT_TRUE(run.out[2].starts_with("T:\\bw_results\\")) << run.out[2];
    EXPECT_TRUE(Contains(ts::ReadFile(run.out[2] + "\\results.csv"), "no record"));
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

TEST_F(CommandLine, ACompareWritesItsPageInTheCurrentFolder) {
    ASSERT_TRUE(ts::MakeFolders("T:\\bw_work"));
    const Outcome compare = Benchwright("--compare T:\\nothing", "T:\\bw_work");
    EXPECT_EQ(compare.exit_code, 1);  // nothing read
    EXPECT_TRUE(compare.windows.empty()) << compare.windows[0];
    ASSERT_FALSE(compare.out.empty());
    EXPECT_EQ(compare.out.back(), "T:\\bw_work\\compare.html");
    EXPECT_NE(GetFileAttributesA("T:\\bw_work\\compare.html"), INVALID_FILE_ATTRIBUTES);
    ts::RemoveTree("T:\\bw_work");
}

TEST_F(CommandLine, WrongArgumentsGiveTwoAndNameTheArgument) {
    const Outcome run = Benchwright("--preset cpu --resolutions 640x480 --colour blue");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.out.empty());
    ASSERT_EQ(run.error.size(), 1u);
    EXPECT_TRUE(Contains(run.error[0], "--colour")) << run.error[0];
    EXPECT_TRUE(run.windows.empty()) << run.windows[0];
    ExpectNothingDone();
}

// This process holds the one-instance mutex as a running Benchwright does: only a run waits.
TEST_F(CommandLine, AnotherBenchwrightRunningGivesThreeButHelpStillPrints) {
    HANDLE other = CreateMutexA(nullptr, FALSE, "Global\\Benchwright.OneInstance");
    ASSERT_TRUE(other);
    Outcome run = Benchwright("--preset cpu --resolutions 640x480");
    EXPECT_EQ(run.exit_code, 3);
    ASSERT_EQ(run.error.size(), 1u);
    EXPECT_TRUE(Contains(run.error[0], "another Benchwright is running")) << run.error[0];
    ExpectNothingDone();
    run = Benchwright("/?");
    EXPECT_EQ(run.exit_code, 0);
    ASSERT_GT(run.out.size(), 10u);
    EXPECT_EQ(run.out[0], "Usage:");
    CloseHandle(other);
}

// A missing game program shows no message box; the other refusals are command_line_test's.
TEST_F(CommandLine, ARunThatCannotStartGivesThreeAndSaysWhyOnTheConsole) {
    DeleteFileA(ts::GamePath(ts::kInstall).c_str());
    const Outcome run = Benchwright("--preset cpu --resolutions 640x480");
    EXPECT_EQ(run.exit_code, 3);
    EXPECT_TRUE(run.windows.empty()) << run.windows[0];
    ASSERT_EQ(run.error.size(), 1u);
    EXPECT_TRUE(Contains(run.error[0], "ut2003.exe")) << run.error[0];
}

}  // namespace
