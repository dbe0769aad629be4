// Cells of a run: repeats grouped into cells and the record results.html shows for each. The
// median and spread of the repeats are SpreadOf's test (run_statistics_test.cpp) and the report's.
#include "results/run_cells.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace results {
namespace {

// Launches of one resolution, each string an average ("" for a launch without record), in plan
// order; `runs` repeats per level. A record's High holds its launch's index.
std::vector<LaunchResult> Launches(const std::string& resolution,
                                   const std::vector<std::string>& levels, int runs,
                                   const std::vector<std::string>& averages, int first_index) {
    std::vector<LaunchResult> out;
    for (size_t i = 0; i < averages.size(); ++i) {
        LaunchResult r;
        r.index = first_index + static_cast<int>(i);
        r.resolution = resolution;
        r.level = levels[i / runs];
        r.repeat = static_cast<int>(i % runs) + 1;
        r.outcome = averages[i].empty() ? LaunchOutcome::kNoRecord : LaunchOutcome::kRecorded;
        if (!averages[i].empty())
            r.record = {FitToWidth(r.level, kLabelWidth), FitToWidth("1", kValueWidth),
                        FitToWidth(averages[i], kValueWidth),
                        FitToWidth(std::to_string(r.index), kValueWidth)};
        out.push_back(r);
    }
    return out;
}

// Each cell's record is one launch's whole record, never a mix: the median launch's, counting
// only recorded repeats; one whose average is no number when none has a number; blank when none
// has a record or the run stopped before the cell. Cells follow the plan's index, and each
// repeat 1 opens the next cell, even where a custom test names a level twice.
TEST(PageRecords, TheMedianLaunchsWholeRecordPerCell) {
    auto launches = Launches("640x480", {"dm-a", "dm-b"}, 3, {"30", "10", "20", "", "", ""}, 1);
    for (const auto& more :
         {Launches("1024x768", {"dm-a", "dm-b"}, 3, {"", "7", "5", "9", "8", "1"}, 7),
          Launches("800x600", {"dm-c", "dm-c"}, 1, {"n/a", "30"}, 13)})
        launches.insert(launches.end(), more.begin(), more.end());
    std::reverse(launches.begin(), launches.end());
    const auto records = PageRecords(launches, {"640x480", "1024x768", "800x600", "1600x1200"}, 2);
    std::string shown;
    for (const auto& r : records) shown += "[" + r.label + "|" + r.average + "|" + r.high + "]";
    const std::string blank = "[" + std::string(kLabelWidth, ' ') + "|          |          ]";
    EXPECT_EQ(shown, "[dm-a          |20        |3         ]" + blank +
                         "[dm-a          |5         |9         ]"
                         "[dm-b          |8         |11        ]"
                         "[dm-c          |n/a       |13        ]"
                         "[dm-c          |30        |14        ]" +
                         blank + blank);
}

// A disturbed launch is left out of its cell's median while the cell has an undisturbed launch
// with an average; a cell with none takes its disturbed ones.
TEST(PageRecords, DisturbedLaunchesCountOnlyWhereNothingElseDoes) {
    auto launches = Launches("640x480", {"dm-a", "dm-b", "dm-c"}, 3,
                             {"30", "10", "20", "9", "", "7", "n/a", "40", "50"}, 1);
    for (size_t i : {0, 3, 5, 7, 8}) launches[i].background_cpu_percent = 25.0;
    for (size_t i : {1, 2, 4, 6}) launches[i].background_cpu_percent = 3.0;
    const auto records = PageRecords(launches, {"640x480"}, 3);
    std::string shown;
    for (const auto& r : records) shown += "[" + r.average + "|" + r.high + "]";
    EXPECT_EQ(shown, "[10        |2         ][7         |6         ][40        |8         ]");
}

}  // namespace
}  // namespace results
