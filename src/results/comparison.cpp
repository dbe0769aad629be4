// Reading many results.csv files into one table, key by key, and writing it as CSV.
#include "results/comparison.h"

#include <cctype>
#include <cstdint>
#include <map>
#include <unordered_map>

#include "common/text.h"
#include "platform/platform.h"
#include "results/csv.h"
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

// "2026-12-06T14:05:09" as "2026-12-06 14:05:09".
std::string DateOf(const std::string& started) {
    std::string date = started;
    if (date.size() > 10 && date[10] == 'T') date[10] = ' ';
    return date;
}

std::string NameOf(const ComparedResult& r) {
    if (!r.label.empty()) return r.label + " (" + r.machine + ")";
    return r.machine + " / " + r.gpu + " / " + r.gpu_driver + " / " + DateOf(r.started);
}

struct KeyHash {
    size_t operator()(const ComparisonKey& key) const {
        size_t hash = 0;
        for (const std::string* field :
             {&key.preset, &key.edition, &key.renderer, &key.level, &key.resolution})
            hash = hash * 1000003 ^ std::hash<std::string>()(*field);
        return hash;
    }
};

// Builds the table one result at a time. Rows are found through a hash of the key, so a thousand
// results of a hundred launches each cost a hundred thousand look-ups, not a search of the table
// for each; a launch of the same key as the one before (a repeat) needs none.
class Builder {
public:
    void AddFile(const std::string& path) {
        std::string text, error, torn;
        if (!ReadResultsFile(path, &text, &error)) return Skip(path, error);
        std::vector<std::vector<std::string>> rows;
        if (!ReadResultsCsv(text, &rows, &error, &torn)) return Skip(path, error);
        if (!torn.empty()) Skip(path, torn);
        if (rows.empty()) return Skip(path, "It holds no launches.");

        ComparedResult result;
        result.source = Shown(path);
        const std::vector<std::string>& first = rows.front();
        result.machine = first[kMachine];
        result.gpu = first[kGpu];
        result.gpu_driver = first[kGpuDriver];
        result.preset = first[kPreset];
        result.edition = first[kEdition];
        result.renderer = first[kRenderer];
        result.started = first[kStarted];
        result.game_version = first[kGameVersion];
        result.label = first[kLabel];

        // The keys of this file in the order seen, with their recorded averages.
        const size_t number = comparison_.results.size();
        std::vector<std::pair<size_t, std::vector<double>>> found;
        const std::string recorded = OutcomeName(LaunchOutcome::kRecorded);
        for (const std::vector<std::string>& row : rows) {
            const size_t index = RowIndex(row);
            Seen& seen = seen_[index];
            if (seen.result != number) {
                seen = {number, found.size()};
                found.push_back({index, {}});
            }
            if (row[kOutcome] != recorded) continue;
            if (const std::optional<double> fps = ParseFps(row[kAvgFps]))
                found[seen.slot].second.push_back(*fps);
        }
        for (const auto& [index, values] : found)
            comparison_.rows[index].cells.push_back({number, SpreadOf(values), SampleOf(values)});
        comparison_.results.push_back(std::move(result));
    }

    void Skip(const std::string& path, const std::string& reason) {
        comparison_.skipped.push_back({Shown(path), Shown(reason)});
    }

    Comparison Finish() {
        std::map<std::string, size_t> names;
        for (ComparedResult& result : comparison_.results) {
            const std::string name = NameOf(result);
            result.name = name;
            for (int n = 2; !names.try_emplace(result.name, 0).second; ++n)
                result.name = name + " #" + std::to_string(n);
        }
        return std::move(comparison_);
    }

private:
    // Which result last had a launch of a row, and where its averages are gathered.
    struct Seen {
        size_t result = SIZE_MAX;
        size_t slot = 0;
    };

    size_t RowIndex(const std::vector<std::string>& row) {
        if (last_ < comparison_.rows.size()) {
            const ComparisonKey& key = comparison_.rows[last_].key;
            if (key.level == row[kLevel] && key.resolution == row[kResolution] &&
                key.preset == row[kPreset] && key.edition == row[kEdition] &&
                key.renderer == row[kRenderer])
                return last_;
        }
        ComparisonKey key{row[kPreset], row[kEdition], row[kRenderer], row[kLevel],
                          row[kResolution]};
        const auto [it, added] = row_index_.try_emplace(key, comparison_.rows.size());
        if (added) {
            comparison_.rows.push_back({std::move(key), {}});
            seen_.emplace_back();
        }
        return last_ = it->second;
    }

    Comparison comparison_;
    std::unordered_map<ComparisonKey, size_t, KeyHash> row_index_;
    std::vector<Seen> seen_;  // one per row
    size_t last_ = SIZE_MAX;  // the row of the launch read last
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

}  // namespace

Comparison CompareResults(const std::vector<std::string>& inputs) {
    Builder builder;
    for (const std::string& input : inputs) AddInput(input, builder);
    return builder.Finish();
}

std::optional<Change> ChangeOf(const ComparedCell& baseline, const ComparedCell& cell) {
    if (!baseline.spread || !cell.spread || baseline.spread->median == 0) return std::nullopt;
    const double percent =
        (cell.spread->median - baseline.spread->median) / baseline.spread->median * 100;
    return Change{percent, Judge(baseline.sample, cell.sample)};
}

bool OtherGameVersions(const ComparedResult& a, const ComparedResult& b) {
    const auto known = [](const std::string& version) {
        return !version.empty() && version != "unknown";
    };
    return known(a.game_version) && known(b.game_version) && a.game_version != b.game_version;
}

std::string ComparisonCsv(const Comparison& comparison) {
    std::vector<std::string> fields = {"preset", "edition", "renderer", "level", "resolution"};
    for (const ComparedResult& r : comparison.results) {
        for (const char* column : {"median_fps", "min_fps", "max_fps", "spread_percent",
                                   "change_percent", "significant", "runs"})
            fields.push_back(r.name + ": " + column);
    }
    std::string csv = CsvLine(fields);
    for (const ComparisonRow& row : comparison.rows) {
        const ComparisonKey& k = row.key;
        fields = {k.preset, k.edition, k.renderer, k.level, k.resolution};
        auto cell = row.cells.begin();  // the results that have the key, in result order
        for (size_t col = 0; col < comparison.results.size(); ++col) {
            if (cell == row.cells.end() || cell->result != col) {
                fields.insert(fields.end(), 7, "");
                continue;
            }
            const std::optional<Spread>& spread = cell->spread;
            const std::optional<Change> change =
                cell == row.cells.begin() ? std::nullopt : ChangeOf(row.cells.front(), *cell);
            fields.push_back(spread ? FormatFps(spread->median) : "");
            fields.push_back(spread ? FormatFps(spread->min) : "");
            fields.push_back(spread ? FormatFps(spread->max) : "");
            fields.push_back(spread ? FormatDecimal(spread->percent, 1) : "");
            fields.push_back(change ? FormatDecimal(change->percent, 1) : "");
            fields.push_back(change ? SignificantText(change->verdict) : "");
            fields.push_back(std::to_string(cell->sample.count));
            ++cell;
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
