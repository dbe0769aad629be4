// The windows as Win32 dialogs: what WinMain and the windows need of each other.
#pragma once

#include <windows.h>

#include "core/run_plan.h"
#include "core/session.h"
#include "ui/main_window_model.h"

namespace ui {

struct RunSession;

// The main window: its state and the windows it owns.
struct MainWindow {
    HWND hwnd = nullptr;
    core::SessionState* state = nullptr;
    MainWindowModel model;
    HWND custom = nullptr;      // the custom test window while it is open
    HWND about = nullptr;       // the about window while it is open
    HWND progress = nullptr;    // the progress window while a run shows it
    RunSession* run = nullptr;  // the run that lasts, owned here (run_window_win32.h)
};

// Starts a run of `preset` from the session and the main window's resolution boxes; `custom` is
// what the custom test window chose (the custom test only). It goes on on a worker thread;
// nothing happens while another run lasts.
void RunFromMainWindow(MainWindow& window, common::BenchmarkPreset preset,
                       const core::CustomTestChoices& custom);

// Creates and shows the main window; its load sequence runs inside. Null when it cannot be made.
HWND ShowMainWindow(MainWindow& window, core::SessionState& state);

// Shows the custom test window modeless, or brings the open one forward. `*slot` holds its
// handle while it is open.
void ShowCustomTestWindow(HWND owner, core::SessionState& state, MainWindow& main, HWND* slot);

// Tells the open custom test window (null: none) whether a run lasts.
void SetCustomTestRunning(HWND custom, bool running);

// Shows the about window modeless, or brings the open one forward.
void ShowAboutWindow(HWND owner, HWND* slot);

// True when no other Benchwright runs (this one is the only one from now on). Otherwise the
// other one's main window is brought to the front, and this one should exit.
bool ClaimSingleInstance();

// The same check without bringing anything to the front (a command-line run): true when another
// Benchwright runs; otherwise this process is the one from now until it ends.
bool AnotherInstanceRunning();

// Marks `window` as the main window that a second start brings to the front.
void MarkMainWindow(HWND window);
void UnmarkMainWindow(HWND window);
// Shows the Options window modal and returns once it is closed; OK has stored the settings.
void ShowOptionsWindow(HWND owner);

// Keyboard navigation (Tab, arrows, Enter, Esc, access keys) for whichever of the windows the
// message is for; true when it was handled there.
bool RouteDialogMessage(const MainWindow& window, MSG* msg);

}  // namespace ui
