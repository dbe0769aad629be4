// report.html: the worked CPU Benchmark, repeats, the comparison, and outside text that tries to
// break the markup. Every page is checked for well-formed markup and for anything that would
// need a script, a network or another file; headless chromium (where installed) reads one too.
#include "results/report_page.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "results/html_text.h"
#include "results/page_checks_test.h"

namespace results {
namespace {

// Nothing that runs, fetches or needs another file.
void ExpectSelfContained(const std::string& page) {
    for (const char* banned : {"<script", "<svg", "<img", "<link", "<iframe", "<object", "src=",
                               "href=", "url(", "http:", "https:", "@import", "javascript:"}) {
        EXPECT_EQ(page.find(banned), std::string::npos) << banned;
    }
}

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
    RunInfo run;
    run.preset = preset;
    run.edition = "full";
    run.renderer = "Direct3D";
    run.started = "2026-12-06T14:05:09";
    run.resolutions = std::move(resolutions);
    run.levels_per_resolution = levels;
    run.runs_per_level = runs;
    run.elapsed_ms = 185000;
    return run;
}

const platform::SystemInfo kSystem = {"BENCH-PC",
                                      "Microsoft Windows XP Service Pack 3 (5.1.2600)",
                                      "AMD Athlon(tm) XP 2400+",
                                      1,
                                      1024,
                                      "NVIDIA GeForce4 Ti 4600",
                                      "6.14.10.4523"};

TEST(ReportPage, CpuBenchmarkAtTwoResolutions) {
    const std::vector<LaunchResult> results = {
        Launch(1, "640x480", "dm-inferno", 1, "31.02", "63.87", "118.40"),
        Launch(2, "1024x768", "dm-inferno", 1, "28.5", "57.1", "101.75")};
    const std::string page = ReportPage(MakeRun("CPU Benchmark", {"640x480", "1024x768"}, 1, 1),
                                        kSystem, results, nullptr);
    EXPECT_EQ(MarkupFault(page), "");
    ExpectSelfContained(page);
    for (const char* text :
         {"<h3>640x480</h3>", "<h3>1024x768</h3>", "63.87 (31.02 - 118.40)",
          "57.10 (28.50 - 101.75)", "2026-12-06 14:05:09", "3 min 05 s", "BENCH-PC",
          "Service Pack 3", "Athlon(tm) XP 2400+", "1024 MiB", "GeForce4 Ti 4600", "6.14.10.4523",
          "no earlier result to compare with"}) {
        EXPECT_NE(page.find(text), std::string::npos) << text;
    }
    // Bars on one scale, the highest high (118.40) full width.
    EXPECT_NE(page.find("class=\"bar\" style=\"width:53.9%\""), std::string::npos);  // 63.87
    EXPECT_NE(page.find("class=\"bar\" style=\"width:48.2%\""), std::string::npos);  // 57.1
    EXPECT_NE(page.find("margin-left:26.2%;width:73.8%"), std::string::npos);  // 31.02 to 118.40
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
    EarlierRun earlier;
    earlier.folder_name = "2026-12-01 09-30-00 High Quality";
    earlier.started = "2026-12-01T09:30:00";
    earlier.median_avg = {{{"640x480", "dm-a"}, 50.0}, {{"640x480", "dm-b"}, 40.0}};
    const std::string page =
        ReportPage(MakeRun("High Quality", {"640x480"}, 2, 3), kSystem, results, &earlier);
    EXPECT_EQ(MarkupFault(page), "");
    ExpectSelfContained(page);
    // dm-a: median 55, 50 to 60, (60 - 50) / 55 = 18.2 %; 10 % faster than 50.
    for (const char* text :
         {"<td class=\"n\">3 of 3</td><td class=\"n\">55.00</td><td class=\"n\">50.00 - 60.00</td>"
          "<td class=\"n\">18.2%</td>",
          "<td>dm-b</td><td class=\"n\">0 of 3</td><td></td><td></td><td></td>",
          "<td>dm-a</td><td class=\"n\">55.00</td><td class=\"n\">50.00</td>"
          "<td class=\"n\">+10.0%</td>",
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

TEST(ReportPage, EscapesEveryOutsideText) {
    // Each outside text carries markup, an ampersand, a quote and a control character.
    const std::string evil = "<i>\"&\x01</i>";
    const std::string escaped = "&lt;i&gt;&quot;&amp; &lt;/i&gt;";
    LaunchResult recorded = Launch(1, "640x480" + evil, "dm" + evil, 1, "1", "2", "3");
    recorded.record.low = FitToWidth(evil, kValueWidth);
    recorded.score = evil;
    recorded.frame_count = evil;
    recorded.started = evil;
    LaunchResult failed = recorded;
    failed.index = 2;
    failed.outcome = LaunchOutcome::kFailedToStart;
    failed.failure = evil;
    RunInfo run = MakeRun("Custom Test" + evil, {"640x480" + evil}, 1, 2);
    run.edition = run.renderer = run.started = evil;
    platform::SystemInfo system = {evil, evil, evil, 0, 0, evil, evil};
    EarlierRun earlier;
    earlier.folder_name = earlier.started = evil;

    const std::string page = ReportPage(run, system, {recorded, failed}, &earlier);
    EXPECT_EQ(MarkupFault(page), "");
    EXPECT_EQ(page.find("<i>"), std::string::npos);
    EXPECT_EQ(page.find('\x01'), std::string::npos);
    // Edition, renderer, start, the system's five texts, the earlier run's two, the title's
    // preset and start, the heading's preset and the preset row: 14, plus per launch its start,
    // resolution and level, and for the recorded one score and frame count, and the failure;
    // the resolution's chart heading, level name and statistics and comparison rows.
    EXPECT_GE(Count(page, escaped), 14u + 3 + 3 + 2 + 1 + 1 + 1 + 2 + 2);
    // The log's low field, cut to its width like every record field.
    EXPECT_NE(page.find(HtmlEscape("<i>\"&") + " &lt;/i"), std::string::npos);
    EXPECT_EQ(page.find("unknown MiB"), std::string::npos);
}

// The document without its tables: what a browser put outside every table.
std::string OutsideTables(const std::string& dom) {
    std::string outside;
    size_t at = 0;
    int depth = 0;
    while (at < dom.size()) {
        const size_t open = dom.find("<table", at);
        const size_t close = dom.find("</table>", at);
        const size_t next = std::min(open, close);
        if (depth == 0) outside += dom.substr(at, next == std::string::npos ? next : next - at);
        if (next == std::string::npos) break;
        depth += next == open ? 1 : -1;
        at = next + (next == open ? 6 : 8);
    }
    return outside;
}

// What `command` printed; empty when it failed.
std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    return pclose(pipe) == 0 ? out : "";
}

// A report with repeats, a failed launch, a comparison and outside text that would end a cell, a
// row or the table if it were not escaped: the browser's document must hold every value with
// nothing moved out of its table (what a browser does to markup that breaks a table).
TEST(ReportInBrowser, EveryValueStaysInItsTable) {
    if (Output("command -v chromium").empty()) GTEST_SKIP() << "chromium is not installed";
    char folder_template[] = "/tmp/bw_report_XXXXXX";
    ASSERT_TRUE(mkdtemp(folder_template));
    const std::string folder = folder_template;

    const std::string hostile = "</td></tr></table><div>&";
    std::vector<LaunchResult> launches = {
        Launch(1, "1024x768", "dm-antalus", 1, "21.40", "63.87", "141.20"),
        Launch(2, "1024x768", "dm-antalus", 2, "22.10", "61.35", "139.05"),
        Launch(3, "1024x768", "ctf-face3" + hostile, 1, "18.75", "47.02", "98.60"),
        Launch(4, "1024x768", "ctf-face3" + hostile, 2, "", "", ""),
    };
    launches[3].outcome = LaunchOutcome::kFailedToStart;
    launches[3].failure = "Cannot start <ut2003.exe>: " + hostile;
    platform::SystemInfo system = kSystem;
    system.os += hostile;
    EarlierRun earlier;
    earlier.folder_name = "2026-12-05 20-14-03 High Quality";
    earlier.started = "2026-12-05T20:14:03";
    earlier.median_avg = {{{"1024x768", "dm-antalus"}, 58.00}};
    const std::string page =
        ReportPage(MakeRun("High Quality", {"1024x768"}, 2, 2), system, launches, &earlier);
    const std::string path = folder + "/report.html";
    std::ofstream(path, std::ios::binary) << page;

    const std::string dom = Output(
        "timeout 120 chromium --headless --no-sandbox --disable-gpu "
        "--disable-background-networking --disable-component-update --no-first-run "
        "--user-data-dir=" +
        folder + "/profile --dump-dom file://" + path + " 2>/dev/null");
    Output("rm -rf " + folder);
    ASSERT_NE(dom.find("</html>"), std::string::npos) << "chromium printed no document";

    // Every value: records, medians and spread, the comparison, the machine, the outcome.
    for (const char* value :
         {"21.40", "63.87", "141.20", "22.10", "61.35", "139.05", "18.75", "47.02", "98.60",
          "61.35 - 63.87", "58.00", "+5.8%", "BENCH-PC", "6.14.10.4523", "1024 MiB",
          "2026-12-05 20-14-03 High Quality", "failed to start", "dm-antalus"}) {
        EXPECT_NE(dom.find(value), std::string::npos) << value;
    }
    // The hostile text stayed text, and the browser kept every cell, bar and row in its table.
    EXPECT_EQ(Count(dom, "<div>&amp;"), 0u);
    EXPECT_NE(dom.find("&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;div&gt;&amp;"), std::string::npos);
    for (const char* element : {"<table", "<td", "<tr", "class=\"bar\""})
        EXPECT_EQ(Count(dom, element), Count(page, element)) << element;
    const std::string outside = OutsideTables(dom);
    for (const char* inside : {"<td", "<tr", "<th", "class=\"bar\"", "class=\"whisker\"", "63.87"})
        EXPECT_EQ(outside.find(inside), std::string::npos) << inside;
}

}  // namespace
}  // namespace results
