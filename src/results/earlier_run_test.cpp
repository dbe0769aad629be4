// Finding the run to compare with: the latest of the same kind, never a damaged one.
#include "results/earlier_run.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "platform/platform_standin.h"
#include "results/results_csv.h"

namespace results {
namespace {

RunInfo HighQuality(const std::string& edition = "full", const std::string& renderer = "OpenGL") {
    RunInfo run;
    run.preset = "High Quality";
    run.edition = edition;
    run.renderer = renderer;
    run.started = "2026-12-06T14:05:09";
    return run;
}

// A results.csv of `run` with one recorded launch per (resolution, level, average).
std::string Csv(const RunInfo& run,
                const std::vector<std::tuple<std::string, std::string, std::string>>& launches) {
    std::string text = ResultsCsvHeaderLine();
    int index = 0;
    for (const auto& [resolution, level, average] : launches) {
        LaunchResult r;
        r.index = ++index;
        r.resolution = resolution;
        r.level = level;
        r.outcome = average.empty() ? LaunchOutcome::kNoRecord : LaunchOutcome::kRecorded;
        r.record.average = FitToWidth(average, kValueWidth);
        text += ResultsCsvRow(run, platform::SystemInfo{}, r);
    }
    return text;
}

TEST(FindEarlierRun, TheLatestOfTheSameKindThatReads) {
    const std::string current = "2026-12-06 14-05-09 High Quality";
    std::map<std::string, std::string> files = {
        {current, Csv(HighQuality(), {{"640x480", "dm-a", "99"}})},
        {"2026-12-06 15-00-00 High Quality", "written later, with the clock set back? not CSV \""},
        {"2026-12-05 20-00-00 High Quality", Csv(HighQuality("demo"), {{"640x480", "dm-a", "5"}})},
        {"2026-12-05 19-00-00 High Quality", Csv(HighQuality("full", "Direct3D"), {})},
        {"2026-12-05 18-00-00 High Quality", "started,machine\r\n1,2\r\n"},
        {"2026-12-05 17-00-00 High Quality", Csv(HighQuality(), {{"640x480", "dm-a", ""}})},
        {"2026-12-05 16-00-00 High Quality", Csv(HighQuality(), {{"640x480", "dm-a", "61.5"},
                                                                 {"640x480", "dm-a", "60"},
                                                                 {"640x480", "dm-a", "70"},
                                                                 {"800x600", "dm-b", "40"},
                                                                 {"800x600", "dm-c", ""}})},
        {"2026-12-04 10-00-00 High Quality", Csv(HighQuality(), {{"640x480", "dm-a", "1"}})},
        {"2026-12-05 23-00-00 Low Quality", Csv(HighQuality(), {{"640x480", "dm-a", "2"}})},
        {"2026-12-05 23-00-00 High Quality (copy)", Csv(HighQuality(), {{"640x480", "dm-a", "3"}})},
        {"2026-12-05 2x-00-00 High Quality", Csv(HighQuality(), {{"640x480", "dm-a", "4"}})},
    };
    std::vector<std::string> names = {"notes", "2026-12-05 22-00-00 High Quality"};  // no csv
    for (const auto& [name, text] : files) names.push_back(name);
    std::vector<std::string> read;
    const auto earlier = FindEarlierRun(names, current, HighQuality(),
                                        [&](const std::string& name, std::string* text) {
                                            read.push_back(name);
                                            auto it = files.find(name);
                                            if (it == files.end()) return false;
                                            *text = it->second;
                                            return true;
                                        });
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->folder_name, "2026-12-05 16-00-00 High Quality");
    EXPECT_EQ(earlier->started, "2026-12-05T16:00:00");
    using Cells = std::map<std::pair<std::string, std::string>, double>;
    EXPECT_EQ(earlier->median_avg, (Cells{{{"640x480", "dm-a"}, 61.5}, {{"800x600", "dm-b"}, 40}}));
    // Latest first, and nothing read past the one taken.
    EXPECT_EQ(read, (std::vector<std::string>{
                        "2026-12-06 15-00-00 High Quality", "2026-12-05 22-00-00 High Quality",
                        "2026-12-05 20-00-00 High Quality", "2026-12-05 19-00-00 High Quality",
                        "2026-12-05 18-00-00 High Quality", "2026-12-05 17-00-00 High Quality",
                        "2026-12-05 16-00-00 High Quality"}));

    EXPECT_FALSE(FindEarlierRun({current}, current, HighQuality(),
                                [&](const std::string&, std::string* text) {
                                    *text = files[current];
                                    return true;
                                }));
}

// Reading the folders through the platform, as a run does (the run driver's repeats test shows
// a second run comparing), writes nothing.
TEST(FindEarlierRun, ReadsTheResultsFolderAndChangesNothing) {
    platform::standin::Reset();
    const std::string older = "C:\\Results\\2026-12-01 09-30-00 High Quality";
    platform::standin::AddFolder(older);
    platform::standin::AddFile(older + "\\results.csv",
                               Csv(HighQuality(), {{"640x480", "dm-a", "12.25"}}));
    const auto earlier =
        FindEarlierRunIn("C:\\Results", "2026-12-06 14-05-09 High Quality", HighQuality());
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->median_avg.at({"640x480", "dm-a"}), 12.25);
    EXPECT_TRUE(platform::standin::Get().journal.empty());
}

}  // namespace
}  // namespace results
