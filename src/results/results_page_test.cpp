// The results page: its exact lines, the footer, missing records, writing and opening.
#include "results/results_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/platform_standin.h"

namespace results {
namespace {

namespace standin = platform::standin;
using Lines = std::vector<std::string>;
using core::BenchmarkPreset;

const char* const kLog = "C:\\UT2003\\Benchmark\\lowframerate.log";
const char* const kPage = "C:\\Tools\\Bench\\results.html";

core::SessionState Session(std::vector<std::string> resolutions, int records = 0) {
    core::SessionState state;
    state.InstallFolder = "C:\\UT2003";
    state.AppFolder = "C:\\Tools\\Bench\\";
    state.RenderEngine = "D3D";
    state.GameEdition = "full";
    state.ResolutionCount = static_cast<int16_t>(resolutions.size());
    state.ResolutionNames = std::move(resolutions);
    for (int k = 1; k <= records; ++k) {
        const std::string n = std::to_string(k);
        state.FrameRateRecords.push_back(
            {FitToWidth("L" + n, kLabelWidth), FitToWidth("lo" + n, kValueWidth),
             FitToWidth("av" + n, kValueWidth), FitToWidth("hi" + n, kValueWidth)});
    }
    return state;
}

TEST(WriteResultsPage, TheCpuBenchmarkExampleByteForByteOverAnEarlierPage) {
    standin::Reset();
    standin::AddFile(kPage, "an earlier, longer page with its footer\r\n" + std::string(5000, 'x'));
    standin::AddFile(kLog,
                     "SampleLevel,21.4 / 63.87 / 141.2 fps,a,b\r\n"
                     "SampleLevel,17.05 / 49.3 / 102.66 fps,a,b\r\n");
    core::SessionState state = Session({"640x480", "1024x768"});
    std::string error;
    ASSERT_TRUE(WriteResultsPage(state, 1, nullptr, &error)) << error;
    ASSERT_TRUE(AppendRunFooter(state, BenchmarkPreset::kCpuBenchmark, &error)) << error;
    OpenDocument(ResultsPagePath(state));

    auto table = [](const std::string& caption, const std::string& at640,
                    const std::string& at1024) {
        return "<TABLE BORDER=1 CELLPADDING=3 ALIGN=CENTER>\r\n<CAPTION ALIGN=TOP><B>" + caption +
               "</b></caption>\r\n<TR>\r\n<TD>Resolution\r\n<TD>SampleLevel   \r\n</TR>\r\n"
               "<TR>\r\n<TD>640x480\r\n<TD>" +
               at640 + "\r\n</TR>\r\n<TR>\r\n<TD>1024x768\r\n<TD>" + at1024 +
               "\r\n</TR>\r\n</TABLE>\r\n<BR>\r\n<BR>\r\n";
    };
    const std::string expected =
        "<META GENERATOR=Benchwright>\r\n" + table("Low FPS", "21.4      ", "17.05     ") +
        table("Average FPS", "63.87     ", "49.3      ") +
        table("High FPS", "141.2     ", "102.66    ") +
        "<BR>\r\n<CENTER>\r\nThis test was run using the CPU Bench Option\r\n<BR>\r\n"
        "This test was run using the Direct3D Rendering Engine\r\n<BR>\r\n"
        "This test was run using the full version of Unreal Tournament 2003\r\n<BR>\r\n"
        "This test was run using the CPU_LowDetail.ini provided by Quillmark\r\n<BR>\r\n"
        "</CENTER>\r\n";
    ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 63);
    EXPECT_EQ(standin::FindFile(kPage)->contents, expected);
    EXPECT_EQ(standin::Get().journal,
              (Lines{std::string("write ") + kPage, std::string("append ") + kPage,
                     std::string("open ") + kPage}));
}

TEST(ResultsPageLines, RecordsAddressTheirCellsAndMissingOnesAreBlank) {
    core::SessionState state = Session({"800x600"}, 1);  // a custom test
    Lines lines = ResultsPageLines(state, 1);
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[35], "<TD>hi1       ");
    EXPECT_TRUE(RunFooterLines(state, BenchmarkPreset::kCustomTest).empty());

    // N = 7 at two resolutions: entries 1-7 and 8-14; the last two records belong to no cell.
    state = Session({"640x480", "1024x768"}, 16);
    lines = ResultsPageLines(state, 7);
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
    state.FrameRateRecords.resize(14);
    EXPECT_EQ(ResultsPageLines(state, 7), lines);

    // Three records for N = 3 at two resolutions: the second row blank, the format unchanged.
    state.FrameRateRecords.resize(3);
    lines = ResultsPageLines(state, 3);
    ASSERT_EQ(lines.size(), 1u + 3 * (8 + 3 + 2 * 6));
    EXPECT_EQ(lines[13], "<TD>lo3       ");
    for (size_t k : {17, 18, 19}) EXPECT_EQ(lines[k], "<TD>          ") << k;
}

TEST(RunFooterLines, NamePresetEngineEditionAndIni) {
    core::SessionState state = Session({"640x480"});
    state.RenderEngine = "OGL";
    state.GameEdition = "demo";
    std::string footer;
    for (const auto& line : RunFooterLines(state, BenchmarkPreset::kHighQuality))
        footer += line + "\r\n";
    EXPECT_EQ(footer,
              "<BR>\r\n<CENTER>\r\nThis test was run using the High Quality Option\r\n<BR>\r\n"
              "This test was run using the OpenGL Rendering Engine\r\n<BR>\r\n"
              "This test was run using the demo version of Unreal Tournament 2003\r\n<BR>\r\n"
              "This test was run using the Custom_MaxDetail.ini provided by Quillmark\r\n<BR>\r\n"
              "</CENTER>\r\n");
    const Lines low = RunFooterLines(state, BenchmarkPreset::kLowQuality);
    EXPECT_EQ(low[2], "This test was run using the Low Quality Option");
    EXPECT_EQ(low[8], "This test was run using the Custom_MinDetail.ini provided by Quillmark");
}

TEST(AlignRecordsToLaunches, ALaunchWithoutARecordGetsABlankOne) {
    const auto records = Session({}, 5).FrameRateRecords;
    // Launch 2 wrote nothing, launch 3 two records, launch 4 one; record 5 is left over.
    const auto aligned = AlignRecordsToLaunches(records, {1, 1, 3, 4});
    std::string labels;
    for (const auto& r : aligned) labels += r.Label.substr(0, 2) + r.High.substr(0, 3) + " ";
    EXPECT_EQ(labels, "L1hi1       L2hi2 L4hi4 L5hi5 ");
    // Counts beyond what was read (the log went unreadable) give blanks, never a fault.
    const auto none = AlignRecordsToLaunches({}, {1, 2});
    ASSERT_EQ(none.size(), 2u);
    EXPECT_EQ(none[1].Average, std::string(10, ' '));
}

}  // namespace
}  // namespace results
