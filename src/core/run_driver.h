// The run driver: a planned run carried out, one result per launch, and the results page.
//
// A run goes in three steps. StartRun (the window's thread, at the click) plans it from a
// snapshot of the settings and empties the game's logs. CarryOutRun (the worker thread) moves a
// user's own files out of the way, writes the engine ini, stages the exec script, launches the
// game for every planned launch, writes the results page, removes the staged files, puts the
// user's files back and appends the footer. FinishRun (the window's thread) opens the page.
// CarryOutRun shows nothing itself: it tells a RunObserver, and the window side decides what the
// user sees.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "core/run_plan.h"
#include "platform/platform.h"
#include "results/launch_result.h"

namespace core {

// What the window side hears of a run while it is carried out, on the run's thread.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // Launch `index` (from 0) of the plan is about to start.
    virtual void LaunchStarting(size_t index) = 0;
    // A launch has ended (or, after a stop, was not run).
    virtual void LaunchFinished(const results::LaunchResult& result) = 0;
    // The game could not be started; the user is to be told `message` with `icon`. The run goes
    // on with the next launch once this returns.
    virtual void LaunchFailed(const std::string& message, platform::MessageIcon icon) = 0;
    // A file step failed (`error` names the file and the reason); the run stops, what it staged
    // is removed, and no page is opened.
    virtual void StepFailed(const std::string& error) = 0;
    // The run's results folder cannot be written (said once a run); the run goes on and
    // results.html is still written.
    virtual void ResultsNotSaved(const std::string& /*why*/) {}
};

// How the user steers a run from another thread.
struct RunControl {
    std::atomic<bool> stop_after_launch{false};  // no further launch starts
    platform::EndSignal end_game = nullptr;      // raised: the running game ends, the run stops
};

// What a run did.
struct RunReport {
    std::vector<results::LaunchResult> launches;  // one per planned launch, in plan order
    bool page_written = false;                    // results.html is complete and may be opened
    std::string results_folder;                   // the run's own folder; empty when not made
    std::string report_path;                      // its report.html; empty when not written
};

// Plans the run and empties the game's logs. False when it cannot start; the message saying why
// has been shown (no game folder, no resolution, no custom ini file, a log that cannot be
// emptied, no game program: the message a failed first launch would give).
bool StartRun(const RunSettings& settings, RunPlan* plan);

// StartRun's steps without a message box: false, with `problem` saying why as StartRun would have
// shown it, when the run cannot start.
bool PrepareRun(const RunSettings& settings, RunPlan* plan, PlanProblem* problem);

// Carries out the plan. As launches end, each is added to results.csv in the run's own folder
// under settings.results_folder, and report.html is written there at the end. Stopping
// (control.stop_after_launch) lets the running game finish and
// starts no further launch; ending the game (control.end_game) ends it and stops. Either way the
// run ends like a finished one: the page with the finished launches' values and blank cells for
// the rest, the staged files removed, the user's files back, the footer appended. A failed file
// step also removes what was staged and puts the user's files back.
RunReport CarryOutRun(const RunPlan& plan, RunObserver& observer, RunControl& control);

// Opens the page when the run wrote it: its report.html instead when settings.open_report asks
// for it and the report was written.
void FinishRun(const RunPlan& plan, const RunReport& report);

// The whole run of settings.preset on this thread, from the click to the opened page (StartRun,
// CarryOutRun, FinishRun). Messages of failed launches and file steps go to `observer`.
RunReport RunBenchmark(const RunSettings& settings, RunObserver& observer, RunControl& control);

// A local time as ISO 8601: "2026-12-06T14:05:09".
std::string IsoTime(const platform::LocalTime& t);

}  // namespace core
