// The windows as Win32 dialogs: what WinMain and the windows need of each other.
#pragma once

#include <windows.h>

#include <memory>

#include "common/benchmark.h"
#include "core/run_plan.h"
#include "ui/about_model.h"
#include "ui/custom_test_model.h"
#include "ui/main_window_model.h"
#include "ui/run_host_win32.h"

namespace ui {

// The custom test window: modeless, owned by the main window, which hears its "Run Test" and its
// closing by posted messages (window_messages.h).
struct CustomTestWindow {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    CustomTestModel model;
    ~CustomTestWindow();
};

// Shows the custom test window for `edition`; `running` says whether a run lasts. Null when the
// window cannot be made.
std::unique_ptr<CustomTestWindow> OpenCustomTestWindow(HWND owner, common::Edition edition,
                                                       bool running);

// Tells the custom test window whether a run lasts.
void SetCustomTestRunning(CustomTestWindow& window, bool running);

// The about window: modeless, owned by the main window, which hears its closing.
struct AboutWindow {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    AboutTexts texts;
    HFONT title_font = nullptr;
    ~AboutWindow();
};
std::unique_ptr<AboutWindow> OpenAboutWindow(HWND owner);

// The main window: its state and the windows it owns.
struct MainWindow {
    HWND hwnd = nullptr;
    MainWindowModel model;
    std::unique_ptr<CustomTestWindow> custom;  // while it is open
    std::unique_ptr<AboutWindow> about;        // while it is open
    std::unique_ptr<RunSession> run;           // the run that lasts, with its progress window
};

// Creates and shows the main window; its load sequence runs inside. False when it cannot be made.
bool ShowMainWindow(MainWindow& window);

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
