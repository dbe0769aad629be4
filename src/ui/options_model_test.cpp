// The Options window's model: it follows picks, ignores entries it lacks, stores only on OK.
#include "ui/options_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

namespace standin = platform::standin;

TEST(OptionsModel, PicksChangeTheModelAndOnlySavingStoresThem) {
    standin::Reset();
    OptionsModel model = OpenOptions();
    PickRunsEntry(model, 2);
    SetOpenReport(model, true);
    EXPECT_EQ(model.settings.runs_per_level, 3);
    // No selection, or an entry the list does not have, keeps the last pick.
    for (int entry : {-1, 6, 100}) {
        PickRunsEntry(model, entry);
        EXPECT_EQ(model.settings.runs_per_level, 3) << entry;
    }
    EXPECT_TRUE(standin::Get().user_settings.empty());  // Cancel would store nothing

    std::string error;
    ASSERT_TRUE(SaveOptions(model, &error)) << error;
    OptionsModel again = OpenOptions();
    EXPECT_EQ(SelectedRunsEntry(again), 2);
    EXPECT_TRUE(again.settings.open_report);

    // Until steady: the box opens with the stored percentage and is used only then; OK takes
    // no text but a percentage from it.
    EXPECT_EQ(again.steady_within_text, "2.0");
    EXPECT_FALSE(SteadyWithinEnabled(again));
    PickRunsEntry(again, kUntilSteadyEntry);
    EXPECT_TRUE(SteadyWithinEnabled(again));
    EXPECT_EQ(again.settings.runs_per_level, 3);  // kept for a later pick of a number
    SetSteadyWithinText(again, "2,5");
    SetSteadyWithinText(again, "12");
    EXPECT_FALSE(SteadyWithinAccepted(again));
    PickRunsEntry(again, 1);
    EXPECT_TRUE(SteadyWithinAccepted(again));  // an unused box does not hold OK up
    PickRunsEntry(again, kUntilSteadyEntry);
    ASSERT_TRUE(SaveOptions(again, &error)) << error;
    again = OpenOptions();
    EXPECT_EQ(SelectedRunsEntry(again), kUntilSteadyEntry);
    EXPECT_EQ(again.settings.steady_within_tenths, 25);  // the last percentage typed
    EXPECT_EQ(again.steady_within_text, "2.5");

    standin::Get().failures.insert({"setting", "RunsPerLevel"});
    EXPECT_FALSE(SaveOptions(again, &error));
    EXPECT_NE(error.find("RunsPerLevel"), std::string::npos);
}

}  // namespace
}  // namespace ui
