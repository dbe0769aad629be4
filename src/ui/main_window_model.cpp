// The main window's state and reactions.
#include "ui/main_window_model.h"

#include "core/last_report.h"
#include "platform/platform.h"
#include "results/results_page.h"

namespace ui {

void ApplyInstallation(MainWindowModel& model, core::SessionState& state,
                       const registry::InstallationOutcome& outcome) {
    state.GameEdition = outcome.game_edition;
    state.InstallFolder = outcome.install_folder;
    model.full_enabled = outcome.full_enabled;
    model.demo_enabled = outcome.demo_enabled;
    model.edition = outcome.selected;
    model.installed = outcome.selected != registry::Edition::kNone;
}

void SelectRenderEngine(MainWindowModel& model, core::SessionState& state, bool opengl) {
    model.render_chosen = true;
    model.opengl = opengl;
    state.RenderEngine = opengl ? "OGL" : "D3D";
}

EditionChangeResult ChangeEdition(MainWindowModel& model, core::SessionState& state,
                                  registry::Edition edition, bool present,
                                  const std::string& install_folder, bool custom_open) {
    EditionChangeResult result;
    const std::string previous_edition = state.GameEdition;
    if (!present) {
        result.close_custom = custom_open;
        (edition == registry::Edition::kFull ? model.full_enabled : model.demo_enabled) = false;
        model.edition = registry::Edition::kNone;
        model.installed = false;
        state.InstallFolder.clear();
        state.GameEdition.clear();
        return result;
    }
    state.GameEdition = registry::EditionName(edition);
    state.InstallFolder = install_folder;
    // Only a change of edition reloads the custom test window; choosing the current one again
    // leaves it as the user set it.
    result.reopen_custom =
        custom_open && !previous_edition.empty() && previous_edition != state.GameEdition;
    model.edition = edition;
    model.installed = true;
    return result;
}

void SetRunning(MainWindowModel& model, bool running) { model.running = running; }

MainWindowControls EnabledControls(const MainWindowModel& m) {
    if (m.running) return {};
    return {m.installed, true, m.full_enabled, m.demo_enabled, true};
}

void OpenMakerWebSite() { platform::ShellOpen(kMakerWebAddress, false, "C:\\"); }

std::string ResultsFolderPath(const core::SessionState& state) {
    return state.AppFolder + "Results";
}

void CheckLastReport(MainWindowModel& model, const core::SessionState& state) {
    model.last_report_enabled = !core::LatestReport(ResultsFolderPath(state)).empty();
}

void OpenLastReport(MainWindowModel& model, const core::SessionState& state) {
    const std::string report = core::LatestReport(ResultsFolderPath(state));
    model.last_report_enabled = !report.empty();
    if (!report.empty()) results::OpenDocument(report);
}

std::string HelpPagePath(const core::SessionState& state) { return state.AppFolder + "help.html"; }

}  // namespace ui
