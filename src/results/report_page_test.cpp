// report.html: the worked CPU Benchmark, repeats, the comparison, and outside text that tries to
// break the markup. Every page is checked for well-formed markup and for anything that would
// need a script, a network or another file; headless chromium (where installed) reads the last.
#include "results/report_page.h"

#include <gtest/gtest.h>

#include <vector>

#include "results/page_checks_test.h"

namespace results {
namespace {

LaunchResult Launch(int index, const std::string& resolution, const std::string& level, int repeat,
                    const char* low, const char* avg, const char* high) {
    LaunchResult r;
    r.index = index;
    r.resolution = resolution;
    r.level = level;
    r.seconds = 77;
    r.repeat = repeat;
    r.outcome = LaunchOutcome::kRecorded;
    r.duration_ms = 80000;
    r.started = "2026-12-06T14:0" + std::to_string(index) + ":00";
    r.record = {FitToWidth(level, kLabelWidth), FitToWidth(low, kValueWidth),
                FitToWidth(avg, kValueWidth), FitToWidth(high, kValueWidth)};
    r.score = avg;
    r.frame_count = "4918";
    return r;
}

RunInfo MakeRun(const std::string& preset, std::vector<std::string> resolutions, int levels,
                int runs) {
    return {preset, "full", "Direct3D", "2026-12-06T14:05:09", runs, resolutions, levels,
            185000, "",     ""};
}

const platform::SystemInfo kSystem = {"BENCH-PC",
                                      "Windows XP Service Pack 3",
                                      "AMD Athlon(tm) XP 2400+",
                                      1,
                                      1024,
                                      "NVIDIA GeForce4 Ti 4600",
                                      "6.14.10.4523"};

TEST(ReportPage, CpuBenchmarkAtTwoResolutions) {
    const std::vector<LaunchResult> results = {
        Launch(1, "640x480", "dm-inferno", 1, "31.02", "63.87", "118.40"),
        Launch(2, "1024x768", "dm-inferno", 1, "28.5", "57.1", "n/a")};
    const std::string page = ReportPage(MakeRun("CPU Benchmark", {"640x480", "1024x768"}, 1, 1),
                                        kSystem, results, nullptr);
    EXPECT_EQ(MarkupFault(page), "");
    ExpectSelfContained(page);
    for (const char* text :
         {"<h3>640x480</h3>", "<h3>1024x768</h3>", "63.87 (31.02 - 118.40)", "2026-12-06 14:05:09",
          "3 min 05 s", "<h2>The machine</h2>", "BENCH-PC", "Service Pack 3", "Athlon(tm) XP 2400+",
          "1024 MiB", "GeForce4 Ti 4600", "6.14.10.4523", "no earlier result to compare with",
          // Bars on one scale, the highest high (118.40) full width: 63.87, 57.1, 31.02 to 118.40.
          "class=\"bar\" style=\"width:53.9%\"", "class=\"bar\" style=\"width:48.2%\"",
          "margin-left:26.2%;width:73.8%"}) {
        EXPECT_NE(page.find(text), std::string::npos) << text;
    }
    // A high that is no number: neither whisker nor range for that level.
    EXPECT_EQ(Count(page, "class=\"whisker\""), 1u);
    EXPECT_EQ(page.find("(28.50"), std::string::npos);
    // One run per level: no repeat statistics.
    EXPECT_EQ(page.find("Median and spread"), std::string::npos);
    EXPECT_EQ(Count(page, "<td>recorded</td>"), 2u);
}

TEST(ReportPage, RepeatsWithMedianSpreadAndTheComparison) {
    std::vector<LaunchResult> results = {
        Launch(1, "640x480", "dm-a", 1, "10", "60.00", "90"),
        Launch(2, "640x480", "dm-a", 2, "11", "50.00", "80"),
        Launch(3, "640x480", "dm-a", 3, "12", "55.00", "85"),
        Launch(4, "640x480", "dm-b", 1, "", "", ""),
        Launch(5, "640x480", "dm-b", 2, "", "", ""),
        Launch(6, "640x480", "dm-b", 3, "", "", ""),
    };
    results[3].outcome = LaunchOutcome::kFailedToStart;
    results[3].failure = "\"C:\\UT2003\\System\\ut2003.exe\" cannot be found.";
    results[4].outcome = LaunchOutcome::kNoRecord;
    results[4].exit_code = 3;
    results[5].outcome = LaunchOutcome::kNotRun;
    const EarlierRun earlier = {"2026-12-01 09-30-00 High Quality",
                                "2026-12-01T09:30:00",
                                {{{"640x480", "dm-a"}, 50.0}, {{"640x480", "dm-b"}, 40.0}},
                                {{{"640x480", "dm-a"}, {49.0, 50.0, 51.0}}}};
    RunInfo run = MakeRun("High Quality", {"640x480"}, 2, 3);
    run.elapsed_ms = 3729000;
    const std::string page = ReportPage(run, kSystem, results, &earlier);
    EXPECT_EQ(MarkupFault(page), "");
    ExpectSelfContained(page);
    // dm-a: median 55, 50 to 60, (60 - 50) / 55 = 18.2 %; 10 % faster than 50, but the averages
    // overlap (Welch: t 1.70 at 2.2 degrees of freedom).
    for (const char* text :
         {"1 h 02 min 09 s",
          "<td class=\"n\">3 of 3</td><td class=\"n\">55.00</td><td class=\"n\">50.00 - 60.00</td>"
          "<td class=\"n\">18.2%</td>",
          "<td>dm-b</td><td class=\"n\">0 of 3</td><td></td><td></td><td></td>",
          "<td>dm-a</td><td class=\"n\">55.00</td><td class=\"n\">50.00</td>"
          "<td class=\"n\">+10.0%</td><td>within noise</td>",
          "<td>dm-b</td><td class=\"n\"></td><td class=\"n\">40.00</td><td class=\"n\"></td>",
          "2026-12-01 09-30-00 High Quality, started 2026-12-01 09:30:00",
          "55.00 (12.00 - 85.00), 3 of 3 runs",
          "failed to start: &quot;C:\\UT2003\\System\\ut2003.exe&quot; cannot be found.",
          // Seconds and exit code only for launches that ran.
          "<td class=\"n\">80.0</td><td class=\"n\">3</td><td class=\"failed\">no record</td>",
          "<td class=\"n\"></td><td class=\"n\"></td><td class=\"failed\">failed to start",
          "<td class=\"n\"></td><td class=\"n\"></td><td class=\"failed\">not run</td>"}) {
        EXPECT_NE(page.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(page.find("no earlier result"), std::string::npos);
}

// Each outside text carries markup that would end a table, an ampersand, a quote and a control
// character. The page must show it as text wherever it belongs, and a browser must keep every
// cell, bar and row in its table (what a browser does to markup that breaks a table).
TEST(ReportPage, EscapesEveryOutsideText) {
    const std::string evil = "</table><i>\"&\x01";
    const std::string escaped = "&lt;/table&gt;&lt;i&gt;&quot;&amp; ";
    LaunchResult recorded = Launch(1, evil, evil, 1, "1", "2", "3");
    recorded.record.low = recorded.score = recorded.frame_count = recorded.started = evil;
    LaunchResult failed = recorded;
    failed.index = 2;
    failed.outcome = LaunchOutcome::kFailedToStart;
    failed.failure = evil;
    RunInfo run = MakeRun(evil, {evil}, 1, 2);
    run.edition = run.renderer = run.started = evil;
    EarlierRun earlier;
    earlier.folder_name = earlier.started = evil;
    const std::string page =
        ReportPage(run, {evil, evil, evil, 0, 0, evil, evil}, {recorded, failed}, &earlier);
    EXPECT_EQ(MarkupFault(page), "");
    EXPECT_EQ(page.find("<i>"), std::string::npos);
    EXPECT_EQ(page.find('\x01'), std::string::npos);
    // Its 31 places: the run's 8 (title 2, heading, preset, edition, renderer, start,
    // resolutions), the machine's 5, the earlier run's 2, the chart's, the spread's and the
    // comparison's 6, the launches' 10 (each one's start, resolution and level, the recorded
    // one's low field, score and frame count, the failure).
    EXPECT_EQ(Count(page, escaped), 31u);
    EXPECT_NE(page.find("<th>Memory</th><td>unknown</td>"), std::string::npos);

    const std::string dom = BrowserDom(page);
    if (dom.empty()) GTEST_SKIP() << "chromium is not installed";
    ASSERT_NE(dom.find("</html>"), std::string::npos) << "chromium printed no document";
    EXPECT_EQ(Count(dom, "&lt;/table&gt;&lt;i&gt;"), 31u);
    for (const char* element : {"<table", "<td", "<tr", "class=\"bar\""})
        EXPECT_EQ(Count(dom, element), Count(page, element)) << element;
    const std::string outside = OutsideTables(dom);
    for (const char* inside : {"<td", "<tr", "<th", "class=\"bar\"", "2.00"})
        EXPECT_EQ(outside.find(inside), std::string::npos) << inside;
}

}  // namespace
}  // namespace results
