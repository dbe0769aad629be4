// Reading many results.csv files into one table, and writing it as a page and as CSV.
#include "results/comparison.h"

#include <cctype>
#include <string_view>
#include <unordered_map>

#include "common/text.h"
#include "platform/platform.h"
#include "results/csv.h"
#include "results/html_text.h"
#include "results/launch_result.h"
#include "results/results_csv.h"

namespace results {
namespace {

// A separator at the end; not the trail byte 0x5C of a double-byte character (the 0x83 0x5C of
// "ソ" in code page 932).
bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || platform::EndsWithBackslash(path));
}

std::string Join(const std::string& folder, const std::string& name) {
    if (EndsWithSeparator(folder)) return folder + name;
    return folder + "\\" + name;
}

// "D:\Lab\" and "D:\Lab" name the same folder; "C:\" keeps its backslash.
std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && EndsWithSeparator(path) && !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

// What is read, and what is refused before it is read whole.

// A thousand launches make about 250 KiB of results.csv: a file this large is not one of ours,
// and reading it whole could exhaust the 32-bit program's memory.
constexpr uint64_t kLargestResultsCsv = uint64_t{64} << 20;
// Read first: enough for the header, and all of a usual results.csv.
constexpr size_t kFirstRead = 64 * 1024;

// The text of a results.csv, judged by its size and first bytes before it is read whole.
bool ReadResultsFile(const std::string& path, std::string* text, std::string* why) {
    uint64_t size = 0;
    if (!platform::ReadFileStart(path, kFirstRead, text, &size, why)) return false;
    if (size > kLargestResultsCsv) {
        *why = "It is " + std::to_string((size + (1 << 20) - 1) >> 20) +
               " MiB, larger than a results.csv may be (64 MiB).";
        return false;
    }
    if (!BeginsLikeResultsCsv(*text)) {
        *why = size == 0 ? "It is empty." : "It does not begin with the header of a results.csv.";
        return false;
    }
    return text->size() >= size || platform::ReadWholeFile(path, text, why);
}

// Text that ends up in the page: tabs, line ends and other control characters become spaces.
std::string Shown(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

void ReplaceControlCharacters(std::vector<std::vector<std::string>>& rows) {
    for (std::vector<std::string>& row : rows)
        for (std::string& field : row) field = Shown(std::move(field));
}

// Builds the table one result at a time. Rows are found through a hash of (level, resolution),
// so a thousand results of a hundred launches each cost a hundred thousand look-ups, not a
// search of the table for each.
class Builder {
public:
    void AddFile(const std::string& path) {
        std::string text, error, torn;
        if (!ReadResultsFile(path, &text, &error)) return Skip(path, error);
        std::vector<std::vector<std::string>> rows;
        if (!ReadResultsCsv(text, &rows, &error, &torn)) return Skip(path, error);
        if (!torn.empty()) Skip(path, torn);
        if (rows.empty()) return Skip(path, "It holds no launches.");
        ReplaceControlCharacters(rows);

        ComparedResult result;
        result.source = Shown(path);
        const std::vector<std::string>& first = rows.front();
        result.machine = first[kMachine];
        result.gpu = first[kGpu];
        result.gpu_driver = first[kGpuDriver];
        result.preset = first[kPreset];
        result.started = first[kStarted];

        std::vector<std::vector<double>> averages;
        const std::string recorded = OutcomeName(LaunchOutcome::kRecorded);
        for (const std::vector<std::string>& row : rows) {
            const size_t index = RowIndex(row[kLevel], row[kResolution]);
            if (averages.size() <= index) averages.resize(index + 1);
            if (row[kOutcome] != recorded) continue;
            if (const std::optional<double> fps = ParseFps(row[kAvgFps]))
                averages[index].push_back(*fps);
        }
        result.cells.reserve(averages.size());
        for (const std::vector<double>& values : averages) result.cells.push_back(SpreadOf(values));
        comparison_.results.push_back(std::move(result));
    }

    void Skip(const std::string& path, const std::string& reason) {
        comparison_.skipped.push_back({Shown(path), Shown(reason)});
    }

    Comparison Finish() {
        // A result read early lacks the rows later ones added: blank cells.
        for (ComparedResult& result : comparison_.results)
            result.cells.resize(comparison_.rows.size());
        return std::move(comparison_);
    }

private:
    size_t RowIndex(const std::string& level, const std::string& resolution) {
        std::string key = level;
        key += '\n';  // never part of a field's value here: a row ends there
        key += resolution;
        const auto [it, added] = row_index_.try_emplace(std::move(key), comparison_.rows.size());
        if (added) comparison_.rows.push_back({level, resolution});
        return it->second;
    }

    Comparison comparison_;
    std::unordered_map<std::string, size_t> row_index_;
};

void AddInput(const std::string& input, Builder& builder) {
    const std::string path = WithoutTrailingSeparator(input);
    if (!platform::FolderExists(path)) {
        if (platform::GetAttributes(path) == 0) return builder.Skip(path, "It cannot be found.");
        return builder.AddFile(path);
    }
    const std::string csv = Join(path, "results.csv");
    if (platform::GetAttributes(csv) != 0) return builder.AddFile(csv);
    const std::vector<std::string> subfolders = platform::ListSubfolders(path);
    if (subfolders.empty())
        return builder.Skip(path, "It holds no results.csv and no results folders.");
    for (const std::string& name : subfolders) {
        const std::string folder = Join(path, name);
        const std::string sub_csv = Join(folder, "results.csv");
        if (platform::GetAttributes(sub_csv) != 0)
            builder.AddFile(sub_csv);
        else
            builder.Skip(folder, "It holds no results.csv.");
    }
}

// "2026-12-06T14:05:09" as "2026-12-06 14:05:09".
std::string DateOf(const ComparedResult& result) {
    std::string date = result.started;
    if (date.size() > 10 && date[10] == 'T') date[10] = ' ';
    return date;
}

std::string Label(const ComparedResult& result) {
    return result.machine + " / " + result.gpu + " / " + result.gpu_driver + " / " + DateOf(result);
}

// "+4.5", "-0.3", "0.0": a change with its sign.
std::string SignedPercent(double percent) {
    const std::string text = FormatDecimal(percent, 1);
    return percent > 0 && text != "0.0" ? "+" + text : text;
}

constexpr const char* kStyle =
    "body{font-family:Tahoma,Verdana,Arial,sans-serif;font-size:13px;color:#222;margin:16px}"
    "h1{font-size:20px}h2{font-size:16px;margin-top:24px}"
    "table{border-collapse:collapse}"
    "th,td{border:1px solid #bbb;padding:3px 6px;vertical-align:top}td{white-space:nowrap}"
    "th{background:#e8e8e8;text-align:left;font-weight:normal}"
    "td.fps{text-align:right}"
    ".median{font-weight:bold}.spread{color:#666;font-size:11px}"
    ".up{color:#070}.down{color:#b00}";

void AppendCell(std::string& html, const std::optional<Spread>& baseline,
                const std::optional<Spread>& cell, bool is_baseline) {
    html += "<td class=\"fps\">";
    if (cell) {
        html += "<span class=\"median\">" + FormatFps(cell->median) + "</span>";
        if (cell->count > 1) {
            html += "<br/><span class=\"spread\">" + FormatFps(cell->min) + "-" +
                    FormatFps(cell->max) + " (" + FormatDecimal(cell->percent, 1) + "%, " +
                    std::to_string(cell->count) + " runs)</span>";
        }
        const std::optional<double> change = ChangePercent(baseline, cell);
        if (change && !is_baseline) {
            const char* direction = *change > 0 ? "up" : *change < 0 ? "down" : "same";
            html += std::string("<br/><span class=\"") + direction + "\">" +
                    SignedPercent(*change) + "%</span>";
        }
    }
    html += "</td>";
}

}  // namespace

Comparison CompareResults(const std::vector<std::string>& inputs) {
    Builder builder;
    for (const std::string& input : inputs) AddInput(input, builder);
    return builder.Finish();
}

std::optional<double> ChangePercent(const std::optional<Spread>& baseline,
                                    const std::optional<Spread>& value) {
    if (!baseline || !value || baseline->median == 0) return std::nullopt;
    return (value->median - baseline->median) / baseline->median * 100;
}

std::string ComparisonHtml(const Comparison& comparison) {
    const std::string count = std::to_string(comparison.results.size());
    std::string html;
    html += "<!DOCTYPE html>\n<html>\n<head>\n";
    html += "<title>Benchwright: comparison of " + count + " results</title>\n";
    html += std::string("<style type=\"text/css\">") + kStyle + "</style>\n";
    html += "</head>\n<body>\n";
    html += "<h1>Comparison of " + count + " results</h1>\n";
    if (comparison.results.empty()) {
        html += "<p>No result could be read.</p>\n";
    } else {
        html +=
            "<p>Each cell: the median of the average frames per second of that result's "
            "recorded launches, below it the lowest and highest (and their spread) when "
            "repeated, and the change against the first result.</p>\n";
        html += "<table>\n<tr><th>Level</th><th>Resolution</th>";
        for (const ComparedResult& r : comparison.results) {
            html += "<th title=\"" + HtmlEscape(r.source) + "\">" + HtmlEscape(r.machine) +
                    "<br/>" + HtmlEscape(r.gpu) + "<br/>" + HtmlEscape(r.gpu_driver) + "<br/>" +
                    HtmlEscape(DateOf(r)) + "<br/>" + HtmlEscape(r.preset) + "</th>";
        }
        html += "</tr>\n";
        const std::vector<std::optional<Spread>>& baseline = comparison.results.front().cells;
        for (size_t row = 0; row < comparison.rows.size(); ++row) {
            html += "<tr><td>" + HtmlEscape(comparison.rows[row].level) + "</td><td>" +
                    HtmlEscape(comparison.rows[row].resolution) + "</td>";
            for (size_t col = 0; col < comparison.results.size(); ++col)
                AppendCell(html, baseline[row], comparison.results[col].cells[row], col == 0);
            html += "</tr>\n";
        }
        html += "</table>\n";
    }
    if (!comparison.skipped.empty()) {
        html += "<h2>Skipped</h2>\n<ul>\n";
        for (const SkippedInput& s : comparison.skipped)
            html += "<li>" + HtmlEscape(s.path) + ": " + HtmlEscape(s.reason) + "</li>\n";
        html += "</ul>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

std::string ComparisonCsv(const Comparison& comparison) {
    std::vector<std::string> fields = {"level", "resolution"};
    for (const ComparedResult& r : comparison.results) {
        const std::string label = Label(r) + ": ";
        for (const char* column :
             {"median_fps", "min_fps", "max_fps", "spread_percent", "change_percent"})
            fields.push_back(label + column);
    }
    std::string csv = CsvLine(fields);
    for (size_t row = 0; row < comparison.rows.size(); ++row) {
        fields = {comparison.rows[row].level, comparison.rows[row].resolution};
        const std::optional<Spread>& baseline = comparison.results.front().cells[row];
        for (size_t col = 0; col < comparison.results.size(); ++col) {
            const std::optional<Spread>& cell = comparison.results[col].cells[row];
            const std::optional<double> change =
                col == 0 ? std::nullopt : ChangePercent(baseline, cell);
            fields.push_back(cell ? FormatFps(cell->median) : "");
            fields.push_back(cell ? FormatFps(cell->min) : "");
            fields.push_back(cell ? FormatFps(cell->max) : "");
            fields.push_back(cell ? FormatDecimal(cell->percent, 1) : "");
            fields.push_back(change ? FormatDecimal(*change, 1) : "");
        }
        csv += CsvLine(fields);
    }
    return csv;
}

std::string ComparisonCsvPath(const std::string& html_path) {
    const size_t name = html_path.find_last_of("\\/:");
    const size_t dot = html_path.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return html_path + ".csv";
    // "x.CSV" given as the page must not be overwritten by the table (names ignore case).
    const std::string extension = common::Lower(html_path.substr(dot));
    return extension == ".csv" ? html_path + ".csv" : html_path.substr(0, dot) + ".csv";
}

bool WriteComparison(const std::vector<std::string>& inputs, const std::string& html_path,
                     size_t* results_read, std::string* error) {
    const Comparison comparison = CompareResults(inputs);
    *results_read = comparison.results.size();
    return WriteComparison(comparison, html_path, error);
}

bool WriteComparison(const Comparison& comparison, const std::string& html_path,
                     std::string* error) {
    return platform::WriteWholeFile(html_path, ComparisonHtml(comparison), error) &&
           platform::WriteWholeFile(ComparisonCsvPath(html_path), ComparisonCsv(comparison), error);
}

}  // namespace results
