// The messages a run's worker thread posts to the main window: the only way the run reaches the
// windows, so no control is ever touched from the worker.
#pragma once

#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace ui {

enum RunMessage : UINT {
    WM_APP_LAUNCH_STARTING = WM_APP + 1,  // wParam: the launch's index in the plan, from 0
    WM_APP_LAUNCH_FINISHED,    // lParam: a new results::LaunchResult; the window deletes it
    WM_APP_LAUNCH_FAILED,      // lParam: a new RunFailure; the worker waits until it was shown
    WM_APP_STEP_FAILED,        // lParam: a new RunFailure; the worker waits until it was shown
    WM_APP_RUN_ENDED,          // the worker has carried out the run and is about to end
    WM_APP_RESULTS_NOT_SAVED,  // lParam: a new std::string, why; the window deletes it
};

// What a failed launch or file step tells the user.
struct RunFailure {
    std::string text;
    platform::MessageIcon icon = platform::MessageIcon::kNone;
};

}  // namespace ui
