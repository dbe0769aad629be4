// compare.html: the comparison as a page, side by side and as one bar chart per key.
#include <algorithm>
#include <map>
#include <tuple>

#include "results/comparison.h"
#include "results/html_text.h"

namespace results {
namespace {

// Tables and blocks only, as in report.html: IE6 knows no inline-block or child selectors.
constexpr const char* kStyle =
    "body{font-family:Tahoma,Verdana,Arial,sans-serif;font-size:13px;color:#222;"
    "background:#fff;margin:16px}\n"
    "h1{font-size:20px;margin:0 0 8px 0}\n"
    "h2{font-size:16px;margin:24px 0 6px 0;border-bottom:1px solid #99a}\n"
    "h3{font-size:13px;margin:14px 0 4px 0}\n"
    "table{border-collapse:collapse}\n"
    "th,td{padding:2px 6px;text-align:left;vertical-align:top}\n"
    "table.list th{background:#dde;border:1px solid #aab;font-weight:normal}\n"
    "table.list td{border:1px solid #ccd;white-space:nowrap}\n"
    "td.n{text-align:right}\n"
    ".median{font-weight:bold}.small{color:#666;font-size:11px}\n"
    ".up{color:#070}.down{color:#b00}.real{font-weight:bold}\n"
    "table.chart{width:100%}\n"
    "table.chart th{width:30%;font-weight:normal}\n"
    "table.chart td.plot{width:40%;padding:3px 0;vertical-align:middle}\n"
    "table.chart tr.baseline th{font-weight:bold}\n"
    "div.whisker{height:3px;overflow:hidden;font-size:0;line-height:0;background:#333}\n"
    "div.bar{height:14px;overflow:hidden;font-size:0;line-height:0;background:#4a7ebb}\n"
    "p.note{background:#ffd;border:1px solid #cc9;padding:4px 8px}\n";

// Text from a file, for element content or an attribute: escaped, and control characters (which
// no markup may hold) shown as spaces.
std::string Text(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') c = ' ';
    }
    return HtmlEscape(clean);
}

// "+4.5", "-0.3", "0.0": a change with its sign.
std::string SignedPercent(double percent) {
    const std::string text = FormatDecimal(percent, 1);
    return percent > 0 && text != "0.0" ? "+" + text : text;
}

std::string Percent(double value, double scale) {
    const double p = scale > 0 ? std::clamp(value / scale * 100, 0.0, 100.0) : 0;
    return FormatDecimal(p, 1) + "%";
}

// Appends what is said beside a cell of `row`: "baseline", or the change against the row's
// first cell and its verdict, and a word when the two come from different game versions.
void AppendChange(const Comparison& comparison, const ComparisonRow& row, const ComparedCell& cell,
                  std::string& html) {
    const ComparedCell& baseline = row.cells.front();
    if (&cell == &baseline) {
        html += "<span class=\"small\">baseline</span>";
        return;
    }
    const std::optional<Change> change = ChangeOf(baseline, cell);
    if (!change) return;
    html += change->percent > 0   ? "<span class=\"up\">"
            : change->percent < 0 ? "<span class=\"down\">"
                                  : "<span class=\"same\">";
    html += SignedPercent(change->percent);
    html += "%</span> ";
    html += change->verdict == Verdict::kReal ? "<span class=\"real\">real</span>"
                                              : VerdictText(change->verdict);
    const ComparedResult& a = comparison.results[baseline.result];
    const ComparedResult& b = comparison.results[cell.result];
    if (OtherGameVersions(a, b)) {
        html += "<br/><span class=\"small\">game " + Text(b.game_version) + ", baseline " +
                Text(a.game_version) + "</span>";
    }
}

// "60.00 - 65.00, 3 runs": the lowest and highest average and how many there are; "1 run".
std::string RangeText(const Spread& spread) {
    if (spread.count == 1) return "1 run";
    return FormatFps(spread.min) + " - " + FormatFps(spread.max) + ", " +
           std::to_string(spread.count) + " runs";
}

std::string ResultsSection(const Comparison& comparison) {
    std::string html =
        "<h2>The results</h2>\n<table class=\"list\">\n<tr><th>Result</th><th>Preset</th>"
        "<th>Edition</th><th>Renderer</th><th>Started</th><th>Display adapter</th>"
        "<th>Driver</th><th>Game version</th><th>File</th></tr>\n";
    for (const ComparedResult& r : comparison.results) {
        std::string started = r.started;
        if (started.size() > 10 && started[10] == 'T') started[10] = ' ';
        html += "<tr><td>" + Text(r.name) + "</td><td>" + Text(r.preset) + "</td><td>" +
                Text(r.edition) + "</td><td>" + Text(r.renderer) + "</td><td>" + Text(started) +
                "</td><td>" + Text(r.gpu) + "</td><td>" + Text(r.gpu_driver) + "</td><td>" +
                Text(r.game_version) + "</td><td>" + Text(r.source) + "</td></tr>\n";
    }
    return html + "</table>\n";
}

// A note when the results come from more than one known game version.
std::string VersionNote(const Comparison& comparison) {
    std::map<std::string, size_t> versions;
    for (const ComparedResult& r : comparison.results) ++versions[r.game_version];
    std::string list;
    size_t known = 0;
    for (const auto& [version, count] : versions) {
        if (version.empty() || version == "unknown") continue;
        ++known;
        list += (list.empty() ? "" : "; ") + Text(version) + ": " + std::to_string(count) +
                (count == 1 ? " result" : " results");
    }
    if (known < 2) return "";
    return "<p class=\"note\">These results come from different versions of the game (" + list +
           "). A change between two of them names both versions.</p>\n";
}

// The results side by side for the rows of one preset, edition and renderer: a column for each
// result that has any of them.
std::string SideBySide(const Comparison& comparison, const std::vector<std::string>& names,
                       const std::vector<size_t>& rows) {
    std::vector<bool> has(comparison.results.size());
    for (size_t r : rows)
        for (const ComparedCell& cell : comparison.rows[r].cells) has[cell.result] = true;
    std::string html = "<table class=\"list\">\n<tr><th>Level</th><th>Resolution</th>";
    for (size_t col = 0; col < has.size(); ++col) {
        if (!has[col]) continue;
        const ComparedResult& result = comparison.results[col];
        html += "<th title=\"" + Text(result.source) + "\">" + names[col] + "</th>";
    }
    html += "</tr>\n";
    for (size_t r : rows) {
        const ComparisonRow& row = comparison.rows[r];
        html += "<tr><td>" + Text(row.key.level) + "</td><td>" + Text(row.key.resolution) + "</td>";
        for (size_t col = 0; col < has.size(); ++col) {
            if (!has[col]) continue;
            html += "<td class=\"n\">";
            const auto cell = std::find_if(row.cells.begin(), row.cells.end(),
                                           [&](const ComparedCell& c) { return c.result == col; });
            if (cell != row.cells.end()) {
                if (cell->spread) {
                    html += "<span class=\"median\">" + FormatFps(cell->spread->median) + "</span>";
                    if (cell->spread->count > 1) {
                        html += "<br/><span class=\"small\">" + RangeText(*cell->spread) + " (" +
                                FormatDecimal(cell->spread->percent, 1) + "%)</span>";
                    }
                }
                std::string change;
                AppendChange(comparison, row, *cell, change);
                if (cell->spread && !change.empty()) html += "<br/>";
                html += change;
            }
            html += "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

// Appends one key's bar chart: a bar per result to its median average, a whisker over its lowest
// to highest average, all on the scale of the key's highest average; beside it the figures, the
// change and the verdict. `best_first` orders the results by median, blank ones last. A chart may
// have a thousand rows: they are appended piece by piece, each name escaped once beforehand.
void AppendKeyChart(const Comparison& comparison, const std::vector<std::string>& names,
                    const ComparisonRow& row, bool best_first, std::string& html) {
    std::vector<const ComparedCell*> order;
    double scale = 0;
    for (const ComparedCell& cell : row.cells) {
        order.push_back(&cell);
        if (cell.spread) scale = std::max(scale, cell.spread->max);
    }
    if (best_first) {
        std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
            return a->spread && (!b->spread || a->spread->median > b->spread->median);
        });
    }
    html += "<h3>" + Text(row.key.level) + ", " + Text(row.key.resolution) +
            "</h3>\n<table class=\"chart\">\n";
    for (const ComparedCell* cell : order) {
        html += cell == &row.cells.front() ? "<tr class=\"baseline\"><th>" : "<tr><th>";
        html += names[cell->result];
        html += "</th><td class=\"plot\">";
        const std::optional<Spread>& s = cell->spread;
        if (s && s->max > s->min) {
            html += "<div class=\"whisker\" style=\"margin-left:" + Percent(s->min, scale) +
                    ";width:" + Percent(s->max - s->min, scale) + "\"></div>";
        }
        if (s)
            html += "<div class=\"bar\" style=\"width:" + Percent(s->median, scale) + "\"></div>";
        html += "</td><td>";
        if (s) {
            html += "<span class=\"median\">" + FormatFps(s->median) + "</span> (";
            html += RangeText(*s) + ")";
        } else {
            html += "no record";
        }
        html += "</td><td>";
        AppendChange(comparison, row, *cell, html);
        html += "</td></tr>\n";
    }
    html += "</table>\n";
}

// The rows of each preset, edition and renderer, in the order first seen.
std::vector<std::vector<size_t>> Groups(const Comparison& comparison) {
    std::map<std::tuple<std::string, std::string, std::string>, size_t> index;
    std::vector<std::vector<size_t>> groups;
    for (size_t r = 0; r < comparison.rows.size(); ++r) {
        const ComparisonKey& key = comparison.rows[r].key;
        const auto [it, added] =
            index.try_emplace({key.preset, key.edition, key.renderer}, groups.size());
        if (added) groups.emplace_back();
        groups[it->second].push_back(r);
    }
    return groups;
}

}  // namespace

std::string ComparisonHtml(const Comparison& comparison) {
    const std::string count = std::to_string(comparison.results.size());
    std::string html;
    html += "<!DOCTYPE html>\n<html>\n<head>\n";
    html += "<title>Benchwright: comparison of " + count + " results</title>\n";
    html += std::string("<style type=\"text/css\">\n") + kStyle + "</style>\n";
    html += "</head>\n<body>\n";
    html += "<h1>Comparison of " + count + " results</h1>\n";
    if (comparison.results.empty()) {
        html += "<p>No result could be read.</p>\n";
    } else {
        const bool side_by_side = comparison.results.size() <= kSideBySide;
        html +=
            "<p>Only results of the same preset, edition and renderer are compared, level by "
            "level and resolution by resolution. For each, a result's figure is the median of "
            "the average frames per second of its recorded runs; the bar reaches it, the line "
            "above spans the lowest to the highest average. A change is against the baseline, "
            "the first result read that has that level and resolution, and says whether it is "
            "<em>real</em> (a Welch t-test over the runs' averages at the 95 % level tells the "
            "two apart), <em>within noise</em> (it does not), or <em>one run: cannot tell</em> "
            "(a side has a single run).";
        if (!side_by_side) {
            html += " With more than " + std::to_string(kSideBySide) +
                    " results, each chart lists them best median first, the baseline in bold.";
        }
        html += "</p>\n" + VersionNote(comparison);
        std::vector<std::string> names;
        for (const ComparedResult& result : comparison.results) names.push_back(Text(result.name));
        for (const std::vector<size_t>& group : Groups(comparison)) {
            const ComparisonKey& key = comparison.rows[group.front()].key;
            html += "<h2>" + Text(key.preset) + ", " + Text(key.edition) + ", " +
                    Text(key.renderer) + "</h2>\n";
            if (side_by_side) html += SideBySide(comparison, names, group);
            for (size_t r : group)
                AppendKeyChart(comparison, names, comparison.rows[r], !side_by_side, html);
        }
        html += ResultsSection(comparison);
    }
    if (!comparison.skipped.empty()) {
        html += "<h2>Skipped</h2>\n<ul>\n";
        for (const SkippedInput& s : comparison.skipped)
            html += "<li>" + Text(s.path) + ": " + Text(s.reason) + "</li>\n";
        html += "</ul>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

}  // namespace results
