// The custom test window's state: level list, ini choice with its path and Browse button, sound.
#pragma once

#include <string>
#include <vector>

#include "common/benchmark.h"
#include "core/run_plan.h"

namespace ui {

enum class IniChoice { kMaxDetail, kMinDetail, kCustomIni };

struct CustomTestModel {
    bool sound_enabled = false;  // "Enabled"; "Disabled" is the default
    IniChoice ini = IniChoice::kMaxDetail;
    std::string ini_path;             // Text1, filled only by the file dialog
    bool browse_enabled = false;      // "Browse...", enabled exactly while "Custom ini"
    std::vector<std::string> levels;  // the level list's entries as shown, "*" marks included
    int selected_level = -1;
    bool running = false;  // a run lasts: "Run Test" cannot start another
};

// "Run Test" can be pressed.
bool RunTestEnabled(const CustomTestModel& model);

// The level list entries of an edition: 37 for the full edition, otherwise the demo's 4.
const std::vector<std::string>& LevelEntries(common::Edition edition);

// Fills the level list for the edition and selects "dm-antalus*"; every other choice takes its
// default. Called once per load of the window; a run that lasts still disables "Run Test".
void LoadComboBox(CustomTestModel& model, common::Edition edition);

// "Max Detail", "Min Detail" and "Custom ini" clicks. Leaving "Custom ini" empties the path box, so
// a path shown always belongs to a "Custom ini" choice made since the last switch away from it.
void SelectIni(CustomTestModel& model, IniChoice choice);

// The file dialog's outcome: a chosen file replaces the path; a cancel keeps it.
void FileDialogClosed(CustomTestModel& model, bool chosen, const std::string& path);

// What "Run Test" hands to the custom run.
core::CustomTestChoices Choices(const CustomTestModel& model);

}  // namespace ui
