// Tests of the custom test window's level list and ini choice.
#include "ui/custom_test_model.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ui {
namespace {

TEST(CustomTestModel, LevelListPerEdition) {
    CustomTestModel full;
    loadComboBox(full, "full");
    ASSERT_EQ(full.levels.size(), 37u);
    EXPECT_EQ(full.levels[full.selected_level], "dm-antalus*");
    EXPECT_EQ(full.levels.front(), "br-anubis");
    EXPECT_EQ(full.levels.back(), "dom-suntemple*");
    EXPECT_EQ(full.levels[22], "dm-inferno*");
    EXPECT_EQ(std::count_if(full.levels.begin(), full.levels.end(),
                            [](const std::string& s) { return s.back() == '*'; }),
              8);
    EXPECT_TRUE(std::is_sorted(full.levels.begin(), full.levels.end()));

    // Anything but "full" (demo, none found, a wrong case) gets the demo's four entries.
    for (const char* edition : {"demo", "", "Full"}) {
        CustomTestModel demo;
        loadComboBox(demo, edition);
        ASSERT_EQ(demo.levels.size(), 4u) << edition;
        EXPECT_EQ(demo.levels[demo.selected_level], "dm-antalus*");
        EXPECT_EQ(demo.levels[0], "br-anubis");
        EXPECT_EQ(demo.levels[3], "dm-asbestos*");
    }
}

TEST(CustomTestModel, BrowseAndPathFollowTheIniChoice) {
    CustomTestModel model;
    loadComboBox(model, "full");
    EXPECT_EQ(model.ini, IniChoice::kMaxDetail);
    EXPECT_FALSE(model.browse_enabled);

    SelectIni(model, IniChoice::kCustomIni);
    EXPECT_TRUE(model.browse_enabled);
    FileDialogClosed(model, true, "C:\\My Files\\fast.ini");
    EXPECT_EQ(model.ini_path, "C:\\My Files\\fast.ini");
    FileDialogClosed(model, false, "");  // cancel keeps the path
    EXPECT_EQ(model.ini_path, "C:\\My Files\\fast.ini");
    SelectIni(model, IniChoice::kCustomIni);  // clicking it again keeps the text
    EXPECT_EQ(model.ini_path, "C:\\My Files\\fast.ini");

    SelectIni(model, IniChoice::kMinDetail);
    EXPECT_FALSE(model.browse_enabled);
    EXPECT_TRUE(model.ini_path.empty());
    SelectIni(model, IniChoice::kCustomIni);
    EXPECT_TRUE(model.browse_enabled);
    EXPECT_TRUE(model.ini_path.empty());
}

TEST(CustomTestModel, ChoicesForTheRunAndFreshDefaultsOnReload) {
    CustomTestModel model;
    loadComboBox(model, "demo");
    core::CustomTestChoices defaults = Choices(model);
    EXPECT_TRUE(defaults.sound_disabled);
    EXPECT_FALSE(defaults.custom_ini || defaults.min_detail);
    EXPECT_EQ(defaults.level_entry, "dm-antalus*");

    model.sound_enabled = true;
    model.selected_level = 1;
    SelectIni(model, IniChoice::kCustomIni);
    FileDialogClosed(model, true, "T:\\own.ini");
    core::CustomTestChoices chosen = Choices(model);
    EXPECT_FALSE(chosen.sound_disabled);
    EXPECT_TRUE(chosen.custom_ini);
    EXPECT_EQ(chosen.custom_ini_path, "T:\\own.ini");
    EXPECT_EQ(chosen.level_entry, "ctf-citadel*");
    SelectIni(model, IniChoice::kMinDetail);
    EXPECT_TRUE(Choices(model).min_detail);

    loadComboBox(model, "full");
    EXPECT_FALSE(model.sound_enabled);
    EXPECT_EQ(model.ini, IniChoice::kMaxDetail);
    EXPECT_TRUE(model.ini_path.empty());
    EXPECT_FALSE(model.browse_enabled);
    EXPECT_EQ(model.levels.size(), 37u);
}

}  // namespace
}  // namespace ui
