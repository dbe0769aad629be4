// The comparison across results: many results.csv files side by side, one column each, one row
// per level and resolution, as an HTML page and a CSV of the same table.
//
// An input is a results.csv file, a results folder (it holds results.csv), or a folder of
// results folders (its direct subfolders are read, in name order, which for our folder names is
// the order of the runs). The first result read is the baseline every other one is measured
// against. Whatever cannot be read (no results.csv, a damaged one, another column set, no
// launches) is skipped and named with the reason; it never stops the rest.
// A file is judged by its size and first bytes before it is read whole: over 64 MiB, or not
// beginning with results.csv's header (any other file), it is skipped unread. A torn last row is
// left out and named among the skipped with its file; the rows before it count. Control
// characters in what is kept (the files' fields, paths, reasons) become spaces.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/run_statistics.h"

namespace results {

struct ComparisonRow {
    std::string level;
    std::string resolution;
};

// One result: one column of the table.
struct ComparedResult {
    std::string source;  // the results.csv it was read from
    // From its first row: what labels the column.
    std::string machine, gpu, gpu_driver, preset, started;
    // One per row of the comparison: the median and spread of the average frame rates of the
    // recorded launches of that level and resolution; nullopt (a blank cell) when it has none.
    std::vector<std::optional<Spread>> cells;
};

struct SkippedInput {
    std::string path;
    std::string reason;  // one sentence
};

struct Comparison {
    std::vector<ComparisonRow> rows;  // in the order first seen
    std::vector<ComparedResult> results;
    std::vector<SkippedInput> skipped;
};

// Reads every input (see above) through the platform and builds the table.
Comparison CompareResults(const std::vector<std::string>& inputs);

// The change of `value` against `baseline` in percent; nullopt when there is nothing to compare
// (either cell blank, or a baseline of 0).
std::optional<double> ChangePercent(const std::optional<Spread>& baseline,
                                    const std::optional<Spread>& value);

// A self-contained page (inline CSS, no script, no picture) of the table and the skipped
// inputs. Every text read from the files is HTML-escaped.
std::string ComparisonHtml(const Comparison& comparison);

// The same table as CSV: level, resolution, then per result its median, min and max frame rate,
// spread and change in percent (empty where the page's cell is blank), "." decimals.
std::string ComparisonCsv(const Comparison& comparison);

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
