// report.html: the worked CPU Benchmark, repeats, the comparison, and outside text that tries to
// break the markup. Every page is checked for well-formed markup and for anything that would
// need a script, a network or another file.
#include "results/report_page.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "results/html_text.h"

namespace results {
namespace {

// Empty when `page` is well-formed XML (after its doctype) with one root element; otherwise what
// is wrong and where.
std::string MarkupFault(const std::string& page) {
    const std::string doctype = "<!DOCTYPE html>\n";
    if (page.compare(0, doctype.size(), doctype) != 0) return "no doctype";
    std::vector<std::string> open;
    int roots = 0;
    const auto name_char = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    const auto entity_at = [&](size_t i) {
        const size_t end = page.find(';', i);
        if (end == std::string::npos) return false;
        const std::string e = page.substr(i + 1, end - i - 1);
        if (e == "amp" || e == "lt" || e == "gt" || e == "quot" || e == "apos") return true;
        return e.size() > 1 && e[0] == '#' && e.find_first_not_of("0123456789", 1) == e.npos;
    };
    for (size_t i = doctype.size(); i < page.size(); ++i) {
        const char c = page[i];
        const std::string where = " at " + std::to_string(i) + ": " + page.substr(i, 40);
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return "control character" + where;
        if (c == '&' && !entity_at(i)) return "bare &" + where;
        if (c != '<') continue;
        const bool closing = page[i + 1] == '/';
        size_t j = i + (closing ? 2 : 1);
        const size_t name_start = j;
        while (j < page.size() && name_char(page[j])) ++j;
        const std::string name = page.substr(name_start, j - name_start);
        if (name.empty()) return "bare <" + where;
        if (closing) {
            if (open.empty() || open.back() != name || page[j] != '>') return "misnested" + where;
            open.pop_back();
            i = j;
            continue;
        }
        // Attributes: name="value" with no < or " inside.
        for (;;) {
            while (page[j] == ' ') ++j;
            if (page[j] == '>' || page.compare(j, 2, "/>") == 0) break;
            const size_t a = j;
            while (j < page.size() && (name_char(page[j]) || page[j] == '-')) ++j;
            if (j == a || page[j] != '=' || page[j + 1] != '"') return "bad attribute" + where;
            const size_t end = page.find('"', j + 2);
            if (end == std::string::npos || page.substr(j + 2, end - j - 2).find('<') != page.npos)
                return "bad attribute value" + where;
            j = end + 1;
        }
        if (open.empty() && ++roots > 1) return "second root" + where;
        if (page[j] == '>') open.push_back(name);
        i = page[j] == '>' ? j : j + 1;
    }
    if (!open.empty()) return "unclosed <" + open.back() + ">";
    return roots == 1 ? "" : "no root";
}

// Nothing that runs, fetches or needs another file.
void ExpectSelfContained(const std::string& page) {
    for (const char* banned : {"<script", "<svg", "<img", "<link", "<iframe", "<object", "src=",
                               "href=", "url(", "http:", "https:", "@import", "javascript:"}) {
        EXPECT_EQ(page.find(banned), std::string::npos) << banned;
    }
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
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
          "<td class=\"failed\">no record</td>", "<td class=\"failed\">not run</td>"}) {
        EXPECT_NE(page.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(page.find("no earlier result"), std::string::npos);
}

TEST(ReportPage, EscapesEveryOutsideText) {
    // Each outside text carries markup, an ampersand, a quote and a control character.
    const std::string evil = "<i>\"&\x01</i>";
    const std::string escaped = "&lt;i&gt;&quot;&amp; &lt;/i&gt;";
    LaunchResult recorded = Launch(1, "640x480" + evil, "dm" + evil, 1, "1", "2", "3");
    recorded.record.Low = FitToWidth(evil, kValueWidth);
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

}  // namespace
}  // namespace results
