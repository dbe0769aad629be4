// The run's folder of results: its CSV row by row and its report.
#include "core/results_folder.h"

#include "results/earlier_run.h"
#include "results/report_page.h"
#include "results/results_csv.h"

namespace core {

results::RunInfo RunInfoOf(const RunPlan& plan, const std::string& started_iso) {
    const RunSettings& s = plan.settings;
    results::RunInfo run;
    run.preset = common::PresetName(s.preset);
    run.edition = common::IsDemo(s.game_edition) ? "demo" : "full";
    run.renderer = common::IsOpenGL(s.render_engine) ? "OpenGL" : "Direct3D";
    run.started = started_iso;
    run.runs_per_level = plan.launches.empty() ? 1 : plan.launches.back().repeat;
    run.resolutions = plan.resolutions;
    run.levels_per_resolution = plan.levels_per_resolution;
    return run;
}

ResultsFolder::ResultsFolder(const RunPlan& plan, platform::SystemInfo system,
                             const std::string& started_iso)
    : run_(RunInfoOf(plan, started_iso)),
      system_(std::move(system)),
      parent_(plan.settings.results_folder),
      name_(results::RunFolderName(started_iso, run_.preset)),
      path_(parent_ + "\\" + name_) {}

bool ResultsFolder::Create(std::string* error) {
    // A run never writes into another run's folder, even one started in the same second.
    const std::string base = name_;
    for (int n = 2; platform::FolderExists(path_) && n < 100; ++n) {
        name_ = base + " (" + std::to_string(n) + ")";
        path_ = parent_ + "\\" + name_;
    }
    return platform::CreateFolders(path_, error) &&
           platform::WriteWholeFile(CsvPath(), results::ResultsCsvHeaderLine(), error);
}

bool ResultsFolder::Add(const results::LaunchResult& launch, std::string* error) {
    return platform::AppendToFile(CsvPath(), results::ResultsCsvRow(run_, system_, launch), error);
}

bool ResultsFolder::WriteReport(const std::vector<results::LaunchResult>& launches,
                                uint32_t elapsed_ms, std::string* error) {
    results::RunInfo run = run_;
    run.elapsed_ms = elapsed_ms;
    const auto earlier = results::FindEarlierRunIn(parent_, name_, run);
    return platform::WriteWholeFile(
        ReportPath(), results::ReportPage(run, system_, launches, earlier ? &*earlier : nullptr),
        error);
}

}  // namespace core
