// The run's folder of results, its CSV row by row and its report, and the results page.
#include "core/run_outputs.h"

#include "core/presets.h"
#include "core/user_settings.h"
#include "results/earlier_run.h"
#include "results/report_page.h"
#include "results/results_csv.h"
#include "results/results_page.h"

namespace core {

results::RunInfo RunInfoOf(const RunPlan& plan, const std::string& started_iso) {
    const RunSettings& s = plan.settings;
    results::RunInfo run;
    run.preset = common::PresetName(s.preset);
    run.edition = common::EditionName(s.edition);
    run.renderer = common::RendererName(s.renderer);
    run.started = started_iso;
    run.runs_per_level = plan.launches.empty() ? 1 : plan.launches.back().repeat;
    run.until_steady = s.until_steady;
    run.steady_within_tenths = s.steady_within_tenths;
    run.resolutions = plan.resolutions;
    run.levels_per_resolution = plan.levels_per_resolution;
    run.label = FittedLabel(s.label);
    return run;
}

std::string GameVersion(const std::string& install_folder) {
    const auto version = platform::ReadFileVersion(GameProgramPath(install_folder));
    if (!version) return "unknown";
    std::string text;
    for (const uint16_t part : *version) text += (text.empty() ? "" : ".") + std::to_string(part);
    return text;
}

ResultsFolderOutput::ResultsFolderOutput(const RunPlan& plan, RunObserver& tell)
    : plan_(plan), tell_(tell), saving_(!plan.settings.results_folder.empty()) {}

void ResultsFolderOutput::Keep(bool ok, const std::string& error) {
    if (saving_ && !ok) tell_.ResultsNotSaved(error);
    saving_ = saving_ && ok;
}

namespace {

// The longest path of a file a -A function of Windows takes (MAX_PATH without its NUL), and the
// longest name of a file written in a run's folder.
constexpr size_t kMaxPathLength = 259;
constexpr size_t kLongestFileName = sizeof "results.csv" - 1;
// Runs that may start in one second under one name before the next name is given up.
constexpr int kMaxSameNames = 999;

}  // namespace

bool ResultsFolderOutput::MakeFolder(std::string* error) {
    const std::string& parent = plan_.settings.results_folder;
    const std::string computer =
        plan_.settings.results_name_computer ? system_.computer_name : std::string();
    const std::string base = results::RunFolderName(run_.started, computer, run_.preset);
    bool taken = true;
    for (int n = 1; taken && n <= kMaxSameNames; ++n) {
        name_ = n == 1 ? base : base + " (" + std::to_string(n) + ")";
        path_ = parent + "\\" + name_;
        const size_t longest = path_.size() + 1 + kLongestFileName;
        if (longest > kMaxPathLength) {
            *error = "Cannot create the folder \"" + path_ +
                     "\": the paths of its files would be " + std::to_string(longest) +
                     " characters long, and Windows allows " + std::to_string(kMaxPathLength) +
                     ". Choose a shorter results folder.";
            return false;
        }
        if (n == 1 && !platform::CreateFolders(parent, error)) return false;
        if (platform::CreateNewFolder(path_, &taken, error)) return true;
        if (!taken) return false;
    }
    return false;
}

void ResultsFolderOutput::LaunchesStarting() {
    system_ = platform::ReadSystemInfo();
    run_ = RunInfoOf(plan_, IsoTime(platform::Now()));
    run_.game_version = GameVersion(plan_.settings.install_folder);
    started_ms_ = platform::Milliseconds();
    if (!saving_) return;
    std::string error;
    Keep(MakeFolder(&error), error);
    if (saving_) SaveRows(0);
}

// How long a results.csv held open by another program is waited for, at a launch's end (when no
// row was kept before) and at the run's end.
constexpr uint32_t kLockedWaitMs = 5000;

bool ResultsFolderOutput::SaveRows(uint32_t wait_ms) {
    const std::string csv = path_ + "\\results.csv";
    for (bool waited = false;; waited = true) {
        // Never a fragment without its header: a file not begun, or gone, is written whole.
        const bool whole = !csv_started_ || platform::GetAttributes(csv) == 0;
        std::string text;
        for (size_t i = whole ? 0 : rows_saved_; i < rows_.size(); ++i) text += rows_[i];
        std::string error;
        const bool ok =
            whole ? platform::WriteWholeFile(csv, results::ResultsCsvHeaderLine() + text, &error)
                  : text.empty() || platform::AppendToFile(csv, text, &error);
        if (ok) {
            csv_started_ = true;
            rows_saved_ = rows_.size();
            return true;
        }
        rows_error_ = error;
        if (whole) {  // whatever the file holds now, every row is still to be written
            csv_started_ = false;
            rows_saved_ = 0;
        }
        if (waited || wait_ms == 0 || !platform::WaitUntilWritable(csv, wait_ms)) return false;
    }
}

void ResultsFolderOutput::LaunchFinished(const results::LaunchResult& result) {
    if (!saving_ || result.outcome == results::LaunchOutcome::kNotRun) return;
    const bool kept_before = rows_saved_ < rows_.size() || !csv_started_;
    rows_.push_back(results::ResultsCsvRow(run_, system_, result));
    row_names_.push_back("run " + std::to_string(result.index) + " " + result.level + " " +
                         result.resolution);
    SaveRows(kept_before ? 0 : kLockedWaitMs);
}

void ResultsFolderOutput::LaunchesEnded(const std::vector<results::LaunchResult>& launches) {
    if (!saving_ || launches.empty()) return;
    folder_ = path_;
    if (!SaveRows(kLockedWaitMs)) {
        rows_not_saved_ = rows_error_ + " Not saved there: ";
        for (size_t i = rows_saved_; i < rows_.size(); ++i)
            rows_not_saved_ += row_names_[i] + (i + 1 < rows_.size() ? ", " : ".");
        tell_.ResultsNotSaved(rows_not_saved_);
    }
    results::RunInfo run = run_;
    run.elapsed_ms = platform::Milliseconds() - started_ms_;
    const auto earlier =
        results::FindEarlierRunIn(plan_.settings.results_folder, name_, run, system_.computer_name);
    const std::string report = path_ + "\\report.html";
    std::string error;
    if (platform::WriteWholeFile(
            report, results::ReportPage(run, system_, launches, earlier ? &*earlier : nullptr),
            &error)) {
        report_path_ = report;
    } else if (rows_not_saved_.empty()) {  // a folder that went away is said once
        tell_.ResultsNotSaved(error);
    }
}

void ResultsPageOutput::LaunchesEnded(const std::vector<results::LaunchResult>& launches) {
    std::string error;
    written_ = results::WriteResultsPage(plan_.settings.app_folder, plan_.resolutions,
                                         plan_.levels_per_resolution, launches, &error);
    if (!written_) tell_.StepFailed(error);
}

void ResultsPageOutput::DriveRootCleaned() {
    if (!written_) return;
    const RunSettings& s = plan_.settings;
    std::string error;
    complete_ = results::AppendRunFooter(s.app_folder, s.preset, s.renderer, s.edition, &error);
    if (!complete_) tell_.StepFailed(error);
}

RunReport CarryOutRunWithOutputs(const RunPlan& plan, RunObserver& status, RunControl& control) {
    RunObservers observers;
    ResultsFolderOutput folder(plan, observers);
    ResultsPageOutput page(plan, observers);
    observers.Add(folder);
    observers.Add(page);
    observers.Add(status);
    RunReport report;
    report.launches = CarryOutRun(plan, observers, control);
    report.page_written = page.Complete();
    report.results_folder = folder.Folder();
    report.report_path = folder.ReportPath();
    report.rows_not_saved = folder.RowsNotSaved();
    return report;
}

}  // namespace core
