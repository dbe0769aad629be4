// A run as the user sees it, under Wine against the stand-in game: the windows stay alive, the
// progress window shows and steers the run, nothing starts a second run, closing asks, and a
// second Benchwright brings the first to the front.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "program_win32.h"
#include "standin_values.h"

namespace {

using namespace test_program;
namespace ts = test_support;

bool NothingAtTheDriveRoot() {
    return GetFileAttributesA("T:\\UT2003.ini") == INVALID_FILE_ATTRIBUTES &&
           GetFileAttributesA("T:\\flybyexec.txt") == INVALID_FILE_ATTRIBUTES;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

// Each test starts a run of its own from the idle window and sees it end.
class RunWindowGui : public ProgramSuite {
protected:
    RunWindowGui() : ProgramSuite(kFull) {}

    // Starts `preset` at 640x480 with each game lasting `game_ms`: the progress window, once
    // the first game runs.
    HWND Start(int preset, int game_ms) {
        EXPECT_TRUE(ts::WriteControl(ts::kInstall, "sleep " + std::to_string(game_ms)));
        EXPECT_TRUE(Tick(program->Item(kRes)));
        program->Press(preset);
        HWND progress = program->Window("Benchmark running");
        EXPECT_TRUE(Until([&] { return ts::StandinRuns(ts::kInstall).size() == 1; }));
        return progress;
    }
    // The run over, the windows are usable again and nothing is left at the drive root. (After a
    // failure the program is ended instead.)
    void TearDown() override {
        ts::WriteControl(ts::kInstall, "");
        if (!HasFailure() && !program->Ended(0)) {
            EXPECT_TRUE(Until([&] { return program->PresetsEnabled(true); }, kRunWait));
            EXPECT_TRUE(Untick(program->Item(kRes)));
            EXPECT_TRUE(NothingAtTheDriveRoot());
        }
        ProgramSuite::TearDown();
    }
    std::string Text(HWND window, int id) { return gui::Text(GetDlgItem(window, id)); }
};

TEST_F(RunWindowGui, TheProgressWindowFollowsTheRunAndStopEndsItAfterThisLaunch) {
    HWND progress = Start(IDC_HIGH_QUALITY, 3000);
    ASSERT_TRUE(progress);
    EXPECT_EQ(GetWindow(progress, GW_OWNER), program->Main());
    // Each text as the model words it (progress_model_test); here that they reach the window.
    EXPECT_EQ(Text(progress, IDC_PROGRESS_RUN), "Run 1 of 7");
    EXPECT_EQ(Text(progress, IDC_PROGRESS_LEVEL), "Level: dm-antalus");
    const std::string elapsed = Text(progress, IDC_PROGRESS_ELAPSED);
    EXPECT_TRUE(Until([&] { return Text(progress, IDC_PROGRESS_ELAPSED) != elapsed; }, 3000));

    ASSERT_TRUE(Until([&] { return Text(progress, IDC_PROGRESS_RUN) == "Run 2 of 7"; }));
    const uint32_t sum = ts::StandinRuns(ts::kInstall)[0].ini_sum;
    EXPECT_EQ(Text(progress, IDC_PROGRESS_LAST),
              "Last run: " +
                  standin::Hundredths(standin::RatesFor("dm-antalus", "640x480", sum).average) +
                  " fps average");
    EXPECT_TRUE(gui::SaveWindowBitmap(progress, Screenshot("progress_window")));
    gui::Click(GetDlgItem(progress, IDC_PROGRESS_STOP));
    EXPECT_TRUE(Until([&] { return !IsWindowEnabled(GetDlgItem(progress, IDC_PROGRESS_STOP)); }));
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 1; }, kRunWait));
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].outcome, "end");  // the second game played to its end
    EXPECT_TRUE(Closed(progress));
}

TEST_F(RunWindowGui, WhileARunLastsTheWindowsAnswerButOnlyHelpAndAboutCanBeUsed) {
    HWND custom = program->Custom();
    ASSERT_TRUE(custom);
    HWND progress = Start(IDC_CPU_BENCHMARK, 5000);
    ASSERT_TRUE(progress);
    EXPECT_TRUE(Answers(program->Main()) && Answers(progress) && Answers(custom));
    EXPECT_TRUE(program->PresetsEnabled(false));
    for (int id : {kRes, IDC_FULL, IDC_DIRECT3D}) EXPECT_FALSE(program->Enabled(id)) << id;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(custom, IDC_RUN_TEST)));
    HWND about = program->About();
    ASSERT_TRUE(about);
    PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(about));
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).back().outcome, "");  // all that during the game
    EXPECT_TRUE(Until([&] { return IsWindowEnabled(GetDlgItem(custom, IDC_RUN_TEST)) != FALSE; },
                      kRunWait));
    PostMessageA(custom, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(custom));
}

TEST_F(RunWindowGui, EndGameNowAsksAndOnYesEndsTheGameAndTheRun) {
    HWND progress = Start(IDC_CPU_BENCHMARK, 60000);
    ASSERT_TRUE(progress);
    auto ask = [&] {
        gui::Click(GetDlgItem(progress, IDC_PROGRESS_END_GAME));
        const ts::MessageBoxSeen box = program->Box(true);
        EXPECT_EQ(box.text, "End the running game now? Its frame rates will be lost.");
        return box.window;
    };
    ASSERT_TRUE(program->Answer(ask(), IDNO));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(progress, IDC_PROGRESS_END_GAME)));
    ASSERT_TRUE(program->Answer(ask(), IDYES));
    EXPECT_TRUE(Until([&] { return program->Opened().size() == 1; }));  // long before 60 s
}

// Each launch's message is shown by the main window, whose messages (a click on Run Test among
// them) go on meanwhile.
TEST_F(RunWindowGui, EachFailedLaunchShowsAMessageAndRunTestStartsNothingMeanwhile) {
    HWND custom = program->Custom();
    ASSERT_TRUE(custom);
    HWND run_test = GetDlgItem(custom, IDC_RUN_TEST);
    ASSERT_TRUE(ts::WriteFile(ts::GamePath(ts::kInstall), "not a program"));
    ASSERT_TRUE(Tick(program->Item(kRes)) && Tick(program->Item(kRes + 2)));
    program->Press(IDC_CPU_BENCHMARK);
    for (int launch = 1; launch <= 2; ++launch) {
        const ts::MessageBoxSeen box = program->Box(true);
        ASSERT_TRUE(box.window) << launch;
        EXPECT_FALSE(IsWindowEnabled(run_test));
        PostMessageA(custom, WM_COMMAND, MAKEWPARAM(IDC_RUN_TEST, BN_CLICKED),
                     reinterpret_cast<LPARAM>(run_test));
        EXPECT_TRUE(Answers(custom));
        EXPECT_TRUE(ts::DismissMessageBox(box.window));
    }
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 1; }));
    EXPECT_FALSE(ts::WaitForMessageBox(program->pid(), 500).window);  // no run behind the first
    EXPECT_TRUE(Untick(program->Item(kRes + 2)));
    PostMessageA(custom, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(custom));
    std::string error;
    EXPECT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
}

TEST_F(RunWindowGui, ASecondStartBringsTheFirstToTheFrontAndEnds) {
    ShowWindow(program->Main(), SW_MINIMIZE);
    ASSERT_TRUE(Until([&] { return IsIconic(program->Main()) != FALSE; }));
    EXPECT_EQ(ts::RunProcess(program->Command(), kWait), 0);
    // In front: its main window, or one of its own.
    EXPECT_TRUE(Until([&] {
        HWND front = GetForegroundWindow();
        return !IsIconic(program->Main()) &&
               (front == program->Main() || GetWindow(front, GW_OWNER) == program->Main());
    }));
    EXPECT_FALSE(program->Ended(0));
}

// Last: the program ends.
TEST_F(RunWindowGui, ClosingDuringARunAsksAndOnYesEndsTheGameAndTheProgram) {
    ASSERT_TRUE(Start(IDC_CPU_BENCHMARK, 60000));
    PostMessageA(program->Main(), WM_CLOSE, 0, 0);
    ts::MessageBoxSeen box = program->Box(true);
    EXPECT_EQ(box.text, "A benchmark is running. Stop it and exit?");
    ASSERT_TRUE(program->Answer(box.window, IDNO));
    EXPECT_FALSE(program->Ended(0));
    program->Menu(IDM_EXIT);  // File > Exit asks the same
    box = program->Box(true);
    EXPECT_EQ(box.text, "A benchmark is running. Stop it and exit?");
    ASSERT_TRUE(program->Answer(box.window, IDYES));
    EXPECT_TRUE(program->Ended(kWait));
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), 1u);  // no further launch
    EXPECT_TRUE(NothingAtTheDriveRoot());
    EXPECT_TRUE(program->Opened().empty());  // exiting opens no page
}

}  // namespace
