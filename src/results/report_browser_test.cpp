// report.html as a real browser reads it: headless chromium parses a report with repeats, a
// failed launch, a comparison and hostile outside text, and its document must hold every value
// with nothing moved out of its table (what a browser does to markup that breaks a table).
// Skipped where chromium is not installed (scripts/setup installs it).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "results/report_page.h"

namespace results {
namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
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

LaunchResult Launch(int index, const std::string& level, int repeat, const char* low,
                    const char* avg, const char* high) {
    LaunchResult r;
    r.index = index;
    r.resolution = "1024x768";
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

TEST(ReportInBrowser, EveryValueStaysInItsTable) {
    if (Output("command -v chromium").empty()) GTEST_SKIP() << "chromium is not installed";
    char folder_template[] = "/tmp/bw_report_XXXXXX";
    ASSERT_TRUE(mkdtemp(folder_template));
    const std::string folder = folder_template;

    // Outside text that would end a cell, a row or the table if it were not escaped.
    const std::string hostile = "</td></tr></table><div>&";
    std::vector<LaunchResult> launches = {
        Launch(1, "dm-antalus", 1, "21.40", "63.87", "141.20"),
        Launch(2, "dm-antalus", 2, "22.10", "61.35", "139.05"),
        Launch(3, "ctf-face3" + hostile, 1, "18.75", "47.02", "98.60"),
        Launch(4, "ctf-face3" + hostile, 2, "", "", ""),
    };
    launches[3].outcome = LaunchOutcome::kFailedToStart;
    launches[3].failure = "Cannot start <ut2003.exe>: " + hostile;
    RunInfo run;
    run.preset = "High Quality";
    run.edition = "full";
    run.renderer = "Direct3D";
    run.started = "2026-12-06T14:05:09";
    run.resolutions = {"1024x768"};
    run.levels_per_resolution = 2;
    run.runs_per_level = 2;
    run.elapsed_ms = 330000;
    const platform::SystemInfo system = {"BENCH-PC", "Windows XP" + hostile, "Athlon XP", 1, 1024,
                                         "GeForce4", "6.14.10.4523"};
    EarlierRun earlier;
    earlier.folder_name = "2026-12-05 20-14-03 High Quality";
    earlier.started = "2026-12-05T20:14:03";
    earlier.median_avg = {{{"1024x768", "dm-antalus"}, 58.00}};
    const std::string page = ReportPage(run, system, launches, &earlier);
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
    EXPECT_EQ(Count(dom, "<table"), Count(page, "<table"));
    EXPECT_EQ(Count(dom, "<td"), Count(page, "<td"));
    EXPECT_EQ(Count(dom, "<tr"), Count(page, "<tr"));
    EXPECT_EQ(Count(dom, "class=\"bar\""), Count(page, "class=\"bar\""));
    const std::string outside = OutsideTables(dom);
    for (const char* inside : {"<td", "<tr", "<th", "class=\"bar\"", "class=\"whisker\"", "63.87"})
        EXPECT_EQ(outside.find(inside), std::string::npos) << inside;
}

}  // namespace
}  // namespace results
