// The main window's state and reactions.
#include "ui/main_window_model.h"

#include "platform/platform.h"

namespace ui {

void ApplyInstallation(MainWindowModel& model, const registry::InstallationOutcome& outcome) {
    model.full_enabled = outcome.full_enabled;
    model.demo_enabled = outcome.demo_enabled;
    model.edition = outcome.selected;
    model.installed = outcome.selected != registry::Edition::kNone;
    model.preset_buttons_enabled = model.installed;
}

void SelectRenderEngine(MainWindowModel& model, core::SessionState& state, bool opengl) {
    model.render_chosen = true;
    model.opengl = opengl;
    state.RenderEngine = opengl ? "OGL" : "D3D";
}

EditionChangeResult ChangeEdition(MainWindowModel& model, core::SessionState& state,
                                  registry::Edition edition, const std::string& folder,
                                  bool present, bool custom_open) {
    EditionChangeResult result;
    if (!present) {
        result.missing = true;
        result.close_custom = custom_open;
        (edition == registry::Edition::kFull ? model.full_enabled : model.demo_enabled) = false;
        model.edition = registry::Edition::kNone;
        model.installed = false;
        model.preset_buttons_enabled = false;
        state.InstallFolder.clear();
        state.GameEdition.clear();
        return result;
    }
    const std::string name = edition == registry::Edition::kFull ? "full" : "demo";
    const std::string other = edition == registry::Edition::kFull ? "demo" : "full";
    state.InstallFolder = folder;
    // Only a change of edition reloads the custom test window; choosing the current one again
    // leaves it as the user set it.
    result.reopen_custom = custom_open && state.GameEdition == other;
    state.GameEdition = name;
    model.edition = edition;
    if (!model.installed) {
        model.installed = true;
        model.preset_buttons_enabled = true;
    }
    return result;
}

std::string MissingEditionMessage(registry::Edition edition) {
    const char* which = edition == registry::Edition::kFull ? "UT2003" : "the UT2003 demo";
    return std::string("The registry no longer lists ") + which +
           ". Install UT2003, or choose an edition that is installed.";
}

void DisablePresetButtons(MainWindowModel& model) { model.preset_buttons_enabled = false; }

void EnablePresetButtons(MainWindowModel& model) {
    model.preset_buttons_enabled = model.installed;
}

void DisableResolutionBoxes(MainWindowModel& model) { model.resolution_boxes_enabled = false; }

void EnableResolutionBoxes(MainWindowModel& model) { model.resolution_boxes_enabled = true; }

void OpenMakerWebSite() { platform::ShellOpen(kMakerWebAddress, false, "C:\\"); }

std::string HelpPagePath(const core::SessionState& state) { return state.AppFolder + "help.html"; }

}  // namespace ui
