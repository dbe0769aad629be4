// The custom test window's state and reactions.
#include "ui/custom_test_model.h"

namespace ui {

namespace {

// Entries are shown as listed, trailing "*" included; the custom run strips the mark.
const std::vector<std::string> kFullLevels = {
    "br-anubis",         "br-bifrost*",    "br-disclosure", "br-icefields",  "br-skyline",
    "br-slaughterhouse", "br-twintombs",   "ctf-chrome",    "ctf-citadel*",  "ctf-december",
    "ctf-face3*",        "ctf-geothermal", "ctf-lostfaith", "ctf-magma",     "ctf-maul",
    "ctf-orbital2",      "dm-antalus*",    "dm-asbestos*",  "dm-compressed", "dm-curse3",
    "dm-flux2",          "dm-gael",        "dm-inferno*",   "dm-insidious",  "dm-leviathan",
    "dm-oceanic",        "dm-phobos2*",    "dm-plunge",     "dm-serpentine", "dm-tokaraforest",
    "dm-trainingday",    "dom-core",       "dom-outrigger", "dom-ruination", "dom-scorchedearth",
    "dom-sepukkugorge",  "dom-suntemple*"};
const std::vector<std::string> kDemoLevels = {"br-anubis", "ctf-citadel*", "dm-antalus*",
                                              "dm-asbestos*"};

constexpr int kFullDefaultLevel = 16;
constexpr int kDemoDefaultLevel = 2;

}  // namespace

const std::vector<std::string>& LevelEntries(common::Edition edition) {
    return edition == common::Edition::kFull ? kFullLevels : kDemoLevels;
}

void LoadComboBox(CustomTestModel& model, common::Edition edition) {
    const bool running = model.running;
    model = CustomTestModel{};
    model.running = running;
    model.levels = LevelEntries(edition);
    model.selected_level =
        edition == common::Edition::kFull ? kFullDefaultLevel : kDemoDefaultLevel;
}

void SelectIni(CustomTestModel& model, IniChoice choice) {
    model.ini = choice;
    model.browse_enabled = choice == IniChoice::kCustomIni;
    if (choice != IniChoice::kCustomIni) model.ini_path.clear();
}

void FileDialogClosed(CustomTestModel& model, bool chosen, const std::string& path) {
    if (chosen) model.ini_path = path;
}

bool RunTestEnabled(const CustomTestModel& model) { return !model.running; }

core::CustomTestChoices Choices(const CustomTestModel& model) {
    core::CustomTestChoices choices;
    choices.sound_disabled = !model.sound_enabled;
    choices.custom_ini = model.ini == IniChoice::kCustomIni;
    choices.custom_ini_path = model.ini_path;
    choices.min_detail = model.ini == IniChoice::kMinDetail;
    if (model.selected_level >= 0 && model.selected_level < int(model.levels.size())) {
        choices.level_entry = model.levels[model.selected_level];
    }
    return choices;
}

}  // namespace ui
