// The comparison across results: many results.csv files compared key by key, as an HTML page
// and a CSV of the same figures.
//
// An input is a results.csv file, a results folder (it holds results.csv), or a folder of
// results folders (its direct subfolders are read, in name order, which for our folder names is
// the order of the runs). Whatever cannot be read (no results.csv, a damaged one, another column
// set, no launches) is skipped and named with the reason; it never stops the rest.
//
// Only like is compared with like: a row of the comparison is a key (preset, edition, renderer,
// level and resolution, compared field by field), and a change is computed only between results
// of the same key, against the first result read that has the key (the key's baseline). Each
// change comes with a verdict (results/significance.h) on whether it is real.
//
// A file is judged by its size and first bytes before it is read whole: over 64 MiB, or not
// beginning with results.csv's header (any other file), it is skipped unread. A torn last row is
// left out and named among the skipped with its file; the rows before it count. Control
// characters in paths and reasons become spaces; fields are kept as read (compare.csv quotes
// them, the page shows their control characters as spaces).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/run_statistics.h"
#include "results/significance.h"

namespace results {

struct ComparisonKey {
    std::string preset, edition, renderer, level, resolution;
    bool operator==(const ComparisonKey&) const = default;
};

// One result's figures for one key: made from the average frame rates of its recorded launches.
struct ComparedCell {
    size_t result = 0;             // index into Comparison::results
    std::optional<Spread> spread;  // median, lowest, highest; nullopt (blank) when none recorded
    Sample sample;                 // count, mean and variance of the same averages
};

struct ComparisonRow {
    ComparisonKey key;
    // The results whose file has launches of the key, in the order read: the first is the
    // baseline. A result not here lacks the key.
    std::vector<ComparedCell> cells;
};

// One result: one results.csv, described by its first row.
struct ComparedResult {
    std::string source;  // the results.csv it was read from
    // "<label> (<computer>)" when the run had a label, else "<computer> / <adapter> / <driver> /
    // <date>"; made unique within the comparison (" #2", " #3" for repeats).
    std::string name;
    std::string machine, gpu, gpu_driver, preset, edition, renderer, started, game_version, label;
};

struct SkippedInput {
    std::string path;
    std::string reason;  // one sentence
};

struct Comparison {
    std::vector<ComparisonRow> rows;  // one per key, in the order first seen
    std::vector<ComparedResult> results;
    std::vector<SkippedInput> skipped;
};

// Reads every input (see above) through the platform and builds the table.
Comparison CompareResults(const std::vector<std::string>& inputs);

struct Change {
    double percent = 0;  // of the median against the baseline's
    Verdict verdict = Verdict::kCannotTell;
};

// The change of `cell` against its key's `baseline`; nullopt when there is nothing to compare
// (either cell blank, or a baseline median of 0).
std::optional<Change> ChangeOf(const ComparedCell& baseline, const ComparedCell& cell);

// True when both results say which game version made them and the versions differ ("unknown"
// and an empty field, as older files have, say nothing).
bool OtherGameVersions(const ComparedResult& a, const ComparedResult& b);

// The table as CSV: preset, edition, renderer, level, resolution, then per result its median,
// min and max frame rate, spread and change in percent, whether the change is significant
// (yes, no, unknown) and its number of recorded averages ("runs"); empty where the result lacks
// the key or has nothing to show, "." decimals.
std::string ComparisonCsv(const Comparison& comparison);

// compare.html (made in comparison_page.cpp): a self-contained page (inline CSS, no script, no
// picture) for any browser, Internet Explorer 6 included. Per preset, edition and renderer, the
// results side by side (one column each, for up to kSideBySide results), and per key a bar chart
// of each result's median average with a whisker from its lowest to its highest average, its
// change and verdict. With more results than fit side by side the charts alone list them, best
// median first, the baseline marked. Then the skipped inputs. Every text read from the files is
// escaped, control characters shown as spaces.
inline constexpr size_t kSideBySide = 6;
std::string ComparisonHtml(const Comparison& comparison);

// The CSV written beside the page: its path with the extension replaced by ".csv".
std::string ComparisonCsvPath(const std::string& html_path);

// Compares `inputs` and writes the page to `html_path` and the CSV beside it. `results_read`
// gets how many results went into the table (also when writing fails). False, with `error`
// naming the file and the reason, when either file cannot be written.
bool WriteComparison(const std::vector<std::string>& inputs, const std::string& html_path,
                     size_t* results_read, std::string* error);

// Writes a comparison already made: the page to `html_path` and the CSV beside it.
bool WriteComparison(const Comparison& comparison, const std::string& html_path,
                     std::string* error);

}  // namespace results
