// The Options window's state and reactions.
#include "ui/options_model.h"

#include "core/run_plan.h"

namespace ui {

const std::vector<std::string>& RunsPerLevelEntries() {
    static const std::vector<std::string> entries = [] {
        std::vector<std::string> list;
        for (int runs = 1; runs <= core::kMaxRunsPerLevel; ++runs)
            list.push_back(std::to_string(runs));
        return list;
    }();
    return entries;
}

OptionsModel OpenOptions() { return {core::LoadUserSettings()}; }

int SelectedRunsEntry(const OptionsModel& model) { return model.settings.runs_per_level - 1; }

void PickRunsEntry(OptionsModel& model, int entry) {
    if (entry < 0 || entry >= static_cast<int>(RunsPerLevelEntries().size())) return;
    model.settings.runs_per_level = entry + 1;
}

void SetOpenReport(OptionsModel& model, bool checked) { model.settings.open_report = checked; }

void SetLabel(OptionsModel& model, const std::string& text) { model.settings.label = text; }

std::string LabelNote(const OptionsModel& model) {
    if (model.settings.label.size() <= core::kMaxLabelLength) return "";
    return "Only the first " + std::to_string(core::kMaxLabelLength) + " characters are kept.";
}

bool SaveOptions(const OptionsModel& model, std::string* error) {
    return core::SaveUserSettings(model.settings, error);
}

}  // namespace ui
