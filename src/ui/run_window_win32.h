// A run carried out on a worker thread, reported to the main window, and shown in the progress
// window ("Benchmark running") with its "Stop after this run" and "End game now" buttons.
//
// The main window starts a run here, hands every run message (run_messages.h) to
// HandleRunMessage, and ends it with EndRunThread once HandleRunMessage says the run has ended.
// Every other window reads nothing of the run but MainWindowModel::running.
#pragma once

#include <windows.h>

#include "core/run_driver.h"
#include "core/run_plan.h"

namespace ui {

struct RunSession;

// Plans the run and empties the game's logs on this thread (the messages saying why a run cannot
// start are shown here), then carries out the plan on a worker thread that posts run messages to
// `main`. `progress_slot` holds the progress window while it is open. Null when nothing started.
RunSession* StartRunThread(HWND main, HWND* progress_slot, const core::RunSettings& settings);

// One run message arrived at the main window. True when the run has ended: call EndRunThread.
bool HandleRunMessage(RunSession& run, UINT msg, WPARAM wparam, LPARAM lparam);

// The main window is asked to close during the run: "A benchmark is running. Stop it and exit?"
// On Yes the game is ended and the run stops; the window closes once the run has ended (its
// staged files removed), which ExitRequested then says.
void AskToStopAndExit(RunSession& run);
bool ExitRequested(const RunSession& run);

// A planned run of the command line carried out on a worker thread while this thread shows the
// progress window (no owner: there is no main window) and its Stop and End game buttons.
// `also` hears everything on the worker's thread, failures included; nothing is shown in a box.
core::RunReport CarryOutInProgressWindow(const core::RunPlan& plan, core::RunObserver& also,
                                         core::RunControl& control);

// Waits for the worker (which has ended), closes the progress window, opens the page unless the
// program is exiting, and frees the run.
void EndRunThread(RunSession* run);

}  // namespace ui
