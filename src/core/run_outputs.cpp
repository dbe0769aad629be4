// The run's folder of results, its CSV row by row and its report, and the results page.
#include "core/run_outputs.h"

#include "core/presets.h"
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

void ResultsFolderOutput::LaunchesStarting() {
    system_ = platform::ReadSystemInfo();
    run_ = RunInfoOf(plan_, IsoTime(platform::Now()));
    run_.game_version = GameVersion(plan_.settings.install_folder);
    started_ms_ = platform::Milliseconds();
    if (!saving_) return;
    // A run never writes into another run's folder, even one started in the same second.
    const std::string& parent = plan_.settings.results_folder;
    const std::string base = results::RunFolderName(run_.started, run_.preset);
    name_ = base;
    path_ = parent + "\\" + name_;
    for (int n = 2; platform::FolderExists(path_) && n < 100; ++n) {
        name_ = base + " (" + std::to_string(n) + ")";
        path_ = parent + "\\" + name_;
    }
    std::string error;
    Keep(platform::CreateFolders(path_, &error) &&
             platform::WriteWholeFile(path_ + "\\results.csv", results::ResultsCsvHeaderLine(),
                                      &error),
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
    const auto earlier = results::FindEarlierRunIn(plan_.settings.results_folder, name_, run);
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
