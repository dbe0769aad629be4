// The main window's state and its reactions: edition and render options, the resolution boxes,
// which controls are enabled, what an edition change asks of the custom test window, and the
// settings a run starts from.
//
// The model decides; the Win32 binding (main_window_win32.cpp) turns messages into these calls
// and writes the model back to the controls.
#pragma once

#include <array>
#include <string>

#include "common/benchmark.h"
#include "core/run_outputs.h"
#include "core/run_plan.h"
#include "core/user_settings.h"

namespace ui {

// The maker's web address, opened by a click on either window's banner.
inline constexpr const char* kMakerWebAddress = "https://benchwright.example/";
// The banners' tooltip, inviting that click.
inline constexpr const char* kBannerTip = "Click to visit the Benchwright web site";

struct MainWindowModel {
    std::string app_folder;  // the program's folder, ending in a backslash
    // Version frame: which edition options may be chosen, the one selected and its folder.
    // Without a selected edition nothing can run, so the four preset buttons ("CPU Benchmark",
    // "High Quality", "Low Quality", "Custom Test") stay disabled.
    bool full_enabled = false;
    bool demo_enabled = false;
    common::Edition edition = common::Edition::kNone;
    std::string install_folder;  // empty when no edition is selected
    // Rendering Engine frame: nothing is selected until the load sequence picks Direct3D.
    bool render_chosen = false;
    common::Renderer renderer = common::Renderer::kDirect3D;
    // The five resolution boxes, in their order.
    std::array<bool, 5> resolutions{};
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
    bool renderer = false;  // "Direct3D" and "OpenGL"
};
MainWindowControls EnabledControls(const MainWindowModel& model);

// Step 1 of the load sequence: shows what installation discovery found and selects the found
// edition as its option does.
void ApplyInstallation(MainWindowModel& model, const common::Installation& installation);

// "Direct3D" and "OpenGL" clicks.
void SelectRenderer(MainWindowModel& model, common::Renderer renderer);

// What an edition change needs the window to do besides showing the model.
struct EditionChangeResult {
    bool reopen_custom = false;  // close the custom test window and show a new one
    bool close_custom = false;   // close it for good (the edition is gone)
};

// "Full" and "Demo" clicks, after the edition's folder was read again (`present` false, and the
// user told, when its entry has gone). `custom_open` says whether the custom test window is open.
// An edition that has gone behaves as not installed: nothing is selected, its option disabled,
// and the preset buttons stay disabled until an installed edition is chosen.
EditionChangeResult ChangeEdition(MainWindowModel& model, common::Edition edition, bool present,
                                  const std::string& install_folder, bool custom_open);

// A run starts or ends; everything the run disabled comes back however it ended.
void SetRunning(MainWindowModel& model, bool running);

// The settings a run of `preset` starts from: the window's choices, the user's options and, for
// the custom test, what its window chose.
core::RunSettings RunSettingsOf(const MainWindowModel& model, const core::UserSettings& user,
                                common::BenchmarkPreset preset,
                                const core::CustomTestChoices& custom);

// Looks for a report under Results again (at start-up and after every run) and enables
// "Open Last Report" by what it finds.
void CheckLastReport(MainWindowModel& model);

// "Open Last Report": the newest report to open with the shell; when none is left (deleted
// since), empty, and the item is disabled.
std::string LastReportToOpen(MainWindowModel& model);

// The help page beside the program.
std::string HelpPagePath(const MainWindowModel& model);

// The page a run ends by opening: its report.html when the options ask for it and it was
// written, otherwise results.html; empty when results.html is not complete.
std::string PageToOpen(const core::RunSettings& settings, const core::RunReport& report);

// Asks the shell to open the file with its associated program, the main window as owner.
void OpenDocument(const std::string& path);

// Opens the maker's web address with the shell: no owner window, working folder "C:".
void OpenMakerWebSite();

}  // namespace ui
