// A run as the user sees it, under Wine against the stand-in game: the windows stay alive, the
// progress window shows and steers the run, nothing starts a second run (not even Run Test while
// a failed launch's message shows), closing asks, and a second Benchwright brings the first to
// the front.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui_support_win32.h"
#include "program_win32.h"
#include "test_support_win32.h"
#include "ui/resource.h"

namespace {

using namespace test_program;
namespace ts = test_support;

bool NothingAtTheDriveRoot() {
    return GetFileAttributesA("T:\\UT2003.ini") == INVALID_FILE_ATTRIBUTES &&
           GetFileAttributesA("T:\\flybyexec.txt") == INVALID_FILE_ATTRIBUTES;
}

// The average fields of the frame-rate log's records: "dm-antalus, 21.40 / 63.87 / 141.20 fps, ..."
std::vector<std::string> LoggedAverages(const std::string& install) {
    std::vector<std::string> averages;
    for (const std::string& line : gui::ReadSharedLines(ts::LogPath(install))) {
        const size_t first = line.find(" / ");
        const size_t second = line.find(" / ", first + 3);
        if (second != std::string::npos)
            averages.push_back(line.substr(first + 3, second - first - 3));
    }
    return averages;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

struct Progress {
    HWND window;
    std::string Text(int id) const { return gui::Text(GetDlgItem(window, id)); }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }
    void Press(int id) const { gui::Click(GetDlgItem(window, id)); }
};

TEST(RunWindowGui, ARunStaysAliveStopsAfterTheSecondLaunchAndAFailedLaunchStartsNoRunTest) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "sleep 5000"));
    ASSERT_TRUE(Tick(program.Item(kRes)));
    HWND custom = program.Custom();
    ASSERT_TRUE(custom);
    program.Press(IDC_HIGH_QUALITY);

    const Progress progress{program.Window("Benchmark running")};
    ASSERT_TRUE(progress.window);
    EXPECT_EQ(GetWindow(progress.window, GW_OWNER), program.Main());
    ASSERT_TRUE(Until([&] { return ts::StandinRuns(ts::kInstall).size() == 1; }));
    EXPECT_EQ(progress.Text(IDC_PROGRESS_RUN), "Run 1 of 7");
    EXPECT_EQ(progress.Text(IDC_PROGRESS_LEVEL), "Level: dm-antalus");
    EXPECT_EQ(progress.Text(IDC_PROGRESS_RESOLUTION), "Resolution: 640x480");
    EXPECT_TRUE(Contains(progress.Text(IDC_PROGRESS_LEFT), "Time left: about 0:"));
    EXPECT_EQ(progress.Text(IDC_PROGRESS_LAST), "");

    // The windows answer at once while the game sleeps.
    EXPECT_TRUE(Answers(program.Main()) && Answers(progress.window) && Answers(custom));
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).back().outcome, "");  // that was during the game

    // Nothing that starts a run or changes its settings can be used; Help and About can.
    EXPECT_TRUE(program.PresetsEnabled(false));
    for (int id : {kRes, kRes + 4, IDC_FULL, IDC_DIRECT3D, IDC_OPENGL})
        EXPECT_FALSE(program.Enabled(id)) << id;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(custom, IDC_RUN_TEST)));
    HWND about = program.About();
    ASSERT_TRUE(about);
    PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Until([&] { return !IsWindow(about); }));

    // The clock ticks by itself.
    const std::string elapsed = progress.Text(IDC_PROGRESS_ELAPSED);
    EXPECT_TRUE(Until([&] { return progress.Text(IDC_PROGRESS_ELAPSED) != elapsed; }, 3000))
        << elapsed;

    ASSERT_TRUE(Until([&] { return progress.Text(IDC_PROGRESS_RUN) == "Run 2 of 7"; }));
    EXPECT_EQ(progress.Text(IDC_PROGRESS_LEVEL), "Level: dom-suntemple");
    const std::vector<std::string> first = LoggedAverages(ts::kInstall);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(progress.Text(IDC_PROGRESS_LAST), "Last run: " + first[0] + " fps average");
    EXPECT_TRUE(gui::SaveWindowBitmap(progress.window, Screenshot("progress_window")));
    progress.Press(IDC_PROGRESS_STOP);
    EXPECT_TRUE(Until([&] { return !progress.Enabled(IDC_PROGRESS_STOP); }));
    EXPECT_TRUE(Contains(progress.Text(IDC_PROGRESS_LEFT), "finishing this run"));
    SendMessageA(progress.window, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_STOP, BN_CLICKED), 0);

    // The second game finishes; the page has its two columns and blanks; nothing is left.
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 1; }, kRunWait));
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].outcome, "end");
    const std::vector<std::string> averages = LoggedAverages(ts::kInstall);
    ASSERT_EQ(averages.size(), 2u);
    const std::string page = program.OpenedPage(1);
    for (const std::string& average : averages) EXPECT_TRUE(Contains(page, average.c_str()));
    EXPECT_TRUE(Contains(page, "High Quality Option"));
    EXPECT_TRUE(NothingAtTheDriveRoot());
    EXPECT_TRUE(Until([&] { return !IsWindow(progress.window) && program.PresetsEnabled(true); }));
    EXPECT_TRUE(program.Enabled(kRes) && program.Enabled(IDC_DIRECT3D));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(custom, IDC_RUN_TEST)));

    // A second Benchwright brings this one to the front and ends.
    ShowWindow(program.Main(), SW_MINIMIZE);
    ASSERT_TRUE(Until([&] { return IsIconic(program.Main()) != FALSE; }));
    EXPECT_EQ(ts::RunProcess(program.Command(), kWait), 0);
    // The window in front is its main window or the one of its own last used (the custom test
    // window here).
    EXPECT_TRUE(Until([&] {
        HWND front = GetForegroundWindow();
        return !IsIconic(program.Main()) &&
               (front == program.Main() || GetWindow(front, GW_OWNER) == program.Main());
    }));
    EXPECT_FALSE(program.Ended(0));

    // A game file that is no program: each launch fails with the system's reason in a message
    // box, and Run Test, even a click that reaches the window, starts no run meanwhile.
    ASSERT_TRUE(ts::WriteFile(ts::GamePath(ts::kInstall), "not a program"));
    ASSERT_TRUE(Tick(program.Item(kRes + 2)));
    HWND run_test = GetDlgItem(custom, IDC_RUN_TEST);
    program.Press(IDC_CPU_BENCHMARK);
    for (int launch = 1; launch <= 2; ++launch) {
        const ts::MessageBoxSeen box = program.Box(true);
        ASSERT_TRUE(box.window) << launch;
        EXPECT_EQ(box.title, "Benchwright");
        EXPECT_FALSE(box.text.empty());
        EXPECT_FALSE(IsWindowEnabled(run_test));
        gui::Click(run_test);
        PostMessageA(custom, WM_COMMAND, MAKEWPARAM(IDC_RUN_TEST, BN_CLICKED),
                     reinterpret_cast<LPARAM>(run_test));
        EXPECT_TRUE(Answers(custom));
        EXPECT_TRUE(ts::DismissMessageBox(box.window));
    }
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 2; }));
    EXPECT_TRUE(Until([&] { return IsWindowEnabled(run_test) && program.PresetsEnabled(true); }));
    EXPECT_FALSE(ts::WaitForMessageBox(program.pid(), 500).window);  // no run behind the first
    EXPECT_EQ(program.Opened().size(), 2u);
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), 2u);  // only the stopped run's launches
    EXPECT_TRUE(NothingAtTheDriveRoot());
}

TEST(RunWindowGui, EndGameNowEndsTheGameAndClosingDuringARunAsksAndLeavesNothing) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "sleep 60000"));
    ASSERT_TRUE(Tick(program.Item(kRes)) && Tick(program.Item(kRes + 1)));
    program.Press(IDC_CPU_BENCHMARK);
    Progress progress{program.Window("Benchmark running")};
    ASSERT_TRUE(progress.window);
    ASSERT_TRUE(Until([&] { return ts::StandinRuns(ts::kInstall).size() == 1; }));

    // "End game now" asks; No leaves the game running, Yes ends it and the run.
    auto ask_end_game = [&] {
        progress.Press(IDC_PROGRESS_END_GAME);
        const ts::MessageBoxSeen box = program.Box(true);
        EXPECT_EQ(box.text, "End the running game now? Its frame rates will be lost.");
        return box.window;
    };
    ASSERT_TRUE(program.Answer(ask_end_game(), IDNO));
    EXPECT_TRUE(IsWindow(progress.window) && progress.Enabled(IDC_PROGRESS_END_GAME));
    ASSERT_TRUE(program.Answer(ask_end_game(), IDYES));
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 1; }));  // long before 60 s
    std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].outcome, "");  // ended from outside: it never wrote its last line
    EXPECT_TRUE(LoggedAverages(ts::kInstall).empty());
    EXPECT_TRUE(Contains(program.OpenedPage(1), "CPU Bench Option"));
    EXPECT_TRUE(NothingAtTheDriveRoot());
    EXPECT_TRUE(Until([&] { return program.PresetsEnabled(true) && !IsWindow(progress.window); }));

    // Closing asks; No goes on, Yes (here from File > Exit) ends the game and the program.
    program.Press(IDC_CPU_BENCHMARK);
    ASSERT_TRUE(progress.window = program.Window("Benchmark running"));
    ASSERT_TRUE(Until([&] { return ts::StandinRuns(ts::kInstall).size() == 2; }));
    PostMessageA(program.Main(), WM_CLOSE, 0, 0);
    ts::MessageBoxSeen box = program.Box(true);
    EXPECT_EQ(box.text, "A benchmark is running. Stop it and exit?");
    ASSERT_TRUE(program.Answer(box.window, IDNO));
    EXPECT_FALSE(program.Ended(0));
    EXPECT_TRUE(Answers(progress.window));
    program.Menu(IDM_EXIT);
    box = program.Box(true);
    EXPECT_EQ(box.text, "A benchmark is running. Stop it and exit?");
    ASSERT_TRUE(program.Answer(box.window, IDYES));
    EXPECT_TRUE(program.Ended(kWait));
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), 2u);  // no further launch
    EXPECT_TRUE(NothingAtTheDriveRoot());
    EXPECT_EQ(program.Opened().size(), 1u);  // exiting opens no page
    ts::WriteControl(ts::kInstall, "");
}

}  // namespace
