// Tests of the progress window's texts and its estimate of the time left as a run goes on.
#include "ui/progress_model.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

using results::LaunchOutcome;

core::RunPlan ThreeLaunches() {
    core::RunPlan plan;
    plan.launches = {{"640x480", "dm-antalus", 77, 1, ""},
                     {"640x480", "dm-asbestos", 71, 1, ""},
                     {"1024x768", "ctf-face3", 116, 1, ""}};
    return plan;
}

results::LaunchResult Ended(const ProgressModel& m, LaunchOutcome outcome, uint32_t duration_ms,
                            const char* average = "") {
    results::LaunchResult r;
    r.seconds = m.plan.launches[m.current].seconds;
    r.outcome = outcome;
    r.duration_ms = duration_ms;
    r.record.average = results::FitToWidth(average, results::kValueWidth);
    return r;
}

TEST(ProgressModel, TextsAndEstimateFollowTheRun) {
    ProgressModel m;
    StartProgress(m, ThreeLaunches(), 1000);
    ProgressLaunchStarting(m, 0, 2000);
    ProgressView v = ViewProgress(m, 12500);
    EXPECT_EQ(v.elapsed, "Time elapsed: 0:00:11");
    // 77 - 10.5 s of the first launch, then 71 and 116; no overhead measured yet.
    EXPECT_EQ(v.left, "Time left: about 0:04:14");
    EXPECT_EQ(v.permille, 10500 / 264);
    EXPECT_TRUE(v.last.empty() && v.stop_enabled && v.end_enabled);

    // The first launch took 20 s beyond its 77: every launch left is expected to load as long.
    ProgressLaunchFinished(m, Ended(m, LaunchOutcome::kRecorded, 97000, "63.87"));
    v = ViewProgress(m, 99000);
    EXPECT_EQ(v.last, "Last run: 63.87 fps average");
    EXPECT_EQ(SecondsLeft(m, 99000), 71u + 20 + 116 + 20);
    EXPECT_EQ(v.permille, 77000 / 264);
    EXPECT_FALSE(v.end_enabled);  // between launches there is no game to end

    // A timed-out launch says so and is no measure of loading; the overhead stays 20 s.
    ProgressLaunchStarting(m, 1, 100000);
    ProgressLaunchFinished(m, Ended(m, LaunchOutcome::kTimedOut, 333000));
    ProgressLaunchStarting(m, 2, 440000);
    v = ViewProgress(m, 440000);
    EXPECT_EQ(v.run, "Run 3 of 3");
    EXPECT_EQ(v.last, "Last run: timed out");
    EXPECT_EQ(SecondsLeft(m, 440000), 116u + 20);
    EXPECT_FALSE(v.stop_enabled);  // nothing follows the last launch

    // A launch running past its expected length leaves nothing, never less; the bar stops full.
    EXPECT_EQ(SecondsLeft(m, 440000 + 500000), 0u);
    ProgressLaunchFinished(m, Ended(m, LaunchOutcome::kNoRecord, 200000));
    ProgressResultsNotSaved(m, "the disk is full");
    v = ViewProgress(m, 950000);
    EXPECT_EQ(v.permille, 1000);
    EXPECT_EQ(v.last, "Last run: no record");
    EXPECT_EQ(v.note, "Results cannot be saved: the disk is full");
}

TEST(ProgressModel, StopAndEndGameLeaveOnlyWhatStillRuns) {
    ProgressModel m;
    StartProgress(m, ThreeLaunches(), 0);
    ProgressLaunchStarting(m, 0, 0);
    RequestStop(m);
    RequestStop(m);  // twice changes nothing
    ProgressView v = ViewProgress(m, 7000);
    EXPECT_EQ(v.left, "Time left: finishing this run, about 0:01:10");  // this launch only
    EXPECT_TRUE(!v.stop_enabled && v.end_enabled);

    RequestEndGame(m);
    v = ViewProgress(m, 8000);
    EXPECT_EQ(v.left, "Time left: ending the game");
    EXPECT_FALSE(v.stop_enabled || v.end_enabled);

    // The launches the stop left out are reported as not run: they change nothing shown.
    ProgressLaunchFinished(m, Ended(m, LaunchOutcome::kEndedByUser, 8000));
    const ProgressView ended = ViewProgress(m, 9000);
    m.current = 1;
    ProgressLaunchFinished(m, Ended(m, LaunchOutcome::kNotRun, 0));
    m.current = 0;
    v = ViewProgress(m, 9000);
    EXPECT_EQ(v.last, "Last run: ended by user");
    EXPECT_EQ(v.permille, ended.permille);
}

// Until steady: two cells of at most ten launches; the first is steady after three.
TEST(ProgressModel, UntilSteadyCountsRunsMadeAndPlansTheMost) {
    core::RunPlan plan;
    plan.settings.until_steady = true;
    for (const char* level : {"dm-antalus", "dm-asbestos"})
        for (int repeat = 1; repeat <= 10; ++repeat)
            plan.launches.push_back({"640x480", level, 10, repeat, ""});
    ProgressModel m;
    StartProgress(m, plan, 0);
    for (size_t i = 0; i < 3; ++i) {
        ProgressLaunchStarting(m, i, i * 10000);
        ProgressLaunchFinished(m, Ended(m, LaunchOutcome::kRecorded, 10000, "60.00"));
    }
    ProgressLaunchStarting(m, 10, 30000);
    const ProgressView v = ViewProgress(m, 34000);
    EXPECT_EQ(v.run + ", " + v.level, "Run 4 of at most 20, Level: dm-asbestos");
    EXPECT_EQ(SecondsLeft(m, 34000), 6u + 9 * 10);  // the second cell's most launches
    EXPECT_EQ(v.permille, 104000 / 200);            // the left-out repeats count as done
}

TEST(ProgressModel, ClockTextsAndAClockThatWraps) {
    EXPECT_EQ(ClockText(3725), "1:02:05");
    EXPECT_EQ(ClockText(36000 + 59), "10:00:59");

    // The millisecond clock wraps after 49 days; the run began just before that.
    ProgressModel m;
    StartProgress(m, ThreeLaunches(), 0xFFFFF000u);
    ProgressLaunchStarting(m, 0, 0xFFFFF000u);
    const ProgressView v = ViewProgress(m, 5000);
    EXPECT_EQ(v.elapsed, "Time elapsed: 0:00:09");
    EXPECT_EQ(SecondsLeft(m, 5000), 77u - 9 + 71 + 116);
}

}  // namespace
}  // namespace ui
