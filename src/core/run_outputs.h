// What a run leaves, each an observer of the run: its own folder of results (results.csv row by
// row as each launch ends, so a stopped run or a killed program keeps every finished launch, and
// report.html at the end), and results.html with its footer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/run_driver.h"
#include "core/run_plan.h"
#include "platform/platform.h"
#include "results/launch_result.h"
#include "results/run_info.h"

namespace core {

// What the results files say of a run: its preset, game, start and the shape of its plan.
results::RunInfo RunInfoOf(const RunPlan& plan, const std::string& started_iso);

// The version of the game program in `install_folder` as the results files give it: "a.b.c.d"
// from its version resource, "unknown" when it has none (or a damaged one).
std::string GameVersion(const std::string& install_folder);

// The run's own folder under settings.results_folder, "<yyyy-mm-dd hh-mm-ss> <preset>" (or
// "<yyyy-mm-dd hh-mm-ss> <computer> <preset>" under a folder given with --results), made when the
// launches start. The name is taken by creating the folder: when another run, on this machine or
// another, made it first, this one takes the next (" (2)", ...). A folder that cannot be made or
// written, or whose files' paths would be longer than Windows allows, is told once through
// `tell` (ResultsNotSaved), and nothing more is written there.
//
// A row that cannot be appended to results.csv (a spreadsheet holding it open) is kept and
// written with the next launch's row or at the run's end, a locked file waited for a few seconds
// first; a results.csv gone meanwhile is written again whole, header first. Only rows still not
// written at the end are told, naming them. report.html is written whatever became of the CSV.
class ResultsFolderOutput : public RunObserver {
public:
    ResultsFolderOutput(const RunPlan& plan, RunObserver& tell);

    void LaunchesStarting() override;
    void LaunchFinished(const results::LaunchResult& result) override;
    void LaunchesEnded(const std::vector<results::LaunchResult>& launches) override;

    // The run's folder once the launches have ended; empty when it was not made.
    const std::string& Folder() const { return folder_; }
    // Its report.html; empty when it was not written.
    const std::string& ReportPath() const { return report_path_; }
    // What the run's end could not write to results.csv, naming the rows; empty when all is in.
    const std::string& RowsNotSaved() const { return rows_not_saved_; }

private:
    void Keep(bool ok, const std::string& error);
    // Writes the rows not yet in results.csv, waiting up to `wait_ms` for a locked file; false
    // (with rows_error_) when some are still not written.
    bool SaveRows(uint32_t wait_ms);
    bool MakeFolder(std::string* error);

    const RunPlan& plan_;
    RunObserver& tell_;
    bool saving_;
    results::RunInfo run_;
    platform::SystemInfo system_;
    uint32_t started_ms_ = 0;
    std::string name_;  // the run's folder name
    std::string path_;
    std::string folder_;
    std::string report_path_;
    // Every row of the run so far, the launch each names, and how many are in the file.
    std::vector<std::string> rows_;
    std::vector<std::string> row_names_;
    size_t rows_saved_ = 0;
    bool csv_started_ = false;  // the header is in the file
    std::string rows_error_;
    std::string rows_not_saved_;
};

// results.html in the program's folder, written anew when the launches have ended, and the
// preset's footer appended once the drive root is clean. A failure is a failed step.
class ResultsPageOutput : public RunObserver {
public:
    ResultsPageOutput(const RunPlan& plan, RunObserver& tell) : plan_(plan), tell_(tell) {}

    void LaunchesEnded(const std::vector<results::LaunchResult>& launches) override;
    void DriveRootCleaned() override;

    // The page and its footer are written: the page may be opened.
    bool Complete() const { return complete_; }

private:
    const RunPlan& plan_;
    RunObserver& tell_;
    bool written_ = false;
    bool complete_ = false;
};

// What a run did.
struct RunReport {
    std::vector<results::LaunchResult> launches;  // one per planned launch, in plan order
    bool page_written = false;                    // results.html is complete and may be opened
    std::string results_folder;                   // the run's own folder; empty when not made
    std::string report_path;                      // its report.html; empty when not written
    std::string rows_not_saved;  // rows results.csv lacks at the end, and why; empty: none
};

// Carries out the plan with what every run leaves among its observers, then `status` (the
// progress window, the console).
RunReport CarryOutRunWithOutputs(const RunPlan& plan, RunObserver& status, RunControl& control);

}  // namespace core
