// The Options window's model: it follows picks, ignores entries it lacks, stores only on OK.
#include "ui/options_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

namespace standin = platform::standin;

TEST(OptionsModel, PicksChangeTheModelAndOnlySavingStoresThem) {
    standin::Reset();
    EXPECT_EQ(RunsPerLevelEntries(),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "Until steady"}));
    OptionsModel model = OpenOptions();
    PickRunsEntry(model, 2);
    SetOpenReport(model, true);
    EXPECT_EQ(model.settings.runs_per_level, 3);
    // No selection, or an entry the list does not have, keeps the last pick.
    for (int entry : {-1, 6, 100}) {
        PickRunsEntry(model, entry);
        EXPECT_EQ(model.settings.runs_per_level, 3) << entry;
    }
    // A label longer than 100 characters is noted as typed, and stored cut.
    SetLabel(model, std::string(101, 'x'));
    EXPECT_EQ(LabelNote(model), "Only the first 100 characters are kept.");
    SetLabel(model, std::string(100, 'x'));
    EXPECT_EQ(LabelNote(model), "");
    SetLabel(model, "drv 1 " + std::string(100, 'x'));
    EXPECT_TRUE(standin::Get().user_settings.empty());  // Cancel would store nothing

    std::string error;
    ASSERT_TRUE(SaveOptions(model, &error)) << error;
    OptionsModel again = OpenOptions();
    EXPECT_EQ(SelectedRunsEntry(again), 2);
    EXPECT_TRUE(again.settings.open_report);
    EXPECT_EQ(again.settings.label, "drv 1 " + std::string(94, 'x'));
    EXPECT_EQ(LabelNote(again), "");

    // Until steady keeps the number for a later pick; a box not in use does not hold OK up,
    // and the last percentage typed is the one stored.
    PickRunsEntry(again, kUntilSteadyEntry);
    SetSteadyWithinText(again, "2,5");
    SetSteadyWithinText(again, "12");
    EXPECT_FALSE(SteadyWithinAccepted(again));
    PickRunsEntry(again, 1);
    EXPECT_TRUE(SteadyWithinAccepted(again) && !SteadyWithinEnabled(again));
    PickRunsEntry(again, kUntilSteadyEntry);
    ASSERT_TRUE(SaveOptions(again, &error)) << error;
    again = OpenOptions();
    EXPECT_TRUE(SelectedRunsEntry(again) == kUntilSteadyEntry &&
                again.settings.runs_per_level == 2);
    EXPECT_EQ(again.steady_within_text, "2.5");

    standin::Get().failures.insert({"setting", "RunsPerLevel"});
    EXPECT_FALSE(SaveOptions(again, &error));
    EXPECT_NE(error.find("RunsPerLevel"), std::string::npos);
}

}  // namespace
}  // namespace ui
