// The main window's state and reactions.
#include "ui/main_window_model.h"

#include "core/last_report.h"
#include "platform/platform.h"
#include "results/results_page.h"

namespace ui {

void ApplyInstallation(MainWindowModel& model, const common::Installation& installation) {
    model.full_enabled = installation.full_installed;
    model.demo_enabled = installation.demo_installed;
    model.edition = installation.selected;
    model.install_folder = installation.install_folder;
}

void SelectRenderer(MainWindowModel& model, common::Renderer renderer) {
    model.render_chosen = true;
    model.renderer = renderer;
}

EditionChangeResult ChangeEdition(MainWindowModel& model, common::Edition edition, bool present,
                                  const std::string& install_folder, bool custom_open) {
    EditionChangeResult result;
    const common::Edition previous = model.edition;
    if (!present) {
        result.close_custom = custom_open;
        (edition == common::Edition::kFull ? model.full_enabled : model.demo_enabled) = false;
        model.edition = common::Edition::kNone;
        model.install_folder.clear();
        return result;
    }
    // Only a change of edition reloads the custom test window; choosing the current one again
    // leaves it as the user set it.
    result.reopen_custom = custom_open && previous != common::Edition::kNone && previous != edition;
    model.edition = edition;
    model.install_folder = install_folder;
    return result;
}

void SetRunning(MainWindowModel& model, bool running) { model.running = running; }

MainWindowControls EnabledControls(const MainWindowModel& m) {
    if (m.running) return {};
    return {m.edition != common::Edition::kNone, true, m.full_enabled, m.demo_enabled, true};
}

core::RunSettings RunSettingsOf(const MainWindowModel& model, const core::UserSettings& user,
                                common::BenchmarkPreset preset,
                                const core::CustomTestChoices& custom) {
    core::RunSettings settings;
    settings.preset = preset;
    settings.install_folder = model.install_folder;
    settings.app_folder = model.app_folder;
    settings.renderer = model.renderer;
    settings.edition = model.edition;
    settings.resolutions = model.resolutions;
    settings.custom = custom;
    settings.runs_per_level = user.runs_per_level;
    settings.until_steady = user.until_steady;
    settings.steady_within_tenths = user.steady_within_tenths;
    settings.results_folder = core::ResultsFolderOf(model.app_folder);
    settings.open_report = user.open_report;
    settings.label = user.label;
    return settings;
}

void CheckLastReport(MainWindowModel& model) {
    model.last_report_enabled =
        !core::LatestReport(core::ResultsFolderOf(model.app_folder)).empty();
}

std::string LastReportToOpen(MainWindowModel& model) {
    const std::string report = core::LatestReport(core::ResultsFolderOf(model.app_folder));
    model.last_report_enabled = !report.empty();
    return report;
}

std::string HelpPagePath(const MainWindowModel& model) { return model.app_folder + "help.html"; }

std::string PageToOpen(const core::RunSettings& settings, const core::RunReport& report) {
    if (!report.page_written) return "";
    if (settings.open_report && !report.report_path.empty()) return report.report_path;
    return results::ResultsPagePath(settings.app_folder);
}

void OpenDocument(const std::string& path) { platform::ShellOpen(path, true, ""); }

void OpenMakerWebSite() { platform::ShellOpen(kMakerWebAddress, false, "C:\\"); }

}  // namespace ui
