// Tests of the Options window's model: it shows what is stored, follows picks and stores only
// on OK. Keyboard use and the controls are proven on the real window (windows_win32_test.cpp).
#include "ui/options_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

namespace standin = platform::standin;

TEST(OptionsModel, OpensWithTheStoredSettingsOrTheDefaults) {
    standin::Reset();
    EXPECT_EQ(RunsPerLevelEntries(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    OptionsModel fresh = OpenOptions();
    EXPECT_EQ(RunsPerLevelEntries()[SelectedRunsEntry(fresh)], "1");
    EXPECT_FALSE(fresh.settings.open_report);

    std::string error;
    ASSERT_TRUE(core::SaveUserSettings({5, true}, &error));
    OptionsModel stored = OpenOptions();
    EXPECT_EQ(RunsPerLevelEntries()[SelectedRunsEntry(stored)], "5");
    EXPECT_TRUE(stored.settings.open_report);
}

TEST(OptionsModel, PicksChangeTheModelAndOnlySavingStoresThem) {
    standin::Reset();
    OptionsModel model = OpenOptions();
    PickRunsEntry(model, 2);
    SetOpenReport(model, true);
    EXPECT_EQ(model.settings.runs_per_level, 3);
    // No selection, or an entry the list does not have, keeps the last pick.
    for (int entry : {-1, 5, 100}) {
        PickRunsEntry(model, entry);
        EXPECT_EQ(model.settings.runs_per_level, 3) << entry;
    }
    EXPECT_TRUE(standin::Get().user_settings.empty());  // Cancel would store nothing
    EXPECT_EQ(OpenOptions().settings.runs_per_level, 1);

    std::string error;
    ASSERT_TRUE(SaveOptions(model, &error)) << error;
    OptionsModel again = OpenOptions();
    EXPECT_EQ(SelectedRunsEntry(again), 2);
    EXPECT_TRUE(again.settings.open_report);
    SetOpenReport(again, false);
    PickRunsEntry(again, 0);
    ASSERT_TRUE(SaveOptions(again, &error));
    EXPECT_EQ(core::LoadUserSettings().runs_per_level, 1);
    EXPECT_FALSE(core::LoadUserSettings().open_report);

    standin::Get().failures.insert({"setting", "RunsPerLevel"});
    EXPECT_FALSE(SaveOptions(again, &error));
    EXPECT_NE(error.find("RunsPerLevel"), std::string::npos);
}

}  // namespace
}  // namespace ui
