// The Options window's state and reactions.
#include "ui/options_model.h"

#include "core/run_plan.h"
#include "results/steadiness.h"

namespace ui {

std::vector<std::string> RunsPerLevelEntries() {
    std::vector<std::string> list;
    for (int runs = 1; runs <= core::kMaxRunsPerLevel; ++runs) list.push_back(std::to_string(runs));
    list.push_back("Until steady");
    return list;
}

OptionsModel OpenOptions() {
    const core::UserSettings settings = core::LoadUserSettings();
    return {settings, results::SteadyWithinText(settings.steady_within_tenths)};
}

int SelectedRunsEntry(const OptionsModel& model) {
    return model.settings.until_steady ? kUntilSteadyEntry : model.settings.runs_per_level - 1;
}

void PickRunsEntry(OptionsModel& model, int entry) {
    if (entry < 0 || entry > kUntilSteadyEntry) return;
    model.settings.until_steady = entry == kUntilSteadyEntry;
    if (entry != kUntilSteadyEntry) model.settings.runs_per_level = entry + 1;
}

void SetOpenReport(OptionsModel& model, bool checked) { model.settings.open_report = checked; }

bool SteadyWithinEnabled(const OptionsModel& model) { return model.settings.until_steady; }

void SetSteadyWithinText(OptionsModel& model, const std::string& text) {
    model.steady_within_text = text;
    if (auto tenths = results::ParseSteadyWithin(text))
        model.settings.steady_within_tenths = *tenths;
}

bool SteadyWithinAccepted(const OptionsModel& model) {
    return !model.settings.until_steady ||
           results::ParseSteadyWithin(model.steady_within_text).has_value();
}

void SetLabel(OptionsModel& model, const std::string& text) { model.settings.label = text; }

std::string LabelNote(const OptionsModel& model) {
    if (model.settings.label.size() <= core::kMaxLabelLength) return "";
    return "Only the first " + std::to_string(core::kMaxLabelLength) + " characters are kept.";
}

bool SaveOptions(const OptionsModel& model, std::string* error) {
    return core::SaveUserSettings(model.settings, error);
}

}  // namespace ui
