// A run carried out on a worker thread, reported by posted messages to the window that hosts it
// (the main window, or the command line's message window), and shown in the progress window
// ("Benchmark running") with its "Stop after this run" and "End game now" buttons.
//
// The host starts a run with StartRunThread, hands every run message (window_messages.h) to
// HandleRunMessage, and ends it with EndRunThread once HandleRunMessage says the run has ended.
#pragma once

#include <windows.h>

#include <memory>

#include "core/run_driver.h"
#include "core/run_outputs.h"
#include "core/run_plan.h"
#include "ui/progress_model.h"

namespace ui {

// Tells the host by posted messages. A failure waits until the host has shown it (or the run is
// abandoned), so the run goes on only once the user has dismissed the message. A console, when
// there is one, hears everything first on the worker's thread, and then no failure is shown in a
// box.
struct PostingObserver : core::RunObserver {
    HWND target = nullptr;
    HANDLE shown = nullptr;      // auto-reset event: the failure has been shown
    HANDLE abandoned = nullptr;  // manual-reset event: nobody will show it any more
    core::RunObserver* console = nullptr;

    void LaunchStarting(size_t index) override;
    void LaunchFailed(const core::LaunchFailure& failure) override;
    void LaunchFinished(const results::LaunchResult& result) override;
    void StepFailed(const std::string& error) override;
    void ResultsNotSaved(const std::string& why) override;
};

struct ProgressWindow {
    HWND hwnd = nullptr;
    ProgressModel model;
    ProgressView shown;  // what the controls show now
    bool drawn = false;
};

struct RunSession {
    RunSession() = default;
    RunSession(const RunSession&) = delete;
    RunSession& operator=(const RunSession&) = delete;
    ~RunSession();

    HWND target = nullptr;          // where the worker posts
    HWND progress_owner = nullptr;  // null: the progress window has no owner
    core::RunPlan plan;
    core::RunControl control;
    core::RunReport report;  // written by the worker; read once it has ended
    PostingObserver observer;
    HANDLE thread = nullptr;
    ProgressWindow progress;
    int asking = 0;             // questions open on this thread's stack
    bool ended_unseen = false;  // the run ended while a question was open
    bool exiting = false;
};

// Carries out `plan` on a worker thread that posts run messages to `target`. The progress window
// opens at the first launch, owned by `progress_owner` (null: none). `console` (may be null)
// hears everything on the worker's thread. Null, with the message shown, when no thread can be
// made.
std::unique_ptr<RunSession> StartRunThread(HWND target, HWND progress_owner,
                                           const core::RunPlan& plan, core::RunObserver* console);

// True for the messages a run's worker posts.
bool IsRunMessage(UINT msg);

// One run message arrived at the host. True when the run has ended: call EndRunThread.
bool HandleRunMessage(RunSession& run, UINT msg, WPARAM wparam, LPARAM lparam);

// The host is asked to close during the run: "A benchmark is running. Stop it and exit?" On Yes
// the game is ended and the run stops; the host closes once the run has ended (its staged files
// removed), which ExitRequested then says.
void AskToStopAndExit(RunSession& run);
bool ExitRequested(const RunSession& run);

// Ends the game and lets the run stop (Ctrl+C on the command line): callable from any thread.
void StopRunNow(core::RunControl& control);

// Waits for the worker, closes the progress window, and returns what the run did.
core::RunReport EndRunThread(std::unique_ptr<RunSession> run);

}  // namespace ui
