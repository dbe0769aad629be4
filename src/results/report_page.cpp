// Building report.html from a run's launch results.
#include "results/report_page.h"

#include <algorithm>
#include <optional>

#include "common/text.h"
#include "results/html_text.h"
#include "results/run_cells.h"
#include "results/run_statistics.h"
#include "results/significance.h"
#include "results/steadiness.h"

namespace results {

namespace {

// Tables and blocks only: IE6 knows no inline-block, max-width or child selectors.
const char kStyle[] =
    "body{font-family:Tahoma,Verdana,Arial,sans-serif;font-size:13px;color:#222;"
    "background:#fff;margin:16px}\n"
    "h1{font-size:20px;margin:0 0 8px 0}\n"
    "h2{font-size:16px;margin:20px 0 6px 0;border-bottom:1px solid #99a}\n"
    "table{border-collapse:collapse}\n"
    "th,td{padding:2px 8px;text-align:left;vertical-align:middle}\n"
    "table.list th{background:#dde;border:1px solid #aab}\n"
    "table.list td{border:1px solid #ccd;white-space:nowrap}\n"
    "td.n{text-align:right}\n"
    "table.info th{font-weight:normal;color:#555;padding-left:0}\n"
    "table.chart{width:100%}\n"
    "table.chart th{width:20%;font-weight:normal}\n"
    "table.chart td.plot{width:60%;padding:3px 0}\n"
    "table.chart td.n{width:20%;text-align:left}\n"
    "div.whisker{height:3px;overflow:hidden;font-size:0;line-height:0;background:#333}\n"
    "div.bar{height:14px;overflow:hidden;font-size:0;line-height:0;background:#4a7ebb}\n"
    "td.failed{color:#a00;white-space:normal}\n"
    "td.disturbed{color:#a50;font-weight:bold}\n"
    "p.none{color:#555;font-style:italic}\n";

std::string Text(std::string_view text) { return PageText(text, true); }

// A record's field for a table: the number with two decimals, or the log's text when it is none.
std::string FpsText(const std::string& field) {
    const auto fps = ParseFps(field);
    return fps ? FormatFps(*fps) : Text(common::Trimmed(field));
}

// "2026-12-06 14:05:09" from "2026-12-06T14:05:09".
std::string ShownTime(const std::string& iso) {
    std::string shown = iso;
    if (shown.size() > 10 && shown[10] == 'T') shown[10] = ' ';
    return Text(shown);
}

// "1 h 02 min 09 s", "3 min 05 s", "42 s".
std::string ShownDuration(uint32_t milliseconds) {
    const uint32_t s = (milliseconds + 500) / 1000;
    using common::Digits;
    if (s >= 3600)
        return std::to_string(s / 3600) + " h " + Digits(s / 60 % 60, 2) + " min " +
               Digits(s % 60, 2) + " s";
    if (s >= 60) return std::to_string(s / 60) + " min " + Digits(s % 60, 2) + " s";
    return std::to_string(s) + " s";
}

std::string Row(const std::vector<std::string>& cells, const std::vector<bool>& numeric = {}) {
    std::string row = "<tr>";
    for (size_t i = 0; i < cells.size(); ++i) {
        row += i < numeric.size() && numeric[i] ? "<td class=\"n\">" : "<td>";
        row += cells[i] + "</td>";
    }
    return row + "</tr>\n";
}

std::string InfoRow(const std::string& name, const std::string& value) {
    return "<tr><th>" + name + "</th><td>" + value + "</td></tr>\n";
}

std::string Percent(double value, double scale) {
    const double p = scale > 0 ? std::clamp(value / scale * 100, 0.0, 100.0) : 0;
    return FormatDecimal(p, 1) + "%";
}

std::string SignedPercent(double change) {
    return (change > 0 ? "+" : "") + FormatDecimal(change, 1) + "%";
}

// "3", or "until steady within 2.0% (3 to 10 runs)".
std::string RunsPerLevelText(const RunInfo& run) {
    if (!run.until_steady) return std::to_string(run.runs_per_level);
    return "until steady within " + SteadyWithinText(run.steady_within_tenths) + "% (" +
           std::to_string(kSteadyMinRuns) + " to " + std::to_string(kSteadyMaxRuns) + " runs)";
}

std::string HeaderSection(const RunInfo& run, const platform::SystemInfo& system,
                          const std::vector<LaunchResult>& results) {
    uint32_t took = run.elapsed_ms;
    if (took == 0) {
        for (const auto& launch : results) took += launch.duration_ms;
    }
    std::string resolutions;
    for (const auto& r : run.resolutions)
        resolutions += (resolutions.empty() ? "" : ", ") + Text(r);
    const auto count = [](uint64_t n) {
        return n == 0 ? std::string("unknown") : std::to_string(n);
    };

    std::string html = "<h1>Benchwright report: " + Text(run.preset) + "</h1>\n";
    html += "<h2>The run</h2>\n<table class=\"info\">\n";
    if (!run.label.empty()) html += InfoRow("Label", Text(run.label));
    html += InfoRow("Preset", Text(run.preset));
    html += InfoRow("Edition", Text(run.edition));
    html += InfoRow("Renderer", Text(run.renderer));
    html += InfoRow("Game version", Text(run.game_version.empty() ? "unknown" : run.game_version));
    html += InfoRow("Started", ShownTime(run.started));
    html += InfoRow("Took", ShownDuration(took));
    html += InfoRow("Resolutions", resolutions);
    html += InfoRow("Runs per level", RunsPerLevelText(run));
    html += "</table>\n<h2>The machine</h2>\n<table class=\"info\">\n";
    html += InfoRow("Computer", Text(system.computer_name));
    html += InfoRow("Windows", Text(system.os));
    html += InfoRow("Processor", Text(system.cpu));
    html += InfoRow("Logical processors", count(system.cores));
    html += InfoRow("Memory", system.memory_mb == 0 ? "unknown" : count(system.memory_mb) + " MiB");
    html += InfoRow("Display adapter", Text(system.gpu));
    html += InfoRow("Driver version", Text(system.gpu_driver));
    return html + "</table>\n";
}

// The longest bar: the highest frame rate any cell shows, so every chart has one scale.
double ChartScale(const std::vector<std::vector<Cell>>& cells) {
    double scale = 0;
    for (const auto& row : cells) {
        for (const Cell& cell : row) {
            const CellAverages averages = AveragesOf(cell);
            if (!averages.median_launch) continue;
            scale = std::max(scale, averages.spread->median);
            if (auto high = ParseFps(averages.median_launch->record.high)) {
                scale = std::max(scale, *high);
            }
        }
    }
    return scale;
}

std::string ChartSection(const std::vector<std::vector<Cell>>& cells, const RunInfo& run) {
    const double scale = ChartScale(cells);
    std::string html =
        "<h2>Average frames per second</h2>\n<p>The bar is the average (with repeats, the "
        "median launch's); the line above it spans the lowest to the highest frame rate.</p>\n";
    for (const auto& row : cells) {
        if (row.empty()) continue;
        html += "<h3>" + Text(row.front().resolution) + "</h3>\n<table class=\"chart\">\n";
        for (const Cell& cell : row) {
            const CellAverages averages = AveragesOf(cell);
            html += "<tr><th>" + Text(cell.level) + "</th><td class=\"plot\">";
            std::string value = "no result";
            if (averages.median_launch) {
                const FrameRateRecord& record = averages.median_launch->record;
                const double avg = averages.spread->median;
                const auto low = ParseFps(record.low);
                const auto high = ParseFps(record.high);
                if (low && high && *low <= *high) {
                    html += "<div class=\"whisker\" style=\"margin-left:" + Percent(*low, scale) +
                            ";width:" + Percent(*high - *low, scale) + "\"></div>";
                }
                html += "<div class=\"bar\" style=\"width:" + Percent(avg, scale) + "\"></div>";
                value = FormatFps(avg);
                if (low && high) value += " (" + FormatFps(*low) + " - " + FormatFps(*high) + ")";
                if (run.runs_per_level > 1) {
                    value += ", " + std::to_string(averages.spread->count) + " of " +
                             std::to_string(cell.launches.size()) + " runs";
                }
            }
            html += "</td><td class=\"n\">" + value + "</td></tr>\n";
        }
        html += "</table>\n";
    }
    return html;
}

std::string SpreadSection(const std::vector<std::vector<Cell>>& cells) {
    std::string html =
        "<h2>Median and spread of the repeats</h2>\n<table class=\"list\">\n"
        "<tr><th>Resolution</th><th>Level</th><th>Runs with a result</th><th>Median average</th>"
        "<th>Lowest - highest average</th><th>Spread</th></tr>\n";
    for (const auto& row : cells) {
        for (const Cell& cell : row) {
            const auto spread = AveragesOf(cell).spread;
            const std::string runs = std::to_string(spread ? spread->count : 0) + " of " +
                                     std::to_string(cell.launches.size());
            if (!spread) {
                html += Row({Text(cell.resolution), Text(cell.level), runs, "", "", ""},
                            {false, false, true});
                continue;
            }
            html += Row({Text(cell.resolution), Text(cell.level), runs, FormatFps(spread->median),
                         FormatFps(spread->min) + " - " + FormatFps(spread->max),
                         FormatDecimal(spread->percent, 1) + "%"},
                        {false, false, true, true, true, true});
        }
    }
    return html + "</table>\n";
}

// "Until steady": per cell the runs made, the median and mean average, the relative standard
// deviation of the averages the rule counts, and whether the cell became steady.
std::string SteadySection(const std::vector<std::vector<Cell>>& cells, const RunInfo& run) {
    std::string html =
        "<h2>Runs until steady</h2>\n<p>A level is repeated until the relative standard deviation "
        "of its averages is at most " +
        SteadyWithinText(run.steady_within_tenths) +
        "%; launches without a record and disturbed launches are not counted.</p>\n"
        "<table class=\"list\">\n<tr><th>Resolution</th><th>Level</th><th>Runs</th>"
        "<th>Median average</th><th>Mean average</th><th>Relative standard deviation</th>"
        "<th>Steady</th></tr>\n";
    for (const auto& row : cells) {
        for (const Cell& cell : row) {
            std::vector<const LaunchResult*> made;
            for (const LaunchResult* launch : cell.launches)
                if (launch->outcome != LaunchOutcome::kNotRun) made.push_back(launch);
            const auto spread = AveragesOf(cell).spread;
            const RelativeDeviation d = RelativeDeviationOf(CountedAverages(made));
            const std::string runs = std::to_string(made.size());
            std::string verdict = "not run";
            if (!made.empty()) {
                const bool steady =
                    JudgeRepeats(made, run.steady_within_tenths) == Steadiness::kSteady;
                verdict = (steady ? "steady after " : "not steady after ") + runs +
                          (made.size() == 1 ? " run" : " runs");
            }
            html += Row({Text(cell.resolution), Text(cell.level), runs,
                         spread ? FormatFps(spread->median) : "", d.mean ? FormatFps(*d.mean) : "",
                         d.rsd_percent ? FormatDecimal(*d.rsd_percent, 1) + "%" : "", verdict},
                        {false, false, true, true, true, true});
        }
    }
    return html + "</table>\n";
}

std::string ComparisonSection(const std::vector<std::vector<Cell>>& cells,
                              const EarlierRun* earlier) {
    std::string html = "<h2>Compared with the run before</h2>\n";
    if (!earlier) return html + "<p class=\"none\">no earlier result to compare with</p>\n";
    html += "<p>The earlier run: " + Text(earlier->folder_name) + ", started " +
            ShownTime(earlier->started) +
            ".</p>\n<table class=\"list\">\n"
            "<tr><th>Resolution</th><th>Level</th><th>This run</th><th>Earlier run</th>"
            "<th>Change</th><th>Is it real?</th></tr>\n";
    for (const auto& row : cells) {
        for (const Cell& cell : row) {
            const CellAverages now = AveragesOf(cell);
            const auto spread = now.spread;
            const auto it = earlier->median_avg.find({cell.resolution, cell.level});
            const std::optional<double> before =
                it == earlier->median_avg.end() ? std::nullopt : std::optional(it->second);
            std::string change, verdict;
            if (spread && before && *before > 0) {
                change = SignedPercent((spread->median - *before) / *before * 100);
                // An earlier run known only by its median counts as one run.
                const auto then = earlier->averages.find(it->first);
                verdict = VerdictText(Judge(
                    SampleOf(then == earlier->averages.end() ? std::vector{*before} : then->second),
                    SampleOf(now.averages)));
            }
            html += Row(
                {Text(cell.resolution), Text(cell.level), spread ? FormatFps(spread->median) : "",
                 before ? FormatFps(*before) : "", change, verdict},
                {false, false, true, true, true});
        }
    }
    return html + "</table>\n";
}

// What other programs used of the processors while the game ran, marked when it disturbed the
// launch; "unknown" when it could not be measured.
std::string BackgroundCell(const LaunchResult& launch, bool ran) {
    if (!ran) return "<td></td>";
    if (!launch.background_cpu_percent) return "<td class=\"n\">unknown</td>";
    const std::string figure = FormatDecimal(*launch.background_cpu_percent, 1) + "%";
    if (!launch.Disturbed()) return "<td class=\"n\">" + figure + "</td>";
    return "<td class=\"disturbed\">" + figure + ": disturbed</td>";
}

std::string LaunchSection(const std::vector<LaunchResult>& results) {
    std::string html =
        "<h2>Every launch</h2>\n<p>Other programs: the processor time programs other than the "
        "game and Benchwright used while the game ran, in percent of one processor. Above " +
        FormatDecimal(kDisturbedAbovePercent, 0) +
        "% the launch is disturbed: a cell's median leaves it out when the cell has an "
        "undisturbed launch.</p>\n<table class=\"list\">\n"
        "<tr><th>#</th><th>Started</th><th>Resolution</th><th>Level</th><th>Repeat</th>"
        "<th>Low</th><th>Average</th><th>High</th><th>Score</th><th>Frames</th>"
        "<th>Seconds</th><th>Exit code</th><th>Outcome</th><th>Other programs</th></tr>\n";
    std::vector<const LaunchResult*> ordered;
    for (const auto& launch : results) ordered.push_back(&launch);
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const LaunchResult* a, const LaunchResult* b) { return a->index < b->index; });
    for (const LaunchResult* launch : ordered) {
        const bool recorded = launch->HasRecord();
        const bool ran = launch->outcome != LaunchOutcome::kFailedToStart &&
                         launch->outcome != LaunchOutcome::kNotRun;
        std::string outcome = OutcomeName(launch->outcome);
        if (!launch->failure.empty()) outcome += ": " + Text(launch->failure);
        html += "<tr><td class=\"n\">" + std::to_string(launch->index) + "</td><td>" +
                ShownTime(launch->started) + "</td><td>" + Text(launch->resolution) + "</td><td>" +
                Text(launch->level) + "</td><td class=\"n\">" + std::to_string(launch->repeat) +
                "</td><td class=\"n\">" + (recorded ? FpsText(launch->record.low) : "") +
                "</td><td class=\"n\">" + (recorded ? FpsText(launch->record.average) : "") +
                "</td><td class=\"n\">" + (recorded ? FpsText(launch->record.high) : "") +
                "</td><td class=\"n\">" + (recorded ? Text(launch->score) : "") +
                "</td><td class=\"n\">" + (recorded ? Text(launch->frame_count) : "") +
                "</td><td class=\"n\">" +
                (ran ? FormatDecimal(launch->duration_ms / 1000.0, 1) : "") +
                "</td><td class=\"n\">" + (ran ? std::to_string(launch->exit_code) : "") + "</td>" +
                (recorded ? "<td>" : "<td class=\"failed\">") + outcome + "</td>" +
                BackgroundCell(*launch, ran) + "</tr>\n";
    }
    return html + "</table>\n";
}

}  // namespace

std::string ReportPage(const RunInfo& run, const platform::SystemInfo& system,
                       const std::vector<LaunchResult>& results, const EarlierRun* earlier) {
    const auto cells = GroupIntoCells(results, run.resolutions, run.levels_per_resolution);
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<title>Benchwright report: " +
                       Text(run.preset) + ", " + ShownTime(run.started) +
                       "</title>\n<style type=\"text/css\">\n" + kStyle +
                       "</style>\n</head>\n<body>\n";
    html += HeaderSection(run, system, results);
    html += ChartSection(cells, run);
    if (run.until_steady) {
        html += SteadySection(cells, run);
    } else if (run.runs_per_level > 1) {
        html += SpreadSection(cells);
    }
    html += ComparisonSection(cells, earlier);
    html += LaunchSection(results);
    return html + "</body>\n</html>\n";
}

}  // namespace results
