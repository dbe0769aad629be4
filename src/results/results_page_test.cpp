// The results page: its exact lines, the footer, missing records, escaping, writing and opening.
#include "results/results_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/platform_standin.h"
#include "results/frame_rate_log.h"

namespace results {
namespace {

namespace standin = platform::standin;
using Lines = std::vector<std::string>;
using common::BenchmarkPreset;

const char* const kFolder = "C:\\Tools\\Bench\\";
const char* const kPage = "C:\\Tools\\Bench\\results.html";

// Records L1 lo1 av1 hi1, L2 ...
std::vector<FrameRateRecord> Records(int count) {
    std::vector<FrameRateRecord> records;
    for (int k = 1; k <= count; ++k) {
        const std::string n = std::to_string(k);
        records.push_back({FitToWidth("L" + n, kLabelWidth), FitToWidth("lo" + n, kValueWidth),
                           FitToWidth("av" + n, kValueWidth), FitToWidth("hi" + n, kValueWidth)});
    }
    return records;
}

// One recorded launch per record of `log`, at `resolutions` in turn.
std::vector<LaunchResult> Launches(const std::string& log, const Lines& resolutions) {
    std::vector<LaunchResult> launches;
    for (const auto& parsed : ParseFrameRateLog(log)) {
        LaunchResult launch;
        launch.resolution = resolutions[launches.size() % resolutions.size()];
        launch.level = "level " + std::to_string(launches.size());
        launch.outcome = LaunchOutcome::kRecorded;
        launch.record = parsed.record;
        launches.push_back(launch);
    }
    return launches;
}

std::string Footer(const std::string& option, const std::string& engine, const std::string& edition,
                   const std::string& ini) {
    const std::string run = "This test was run using the ";
    return "<BR>\r\n<CENTER>\r\n" + run + option + " Option\r\n<BR>\r\n" + run + engine +
           " Rendering Engine\r\n<BR>\r\n" + run + edition +
           " version of Unreal Tournament 2003\r\n<BR>\r\n" + run + ini +
           ".ini provided by Quillmark\r\n<BR>\r\n</CENTER>\r\n";
}

TEST(WriteResultsPage, TheCpuBenchmarkExampleByteForByteOverAnEarlierPage) {
    standin::Reset();
    standin::AddFile(kPage, "an earlier, longer page with its footer\r\n" + std::string(5000, 'x'));
    const Lines resolutions = {"640x480", "1024x768"};
    const auto launches = Launches(
        "SampleLevel,21.4 / 63.87 / 141.2 fps,a,b\r\nSampleLevel,17.05 / 49.3 / 102.66 fps,a,b\r\n",
        resolutions);
    std::string error;
    ASSERT_TRUE(WriteResultsPage(kFolder, resolutions, 1, launches, &error)) << error;
    ASSERT_TRUE(AppendRunFooter(kFolder, BenchmarkPreset::kCpuBenchmark,
                                common::Renderer::kDirect3D, common::Edition::kFull, &error))
        << error;

    auto table = [](const std::string& caption, const std::string& at640,
                    const std::string& at1024) {
        return "<TABLE BORDER=1 CELLPADDING=3 ALIGN=CENTER>\r\n<CAPTION ALIGN=TOP><B>" + caption +
               "</b></caption>\r\n<TR>\r\n<TD>Resolution\r\n<TD>SampleLevel   \r\n</TR>\r\n"
               "<TR>\r\n<TD>640x480\r\n<TD>" +
               at640 + "\r\n</TR>\r\n<TR>\r\n<TD>1024x768\r\n<TD>" + at1024 +
               "\r\n</TR>\r\n</TABLE>\r\n<BR>\r\n<BR>\r\n";
    };
    const std::string expected = "<META GENERATOR=Benchwright>\r\n" +
                                 table("Low FPS", "21.4      ", "17.05     ") +
                                 table("Average FPS", "63.87     ", "49.3      ") +
                                 table("High FPS", "141.2     ", "102.66    ") +
                                 Footer("CPU Bench", "Direct3D", "full", "CPU_LowDetail");
    ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 63);
    EXPECT_EQ(standin::FindFile(kPage)->contents, expected);
    EXPECT_EQ(standin::Get().journal,
              (Lines{std::string("write ") + kPage, std::string("append ") + kPage}));
}

TEST(RunFooterLines, NamePresetEngineEditionAndIni) {
    const auto joined = [](const Lines& lines) {
        std::string text;
        for (const auto& line : lines) text += line + "\r\n";
        return text;
    };
    EXPECT_EQ(joined(RunFooterLines(BenchmarkPreset::kHighQuality, common::Renderer::kOpenGL,
                                    common::Edition::kDemo)),
              Footer("High Quality", "OpenGL", "demo", "Custom_MaxDetail"));
    EXPECT_EQ(joined(RunFooterLines(BenchmarkPreset::kLowQuality, common::Renderer::kDirect3D,
                                    common::Edition::kFull)),
              Footer("Low Quality", "Direct3D", "full", "Custom_MinDetail"));
    EXPECT_TRUE(RunFooterLines(BenchmarkPreset::kCustomTest, common::Renderer::kDirect3D,
                               common::Edition::kFull)
                    .empty());
}

// Blank cells of a stopped or failed launch are in the run driver's stop and outcome tests.
TEST(ResultsPageLines, RecordsAddressTheirCells) {
    Lines lines = ResultsPageLines({"800x600"}, 1, Records(1));  // a custom test
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[35], "<TD>hi1       ");

    // N = 7 at two resolutions: entries 1-7 and 8-14; the last two records belong to no cell.
    const Lines two = {"640x480", "1024x768"};
    lines = ResultsPageLines(two, 7, Records(16));
    ASSERT_EQ(lines.size(), 1u + 3 * (8 + 7 + 2 * 10));
    const char* const fields[] = {"lo", "av", "hi"};
    for (int table = 0; table < 3; ++table) {
        const size_t top = 1 + table * 35;
        for (int j = 1; j <= 7; ++j) {
            EXPECT_EQ(lines[top + 3 + j], FitToWidth("<TD>L" + std::to_string(j), 4 + 14));
            EXPECT_EQ(lines[top + 13 + j],
                      FitToWidth("<TD>" + (fields[table] + std::to_string(j)), 14));
            EXPECT_EQ(lines[top + 23 + j],
                      FitToWidth("<TD>" + (fields[table] + std::to_string(j + 7)), 14));
        }
        EXPECT_EQ(lines[top + 23], "<TD>1024x768");
    }
    EXPECT_EQ(ResultsPageLines(two, 7, Records(14)), lines);
}

TEST(ResultsPageLines, AHeadingComesFromTheFirstResolutionWithARecordThere) {
    // N = 2 at three resolutions: column 1 has records at the second and third resolution only,
    // column 2 at none.
    auto records = Records(6);
    for (size_t i : {0, 1, 3, 5}) records[i] = FrameRateRecord{};
    const Lines lines = ResultsPageLines({"640x480", "800x600", "1024x768"}, 2, records);
    for (int table = 0; table < 3; ++table) {
        const size_t top = 1 + table * (8 + 2 + 3 * 5);
        EXPECT_EQ(lines[top + 4], "<TD>L3            ");
        EXPECT_EQ(lines[top + 5], "<TD>              ");
    }
    EXPECT_EQ(lines[15], "<TD>lo3       ");  // the second row, first cell
}

// A log that would run script is the run driver's Wine test; here the cut comes before escaping.
TEST(WriteResultsPage, LogTextIsEscapedAfterFittingToWidth) {
    standin::Reset();
    standin::AddFolder("C:\\Tools\\Bench");
    const auto launches = Launches("ABCDEFGHIJKLM&Z,1\"2 / 3>4 / 5&6 fps,a,b\r\n", {"640x480"});
    std::string error;
    ASSERT_TRUE(WriteResultsPage(kFolder, {"640x480"}, 1, launches, &error)) << error;
    const std::string page = standin::FindFile(kPage)->contents;
    // Fourteen characters of the label as the log has them ("&" is the 14th), then escaped.
    for (const char* cell : {"<TD>ABCDEFGHIJKLM&amp;\r\n</TR>", "<TD>1&quot;2       \r\n</TR>",
                             "<TD>3&gt;4       \r\n</TR>", "<TD>5&amp;6       \r\n</TR>"})
        EXPECT_NE(page.find(cell), std::string::npos) << cell << "\n" << page;
}

}  // namespace
}  // namespace results
