// The main window's state and its reactions: edition and render options, which controls are
// enabled, and what an edition change asks of the custom test window.
//
// The model decides; the Win32 binding (main_window_win32.cpp) reads the registry and the
// controls, calls these functions and writes the model back to the controls.
#pragma once

#include <string>

#include "core/session.h"
#include "registry/discovery.h"

namespace ui {

// The maker's web address, opened by a click on either window's banner.
inline constexpr const char* kMakerWebAddress = "https://benchwright.example/";
// The banners' tooltip, inviting that click.
inline constexpr const char* kBannerTip = "Click to visit the Benchwright web site";

struct MainWindowModel {
    // Version frame: which edition options may be chosen and which one is selected.
    bool full_enabled = false;
    bool demo_enabled = false;
    registry::Edition edition = registry::Edition::kNone;
    // Rendering Engine frame: true when "OpenGL" is selected, false for "Direct3D"; nothing is
    // selected until the load sequence picks Direct3D.
    bool render_chosen = false;
    bool opengl = false;
    // A game folder is known. Without one nothing can run, so the four preset buttons ("CPU
    // Benchmark", "High Quality", "Low Quality", "Custom Test") stay disabled.
    bool installed = false;
    // A run lasts: nothing that starts a run or changes its settings may be used.
    bool running = false;
    // File > "Open Last Report": enabled while a run's folder under Results holds a report.
    bool last_report_enabled = false;
};

// Which controls can be used, as the window shows them: while a run lasts none of these.
struct MainWindowControls {
    bool presets = false;      // the four preset buttons
    bool resolutions = false;  // the five resolution boxes
    bool full = false, demo = false;
    bool render_engine = false;  // "Direct3D" and "OpenGL"
};
MainWindowControls EnabledControls(const MainWindowModel& model);

// Step 1 of the load sequence: shows what installation discovery found, and sets GameEdition and
// InstallFolder as selecting the found edition's option does.
void ApplyInstallation(MainWindowModel& model, core::SessionState& state,
                       const registry::InstallationOutcome& outcome);

// "Direct3D" and "OpenGL" clicks.
void SelectRenderEngine(MainWindowModel& model, core::SessionState& state, bool opengl);

// What an edition change needs the window to do besides showing the model.
struct EditionChangeResult {
    bool reopen_custom = false;  // close the custom test window and show a new one
    bool close_custom = false;   // close it for good (the edition is gone)
};

// "Full" and "Demo" clicks, after registry::SelectEdition has read the edition's folder again
// (`present` false, and the user told, when its entry has gone): sets GameEdition and
// InstallFolder. `custom_open` says whether the custom test window is open. An edition that has
// gone behaves as not installed: GameEdition and InstallFolder are emptied, its option disabled,
// and the preset buttons stay disabled until an installed edition is chosen.
EditionChangeResult ChangeEdition(MainWindowModel& model, core::SessionState& state,
                                  registry::Edition edition, bool present,
                                  const std::string& install_folder, bool custom_open);

// A run starts or ends; everything the run disabled comes back however it ended.
void SetRunning(MainWindowModel& model, bool running);

// Opens the maker's web address with the shell: no owner window, working folder "C:\".
void OpenMakerWebSite();

// Where each run keeps its own folder of results: "Results" beside the program.
std::string ResultsFolderPath(const core::SessionState& state);

// Looks for a report under Results again (at start-up and after every run) and enables
// "Open Last Report" by what it finds.
void CheckLastReport(MainWindowModel& model, const core::SessionState& state);

// "Open Last Report": opens the newest report with the shell; when none is left (deleted since),
// opens nothing and the item is disabled.
void OpenLastReport(MainWindowModel& model, const core::SessionState& state);

// The help page beside the program.
std::string HelpPagePath(const core::SessionState& state);

}  // namespace ui
