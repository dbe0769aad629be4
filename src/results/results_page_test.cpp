// The results page: its exact lines, the footer, missing records, escaping and writing.
#include "results/results_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "platform/platform_standin.h"
#include "results/frame_rate_log.h"

namespace results {
namespace {

namespace standin = platform::standin;
using Lines = std::vector<std::string>;
using common::BenchmarkPreset;

const char* const kFolder = "C:\\Tools\\Bench\\";
const char* const kPage = "C:\\Tools\\Bench\\results.html";

FrameRateRecord Record(const std::string& label, const char* low, const char* avg,
                       const char* high) {
    return {label, FitToWidth(low, kValueWidth), FitToWidth(avg, kValueWidth),
            FitToWidth(high, kValueWidth)};
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
    std::vector<LaunchResult> launches;
    for (const auto& parsed : ParseFrameRateLog("SampleLevel,21.4 / 63.87 / 141.2 fps,a,b\r\n"
                                                "SampleLevel,17.05 / 49.3 / 102.66 fps,a,b\r\n")) {
        LaunchResult launch;
        launch.resolution = resolutions[launches.size()];
        launch.outcome = LaunchOutcome::kRecorded;
        launch.record = parsed.record;
        launches.push_back(launch);
    }
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
    using common::Edition, common::Renderer;
    const std::tuple<BenchmarkPreset, Renderer, Edition, std::string> cases[] = {
        {BenchmarkPreset::kHighQuality, Renderer::kOpenGL, Edition::kDemo,
         Footer("High Quality", "OpenGL", "demo", "Custom_MaxDetail")},
        {BenchmarkPreset::kLowQuality, Renderer::kDirect3D, Edition::kFull,
         Footer("Low Quality", "Direct3D", "full", "Custom_MinDetail")},
        {BenchmarkPreset::kCustomTest, Renderer::kDirect3D, Edition::kFull, ""}};
    for (const auto& [preset, renderer, edition, footer] : cases) {
        std::string text;
        for (const auto& line : RunFooterLines(preset, renderer, edition)) text += line + "\r\n";
        EXPECT_EQ(text, footer);
    }
}

// Blank cells of a stopped or failed launch are in the run driver's stop and outcome tests.
// N = 2 at three resolutions: column 1 has records at the second and third resolution only, so
// its heading is the second's; column 2 has none; a seventh record belongs to no cell. Outside
// text is escaped after it was cut to width, so the widths stay the log's characters (a log that
// would run script is the run driver's Wine test).
TEST(ResultsPageLines, RecordsAddressTheirCellsAndHeadingsTheFirstRecordedOne) {
    std::vector<FrameRateRecord> records(7);
    records[2] = Record("ABCDEFGHIJKLM&", "1\"2", "3>4", "5&6");
    records[4] = Record(FitToWidth("L5", kLabelWidth), "lo5", "av5", "hi5");
    records[6] = Record("L7", "lo7", "av7", "hi7");
    const Lines resolutions = {"640x480", "800x600", "1024x768"};
    const Lines lines = ResultsPageLines(resolutions, 2, records);
    ASSERT_EQ(lines.size(), 1u + 3 * (8 + 2 + 3 * 5));
    const char* const escaped[] = {"<TD>1&quot;2       ", "<TD>3&gt;4       ",
                                   "<TD>5&amp;6       "};
    const char* const fifth[] = {"<TD>lo5       ", "<TD>av5       ", "<TD>hi5       "};
    for (int table = 0; table < 3; ++table) {
        const auto line = [&](size_t i) { return lines[1 + table * 25 + i]; };
        EXPECT_EQ(line(4), "<TD>ABCDEFGHIJKLM&amp;");
        EXPECT_EQ(line(5), "<TD>              ");
        for (size_t blank : {9, 10, 15, 20}) EXPECT_EQ(line(blank), "<TD>          ") << blank;
        EXPECT_EQ(line(13) + line(14), "<TD>800x600" + std::string(escaped[table]));
        EXPECT_EQ(line(18) + line(19), "<TD>1024x768" + std::string(fifth[table]));
    }
    records.pop_back();
    EXPECT_EQ(ResultsPageLines(resolutions, 2, records), lines);
}

}  // namespace
}  // namespace results
