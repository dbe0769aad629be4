// The Options window and the results a run keeps, driven from this second process as a user
// would under Wine: settings stored per user, runs per level against the stand-in game, the
// run's folder with its CSV and report, the comparison with the run before, Open Last Report,
// File > Compare Results.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "program_win32.h"
#include "results/frame_rate_record.h"
#include "results/results_csv.h"
#include "standin_values.h"

namespace {

using namespace test_program;
namespace ts = test_support;

constexpr DWORD kRepeatsWait = 180000;  // 28 launches
constexpr const char* kSettingsKey = "Software\\Benchwright";

// A value under the settings key as stored: its type (0 when missing) and bytes.
using Value = std::pair<DWORD, std::string>;
Value Setting(const char* name) {
    HKEY key = nullptr;
    DWORD type = 0;
    char bytes[64] = {};
    DWORD size = sizeof bytes;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes), &size))
            type = 0;
        RegCloseKey(key);
    }
    return {type, std::string(bytes, type ? size : 0)};
}

bool Store(const char* name, const Value& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExA(key, name, 0, value.first,
                                       reinterpret_cast<const BYTE*>(value.second.data()),
                                       static_cast<DWORD>(value.second.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

Value Dword(DWORD number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

std::string ResultsFolder() { return ts::TestExeFolder() + "\\Results"; }

HWND Options(Program& program) {
    EXPECT_TRUE(gui::PickMenuItem(program.Main(), 'f', 'o', kWait));
    return program.Window("Options");
}

// No settings and no Results folder before the program starts or after the test.
class OptionsAndResultsGui : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        ts::RemoveTree(ResultsFolder());
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        ts::RemoveTree(ResultsFolder());
        ts::DeleteGameKey(ts::kFullKey);
        ts::RemoveFakeInstalls();
    }
};

TEST_F(OptionsAndResultsGui, OptionsPersistPerUserRepeatedRunsKeepEveryLaunchAndRunsCompare) {
    // A folder that is not a run's: its page is no report of ours.
    ts::MakeFolders(ResultsFolder() + "\\old stuff");
    ts::WriteFile(ResultsFolder() + "\\old stuff\\report.html", "<html>");
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    // No run's report yet: "Open Last Report" is disabled, so only the help page (asked for
    // after it) opens.
    ASSERT_TRUE(gui::PickMenuItem(program.Main(), 'f', 'l', kWait));
    // The first Esc closes the menu if a grey item kept it.
    PostMessageA(program.Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(program.Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(gui::PickMenuItem(program.Main(), 'h', 'e', kWait));
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 1; }));
    EXPECT_EQ(program.Opened()[0], ts::TestExeFolder() + "\\help.html");

    HWND options = Options(program);
    ASSERT_TRUE(options);
    EXPECT_FALSE(IsWindowEnabled(program.Main()));  // modal
    HWND runs_box = GetDlgItem(options, IDC_OPTIONS_RUNS);
    HWND report_box = GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT);
    EXPECT_EQ(gui::Text(report_box), "&Open the full report instead of results.html");
    EXPECT_EQ(gui::ComboCount(runs_box), 5);
    EXPECT_EQ(gui::ComboSelection(runs_box), "1");
    EXPECT_FALSE(gui::Checked(report_box));
    EXPECT_EQ(gui::TabOrder(options, runs_box, 4),
              (std::vector<int>{IDC_OPTIONS_OPEN_REPORT, IDOK, IDCANCEL, IDC_OPTIONS_RUNS}));
    EXPECT_TRUE(gui::SaveWindowBitmap(options, Screenshot("options_window")));

    // Esc cancels: nothing is stored, and the window opens again with what is stored.
    gui::PickComboEntry(options, IDC_OPTIONS_RUNS, "3");
    ASSERT_TRUE(Tick(report_box));
    PostMessageA(report_box, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(Until([&] { return !IsWindow(options); }));
    EXPECT_EQ(Setting("RunsPerLevel").first, 0u);
    EXPECT_EQ(Setting("OpenReport").first, 0u);

    // Garbage stored by someone else: the defaults are shown, and OK stores good values again.
    ASSERT_TRUE(Store("RunsPerLevel", {REG_SZ, std::string("lots\0", 5)}));
    ASSERT_TRUE(Store("OpenReport", Dword(7)));
    ASSERT_TRUE(options = Options(program));
    EXPECT_EQ(gui::ComboSelection(GetDlgItem(options, IDC_OPTIONS_RUNS)), "1");
    EXPECT_FALSE(gui::Checked(GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT)));
    gui::Click(GetDlgItem(options, IDOK));
    EXPECT_TRUE(Until([&] { return !IsWindow(options); }));
    EXPECT_EQ(Setting("RunsPerLevel"), Dword(1));
    EXPECT_EQ(Setting("OpenReport"), Dword(0));

    // Enter is OK: both values are stored as numbers.
    ASSERT_TRUE(options = Options(program));
    gui::PickComboEntry(options, IDC_OPTIONS_RUNS, "2");
    ASSERT_TRUE(Tick(GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT)));
    PostMessageA(GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Until([&] { return !IsWindow(options); }));
    EXPECT_EQ(Setting("RunsPerLevel"), Dword(2));
    EXPECT_EQ(Setting("OpenReport"), Dword(1));
    EXPECT_TRUE(IsWindowEnabled(program.Main()));

    // They come back; the check box's access key unticks it; Cancel keeps what is stored.
    ASSERT_TRUE(options = Options(program));
    report_box = GetDlgItem(options, IDC_OPTIONS_OPEN_REPORT);
    EXPECT_EQ(gui::ComboSelection(GetDlgItem(options, IDC_OPTIONS_RUNS)), "2");
    EXPECT_TRUE(gui::Checked(report_box));
    PostMessageA(GetDlgItem(options, IDC_OPTIONS_RUNS), WM_SYSCHAR, 'o', 0);
    EXPECT_TRUE(Until([&] { return !gui::Checked(report_box); }));
    gui::Click(GetDlgItem(options, IDCANCEL));
    EXPECT_TRUE(Until([&] { return !IsWindow(options); }));
    EXPECT_EQ(Setting("OpenReport"), Dword(1));

    // High Quality with those two runs a level; the second launch of the second level leaves no
    // record.
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "norecord 4"));
    ASSERT_TRUE(Tick(program.Item(kRes + 2)));
    program.Press(IDC_HIGH_QUALITY);
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 2; }, kRepeatsWait));
    const std::string report = program.Opened()[1];
    const std::string folder = report.substr(0, report.rfind('\\'));
    EXPECT_EQ(folder.substr(0, ResultsFolder().size() + 1), ResultsFolder() + "\\");
    EXPECT_TRUE(report.ends_with(" High Quality\\report.html")) << report;

    // 14 launches, each level twice in a row; the CSV holds each with the stand-in's record.
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 14u);
    std::vector<std::vector<std::string>> rows;
    std::string why;
    ASSERT_TRUE(results::ReadResultsCsv(ts::ReadFile(folder + "\\results.csv"), &rows, &why))
        << why;
    ASSERT_EQ(rows.size(), 14u);
    std::vector<std::string> levels;
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string>& row = rows[i];
        if (i % 2 == 0) levels.push_back(row[results::kLevel]);
        EXPECT_EQ(row[results::kLevel], levels.back()) << i;
        EXPECT_TRUE(Contains(runs[i].command_line, (" " + levels.back() + "?").c_str())) << i;
        EXPECT_EQ(runs[i].command_line, runs[i - i % 2].command_line) << i;
        EXPECT_EQ(row[results::kRepeat], std::to_string(i % 2 + 1));
        EXPECT_EQ(row[results::kPreset], "High Quality");
        EXPECT_EQ(row[results::kResolution], "1024x768");
        const standin::FrameRates f = standin::RatesFor(levels.back(), "1024x768", runs[i].ini_sum);
        const bool recorded = i != 3;
        EXPECT_EQ(runs[i].record, recorded) << i;
        EXPECT_EQ(row[results::kOutcome] == "recorded", recorded) << i;
        EXPECT_EQ(row[results::kLowFps], recorded ? standin::Hundredths(f.low) : "") << i;
        EXPECT_EQ(row[results::kAvgFps], recorded ? standin::Hundredths(f.average) : "") << i;
        EXPECT_EQ(row[results::kHighFps], recorded ? standin::Hundredths(f.high) : "") << i;
    }
    ASSERT_EQ(levels.size(), 7u);

    // results.html: one cell a level with its median record; none blank, as each level has one.
    const std::string page = ts::ReadFile(program.Page());
    for (int table = 0; table < 3; ++table) {
        std::string row = "<TR>\r\n<TD>1024x768\r\n";
        for (size_t l = 0; l < levels.size(); ++l) {
            const standin::FrameRates f =
                standin::RatesFor(levels[l], "1024x768", runs[2 * l].ini_sum);
            const uint32_t value = table == 0 ? f.low : table == 1 ? f.average : f.high;
            row += "<TD>" + results::FitToWidth(standin::Hundredths(value), results::kValueWidth) +
                   "\r\n";
        }
        EXPECT_TRUE(Contains(page, (row + "</TR>\r\n").c_str())) << table << page;
    }

    // report.html, opened instead of results.html: the machine, a chart, the repeats, no
    // comparison yet.
    const std::string first = ts::ReadFile(report);
    for (const char* part :
         {"<h2>The machine</h2>", "<table class=\"chart\">", "class=\"bar\"",
          "<h2>Median and spread of the repeats</h2>", "no earlier result to compare with"}) {
        EXPECT_TRUE(Contains(first, part)) << part;
    }
    for (const std::string& level : levels) EXPECT_TRUE(Contains(first, level.c_str())) << level;

    // The same preset again compares with that run; Open Last Report opens the newer report.
    EXPECT_TRUE(Until([&] { return program.Enabled(IDC_HIGH_QUALITY); }));
    program.Press(IDC_HIGH_QUALITY);
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 3; }, kRepeatsWait));
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), 28u);
    const std::string second_path = program.Opened()[2];
    ASSERT_NE(second_path, report);
    const std::string second = ts::ReadFile(second_path);
    EXPECT_TRUE(Contains(second, "<h2>Compared with the run before</h2>"));
    EXPECT_TRUE(
        Contains(second, ("The earlier run: " + folder.substr(folder.rfind('\\') + 1)).c_str()));
    EXPECT_FALSE(Contains(second, "no earlier result"));
    ASSERT_TRUE(gui::PickMenuItem(program.Main(), 'f', 'l', kWait));
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 4; }));
    EXPECT_EQ(program.Opened()[3], second_path);
    EXPECT_EQ(ts::ReadFile(ResultsFolder() + "\\old stuff\\report.html"), "<html>");

    // File > Compare Results: the folder picker; Cancel writes nothing, OK on the Results folder
    // it starts in writes the comparison of both runs and opens it.
    auto picker = [&] {
        program.Menu(IDM_COMPARE);
        HWND found = nullptr;
        Until([&] {
            return (found = ts::FindVisibleWindow(program.pid(), [&](HWND w) {
                        char name[16] = {};
                        GetClassNameA(w, name, sizeof name);
                        return w != program.Main() && std::string(name) == "#32770";
                    }));
        });
        return found;
    };
    const std::string compare = ResultsFolder() + "\\compare.html";
    HWND dialog = picker();
    ASSERT_TRUE(dialog);
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(Until([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(GetFileAttributesA(compare.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(dialog = picker());
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 5; }));
    EXPECT_EQ(program.Opened()[4], compare);
    EXPECT_TRUE(Contains(program.OpenedPage(5), "Comparison of 2 results"));
    EXPECT_NE(GetFileAttributesA((ResultsFolder() + "\\compare.csv").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

}  // namespace
