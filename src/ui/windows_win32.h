// The three windows as Win32 dialogs: what WinMain and the windows need of each other.
#pragma once

#include <windows.h>

#include "core/run_driver.h"
#include "core/session.h"
#include "ui/main_window_model.h"

namespace ui {

// The main window: its state, and the window side of a run (resolution ticks and the
// control-state procedures) for the run drivers.
struct MainWindow : core::MainWindowControls {
    HWND hwnd = nullptr;
    core::SessionState* state = nullptr;
    MainWindowModel model;
    HWND custom = nullptr;  // the custom test window while it is open
    HWND about = nullptr;   // the about window while it is open

    std::array<bool, 5> ResolutionChecks() override;
    void DisablePresetButtons() override;
    void EnablePresetButtons() override;
    void DisableResolutionBoxes() override;
    void EnableResolutionBoxes() override;
};

// Creates and shows the main window; its load sequence runs inside. Null when it cannot be made.
HWND ShowMainWindow(MainWindow& window, core::SessionState& state);

// Shows the custom test window modeless, or brings the open one forward. `*slot` holds its
// handle while it is open.
void ShowCustomTestWindow(HWND owner, core::SessionState& state, core::MainWindowControls& main,
                          HWND* slot);

// Shows the about window modeless, or brings the open one forward.
void ShowAboutWindow(HWND owner, HWND* slot);

// Keyboard navigation (Tab, arrows, Enter, Esc, access keys) for whichever of the windows the
// message is for; true when it was handled there.
bool RouteDialogMessage(const MainWindow& window, MSG* msg);

}  // namespace ui
