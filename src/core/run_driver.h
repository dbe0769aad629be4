// The run driver: a planned run carried out, one result per launch, told to the run's observers.
//
// A run goes in two steps. PrepareRun (the window's thread, at the click) plans it from a
// snapshot of the settings and empties the game's logs. CarryOutRun (the worker thread) moves a
// user's own files out of the way, writes the engine ini, stages the exec script, launches the
// game for every planned launch, removes the staged files and puts the user's files back. It
// writes nothing else and shows nothing: what a run leaves (results.csv, report.html,
// results.html with its footer) and what the user sees (the progress window, the console) are
// observers of the run (run_outputs.h, and the windows).
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "core/launch.h"
#include "core/run_plan.h"
#include "platform/platform.h"
#include "results/launch_result.h"

namespace core {

// What an observer hears of a run, in this order, on the run's thread.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // The game's files are staged; the first launch comes next.
    virtual void LaunchesStarting() {}
    // Launch `index` (from 0) of the plan is about to start.
    virtual void LaunchStarting(size_t /*index*/) {}
    // The game could not be started. The run goes on with the next launch once this returns.
    virtual void LaunchFailed(const LaunchFailure& /*failure*/) {}
    // A launch has ended (or, after a stop, was not run).
    virtual void LaunchFinished(const results::LaunchResult& /*result*/) {}
    // Every launch has ended; the staged files are still in place.
    virtual void LaunchesEnded(const std::vector<results::LaunchResult>& /*launches*/) {}
    // The staged files are removed and the user's files are back: the run has ended well.
    virtual void DriveRootCleaned() {}
    // A file step failed (`error` names the file and the reason); the run stops, what it staged
    // is removed, and no page is opened.
    virtual void StepFailed(const std::string& /*error*/) {}
    // The run's results folder cannot be written (said once a run); the run goes on and
    // results.html is still written.
    virtual void ResultsNotSaved(const std::string& /*why*/) {}
};

// Everyone who hears of a run, told in the order they were added. An output that fails tells
// everyone through this list, so the run knows that a step failed.
class RunObservers : public RunObserver {
public:
    void Add(RunObserver& observer) { list_.push_back(&observer); }
    bool StepHasFailed() const { return step_failed_; }

    void LaunchesStarting() override;
    void LaunchStarting(size_t index) override;
    void LaunchFailed(const LaunchFailure& failure) override;
    void LaunchFinished(const results::LaunchResult& result) override;
    void LaunchesEnded(const std::vector<results::LaunchResult>& launches) override;
    void DriveRootCleaned() override;
    void StepFailed(const std::string& error) override;
    void ResultsNotSaved(const std::string& why) override;

private:
    std::vector<RunObserver*> list_;
    bool step_failed_ = false;
};

// How the user steers a run from another thread.
struct RunControl {
    std::atomic<bool> stop_after_launch{false};  // no further launch starts
    platform::EndSignal end_game = nullptr;      // raised: the running game ends, the run stops
};

// Plans the run and empties the game's logs. False, with `refusal` saying why, when it cannot
// start: no game folder (the logs untouched), no resolution, no custom ini file, a log that
// cannot be emptied, no game program (every launch would fail alike).
bool PrepareRun(const RunSettings& settings, RunPlan* plan, RunRefusal* refusal);

// Empties the game's two logs; nothing to do without a game folder. False, with `error` naming
// the file and the reason, when one cannot be emptied.
bool ResetGameLogs(const std::string& install_folder, std::string* error);

// Carries out the plan, telling `observers` as it goes, and returns one result per planned
// launch, in plan order; with "Until steady", none for a cell's repeats after the rule has
// stopped them or the run is stopping (a stopped run then says "not run" once a cell). Stopping
// (control.stop_after_launch) lets the running game finish and starts no further launch; ending
// the game (control.end_game) ends it and stops. Either way the run ends like a finished one. A
// failed file step (said through StepFailed, by the run or by an observer) also removes what was
// staged and puts the user's files back; a clean-up failing after an earlier failure is not said
// again.
std::vector<results::LaunchResult> CarryOutRun(const RunPlan& plan, RunObservers& observers,
                                               RunControl& control);

// A local time as ISO 8601: "2026-12-06T14:05:09".
std::string IsoTime(const platform::LocalTime& t);

}  // namespace core
