// The run's folder of results, its CSV row by row and its report, and the results page.
#include "core/run_outputs.h"

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
    run.resolutions = plan.resolutions;
    run.levels_per_resolution = plan.levels_per_resolution;
    run.label = FittedLabel(s.label);
    return run;
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
    started_ms_ = platform::Milliseconds();
    if (!saving_) return;
    std::string error;
    Keep(MakeFolder(&error) && platform::WriteWholeFile(path_ + "\\results.csv",
                                                        results::ResultsCsvHeaderLine(), &error),
         error);
}

void ResultsFolderOutput::LaunchFinished(const results::LaunchResult& result) {
    if (!saving_ || result.outcome == results::LaunchOutcome::kNotRun) return;
    std::string error;
    Keep(platform::AppendToFile(path_ + "\\results.csv",
                                results::ResultsCsvRow(run_, system_, result), &error),
         error);
}

void ResultsFolderOutput::LaunchesEnded(const std::vector<results::LaunchResult>& launches) {
    if (!saving_ || launches.empty()) return;
    folder_ = path_;
    results::RunInfo run = run_;
    run.elapsed_ms = platform::Milliseconds() - started_ms_;
    const auto earlier =
        results::FindEarlierRunIn(plan_.settings.results_folder, name_, run, system_.computer_name);
    const std::string report = path_ + "\\report.html";
    std::string error;
    Keep(platform::WriteWholeFile(
             report, results::ReportPage(run, system_, launches, earlier ? &*earlier : nullptr),
             &error),
         error);
    if (saving_) report_path_ = report;
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
    return report;
}

}  // namespace core
