// The run driver: carrying out a plan and matching each launch with its record.
#include "core/run_driver.h"

#include <optional>

#include "common/text.h"
#include "config/engine_ini.h"
#include "config/staged_files.h"
#include "core/launch.h"
#include "core/presets.h"
#include "results/frame_rate_log.h"
#include "results/steadiness.h"

namespace core {

namespace {

bool Stopping(const RunControl& control) { return control.stop_after_launch.load(); }

// The number of records the frame-rate log holds, or nullopt when it cannot be read.
std::optional<size_t> LogRecordCount(const std::string& install_folder) {
    std::vector<results::LogRecord> log;
    if (!results::ReadFrameRateLog(install_folder, &log)) return std::nullopt;
    return log.size();
}

// One launch, matched with the record it left: the log held `records_before` records as it
// started (nullopt: unknown, the log could not be read), and a launch's record is the one record
// the log gained meanwhile. A log that cannot be read, that holds fewer records than before (it
// was emptied or replaced) or more than one new one (another game wrote too) gives no record:
// never another launch's.
results::LaunchResult Launch(const RunPlan& plan, size_t index, RunObserver& observer,
                             RunControl& control, std::optional<size_t>* records_before) {
    const PlannedLaunch& planned = plan.launches[index];
    results::LaunchResult result;
    result.index = static_cast<int>(index) + 1;
    result.resolution = planned.resolution;
    result.level = planned.level;
    result.seconds = planned.seconds;
    result.repeat = planned.repeat;
    if (Stopping(control)) return result;  // kNotRun

    observer.LaunchStarting(index);
    if (!*records_before) *records_before = LogRecordCount(plan.settings.install_folder);
    result.started = IsoTime(platform::Now());
    const CpuCounters cpu_before = ReadCpuCounters();
    platform::GameEnd end;
    LaunchFailure failure;
    if (!LaunchAndWait(planned.command_line, LaunchTimeoutMs(planned), control.end_game, &end,
                       &failure)) {
        result.outcome = results::LaunchOutcome::kFailedToStart;
        result.failure = FailureText(failure);
        observer.LaunchFailed(failure);
        return result;
    }
    result.exit_code = end.exit_code;
    result.duration_ms = end.milliseconds;
    result.background_cpu_percent =
        BackgroundCpuPercent(cpu_before, ReadCpuCounters(), end.processor_time, end.milliseconds);
    std::vector<results::LogRecord> log;
    const bool read = results::ReadFrameRateLog(plan.settings.install_folder, &log);
    const bool recorded =
        read && *records_before && log.size() == **records_before + 1 && !log.back().malformed;
    if (recorded) {
        result.record = log.back().record;
        result.score = log.back().score;
        result.frame_count = log.back().frame_count;
    }
    *records_before = read ? std::optional<size_t>(log.size()) : std::nullopt;
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

// "Until steady": true when the cell of the last launch made needs no further repeat, because the
// rule says so or the run is stopping. Its launches are the last ones from its first repeat.
bool RepeatsEnd(const std::vector<results::LaunchResult>& made, int within_tenths,
                const RunControl& control) {
    if (Stopping(control)) return true;
    size_t first = made.size();
    while (first > 0 && made[first - 1].repeat > 1) --first;
    if (first > 0) --first;
    std::vector<const results::LaunchResult*> cell;
    for (size_t i = first; i < made.size(); ++i) cell.push_back(&made[i]);
    return results::JudgeRepeats(cell, within_tenths) != results::Steadiness::kGoOn;
}

}  // namespace

void RunObservers::LaunchesStarting() {
    for (RunObserver* o : list_) o->LaunchesStarting();
}
void RunObservers::LaunchStarting(size_t index) {
    for (RunObserver* o : list_) o->LaunchStarting(index);
}
void RunObservers::LaunchFailed(const LaunchFailure& failure) {
    for (RunObserver* o : list_) o->LaunchFailed(failure);
}
void RunObservers::LaunchFinished(const results::LaunchResult& result) {
    for (RunObserver* o : list_) o->LaunchFinished(result);
}
void RunObservers::LaunchesEnded(const std::vector<results::LaunchResult>& launches) {
    for (RunObserver* o : list_) o->LaunchesEnded(launches);
}
void RunObservers::DriveRootCleaned() {
    for (RunObserver* o : list_) o->DriveRootCleaned();
}
void RunObservers::StepFailed(const std::string& error) {
    step_failed_ = true;
    for (RunObserver* o : list_) o->StepFailed(error);
}
void RunObservers::ResultsNotSaved(const std::string& why) {
    for (RunObserver* o : list_) o->ResultsNotSaved(why);
}

bool ResetGameLogs(const std::string& install_folder, std::string* error) {
    // Without a game folder there are no logs to empty, and nothing is written elsewhere.
    return install_folder.empty() || config::ResetBenchmarkLogs(install_folder, error);
}

bool PrepareRun(const RunSettings& settings, RunPlan* plan, RunRefusal* refusal) {
    const bool planned = PlanRun(settings, plan, refusal);
    if (!planned && refusal->reason == RunRefusal::Reason::kNoInstallation) return false;
    // The logs are emptied at every click, even when the run then stops at a message.
    std::string error;
    if (!ResetGameLogs(settings.install_folder, &error)) {
        *refusal = {RunRefusal::Reason::kFileStep, error};
        return false;
    }
    if (!planned) return false;
    // Without the game every launch would fail alike: one message instead of one per launch.
    if (platform::GetAttributes(GameProgramPath(settings.install_folder)) == 0) {
        *refusal = {RunRefusal::Reason::kNoGameProgram, plan->launches.front().command_line};
        return false;
    }
    return true;
}

std::vector<results::LaunchResult> CarryOutRun(const RunPlan& plan, RunObservers& observers,
                                               RunControl& control) {
    const RunSettings& s = plan.settings;
    std::string engine_ini_path = plan.writes_engine_ini ? "" : plan.engine_ini_path;
    std::string exec_script_path;
    std::string error;
    // Whatever was staged goes and the user's files come back, however the run ends; after an
    // earlier failure a second one is not said again.
    auto clean_up = [&] {
        std::string cleanup_error;
        const bool clean = config::CleanUpDriveRoot(s.install_folder, engine_ini_path,
                                                    exec_script_path, &cleanup_error);
        if (!clean && !observers.StepHasFailed()) observers.StepFailed(cleanup_error);
        return clean;
    };
    // A user's own file where ours go is moved out of the way first: never written through.
    if (!config::SetAsideUserFiles(s.install_folder, plan.writes_engine_ini, &error) ||
        (plan.writes_engine_ini && !config::WriteEngineIni(plan.engine_ini_path, plan.engine_ini,
                                                           s.renderer, &engine_ini_path, &error)) ||
        !config::StageExecScript(s.install_folder, plan.exec_script_path, &exec_script_path,
                                 &error)) {
        observers.StepFailed(error);
        clean_up();
        return {};
    }

    std::vector<results::LaunchResult> launches;
    if (!plan.launches.empty()) observers.LaunchesStarting();
    std::optional<size_t> records_before = LogRecordCount(s.install_folder);
    for (size_t i = 0; i < plan.launches.size(); ++i) {
        launches.push_back(Launch(plan, i, observers, control, &records_before));
        // The run's own count: with "Until steady" the plan's place skips the repeats left out.
        launches.back().index = static_cast<int>(launches.size());
        observers.LaunchFinished(launches.back());
        if (s.until_steady && RepeatsEnd(launches, s.steady_within_tenths, control)) {
            while (i + 1 < plan.launches.size() && plan.launches[i + 1].repeat > 1) ++i;
        }
    }
    observers.LaunchesEnded(launches);
    const bool failed_before = observers.StepHasFailed();
    if (clean_up() && !failed_before) observers.DriveRootCleaned();
    return launches;
}

std::string IsoTime(const platform::LocalTime& t) {
    using common::Digits;
    return Digits(t.year, 4) + "-" + Digits(t.month, 2) + "-" + Digits(t.day, 2) + "T" +
           Digits(t.hour, 2) + ":" + Digits(t.minute, 2) + ":" + Digits(t.second, 2);
}

}  // namespace core
