// The run driver: carrying out a plan, matching each launch with its record, and the page.
#include "core/run_driver.h"

#include "common/text.h"
#include "config/engine_ini.h"
#include "config/staged_files.h"
#include "core/launch.h"
#include "core/presets.h"
#include "core/results_folder.h"
#include "results/frame_rate_log.h"
#include "results/results_page.h"

namespace core {

namespace {

// Ends a run whose file step failed: whatever it staged goes and the user's files come back (a
// second failure there is not reported again).
void StopAfterFailure(RunObserver& observer, const std::string& error,
                      const std::string& install_folder, const std::string& engine_ini_path,
                      const std::string& exec_script_path) {
    observer.StepFailed(error);
    std::string ignored;
    config::CleanUpDriveRoot(install_folder, engine_ini_path, exec_script_path, &ignored);
}

bool Stopping(const RunControl& control) { return control.stop_after_launch.load(); }

// One launch, matched with the record it left: the log holds `records_before` records before it,
// and the first record after those is this launch's.
results::LaunchResult Launch(const RunPlan& plan, size_t index, RunObserver& observer,
                             RunControl& control, size_t* records_before) {
    const PlannedLaunch& planned = plan.launches[index];
    results::LaunchResult result;
    result.index = static_cast<int>(index) + 1;
    result.resolution = planned.resolution;
    result.level = planned.level;
    result.seconds = planned.seconds;
    result.repeat = planned.repeat;
    if (Stopping(control)) return result;  // kNotRun

    observer.LaunchStarting(index);
    result.started = IsoTime(platform::Now());
    platform::GameEnd end;
    LaunchFailure failure;
    if (!LaunchAndWait(planned.command_line, LaunchTimeoutMs(planned), control.end_game, &end,
                       &failure)) {
        result.outcome = results::LaunchOutcome::kFailedToStart;
        result.failure = failure.message;
        observer.LaunchFailed(failure.message, failure.icon);
        return result;
    }
    result.exit_code = end.exit_code;
    result.duration_ms = end.milliseconds;
    const std::vector<results::LogRecord> log =
        results::ReadFrameRateLog(plan.settings.install_folder);
    const bool recorded = log.size() > *records_before;
    if (recorded) {
        result.record = log[*records_before].record;
        result.score = log[*records_before].score;
        result.frame_count = log[*records_before].frame_count;
    }
    *records_before = log.size();
    using Outcome = results::LaunchOutcome;
    switch (end.how) {
        case platform::GameEnd::How::kEnded:
            result.outcome = Outcome::kEndedByUser;
            control.stop_after_launch = true;
            break;
        case platform::GameEnd::How::kTimedOut:
            result.outcome = Outcome::kTimedOut;
            break;
        case platform::GameEnd::How::kExited:
            result.outcome = recorded ? Outcome::kRecorded : Outcome::kNoRecord;
            break;
    }
    return result;
}

}  // namespace

bool PrepareRun(const RunSettings& settings, RunPlan* plan, PlanProblem* problem) {
    const bool planned = PlanRun(settings, plan, problem);
    if (!planned && problem->no_installation) return false;
    // The logs are emptied at every click, even when the run then stops at a message.
    std::string error;
    if (!config::ResetBenchmarkLogs(settings.install_folder, &error)) {
        *problem = {error, "", platform::MessageIcon::kCritical};
        return false;
    }
    if (!planned) return false;
    // Without the game every launch would fail alike: one message instead of one per launch.
    if (platform::GetAttributes(GameProgramPath(settings.install_folder)) == 0) {
        const LaunchFailure failure = ProgramNotFound(plan->launches.front().command_line);
        *problem = {failure.message, "", failure.icon};
        return false;
    }
    return true;
}

bool StartRun(const RunSettings& settings, RunPlan* plan) {
    PlanProblem problem;
    if (PrepareRun(settings, plan, &problem)) return true;
    platform::ShowMessage(problem.text, problem.title, problem.icon);
    return false;
}

RunReport CarryOutRun(const RunPlan& plan, RunObserver& observer, RunControl& control) {
    const RunSettings& s = plan.settings;
    RunReport report;
    std::string engine_ini_path = plan.writes_engine_ini ? "" : plan.engine_ini_path;
    std::string exec_script_path;
    std::string error;
    // A user's own file where ours go is moved out of the way first: never written through.
    if (!config::SetAsideUserFiles(s.install_folder, plan.writes_engine_ini, &error) ||
        (plan.writes_engine_ini &&
         !config::WriteEngineIni(s.install_folder, plan.engine_ini, s.render_engine,
                                 &engine_ini_path, &error)) ||
        !config::StageExecScript(s.install_folder, &exec_script_path, &error)) {
        StopAfterFailure(observer, error, s.install_folder, engine_ini_path, exec_script_path);
        return report;
    }

    ResultsFolder folder(plan, platform::ReadSystemInfo(), IsoTime(platform::Now()));
    const uint32_t started_ms = platform::Milliseconds();
    bool saving = !s.results_folder.empty();
    auto keep = [&](bool ok) {
        if (saving && !ok) observer.ResultsNotSaved(error);
        saving = saving && ok;
    };
    size_t records_before = results::ReadFrameRateLog(s.install_folder).size();
    for (size_t i = 0; i < plan.launches.size(); ++i) {
        if (i == 0 && saving) keep(folder.Create(&error));
        report.launches.push_back(Launch(plan, i, observer, control, &records_before));
        const bool ran = report.launches.back().outcome != results::LaunchOutcome::kNotRun;
        if (saving && ran) keep(folder.Add(report.launches.back(), &error));
        observer.LaunchFinished(report.launches.back());
    }
    if (saving && !report.launches.empty()) {
        report.results_folder = folder.Path();
        keep(folder.WriteReport(report.launches, platform::Milliseconds() - started_ms, &error));
        if (saving) report.report_path = folder.ReportPath();
    }

    if (!results::WriteResultsPage(s.app_folder, plan.resolutions, plan.levels_per_resolution,
                                   report.launches, &error)) {
        StopAfterFailure(observer, error, s.install_folder, engine_ini_path, exec_script_path);
        return report;
    }
    if (!config::CleanUpDriveRoot(s.install_folder, engine_ini_path, exec_script_path, &error) ||
        !results::AppendRunFooter(s.app_folder, s.preset, s.render_engine, s.game_edition,
                                  &error)) {
        observer.StepFailed(error);
        return report;
    }
    report.page_written = true;
    return report;
}

void FinishRun(const RunPlan& plan, const RunReport& report) {
    if (!report.page_written) return;
    if (plan.settings.open_report && !report.report_path.empty()) {
        results::OpenDocument(report.report_path);
    } else {
        results::OpenDocument(results::ResultsPagePath(plan.settings.app_folder));
    }
}

RunReport RunBenchmark(const RunSettings& settings, RunObserver& observer, RunControl& control) {
    RunPlan plan;
    if (!StartRun(settings, &plan)) return {};
    RunReport report = CarryOutRun(plan, observer, control);
    FinishRun(plan, report);
    return report;
}

std::string IsoTime(const platform::LocalTime& t) {
    using common::Digits;
    return Digits(t.year, 4) + "-" + Digits(t.month, 2) + "-" + Digits(t.day, 2) + "T" +
           Digits(t.hour, 2) + ":" + Digits(t.minute, 2) + ":" + Digits(t.second, 2);
}

}  // namespace core
