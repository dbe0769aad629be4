// Finding the latest earlier run of the same kind in the Results folder, for the report to
// compare with.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "results/run_info.h"

namespace results {

struct EarlierRun {
    std::string folder_name;  // "2026-12-05 20-14-03 CPU Benchmark"
    std::string started;      // from the folder name, ISO 8601: "2026-12-05T20:14:03"
    // (resolution, level) -> the median of the recorded average frame rates.
    std::map<std::pair<std::string, std::string>, double> median_avg;
    // (resolution, level) -> those averages themselves, for the test of a change.
    std::map<std::pair<std::string, std::string>, std::vector<double>> averages;
};

// The name of a run's folder: "<yyyy-mm-dd hh-mm-ss> <preset>" under Results beside the program,
// "<yyyy-mm-dd hh-mm-ss> <computer> <preset>" (with `computer`, made fit for a folder's name by
// FolderFitName) under a folder given with --results, which many machines may share. A name
// another run took first gets " (2)", " (3)", ... after it.
std::string RunFolderName(const std::string& started_iso, const std::string& computer,
                          const std::string& preset);

// `computer` as a part of a folder's name: what Windows does not allow there ("\/:*?\"<>|" and
// control characters) becomes "_", trailing dots and spaces go; "unknown" when nothing is left.
std::string FolderFitName(const std::string& computer);

// True when `name` is "<yyyy-mm-dd hh-mm-ss> " and something after it: a run's folder of
// either form.
bool IsRunFolderName(const std::string& name);

// Reads the results.csv of one run folder by its name; false when there is none to read.
using ReadRunCsv = std::function<bool(const std::string& folder_name, std::string* text)>;

// Among `folder_names` (the subfolders of a results folder, which other machines may share),
// the latest run of `run`'s preset by computer `machine` that started before `run`, whose
// results.csv is whole, has our columns, says `machine`, `run`'s preset, edition and renderer on
// every row and holds at least one recorded average. Never `current_folder` itself; folders of
// other names, damaged files, other machines' and other kinds of run are passed over. nullopt
// when there is none.
std::optional<EarlierRun> FindEarlierRun(const std::vector<std::string>& folder_names,
                                         const std::string& current_folder, const RunInfo& run,
                                         const std::string& machine, const ReadRunCsv& read_csv);

// The same over `results_folder` on disk (its subfolders and their results.csv).
std::optional<EarlierRun> FindEarlierRunIn(const std::string& results_folder,
                                           const std::string& current_folder, const RunInfo& run,
                                           const std::string& machine);

}  // namespace results
