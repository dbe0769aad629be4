// The "Until steady" rule on given sequences of averages, and its percentage as typed.
#include "results/steadiness.h"

#include <gtest/gtest.h>

#include <utility>

#include "results/run_statistics.h"

namespace results {
namespace {

constexpr double kNoRecord = -1;   // a launch that left no record
constexpr double kDisturbed = -2;  // a recorded launch during which other programs ran (90 fps)

// Makes the launches one by one, asking the rule after each as the run does: where it stopped
// and what it said then (kGoOn when the sequence ran out first).
std::pair<size_t, Steadiness> Stop(const std::vector<double>& sequence, int within_tenths = 20) {
    std::vector<LaunchResult> made(sequence.size());
    std::vector<const LaunchResult*> cell;
    for (size_t i = 0; i < sequence.size(); ++i) {
        LaunchResult& launch = made[i];
        launch.outcome =
            sequence[i] == kNoRecord ? LaunchOutcome::kNoRecord : LaunchOutcome::kRecorded;
        launch.record.average = sequence[i] == kDisturbed ? "90.00" : FormatFps(sequence[i]);
        if (sequence[i] == kDisturbed) launch.background_cpu_percent = 35.0;
        cell.push_back(&launch);
        const Steadiness said = JudgeRepeats(cell, within_tenths);
        if (said != Steadiness::kGoOn) return {i + 1, said};
    }
    return {sequence.size(), Steadiness::kGoOn};
}

TEST(Steadiness, RepeatsStopAsTheRuleSays) {
    using S = Steadiness;
    const double N = kNoRecord;
    // Equal averages: a deviation of 0, steady at the third launch, never before it.
    EXPECT_EQ(Stop({60, 60, 60, 60}), std::pair(size_t{3}, S::kSteady));
    EXPECT_EQ(Stop({60, 61, 60}), std::pair(size_t{3}, S::kSteady));   // 0.96 %
    EXPECT_EQ(Stop({60, 61, 60}, 9), std::pair(size_t{3}, S::kGoOn));  // not within 0.9 %
    // The sample deviation (n - 1) reaches 2 % only at the sixth (1.99 %); the population's
    // would have stopped at the fifth (1.98 % there, 2.22 % for the sample).
    EXPECT_EQ(Stop({58, 58, 61, 58, 59, 59, 70}), std::pair(size_t{6}, S::kSteady));
    // Never steady: the tenth launch is the last.
    EXPECT_EQ(Stop({50, 70, 50, 70, 50, 70, 50, 70, 50, 70, 60}),
              std::pair(size_t{10}, S::kNotSteady));
    // Launches without a record count toward the ten but not as averages.
    EXPECT_EQ(Stop({N, 60, 60}), std::pair(size_t{3}, S::kSteady));
    EXPECT_EQ(Stop({N, N, 60, N, 60}), std::pair(size_t{5}, S::kSteady));
    EXPECT_EQ(Stop({N, N, N, N, N, N, N, N, N, N, 60}), std::pair(size_t{10}, S::kNotSteady));
    EXPECT_EQ(Stop({60, 50, N, N, N, N, N, N, N, N}), std::pair(size_t{10}, S::kNotSteady));
    // A disturbed launch's 90 fps does not count either.
    EXPECT_EQ(Stop({60, kDisturbed, 60}), std::pair(size_t{3}, S::kSteady));
    // Launches not run (a stopped run) are no launches.
    LaunchResult recorded, not_run;
    recorded.outcome = LaunchOutcome::kRecorded;
    recorded.record.average = "60.00";
    EXPECT_EQ(JudgeRepeats({&recorded, &recorded, &not_run}, 20), S::kGoOn);
}

TEST(Steadiness, DeviationWithoutDivisionByZero) {
    EXPECT_EQ(RelativeDeviationOf({}).mean, std::nullopt);
    const RelativeDeviation one = RelativeDeviationOf({61.5});
    EXPECT_EQ(one.mean, 61.5);
    EXPECT_EQ(one.rsd_percent, std::nullopt);
    EXPECT_EQ(RelativeDeviationOf({0, 0, 0}).rsd_percent, std::nullopt);
    EXPECT_EQ(RelativeDeviationOf({63.87, 63.87, 63.87}).rsd_percent, 0.0);
    const RelativeDeviation d = RelativeDeviationOf({50, 70, 60, 80});
    EXPECT_DOUBLE_EQ(*d.mean, 65);
    EXPECT_NEAR(*d.rsd_percent, 19.8614, 1e-4);  // sd 12.9099 (n - 1), not 11.1803 (n)
}

TEST(Steadiness, WithinIsAPercentageFromHalfToTenWithOneDecimal) {
    const std::pair<const char*, int> good[] = {{"2", 20},     {"2.5", 25},  {" 0,5 ", 5},
                                                {"10.0", 100}, {"010", 100}, {"7.", 70}};
    for (const auto& [text, tenths] : good) EXPECT_EQ(ParseSteadyWithin(text), tenths) << text;
    for (const char* bad : {"", "0.4", "10.1", "2.55", "-1", "2 %", "1e1", "two", ".5", "0100"})
        EXPECT_EQ(ParseSteadyWithin(bad), std::nullopt) << bad;
    EXPECT_EQ(SteadyWithinText(20), "2.0");
    EXPECT_EQ(SteadyWithinText(5), "0.5");
    EXPECT_EQ(SteadyWithinText(100), "10.0");
}

}  // namespace
}  // namespace results
