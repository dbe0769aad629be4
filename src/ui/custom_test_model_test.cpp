// The custom test window's model: its level lists and what it hands to the run.
#include "ui/custom_test_model.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ui {
namespace {

TEST(CustomTestModel, LevelListPerEditionStartingOnDmAntalus) {
    CustomTestModel full;
    LoadComboBox(full, common::Edition::kFull);
    EXPECT_EQ(full.levels.size(), 37u);
    EXPECT_TRUE(std::is_sorted(full.levels.begin(), full.levels.end()));
    EXPECT_EQ(std::count_if(full.levels.begin(), full.levels.end(),
                            [](const std::string& s) { return s.back() == '*'; }),
              8);
    EXPECT_EQ(full.levels[full.selected_level], "dm-antalus*");
    // Anything but the full edition (the demo, none found) gets the demo's four entries.
    for (common::Edition edition : {common::Edition::kDemo, common::Edition::kNone}) {
        CustomTestModel demo;
        LoadComboBox(demo, edition);
        EXPECT_EQ(demo.levels, (std::vector<std::string>{"br-anubis", "ctf-citadel*", "dm-antalus*",
                                                         "dm-asbestos*"}));
        EXPECT_EQ(demo.levels[demo.selected_level], "dm-antalus*");
    }
}

TEST(CustomTestModel, ChoicesCarryTheCustomIniAndAReloadForgetsThemButNotARun) {
    CustomTestModel model;
    LoadComboBox(model, common::Edition::kDemo);
    EXPECT_TRUE(RunTestEnabled(model));
    SelectIni(model, IniChoice::kCustomIni);
    FileDialogClosed(model, true, "T:\\own.ini");
    FileDialogClosed(model, false, "");  // a cancelled dialog keeps the file
    model.selected_level = 1;
    core::CustomTestChoices chosen = Choices(model);
    EXPECT_TRUE(chosen.custom_ini && !chosen.min_detail && chosen.sound_disabled);
    EXPECT_EQ(chosen.custom_ini_path, "T:\\own.ini");
    EXPECT_EQ(chosen.level_entry, "ctf-citadel*");

    // Reloaded by an edition change during a run: Run Test stays disabled until the run ends.
    model.sound_enabled = true;
    EXPECT_FALSE(Choices(model).sound_disabled);
    model.running = true;
    LoadComboBox(model, common::Edition::kFull);
    EXPECT_EQ(model.ini, IniChoice::kMaxDetail);
    EXPECT_TRUE(model.ini_path.empty() && !model.browse_enabled && !model.sound_enabled);
    EXPECT_FALSE(RunTestEnabled(model));
    model.running = false;
    EXPECT_TRUE(RunTestEnabled(model));
}

}  // namespace
}  // namespace ui
