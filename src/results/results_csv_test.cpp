// results.csv: one row per launch as a run writes it, and reading back only a file with exactly
// our columns and whole rows.
#include "results/results_csv.h"

#include <gtest/gtest.h>

#include "results/csv.h"

namespace results {
namespace {

using namespace std::string_literals;

using Rows = std::vector<std::vector<std::string>>;

// Our columns, or the older first 23 (the newer fields read empty), and whole rows; a
// byte-order mark, blank or empty lines at the end and a torn last row, as spreadsheets and
// cut-off copies leave them; the first bytes alone tell our file from another. Reading back a
// whole row is ResultsCsvRow's test below, and the reason a refused file gives is the
// comparison's skipped-input test.
TEST(ReadResultsCsv, OurColumnsAndWholeRowsAsSpreadsheetsAndCutCopiesLeaveThem) {
    std::vector<std::string> columns(kResultsCsvColumns.begin(), kResultsCsvColumns.end());
    const std::string header = CsvLine(columns), bom = "\xEF\xBB\xBF";
    const std::string row = CsvLine(std::vector<std::string>(columns.size(), "x"));
    const std::string empty = CsvLine(std::vector<std::string>(columns.size(), ""));
    const std::string short_row = CsvLine(std::vector<std::string>(columns.size() - 1, "x"));
    const std::vector<std::string> older(columns.begin(),
                                         columns.begin() + kOlderResultsCsvColumns);
    Rows rows;
    std::string why, torn;
    ASSERT_TRUE(ReadResultsCsv(CsvLine(older) + CsvLine(older), &rows, &why)) << why;
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].size(), kResultsCsvColumns.size());
    EXPECT_EQ(rows[0][kGpuDriver] + "|" + rows[0][kLabel], "gpu_driver|");
    ASSERT_TRUE(ReadResultsCsv(bom + header + row + row + empty + "\r\n\n", &rows, &why, &torn));
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(torn, "");
    // A quote left open on the last line (fields missing there are the comparison's test).
    ASSERT_TRUE(ReadResultsCsv(header + row + "x,\"torn\r\n", &rows, &why, &torn)) << why;
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_NE(torn.find("row 2"), std::string::npos) << torn;

    auto renamed = columns;
    renamed[kAvgFps] = "average";
    columns.push_back("note");
    // A short row or an open quote before the last line is damage, not a torn end.
    for (const std::string& text :
         {std::string(), CsvLine(renamed), CsvLine(columns), header + short_row + row,
          header + "x,\"open\r\n" + row, CsvLine(older) + row}) {
        rows = {{"stale"}};
        EXPECT_FALSE(ReadResultsCsv(text, &rows, &why)) << text;
        EXPECT_TRUE(rows.empty()) << text;
        EXPECT_FALSE(why.empty()) << text;
        why.clear();
    }
    for (const std::string& start :
         {bom + header, "\"started\",\"machine\",\"pre"s, "started,mach"s})
        EXPECT_TRUE(BeginsLikeResultsCsv(start)) << start;
    for (const std::string& start : {""s, bom, "started;machine"s, "\xFF\xFEs\0t\0"s})
        EXPECT_FALSE(BeginsLikeResultsCsv(start)) << start;
}

TEST(ResultsCsvRow, OneRowPerLaunchThatReadsBack) {
    const RunInfo run = {"CPU Benchmark", "full",       "Direct3D", "", 1, {}, 0, 0,
                         "2.2.5.0",       "new, driver"};
    const platform::SystemInfo system = {"BENCH,PC", "Windows XP \"SP3\"", " Athlon ", 2,
                                         1024,       "GeForce4\r\nTi",     "6.14"};
    LaunchResult recorded;
    recorded.resolution = "640x480";
    recorded.level = "dm-inferno";
    recorded.seconds = 77;
    recorded.repeat = 2;
    recorded.outcome = LaunchOutcome::kRecorded;
    recorded.duration_ms = 80125;
    recorded.started = "2026-12-06T14:05:10";
    recorded.record = {FitToWidth("dm-inferno", kLabelWidth), FitToWidth("21.5", kValueWidth),
                       FitToWidth("63.87", kValueWidth), FitToWidth("n/a", kValueWidth)};
    recorded.score = "63.871";
    recorded.frame_count = "4918, more";
    recorded.background_cpu_percent = 10.04;
    LaunchResult failed = recorded;
    failed.outcome = LaunchOutcome::kFailedToStart;
    failed.duration_ms = 7;
    failed.exit_code = 3221225477u;
    LaunchResult crashed = failed;
    crashed.outcome = LaunchOutcome::kNoRecord;
    crashed.background_cpu_percent.reset();
    platform::SystemInfo unknown = system;
    unknown.cores = unknown.memory_mb = 0;

    const std::string text = ResultsCsvHeaderLine() + ResultsCsvRow(run, system, recorded) +
                             ResultsCsvRow(run, unknown, failed) +
                             ResultsCsvRow(run, system, crashed);
    Rows rows;
    std::string why;
    ASSERT_TRUE(ReadResultsCsv(text, &rows, &why)) << why << "\n" << text;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(
        CsvLine(rows[0]),
        "2026-12-06T14:05:10,\"BENCH,PC\",CPU Benchmark,full,Direct3D,640x480,dm-inferno,77,"
        "2,21.50,63.87,n/a,63.871,\"4918, more\",80.125,recorded,0,\"Windows XP \"\"SP3\"\"\","
        "\" Athlon \",2,1024,\"GeForce4\r\nTi\",6.14,10.0,no,2.2.5.0,\"new, driver\"\r\n");
    // No record: empty frame-rate cells; never started: no exit code nor background time (it is
    // measured while the game runs); above 10 % is disturbed, unmeasured is unknown.
    for (int column : {kLowFps, kAvgFps, kHighFps, kScore, kFrameCount, kExitCode,
                       kBackgroundCpuPercent, kDisturbed})
        EXPECT_EQ(rows[1][column], "") << kResultsCsvColumns[column];
    EXPECT_EQ(rows[1][kOutcome] + " " + rows[1][kDurationS] + " " + rows[1][kCores] + " " +
                  rows[1][kMemoryMb],
              "failed to start 0.007 unknown unknown");
    EXPECT_EQ(rows[2][kAvgFps] + "|" + rows[2][kExitCode] + "|" + rows[2][kOutcome] + "|" +
                  rows[2][kBackgroundCpuPercent] + "|" + rows[2][kDisturbed],
              "|3221225477|no record||unknown");
    recorded.background_cpu_percent = 10.06;
    ASSERT_TRUE(
        ReadResultsCsv(ResultsCsvHeaderLine() + ResultsCsvRow(run, system, recorded), &rows, &why));
    EXPECT_EQ(rows[0][kBackgroundCpuPercent] + "|" + rows[0][kDisturbed], "10.1|yes");
}

}  // namespace
}  // namespace results
