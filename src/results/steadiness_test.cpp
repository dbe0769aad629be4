// The "Until steady" rule on given sequences of averages, and its percentage as typed.
#include "results/steadiness.h"

#include <gtest/gtest.h>

#include <string>

#include "results/run_statistics.h"

namespace results {
namespace {

constexpr double kNoRecord = -1;   // a launch that left no record
constexpr double kDisturbed = -2;  // a recorded launch during which other programs ran (90 fps)

// Makes the launches one by one, asking the rule after each as the run does: what it said when
// it stopped ("steady 3", "not steady 10"), or "go on" when the sequence ran out first.
std::string Stop(const std::vector<double>& sequence, int within_tenths = 20) {
    std::vector<LaunchResult> made(sequence.size());
    std::vector<const LaunchResult*> cell;
    for (LaunchResult& launch : made) {
        const double fps = sequence[cell.size()];
        launch.outcome = fps == kNoRecord ? LaunchOutcome::kNoRecord : LaunchOutcome::kRecorded;
        launch.record.average = fps == kDisturbed ? "90.00" : FormatFps(fps);
        if (fps == kDisturbed) launch.background_cpu_percent = 35.0;
        cell.push_back(&launch);
        const Steadiness said = JudgeRepeats(cell, within_tenths);
        if (said != Steadiness::kGoOn)
            return (said == Steadiness::kSteady ? "steady " : "not steady ") +
                   std::to_string(cell.size());
    }
    return "go on";
}

TEST(Steadiness, RepeatsStopAsTheRuleSays) {
    const double N = kNoRecord;
    // 0.96 %: steady at the third launch, never before it.
    EXPECT_EQ(Stop({60, 61, 60}), "steady 3");
    EXPECT_EQ(Stop({60, 61, 60}, 9), "go on");  // not within 0.9 %
    // The sample deviation (n - 1) reaches 2 % only at the sixth (1.99 %); the population's
    // would have stopped at the fifth (1.98 % there, 2.22 % for the sample).
    EXPECT_EQ(Stop({58, 58, 61, 58, 59, 59, 70}), "steady 6");
    // Never steady: the tenth launch is the last. Averages of 0 divide by nothing.
    EXPECT_EQ(Stop({50, 70, 50, 70, 50, 70, 50, 70, 50, 70, 60}), "not steady 10");
    EXPECT_EQ(Stop({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "not steady 10");
    // Launches without a record (and disturbed ones) count toward the ten but not as averages.
    EXPECT_EQ(Stop({N, N, 60, N, 60}), "steady 5");
    EXPECT_EQ(Stop({N, N, N, N, N, N, N, N, N, N, 60}), "not steady 10");
    EXPECT_EQ(Stop({60, kDisturbed, 60}), "steady 3");
}

TEST(Steadiness, WithinIsAPercentageFromHalfToTenWithOneDecimal) {
    for (const auto& [text, tenths] : {std::pair("2", 20), {"2.5", 25}, {" 0,5 ", 5}, {"010", 100}})
        EXPECT_EQ(ParseSteadyWithin(text), tenths) << text;
    for (const char* bad : {"", "0.4", "10.1", "2.55", "-1", "2 %", "two", ".5", "0100"})
        EXPECT_EQ(ParseSteadyWithin(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace results
