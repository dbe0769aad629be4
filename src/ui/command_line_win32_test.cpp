// benchwright.exe with arguments under Wine, as a script runs it: output through a pipe and a
// file, exit codes, files written, and no window, message box or browser along the way.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "program_win32.h"

namespace {

using namespace test_program;
namespace ts = test_support;
using Lines = std::vector<std::string>;

constexpr const char* kResults = "T:\\bw_results";
const std::string kToResults = std::string(" --results ") + kResults;
const std::string kCpu640 = "--preset cpu --resolutions 640x480" + kToResults;

std::string Page() { return ts::TestExeFolder() + "\\results.html"; }

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
    Lines out;              // its standard output, a pipe
    Lines error;            // its standard error, a file
    std::string window;     // the first window it showed but the progress window: "" when none
    bool progress = false;  // the progress window ("Benchmark running") was seen
};

// Runs benchwright.exe with `args` in `folder` (empty: this one) and waits for it to end. Any
// window it shows is noted and, when a message box, pressed away so that the run can end.
Outcome Benchwright(const std::string& args, const std::string& folder = "") {
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
    EXPECT_NE(error_file, INVALID_HANDLE_VALUE) << error_path;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_out;
    startup.hStdError = error_file;
    std::string command = Quoted(TestBuildExe()) + " " + args;
    PROCESS_INFORMATION process = {};
    const bool started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process);
    CloseHandle(write_out);
    CloseHandle(error_file);
    EXPECT_TRUE(started) << command;
    if (started) {
        const DWORD start = GetTickCount();
        while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
            if (GetTickCount() - start > kRunWait) {
                ADD_FAILURE() << command << " did not end in time";
                TerminateProcess(process.hProcess, 99);
                WaitForSingleObject(process.hProcess, 10000);
                break;
            }
            HWND shown = ts::FindVisibleWindow(process.dwProcessId, [](HWND) { return true; });
            const std::string caption = shown ? gui::Text(shown) : "";
            if (caption == "Benchmark running") {
                outcome.progress = true;
            } else if (!caption.empty() && outcome.window.empty()) {  // "": one going away
                outcome.window = caption + " ";
            }
            const ts::MessageBoxSeen box = ts::WaitForMessageBox(process.dwProcessId, 0);
            if (box.window) {
                outcome.window = box.title + ": " + box.text;
                ts::DismissMessageBox(box.window);
            }
        }
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

// Each test starts from the full edition installed at T:\UT2003 with an old log, no results, and
// pages "opened" by the capturing program.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ts::DeleteGameKey(ts::kDemoKey);
        ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
        ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, ts::kInstall);
        ts::WriteFile(ts::LogPath(ts::kInstall), "old record\r\n");
        ts::RemoveTree(OpenedFolder());
        ts::RemoveTree(kResults);
        DeleteFileA(Page().c_str());
    }
    void TearDown() override {
        ts::RemoveFakeInstalls();
        ts::RemoveTree(kDemoInstall);
        ts::RemoveTree(kResults);
        ts::DeleteGameKey(ts::kFullKey);
    }

    static bool NothingOpened() {
        return GetFileAttributesA(OpenedFolder().c_str()) == INVALID_FILE_ATTRIBUTES;
    }
    // Nothing of a run happened: no game, no page, no results, the log as it was.
    static void ExpectNothingWritten() {
        EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());
        EXPECT_EQ(GetFileAttributesA(Page().c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA(kResults), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA("T:\\UT2003.ini"), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "old record\r\n");
    }

private:
    ts::HtmlAssociation html_{CaptureCommand()};
};

// "run 2 of 2: dm-inferno 1024x768: avg 61.23 fps"
::testing::AssertionResult RecordedLine(const std::string& line, const std::string& start) {
    const bool ok = line.starts_with(start + ": avg ") && line.ends_with(" fps") &&
                    line.find('.') != std::string::npos;
    return ok ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << line;
}

TEST_F(CommandLine, ARunNeedsNoClickPrintsItsLaunchesOpensNothingAndCompares) {
    // A game long enough for the progress window to be seen: the one window a run shows.
    ts::WriteControl(ts::kInstall, "sleep 1500");
    const Outcome run = Benchwright("--preset cpu --resolutions 640x480,1024x768");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.window, "");
    EXPECT_TRUE(run.progress);
    EXPECT_TRUE(run.error.empty()) << run.error[0];
    ASSERT_EQ(run.out.size(), 3u);
    EXPECT_TRUE(RecordedLine(run.out[0], "run 1 of 2: dm-inferno 640x480"));
    EXPECT_TRUE(RecordedLine(run.out[1], "run 2 of 2: dm-inferno 1024x768"));

    // The results folder beside the exe, and results.html there too.
    const std::string folder = run.out[2];
    EXPECT_TRUE(folder.starts_with(ts::TestExeFolder() + "\\Results\\")) << folder;
    EXPECT_TRUE(folder.ends_with(" CPU Benchmark")) << folder;
    const Lines csv = SplitLines(ts::ReadFile(folder + "\\results.csv"));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_TRUE(Contains(csv[2], "1024x768"));
    EXPECT_TRUE(Contains(ts::ReadFile(folder + "\\report.html"), "dm-inferno"));
    EXPECT_TRUE(Contains(ts::ReadFile(Page()), "1024x768"));
    EXPECT_TRUE(NothingOpened());
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), 2u);
    EXPECT_EQ(GetFileAttributesA("T:\\UT2003.ini"), INVALID_FILE_ATTRIBUTES);  // tidied up

    // --compare of that folder and another run's writes compare.html in the current folder, with
    // its CSV beside it.
    ts::WriteControl(ts::kInstall, "");
    const Outcome second =
        Benchwright("--preset cpu --resolutions 640x480 --renderer opengl" + kToResults);
    ASSERT_EQ(second.exit_code, 0);
    ts::MakeFolders("T:\\bw_work");
    const Outcome compare =
        Benchwright("--compare \"" + folder + "\" \"" + second.out.back() + "\"", "T:\\bw_work");
    EXPECT_EQ(compare.exit_code, 0);
    EXPECT_EQ(compare.window, "");
    EXPECT_EQ(compare.out, Lines{"T:\\bw_work\\compare.html"});
    const std::string page = ts::ReadFile("T:\\bw_work\\compare.html");
    EXPECT_TRUE(Contains(page, "1024x768") && Contains(page, "640x480")) << page;
    EXPECT_EQ(SplitLines(ts::ReadFile("T:\\bw_work\\compare.csv")).size(), 3u);  // header, 2 rows
    EXPECT_TRUE(NothingOpened());
    ts::RemoveTree("T:\\bw_work");
    ts::RemoveTree(folder);
}

TEST_F(CommandLine, LaunchesWithoutARecordGiveExitCodeOneAndSayWhy) {
    ts::WriteControl(ts::kInstall, "norecord 1");
    // --results from the current folder, as a script in T:\ gives it.
    Outcome run =
        Benchwright("/Preset CPU /Resolutions 640x480,800x600 --results bw_results", "T:\\");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.window, "");
    ASSERT_EQ(run.out.size(), 3u);
    EXPECT_EQ(run.out[0], "run 1 of 2: dm-inferno 640x480: no record");
    EXPECT_TRUE(RecordedLine(run.out[1], "run 2 of 2: dm-inferno 800x600"));
    EXPECT_TRUE(run.out[2].starts_with(std::string(kResults) + "\\")) << run.out[2];
    EXPECT_TRUE(Contains(ts::ReadFile(run.out[2] + "\\results.csv"), "no record"));

    // A game that will not start: the reason on the line, the run goes on to its end.
    ts::WriteControl(ts::kInstall, "");
    ASSERT_TRUE(ts::WriteFile(ts::GamePath(ts::kInstall), "not a program"));
    run = Benchwright(kCpu640);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.window, "");
    ASSERT_EQ(run.out.size(), 2u);
    EXPECT_TRUE(run.out[0].starts_with("run 1 of 1: dm-inferno 640x480: failed to start: 193"))
        << run.out[0];
    EXPECT_TRUE(Contains(ts::ReadFile(run.out[1] + "\\results.csv"), "failed to start"));

    // No game program at all: no run starts (one line saying so), nothing staged.
    DeleteFileA(ts::GamePath(ts::kInstall).c_str());
    run = Benchwright(kCpu640);
    EXPECT_EQ(run.exit_code, 3);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(NothingOpened());
}

// Wrong arguments give 2; another Benchwright running or no installation give 3; none writes.
TEST_F(CommandLine, ARunThatCannotStartGivesItsExitCodeAndChangesNothing) {
    const char* const cases[][2] = {
        {"--preset cpu --resolutions 640x480 --colour blue", "--colour"},
        {"--preset custom --resolutions 640x480 --ini T:\\missing.ini", "T:\\missing.ini"},
    };
    for (const auto& [args, named] : cases) {
        const Outcome run = Benchwright(std::string(args) + kToResults);
        EXPECT_EQ(run.exit_code, 2) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        ASSERT_EQ(run.error.size(), 1u) << args;
        EXPECT_TRUE(Contains(run.error[0], named)) << run.error[0];
        EXPECT_EQ(run.window, "") << args;
    }

    // This process holds the one-instance mutex as a running Benchwright does: only a run waits.
    HANDLE other = CreateMutexA(nullptr, FALSE, "Benchwright.OneInstance");
    ASSERT_TRUE(other);
    Outcome run = Benchwright(kCpu640);
    EXPECT_EQ(run.exit_code, 3);
    ASSERT_EQ(run.error.size(), 1u);
    EXPECT_TRUE(Contains(run.error[0], "another Benchwright is running")) << run.error[0];
    run = Benchwright("/?");
    EXPECT_EQ(run.exit_code, 0);
    ASSERT_GT(run.out.size(), 10u);
    EXPECT_EQ(run.out[0], "Usage:");
    EXPECT_EQ(Benchwright("--compare T:\\nothing --out T:\\nothing.html").exit_code, 1);
    EXPECT_NE(GetFileAttributesA("T:\\nothing.html"), INVALID_FILE_ATTRIBUTES);
    DeleteFileA("T:\\nothing.html");
    DeleteFileA("T:\\nothing.csv");
    CloseHandle(other);

    ts::DeleteGameKey(ts::kFullKey);
    run = Benchwright(kCpu640);
    EXPECT_EQ(run.exit_code, 3);
    EXPECT_EQ(run.window, "");  // not even the window's "Install UT2003" message
    ASSERT_EQ(run.error.size(), 1u);
    EXPECT_TRUE(Contains(run.error[0], "neither")) << run.error[0];
    ExpectNothingWritten();
    EXPECT_TRUE(NothingOpened());
}

}  // namespace
