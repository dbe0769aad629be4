// Finding the run to compare with: the latest of the same kind, never a damaged one.
#include "results/earlier_run.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/platform_standin.h"
#include "results/results_csv.h"

namespace results {
namespace {

namespace standin = platform::standin;

RunInfo HighQuality(const std::string& edition = "full", const std::string& renderer = "OpenGL") {
    return {"High Quality", edition, renderer, "2026-12-06T14:05:09", 1, {}, 0, 0, "", ""};
}

// A results.csv of `run` on `machine` with one launch per "resolution level average [d]" (no
// record without an average, "d" disturbed).
std::string Csv(const std::string& machine, const std::vector<std::string>& launches,
                const RunInfo& run = HighQuality()) {
    std::string text = ResultsCsvHeaderLine();
    platform::SystemInfo system;
    system.computer_name = machine;
    LaunchResult r;
    for (const std::string& launch : launches) {
        std::string average, disturbed;
        std::istringstream(launch) >> r.resolution >> r.level >> average >> disturbed;
        r.background_cpu_percent = disturbed.empty() ? 0 : 50;
        ++r.index;
        r.outcome = average.empty() ? LaunchOutcome::kNoRecord : LaunchOutcome::kRecorded;
        r.record.average = FitToWidth(average, kValueWidth);
        text += ResultsCsvRow(run, system, r);
    }
    return text;
}

// In a folder many machines share, every folder but the one taken is this run's own, later,
// another machine's, unfit, older, or named otherwise than a run of this preset; reading them
// writes nothing.
TEST(FindEarlierRun, TheLatestOfThisMachineAndKindThatStartedBefore) {
    standin::Reset();
    const RunInfo hq = HighQuality();
    const std::string pc = "BENCH-PC";
    const std::map<std::string, std::string> files = {
        {"2026-12-06 14-05-09 BENCH-PC High Quality", Csv(pc, {"640x480 dm-a 99"})},
        {"2026-12-06 14-05-09 LAB-2 High Quality", Csv("LAB-2", {"640x480 dm-a 98"})},
        {"2026-12-06 15-00-00 BENCH-PC High Quality", Csv(pc, {"640x480 dm-a 97"})},
        {"2026-12-06 14-00-00 LAB-2 High Quality", Csv("LAB-2", {"640x480 dm-a 96"})},
        {"2026-12-06 13-00-00 BENCH-PC High Quality", Csv("LAB-3", {"640x480 dm-a 95"})},
        {"2026-12-06 12-00-00 High Quality", Csv("LAB-2", {"640x480 dm-a 94"})},
        {"2026-12-06 11-00-00 BENCH-PC High Quality", "not CSV \""},
        {"2026-12-05 20-00-00 High Quality", Csv(pc, {"640x480 dm-a 5"}, HighQuality("demo"))},
        {"2026-12-05 19-00-00 High Quality", Csv(pc, {}, HighQuality("full", "Direct3D"))},
        {"2026-12-05 18-00-00 High Quality", "started,machine\r\n1,2\r\n"},
        {"2026-12-05 17-00-00 High Quality", Csv(pc, {"640x480 dm-a"})},
        {"2026-12-05 16-00-00 bench-pc High Quality (2)",
         Csv("bench-pc",
             {"640x480 dm-a 61.5", "640x480 dm-a 60", "640x480 dm-a 10 d", "640x480 dm-a 70",
              "800x600 dm-b 40", "800x600 dm-c", "800x600 dm-d 30 d"})},
        {"2026-12-05 16-00-00 High Quality", Csv(pc, {"640x480 dm-a 2"})},
        {"2026-12-04 10-00-00 High Quality", Csv(pc, {"640x480 dm-a 1"})},
        {"2026-12-05 23-00-00 Low Quality", Csv(pc, {"640x480 dm-a 3"})},
        {"2026-12-05 23-00-00 High Quality (copy)", Csv(pc, {"640x480 dm-a 4"})},
        {"2026-12-05 2x-00-00 High Quality", Csv(pc, {"640x480 dm-a 6"})},
        {"2026-12-05 23-00-00_High Quality", Csv(pc, {"640x480 dm-a 8"})},
        {"2026-12-05 23-00-00 (2)", Csv(pc, {"640x480 dm-a 7"})},
    };
    for (const auto& [name, text] : files)
        standin::AddFile("C:\\Results\\" + name + "\\results.csv", text);
    standin::AddFolder("C:\\Results\\2026-12-05 22-00-00 High Quality");  // no results.csv
    standin::AddFolder("C:\\Results\\notes");

    // The current run's folder is passed over whatever the case of its name.
    const auto earlier =
        FindEarlierRunIn("C:\\Results", "2026-12-06 14-05-09 BENCH-PC HIGH QUALITY", hq, pc);
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->folder_name, "2026-12-05 16-00-00 bench-pc High Quality (2)");
    EXPECT_EQ(earlier->started, "2026-12-05T16:00:00");
    using Cells = std::map<std::pair<std::string, std::string>, double>;
    // A disturbed launch counts only in a cell that has no other.
    EXPECT_EQ(
        earlier->median_avg,
        (Cells{{{"640x480", "dm-a"}, 61.5}, {{"800x600", "dm-b"}, 40}, {{"800x600", "dm-d"}, 30}}));
    EXPECT_EQ(earlier->averages.at({"640x480", "dm-a"}), (std::vector<double>{61.5, 60, 70}));
    EXPECT_TRUE(standin::Get().journal.empty());

    // A run started in that second has only the runs of the seconds before.
    RunInfo at_four = hq;
    at_four.started = "2026-12-05T16:00:00";
    EXPECT_EQ(FindEarlierRunIn("C:\\Results", "", at_four, pc)->folder_name,
              "2026-12-04 10-00-00 High Quality");
    EXPECT_FALSE(FindEarlierRunIn("C:\\Results", "", hq, "LAB-3"));

    RunInfo low = hq;
    low.preset = "Low Quality";  // its one folder's file says High Quality
    EXPECT_FALSE(FindEarlierRunIn("C:\\Results", "", low, pc));
}

}  // namespace
}  // namespace results
