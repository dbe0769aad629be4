// The Options window's state: runs per level (or until steady, within a percentage), which page a
// run opens and the label of the runs that follow, loaded from the per-user settings and saved
// only by OK.
//
// The Win32 binding (options_window_win32.cpp) turns the drop-down list and the check box into
// these events and shows the model; Cancel or closing the window simply drops it.
#pragma once

#include <string>
#include <vector>

#include "core/user_settings.h"

namespace ui {

struct OptionsModel {
    core::UserSettings settings;
    std::string steady_within_text;  // the "Steady within" box as typed
};

// The entries of the "Runs per level" list, "1" to "5"; entry i stands for i + 1 runs. The last,
// kUntilSteadyEntry, is "Until steady".
std::vector<std::string> RunsPerLevelEntries();
inline constexpr int kUntilSteadyEntry = 5;

// The window as it opens: the settings as stored (bad values already at their defaults).
OptionsModel OpenOptions();

// The list's entry that shows the model's runs per level.
int SelectedRunsEntry(const OptionsModel& model);

// A pick in the list. No selection (-1) or an index outside the list changes nothing.
void PickRunsEntry(OptionsModel& model, int entry);

// The "Open the full report instead of results.html" box.
void SetOpenReport(OptionsModel& model, bool checked);

// "Until steady": the "Steady within" box (and its label) can be used only when it is chosen.
bool SteadyWithinEnabled(const OptionsModel& model);
// The box's text as the user types it; a percentage it holds becomes the setting.
void SetSteadyWithinText(OptionsModel& model, const std::string& text);
// False when "Until steady" is chosen and the box holds no percentage from 0.5 to 10 with at
// most one decimal: OK then says so (SteadyWithinMessage) and the window stays.
bool SteadyWithinAccepted(const OptionsModel& model);

// The "Label" box's text as typed; OK stores its first core::kMaxLabelLength characters.
void SetLabel(OptionsModel& model, const std::string& text);

// The note under the Label box: empty, or that only the first 100 characters are kept.
std::string LabelNote(const OptionsModel& model);

// OK: stores the settings. False, with `error`, when they cannot be stored.
bool SaveOptions(const OptionsModel& model, std::string* error);

}  // namespace ui
