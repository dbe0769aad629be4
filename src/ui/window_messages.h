// The program's own window messages, and how a message hands over what it carries: the sender
// gives up a unique_ptr, the receiver takes it back, so every payload has exactly one owner.
#pragma once

#include <windows.h>

#include <memory>

namespace ui {

enum WindowMessage : UINT {
    // From a run's worker thread to the window that hosts the run.
    WM_APP_LAUNCH_STARTING = WM_APP + 1,  // wParam: the launch's index in the plan, from 0
    WM_APP_LAUNCH_FINISHED,               // lParam: results::LaunchResult
    WM_APP_LAUNCH_FAILED,                 // lParam: Message; the worker waits until it was shown
    WM_APP_STEP_FAILED,                   // lParam: Message; the worker waits until it was shown
    WM_APP_RUN_ENDED,                     // the worker has carried out the run and is about to end
    WM_APP_RESULTS_NOT_SAVED,             // lParam: std::string, why
    // From the custom test and about windows to the main window that owns them.
    WM_APP_RUN_CUSTOM,    // lParam: core::CustomTestChoices: "Run Test" was clicked
    WM_APP_CLOSE_CUSTOM,  // the custom test window asks to be closed
    WM_APP_CLOSE_ABOUT,   // the about window asks to be closed
};

// Posts `msg` with `payload`; the receiver owns it from then on (it is freed here when the post
// fails).
template <class T>
bool PostOwned(HWND target, UINT msg, std::unique_ptr<T> payload) {
    if (!PostMessageA(target, msg, 0, reinterpret_cast<LPARAM>(payload.get()))) return false;
    payload.release();
    return true;
}

// The payload a posted message carries, owned again.
template <class T>
std::unique_ptr<T> TakeOwned(LPARAM lparam) {
    return std::unique_ptr<T>(reinterpret_cast<T*>(lparam));
}

}  // namespace ui
