// compare.html: the comparison as a page, side by side and as one bar chart per key.
#include <algorithm>
#include <initializer_list>
#include <map>
#include <string_view>

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

std::string Text(std::string_view text) { return PageText(text, false); }

// Appends the parts in order: one call where a chain of `+` would make a temporary string for
// each, which costs time on a page of a thousand results and code in the exe.
void Append(std::string& html, std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) html += part;
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

bool KnownVersion(const std::string& version) { return !version.empty() && version != "unknown"; }

// Appends what is said beside a cell of `row`: "baseline", or the change against the row's
// first cell and its verdict, and a word when the two come from different game versions.
void AppendChange(const Comparison& comparison, const ComparisonRow& row, const ComparedCell& cell,
                  std::string& html) {
    const ComparedCell& baseline = row.cells.front();
    if (&cell == &baseline) return Append(html, {"<span class=\"small\">baseline</span>"});
    const std::optional<Change> change = ChangeOf(baseline, cell);
    if (!change) return;
    const char* direction = change->percent > 0 ? "up" : change->percent < 0 ? "down" : "same";
    Append(html, {"<span class=\"", direction, "\">", SignedPercent(change->percent), "%</span> ",
                  change->verdict == Verdict::kReal ? "<span class=\"real\">real</span>"
                                                    : VerdictText(change->verdict)});
    const ComparedResult& a = comparison.results[baseline.result];
    const ComparedResult& b = comparison.results[cell.result];
    if (OtherGameVersions(a, b)) {
        Append(html, {"<br/><span class=\"small\">game ", Text(b.game_version), ", baseline ",
                      Text(a.game_version), "</span>"});
    }
}

// "60.00 - 65.00, 3 runs": the lowest and highest average and how many there are; "1 run".
std::string RangeText(const Spread& spread) {
    if (spread.count == 1) return "1 run";
    return FormatFps(spread.min) + " - " + FormatFps(spread.max) + ", " +
           std::to_string(spread.count) + " runs";
}

void AppendResults(const Comparison& comparison, std::string& html) {
    html +=
        "<h2>The results</h2>\n<table class=\"list\">\n<tr><th>Result</th><th>Preset</th>"
        "<th>Edition</th><th>Renderer</th><th>Started</th><th>Display adapter</th>"
        "<th>Driver</th><th>Game version</th><th>File</th></tr>\n";
    for (const ComparedResult& r : comparison.results) {
        std::string started = r.started;
        if (started.size() > 10 && started[10] == 'T') started[10] = ' ';
        const std::string* fields[] = {&r.name,       &r.preset,       &r.edition,
                                       &r.renderer,   &started,        &r.gpu,
                                       &r.gpu_driver, &r.game_version, &r.source};
        html += "<tr>";
        for (const std::string* field : fields) Append(html, {"<td>", Text(*field), "</td>"});
        html += "</tr>\n";
    }
    html += "</table>\n";
}

// A note when the results come from more than one known game version.
void AppendVersionNote(const Comparison& comparison, std::string& html) {
    std::map<std::string, size_t> versions;
    for (const ComparedResult& r : comparison.results) {
        if (KnownVersion(r.game_version)) ++versions[r.game_version];
    }
    if (versions.size() < 2) return;
    html += "<p class=\"note\">These results come from different versions of the game (";
    for (auto it = versions.begin(); it != versions.end(); ++it) {
        Append(html, {it == versions.begin() ? "" : "; ", Text(it->first), ": ",
                      std::to_string(it->second), it->second == 1 ? " result" : " results"});
    }
    html += "). A change between two of them names both versions.</p>\n";
}

// The results side by side for the rows of one preset, edition and renderer: a column for each
// result that has any of them.
void AppendSideBySide(const Comparison& comparison, const std::vector<std::string>& names,
                      const std::vector<size_t>& rows, std::string& html) {
    std::vector<bool> has(comparison.results.size());
    for (size_t r : rows) {
        for (const ComparedCell& cell : comparison.rows[r].cells) has[cell.result] = true;
    }
    html += "<table class=\"list\">\n<tr><th>Level</th><th>Resolution</th>";
    for (size_t col = 0; col < has.size(); ++col) {
        if (has[col])
            Append(html, {"<th title=\"", Text(comparison.results[col].source), "\">", names[col],
                          "</th>"});
    }
    html += "</tr>\n";
    for (size_t r : rows) {
        const ComparisonRow& row = comparison.rows[r];
        Append(html,
               {"<tr><td>", Text(row.key.level), "</td><td>", Text(row.key.resolution), "</td>"});
        for (size_t col = 0; col < has.size(); ++col) {
            if (!has[col]) continue;
            html += "<td class=\"n\">";
            const ComparedCell* cell = nullptr;
            for (const ComparedCell& c : row.cells) {
                if (c.result == col) cell = &c;
            }
            if (cell && cell->spread) {
                const Spread& s = *cell->spread;
                Append(html, {"<span class=\"median\">", FormatFps(s.median), "</span>"});
                if (s.count > 1) {
                    Append(html, {"<br/><span class=\"small\">", RangeText(s), " (",
                                  FormatDecimal(s.percent, 1), "%)</span>"});
                }
            }
            if (cell) {
                std::string change;
                AppendChange(comparison, row, *cell, change);
                if (cell->spread && !change.empty()) html += "<br/>";
                html += change;
            }
            html += "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n";
}

// Appends one key's bar chart: a bar per result to its median average, a whisker over its lowest
// to highest average, all on the scale of the key's highest average; beside it the figures, the
// change and the verdict. `best_first` orders the results by median, blank ones last. A chart may
// have a thousand rows; each name comes escaped once beforehand.
void AppendKeyChart(const Comparison& comparison, const std::vector<std::string>& names,
                    const ComparisonRow& row, bool best_first, std::string& html) {
    std::vector<const ComparedCell*> order;
    double scale = 0;
    for (const ComparedCell& cell : row.cells) {
        order.push_back(&cell);
        if (cell.spread) scale = std::max(scale, cell.spread->max);
    }
    // Sorted by insertion: stable, and far smaller in the exe than std::stable_sort; a key has
    // no more rows than results.
    const auto better = [](const ComparedCell* a, const ComparedCell* b) {
        return a->spread && (!b->spread || a->spread->median > b->spread->median);
    };
    for (size_t i = 1; best_first && i < order.size(); ++i) {
        for (size_t j = i; j > 0 && better(order[j], order[j - 1]); --j)
            std::swap(order[j], order[j - 1]);
    }
    Append(html, {"<h3>", Text(row.key.level), ", ", Text(row.key.resolution),
                  "</h3>\n<table class=\"chart\">\n"});
    for (const ComparedCell* cell : order) {
        Append(html, {cell == &row.cells.front() ? "<tr class=\"baseline\"><th>" : "<tr><th>",
                      names[cell->result], "</th><td class=\"plot\">"});
        const std::optional<Spread>& s = cell->spread;
        if (s && s->max > s->min) {
            Append(html, {"<div class=\"whisker\" style=\"margin-left:", Percent(s->min, scale),
                          ";width:", Percent(s->max - s->min, scale), "\"></div>"});
        }
        if (s) {
            Append(html, {"<div class=\"bar\" style=\"width:", Percent(s->median, scale),
                          "\"></div></td><td><span class=\"median\">", FormatFps(s->median),
                          "</span> (", RangeText(*s), ")</td><td>"});
        } else {
            html += "</td><td>no record</td><td>";
        }
        AppendChange(comparison, row, *cell, html);
        html += "</td></tr>\n";
    }
    html += "</table>\n";
}

// The rows of each preset, edition and renderer, in the order first seen.
std::vector<std::vector<size_t>> Groups(const Comparison& comparison) {
    std::vector<std::vector<size_t>> groups;
    for (size_t r = 0; r < comparison.rows.size(); ++r) {
        const ComparisonKey& key = comparison.rows[r].key;
        auto same = [&](const std::vector<size_t>& group) {
            const ComparisonKey& first = comparison.rows[group.front()].key;
            return first.preset == key.preset && first.edition == key.edition &&
                   first.renderer == key.renderer;
        };
        const auto group = std::find_if(groups.begin(), groups.end(), same);
        if (group == groups.end())
            groups.push_back({r});
        else
            group->push_back(r);
    }
    return groups;
}

}  // namespace

std::string ComparisonHtml(const Comparison& comparison) {
    const std::string count = std::to_string(comparison.results.size());
    std::string html;
    Append(html, {"<!DOCTYPE html>\n<html>\n<head>\n<title>Benchwright: comparison of ", count,
                  " results</title>\n<style type=\"text/css\">\n", kStyle,
                  "</style>\n</head>\n<body>\n<h1>Comparison of ", count, " results</h1>\n"});
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
            Append(html, {" With more than ", std::to_string(kSideBySide),
                          " results, each chart lists them best median first, the baseline in "
                          "bold."});
        }
        html += "</p>\n";
        AppendVersionNote(comparison, html);
        std::vector<std::string> names;
        for (const ComparedResult& result : comparison.results) names.push_back(Text(result.name));
        for (const std::vector<size_t>& group : Groups(comparison)) {
            const ComparisonKey& key = comparison.rows[group.front()].key;
            Append(html, {"<h2>", Text(key.preset), ", ", Text(key.edition), ", ",
                          Text(key.renderer), "</h2>\n"});
            if (side_by_side) AppendSideBySide(comparison, names, group, html);
            for (size_t r : group)
                AppendKeyChart(comparison, names, comparison.rows[r], !side_by_side, html);
        }
        AppendResults(comparison, html);
    }
    if (!comparison.skipped.empty()) {
        html += "<h2>Skipped</h2>\n<ul>\n";
        for (const SkippedInput& s : comparison.skipped)
            Append(html, {"<li>", Text(s.path), ": ", Text(s.reason), "</li>\n"});
        html += "</ul>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

}  // namespace results
