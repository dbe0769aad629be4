// The Options window and a run's results, driven from another process as a user would under
// Wine: settings per user, repeats and Until steady, the report, Open Last Report, Compare.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "program_win32.h"
#include "results/results_csv.h"
#include "standin_values.h"
#include "steady_check.h"

namespace {

using namespace test_program;
namespace ts = test_support;

constexpr const char* kSettingsKey = "Software\\Benchwright";

ts::StoredValue Setting(const char* name) {
    return ts::ReadValue(HKEY_CURRENT_USER, kSettingsKey, name);
}

std::string ResultsFolder() { return ts::TestExeFolder() + "\\Results"; }

// Each test starts with no settings stored.
class OptionsAndResultsGui : public ProgramSuite {
protected:
    OptionsAndResultsGui() : ProgramSuite(kFull) {}
    static void SetUpTestSuite() { ts::RemoveTree(ResultsFolder()); }
    static void TearDownTestSuite() {
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        ts::RemoveTree(ResultsFolder());
        ProgramSuite::TearDownTestSuite();
    }
    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        ProgramSuite::SetUp();
    }
    HWND Options() {
        EXPECT_TRUE(gui::PickMenuItem(program->Main(), 'f', 'o', kWait));
        return program->Window("Options");
    }
};

// First, while no run has left a report: Open Last Report is grey. The Options window is modal,
// Esc stores nothing, Enter stores them all and the window shows them again. Then a run with
// them: two runs a level, the report opened instead of results.html; the second launch of the
// second level leaves no record.
TEST_F(OptionsAndResultsGui, OptionsStoredOnEnterMakeEachLevelRunTwiceAndOpenTheReport) {
    ASSERT_TRUE(gui::PickMenuItem(program->Main(), 'f', 'l', kWait));
    // The first Esc closes the menu if a grey item kept it; then Help, which opens its page.
    PostMessageA(program->Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(program->Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(gui::PickMenuItem(program->Main(), 'h', 'e', kWait));
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 1; }));
    EXPECT_EQ(program->Opened()[0], ts::TestExeFolder() + "\\help.html");

    HWND options = Options();
    ASSERT_TRUE(options);
    EXPECT_FALSE(IsWindowEnabled(program->Main()));
    HWND runs_box = GetDlgItem(options, IDC_OPTIONS_RUNS);
    HWND open_report = GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT);
    EXPECT_EQ(gui::ComboSelection(runs_box), "1");
    EXPECT_FALSE(gui::Checked(open_report));
    EXPECT_EQ(gui::TabOrder(options, runs_box, 5),
              (std::vector<int>{IDC_OPTIONS_OPEN_REPORT, IDC_OPTIONS_LABEL, IDOK, IDCANCEL,
                                IDC_OPTIONS_RUNS}));
    EXPECT_TRUE(gui::SaveWindowBitmap(options, Screenshot("options_window")));
    gui::PickComboEntry(options, IDC_OPTIONS_RUNS, "3");
    ASSERT_TRUE(Tick(open_report));
    PostMessageA(open_report, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(Closed(options));
    EXPECT_EQ(Setting("RunsPerLevel").type, 0u);
    EXPECT_EQ(Setting("OpenReport").type, 0u);
    EXPECT_TRUE(IsWindowEnabled(program->Main()));

    ASSERT_TRUE(options = Options());
    gui::PickComboEntry(options, IDC_OPTIONS_RUNS, "2");
    ASSERT_TRUE(Tick(GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT)));
    // Typed past 100 characters: the note says so, and the label is stored cut.
    const std::string label = "drv \"531\" " + std::string(100, 'x');
    SendMessageA(GetDlgItem(options, IDC_OPTIONS_LABEL), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(label.c_str()));
    EXPECT_EQ(gui::Text(GetDlgItem(options, IDC_OPTIONS_LABEL_NOTE)),
              "Only the first 100 characters are kept.");
    PostMessageA(GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Closed(options));
    EXPECT_EQ(Setting("RunsPerLevel"), ts::NumberValue(2));
    EXPECT_EQ(Setting("OpenReport"), ts::NumberValue(1));
    EXPECT_EQ(Setting("Label"), ts::TextValue(label.substr(0, 100)));

    ASSERT_TRUE(options = Options());
    EXPECT_EQ(gui::ComboSelection(GetDlgItem(options, IDC_OPTIONS_RUNS)), "2");
    EXPECT_TRUE(gui::Checked(GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT)));
    EXPECT_EQ(gui::Text(GetDlgItem(options, IDC_OPTIONS_LABEL)), label.substr(0, 100));
    gui::Click(GetDlgItem(options, IDCANCEL));
    EXPECT_TRUE(Closed(options));

    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "norecord 4"));
    ASSERT_TRUE(Tick(program->Item(kRes + 2)));
    program->Press(IDC_HIGH_QUALITY);
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 2; }, kRunWait));
    const std::string report = program->Opened()[1];
    EXPECT_TRUE(report.starts_with(ResultsFolder() + "\\")) << report;
    EXPECT_TRUE(report.ends_with(" High Quality\\report.html")) << report;

    // The CSV holds each launch with its repeat and the stand-in's record.
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    std::vector<std::vector<std::string>> rows;
    ASSERT_TRUE(
        results::ReadResultsCsv(ts::ReadFile(FolderOf(report) + "\\results.csv"), &rows, nullptr));
    ASSERT_EQ(runs.size(), 14u);
    ASSERT_EQ(rows.size(), 14u);
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string& level = rows[i][results::kLevel];
        EXPECT_TRUE(Contains(runs[i].command_line, (" " + level + "?").c_str())) << i;
        EXPECT_EQ(rows[i][results::kRepeat], std::to_string(i % 2 + 1));
        const standin::FrameRates f = standin::RatesFor(level, "1024x768", runs[i].ini_sum);
        EXPECT_EQ(rows[i][results::kAvgFps], i == 3 ? "" : standin::Hundredths(f.average)) << i;
    }

    EXPECT_TRUE(Until([&] { return program->PresetsEnabled(true); }));
    EXPECT_TRUE(Untick(program->Item(kRes + 2)));
    ASSERT_TRUE(gui::PickMenuItem(program->Main(), 'f', 'l', kWait));
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 3; }));
    EXPECT_EQ(program->Opened()[2], report);
}

// Until steady chosen in the window, at 1.5 %: 640x480 makes 60, 61, 59 (1.67 %) and 60 (1.36 %):
// steady after 4; 1024x768 a launch without a record, then 60 and 60: steady after 3 launches.
TEST_F(OptionsAndResultsGui, UntilSteadyMakesTheLaunchesTheRuleAsksFor) {
    HWND options = Options();
    ASSERT_TRUE(options);
    HWND within = GetDlgItem(options, IDC_OPTIONS_STEADY_WITHIN);
    EXPECT_TRUE(gui::Text(within) == "2.0" && !IsWindowEnabled(within));
    gui::PickComboEntry(options, IDC_OPTIONS_RUNS, "Until steady");
    ASSERT_TRUE(Until([&] { return IsWindowEnabled(within) != FALSE; }));
    EXPECT_EQ(gui::TabOrder(options, GetDlgItem(options, IDC_OPTIONS_RUNS), 2),
              (std::vector<int>{IDC_OPTIONS_STEADY_WITHIN, IDC_OPTIONS_OPEN_REPORT}));
    SendMessageW(within, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
    gui::Click(GetDlgItem(options, IDOK));
    EXPECT_TRUE(program->Box().text.starts_with("Steady within must be a percentage from 0.5"));
    SendMessageW(within, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1.5"));
    gui::Click(GetDlgItem(options, IDOK));
    ASSERT_TRUE(Closed(options));

    ASSERT_TRUE(ts::WriteValue(HKEY_CURRENT_USER, kSettingsKey, "OpenReport", ts::NumberValue(1)));
    ASSERT_TRUE(ts::WriteControl(ts::kInstall,
                                 "average 1 6000\naverage 2 6100\naverage 3 5900\n"
                                 "average 4 6000\nnorecord 5\naverage 6 6000\naverage 7 6000"));
    ASSERT_TRUE(Tick(program->Item(kRes)) && Tick(program->Item(kRes + 2)));
    program->Press(IDC_CPU_BENCHMARK);
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 1; }, kRunWait));
    const std::string report = program->Opened()[0];
    std::vector<std::vector<std::string>> rows, cell[2];
    std::string why, seen;
    ASSERT_TRUE(results::ReadResultsCsv(
        ts::ReadFile(report.substr(0, report.rfind('\\')) + "\\results.csv"), &rows, &why));
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), rows.size());
    for (const auto& row : rows) {
        cell[row[results::kResolution] == "640x480" ? 0 : 1].push_back(row);
        seen += row[results::kResolution] + " " + row[results::kRepeat] + " " +
                row[results::kAvgFps] + ",";
    }
    for (const auto& made : cell) EXPECT_EQ(made.size(), standin::LaunchesTheRuleAsksFor(made, 15));
    EXPECT_TRUE(Until([&] { return program->PresetsEnabled(true); }));
    EXPECT_TRUE(Untick(program->Item(kRes)) && Untick(program->Item(kRes + 2)));
    // A skip would mark the whole suite skipped: the rule's count above is the check then.
    if (standin::AnyDisturbed(rows)) {
        std::printf("a busy machine, some launch disturbed: %s\n", seen.c_str());
        return;
    }
    EXPECT_EQ(seen,
              "640x480 1 60.00,640x480 2 61.00,640x480 3 59.00,640x480 4 60.00,1024x768 1 ,"
              "1024x768 2 60.00,1024x768 3 60.00,");
    EXPECT_TRUE(Contains(ts::ReadFile(report), "<td>steady after 4 runs</td>"));
}

// The folder picker starts in the Results folder, where the comparison goes.
TEST_F(OptionsAndResultsGui, CompareResultsWritesNothingOnCancelAndOpensTheComparisonOnOk) {
    auto picker = [&] {
        program->Menu(IDM_COMPARE);
        return program->Window("Browse for Folder");
    };
    const std::string compare = ResultsFolder() + "\\compare.html";
    ASSERT_TRUE(ts::MakeFolders(ResultsFolder()));
    HWND dialog = picker();
    ASSERT_TRUE(dialog);
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(Closed(dialog));
    EXPECT_EQ(GetFileAttributesA(compare.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(dialog = picker());
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 1; }));
    EXPECT_EQ(program->Opened()[0], compare);
    EXPECT_TRUE(Contains(program->OpenedPage(1), "Comparison of"));
}

}  // namespace
