// A run's own folder of results, "Results\<yyyy-mm-dd hh-mm-ss> <preset>": results.csv grows by
// one row as each launch ends, so a stopped run or a killed program keeps every finished launch,
// and report.html is written when the run ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/run_plan.h"
#include "platform/platform.h"
#include "results/launch_result.h"
#include "results/run_info.h"

namespace core {

// What the results files say of a run: its preset, game, start and the shape of its plan.
results::RunInfo RunInfoOf(const RunPlan& plan, const std::string& started_iso);

class ResultsFolder {
public:
    // `started_iso`: the run's start, local time ("2026-12-06T14:05:09"); it names the folder.
    ResultsFolder(const RunPlan& plan, platform::SystemInfo system, const std::string& started_iso);

    // Makes the folder (and Results above it) and writes the CSV's header. False, with `error`,
    // when it cannot.
    bool Create(std::string* error);
    // Appends the launch's row to results.csv.
    bool Add(const results::LaunchResult& launch, std::string* error);
    // Writes report.html, comparing with the latest earlier run of the same kind under Results.
    bool WriteReport(const std::vector<results::LaunchResult>& launches, uint32_t elapsed_ms,
                     std::string* error);

    const std::string& Path() const { return path_; }
    std::string ReportPath() const { return path_ + "\\report.html"; }
    std::string CsvPath() const { return path_ + "\\results.csv"; }

private:
    results::RunInfo run_;
    platform::SystemInfo system_;
    std::string parent_;  // the Results folder
    std::string name_;    // the run's folder name
    std::string path_;
};

}  // namespace core
