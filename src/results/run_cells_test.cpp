// Cells of a run: repeats grouped, median and spread of their averages, the record results.html
// shows.
#include "results/run_cells.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace results {
namespace {

// Launches of one resolution, each string an average ("" for a launch without record), in plan
// order; `runs` repeats per level.
std::vector<LaunchResult> Launches(const std::string& resolution,
                                   const std::vector<std::string>& levels, int runs,
                                   const std::vector<std::string>& averages, int first_index = 1) {
    std::vector<LaunchResult> out;
    for (size_t i = 0; i < averages.size(); ++i) {
        LaunchResult r;
        r.index = first_index + static_cast<int>(i);
        r.resolution = resolution;
        r.level = levels[i / runs];
        r.repeat = static_cast<int>(i % runs) + 1;
        r.outcome = averages[i].empty() ? LaunchOutcome::kNoRecord : LaunchOutcome::kRecorded;
        if (!averages[i].empty()) {
            r.record = {FitToWidth(r.level, kLabelWidth), FitToWidth("1", kValueWidth),
                        FitToWidth(averages[i], kValueWidth),
                        FitToWidth(std::to_string(r.index), kValueWidth)};
        }
        out.push_back(r);
    }
    return out;
}

TEST(AveragesOf, MedianAndSpreadOfTheRecordedRepeats) {
    const struct {
        std::vector<std::string> averages;
        size_t count;
        double median, min, max;
        int median_index;  // plan index of the median launch
    } cases[] = {
        {{"50.00"}, 1, 50, 50, 50, 1},
        {{"60.00", "40.00"}, 2, 40, 40, 60, 2},
        {{"30.00", "10.00", "20.00"}, 3, 20, 10, 30, 3},
        {{"55", "51", "70", "40", "52"}, 5, 52, 40, 70, 5},
        // Failed repeats are left out: the median of 60, 20, 40 is 40.
        {{"", "60", "", "20", "40"}, 3, 40, 20, 60, 5},
        // Of 60 and 20 the lower middle one.
        {{"60", "", "20", "", ""}, 2, 20, 20, 60, 3},
    };
    for (const auto& c : cases) {
        const int runs = static_cast<int>(c.averages.size());
        const auto launches = Launches("640x480", {"dm-a"}, runs, c.averages);
        const auto cells = GroupIntoCells(launches, {"640x480"}, 1);
        ASSERT_EQ(cells.size(), 1u);
        ASSERT_EQ(cells[0].size(), 1u);
        ASSERT_EQ(cells[0][0].launches.size(), c.averages.size());
        const CellAverages a = AveragesOf(cells[0][0]);
        ASSERT_TRUE(a.spread);
        EXPECT_EQ(a.spread->count, c.count);
        EXPECT_EQ(a.spread->median, c.median);
        EXPECT_EQ(a.spread->min, c.min);
        EXPECT_EQ(a.spread->max, c.max);
        EXPECT_DOUBLE_EQ(a.spread->percent, (c.max - c.min) / c.median * 100);
        ASSERT_TRUE(a.median_launch);
        EXPECT_EQ(a.median_launch->index, c.median_index);
    }
    const auto none = Launches("640x480", {"dm-a"}, 3, {"", "", ""});
    const CellAverages a = AveragesOf(GroupIntoCells(none, {"640x480"}, 1)[0][0]);
    EXPECT_FALSE(a.spread);
    EXPECT_FALSE(a.median_launch);
}

std::string Averages(const std::vector<FrameRateRecord>& records) {
    std::string out;
    for (const auto& r : records) out += "[" + r.average + "|" + r.high + "]";
    return out;
}

TEST(PageRecords, TheMedianLaunchsWholeRecordPerCell) {
    // Two resolutions, two levels, three runs each; High holds the launch's index, so the
    // record shown is visibly one launch's, never a mix.
    auto launches = Launches("640x480", {"dm-a", "dm-b"}, 3, {"30", "10", "20", "", "", ""});
    const auto more = Launches("1024x768", {"dm-a", "dm-b"}, 3, {"5", "", "7", "9", "8", "1"}, 7);
    launches.insert(launches.end(), more.begin(), more.end());
    const auto records = PageRecords(launches, {"640x480", "1024x768"}, 2);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(Averages(records),
              "[20        |3         ]"
              "[          |          ]"
              "[5         |7         ]"
              "[8         |11        ]");
    EXPECT_EQ(records[1].label, std::string(kLabelWidth, ' '));
}

TEST(PageRecords, OneRunPerLevelIsEachLaunchsRecord) {
    // A custom test may name a level twice; a run stopped early leaves later cells blank; a
    // record whose average is no number is still the launch's record.
    auto launches = Launches("800x600", {"dm-a", "dm-b", "dm-a", "dm-c"}, 1, {"10", "n/a", "30"});
    std::reverse(launches.begin(), launches.end());  // order comes from the plan's index
    const auto records = PageRecords(launches, {"800x600", "1600x1200"}, 4);
    ASSERT_EQ(records.size(), 8u);
    EXPECT_EQ(records[0].average, FitToWidth("10", kValueWidth));
    EXPECT_EQ(records[1].average, FitToWidth("n/a", kValueWidth));
    EXPECT_EQ(records[2].average, FitToWidth("30", kValueWidth));
    for (size_t i = 3; i < 8; ++i) EXPECT_EQ(records[i].average, std::string(kValueWidth, ' '));

    const auto cells = GroupIntoCells(launches, {"800x600"}, 4);
    EXPECT_EQ(cells[0][2].level, "dm-a");
    EXPECT_EQ(cells[0][2].launches.at(0)->index, 3);
    EXPECT_TRUE(cells[0][3].launches.empty());
}

}  // namespace
}  // namespace results
