// The progress window's state: where a run stands, the time it has taken, the time it may still
// take, and the last finished launch's frame rate.
//
// The window's binding (run_window_win32.cpp) feeds it what the run reports and the clock; the
// texts it shows all come from ProgressView, so they are tested here rather than on the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/run_plan.h"
#include "results/launch_result.h"

namespace ui {

struct ProgressModel {
    core::RunPlan plan;
    uint32_t run_started_ms = 0;     // the clock (platform::Milliseconds) at the start
    uint32_t launch_started_ms = 0;  // ... and at the current launch's start
    size_t current = 0;              // the launch running, or the last one started
    // Launches started so far, and the plan's launch after the last one started: with "Until
    // steady" the run leaves out the repeats of a cell that has become steady.
    size_t started = 0;
    size_t next = 0;
    bool launch_running = false;
    int seconds_done = 0;  // planned seconds of the launches that have ended
    // The measured load overhead (the game's run beyond its planned seconds) of the launches
    // that ran to their own end, summed, and how many they were.
    uint64_t overhead_ms = 0;
    int overhead_count = 0;
    bool any_finished = false;
    results::LaunchResult last;  // the last launch that ended
    bool stop_requested = false;
    bool end_requested = false;
    std::string results_not_saved;  // why the run's results folder cannot be written, if so
};

// The run of `plan` starts at `now_ms`.
void StartProgress(ProgressModel& model, const core::RunPlan& plan, uint32_t now_ms);
// Launch `index` (from 0) is about to start.
void ProgressLaunchStarting(ProgressModel& model, size_t index, uint32_t now_ms);
// A launch has ended (or was not run).
void ProgressLaunchFinished(ProgressModel& model, const results::LaunchResult& result);
// The run's results folder cannot be written (the run goes on).
void ProgressResultsNotSaved(ProgressModel& model, const std::string& why);
// "Stop after this run" and a confirmed "End game now".
void RequestStop(ProgressModel& model);
void RequestEndGame(ProgressModel& model);

// The estimated seconds the run still takes at `now_ms`: the planned seconds of what is left to
// run (the current launch's elapsed time counted off), plus the average measured load overhead of
// the finished launches for each launch still to start or load. Nothing further after a stop.
// With "Until steady" the plan's most repeats are counted: the time left is at most this.
uint32_t SecondsLeft(const ProgressModel& model, uint32_t now_ms);

// "0:05:07": hours, minutes, seconds.
std::string ClockText(uint32_t seconds);

// What the progress window shows.
struct ProgressView {
    std::string run;         // "Run 2 of 7"; with "Until steady", "Run 2 of at most 70"
    std::string level;       // "Level: dm-inferno"
    std::string resolution;  // "Resolution: 1024x768"
    std::string elapsed;     // "Time elapsed: 0:02:41"
    std::string left;        // "Time left: about 0:10:12", "Time left: finishing this run"
    std::string last;        // "Last run: 63.87 fps average", "Last run: no record", or ""
    std::string note;        // "Results cannot be saved: <why>", or ""
    int permille = 0;        // the bar: planned seconds done out of all, in thousandths
    bool stop_enabled = true;
    bool end_enabled = true;
};
ProgressView ViewProgress(const ProgressModel& model, uint32_t now_ms);

}  // namespace ui
