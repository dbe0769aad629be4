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

core::SessionState Session(std::vector<std::string> resolutions) {
    core::SessionState state;
    state.InstallFolder = "C:\\UT2003";
    state.AppFolder = "C:\\Tools\\Bench\\";
    state.RenderEngine = "D3D";
    state.GameEdition = "full";
    state.ResolutionCount = static_cast<int16_t>(resolutions.size());
    state.ResolutionNames = std::move(resolutions);
    return state;
}

FrameRateRecord Record(int k) {
    FrameRateRecord r;
    r.Label = FitToWidth("L" + std::to_string(k), kLabelWidth);
    r.Low = FitToWidth("lo" + std::to_string(k), kValueWidth);
    r.Average = FitToWidth("av" + std::to_string(k), kValueWidth);
    r.High = FitToWidth("hi" + std::to_string(k), kValueWidth);
    return r;
}

std::vector<FrameRateRecord> Records(int count) {
    std::vector<FrameRateRecord> records;
    for (int k = 1; k <= count; ++k) records.push_back(Record(k));
    return records;
}

TEST(WriteResultsPage, TheCpuBenchmarkExampleByteForByte) {
    standin::Reset();
    standin::AddFolder("C:\\Tools\\Bench");
    standin::AddFile(kLog,
                     "SampleLevel,21.4 / 63.87 / 141.2 fps,a,b\r\n"
                     "SampleLevel,17.05 / 49.3 / 102.66 fps,a,b\r\n");
    core::SessionState state = Session({"640x480", "1024x768"});
    std::string error;
    ASSERT_TRUE(WriteResultsPage(state, 1, nullptr, &error)) << error;
    ASSERT_TRUE(AppendRunFooter(state, BenchmarkPreset::kCpuBenchmark, &error)) << error;
    OpenDocument(ResultsPagePath(state));

    const Lines expected = {
        "<META GENERATOR=Benchwright>",
        "<TABLE BORDER=1 CELLPADDING=3 ALIGN=CENTER>",
        "<CAPTION ALIGN=TOP><B>Low FPS</b></caption>",
        "<TR>",
        "<TD>Resolution",
        "<TD>SampleLevel   ",
        "</TR>",
        "<TR>",
        "<TD>640x480",
        "<TD>21.4      ",
        "</TR>",
        "<TR>",
        "<TD>1024x768",
        "<TD>17.05     ",
        "</TR>",
        "</TABLE>",
        "<BR>",
        "<BR>",
        "<TABLE BORDER=1 CELLPADDING=3 ALIGN=CENTER>",
        "<CAPTION ALIGN=TOP><B>Average FPS</b></caption>",
        "<TR>",
        "<TD>Resolution",
        "<TD>SampleLevel   ",
        "</TR>",
        "<TR>",
        "<TD>640x480",
        "<TD>63.87     ",
        "</TR>",
        "<TR>",
        "<TD>1024x768",
        "<TD>49.3      ",
        "</TR>",
        "</TABLE>",
        "<BR>",
        "<BR>",
        "<TABLE BORDER=1 CELLPADDING=3 ALIGN=CENTER>",
        "<CAPTION ALIGN=TOP><B>High FPS</b></caption>",
        "<TR>",
        "<TD>Resolution",
        "<TD>SampleLevel   ",
        "</TR>",
        "<TR>",
        "<TD>640x480",
        "<TD>141.2     ",
        "</TR>",
        "<TR>",
        "<TD>1024x768",
        "<TD>102.66    ",
        "</TR>",
        "</TABLE>",
        "<BR>",
        "<BR>",
        "<BR>",
        "<CENTER>",
        "This test was run using the CPU Bench Option",
        "<BR>",
        "This test was run using the Direct3D Rendering Engine",
        "<BR>",
        "This test was run using the full version of Unreal Tournament 2003",
        "<BR>",
        "This test was run using the CPU_LowDetail.ini provided by Quillmark",
        "<BR>",
        "</CENTER>",
    };
    ASSERT_EQ(expected.size(), 63u);
    std::string bytes;
    for (const auto& line : expected) bytes += line + "\r\n";
    ASSERT_TRUE(standin::HasFile(kPage));
    EXPECT_EQ(standin::FindFile(kPage)->contents, bytes);
    EXPECT_EQ(standin::Get().journal,
              (Lines{std::string("write ") + kPage, std::string("append ") + kPage,
                     std::string("open ") + kPage}));
}

TEST(ResultsPageLines, ACustomTestAtOneResolution) {
    core::SessionState state = Session({"800x600"});
    state.FrameRateRecords = Records(1);
    const Lines lines = ResultsPageLines(state, 1);
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[35], "<TD>hi1       ");
    EXPECT_EQ(lines[38], "<BR>");
    EXPECT_EQ(lines[39], "<BR>");
    EXPECT_TRUE(RunFooterLines(state, BenchmarkPreset::kCustomTest).empty());
}

TEST(ResultsPageLines, SevenRecordsPerResolutionAddressEachResolutionsOwn) {
    core::SessionState state = Session({"640x480", "1024x768"});
    state.FrameRateRecords = Records(16);  // the last two belong to no cell
    const Lines lines = ResultsPageLines(state, 7);
    ASSERT_EQ(lines.size(), 1u + 3 * (8 + 7 + 2 * 10));
    const char* const fields[] = {"lo", "av", "hi"};
    for (int table = 0; table < 3; ++table) {
        const size_t top = 1 + table * 35;  // each table: 8 + 7 + 2 * 10 lines
        for (int j = 1; j <= 7; ++j) {
            EXPECT_EQ(lines[top + 3 + j], FitToWidth("<TD>L" + std::to_string(j), 4 + 14));
            EXPECT_EQ(lines[top + 13 + j],
                      FitToWidth("<TD>" + std::string(fields[table]) + std::to_string(j), 14));
            EXPECT_EQ(lines[top + 23 + j],
                      FitToWidth("<TD>" + std::string(fields[table]) + std::to_string(j + 7), 14));
        }
        EXPECT_EQ(lines[top + 13], "<TD>640x480");
        EXPECT_EQ(lines[top + 23], "<TD>1024x768");
    }
    // Records past the last cell change nothing.
    state.FrameRateRecords.resize(14);
    EXPECT_EQ(ResultsPageLines(state, 7), lines);
}

TEST(ResultsPageLines, MissingRecordsGiveBlankCellsInTheSameFormat) {
    core::SessionState state = Session({"640x480", "1024x768"});
    state.FrameRateRecords = Records(3);
    const Lines lines = ResultsPageLines(state, 3);
    ASSERT_EQ(lines.size(), 1u + 3 * (8 + 3 + 2 * 6));
    EXPECT_EQ(lines[13], "<TD>lo3       ");                                    // row 1, entry 3
    for (size_t k : {17, 18, 19}) EXPECT_EQ(lines[k], "<TD>          ") << k;  // row 2: none

    // No records at all: every heading and cell blank, the format unchanged.
    state.FrameRateRecords.clear();
    const Lines empty = ResultsPageLines(state, 3);
    ASSERT_EQ(empty.size(), lines.size());
    EXPECT_EQ(std::count(empty.begin(), empty.end(), "<TD>" + std::string(14, ' ')), 9);
    EXPECT_EQ(std::count(empty.begin(), empty.end(), "<TD>" + std::string(10, ' ')), 18);
}

TEST(RunFooterLines, NamePresetEngineEditionAndIni) {
    core::SessionState state = Session({"640x480"});
    state.RenderEngine = "OGL";
    state.GameEdition = "demo";
    Lines footer = RunFooterLines(state, BenchmarkPreset::kHighQuality);
    ASSERT_EQ(footer.size(), 11u);
    EXPECT_EQ(footer[2], "This test was run using the High Quality Option");
    EXPECT_EQ(footer[4], "This test was run using the OpenGL Rendering Engine");
    EXPECT_EQ(footer[6], "This test was run using the demo version of Unreal Tournament 2003");
    EXPECT_EQ(footer[8], "This test was run using the Custom_MaxDetail.ini provided by Quillmark");

    state.RenderEngine = "ogl";  // only "OGL" is OpenGL
    footer = RunFooterLines(state, BenchmarkPreset::kLowQuality);
    EXPECT_EQ(footer[2], "This test was run using the Low Quality Option");
    EXPECT_EQ(footer[4], "This test was run using the Direct3D Rendering Engine");
    EXPECT_EQ(footer[8], "This test was run using the Custom_MinDetail.ini provided by Quillmark");
}

TEST(AlignRecordsToLaunches, ALaunchWithoutARecordGetsABlankOne) {
    const auto records = Records(5);
    // Launch 2 wrote nothing, launch 3 wrote two records, launch 4 one; record 5 is left over.
    const auto aligned = AlignRecordsToLaunches(records, {1, 1, 3, 4});
    ASSERT_EQ(aligned.size(), 5u);
    EXPECT_EQ(aligned[0].Label, records[0].Label);
    EXPECT_EQ(aligned[1].Label, std::string(14, ' '));
    EXPECT_EQ(aligned[1].High, std::string(10, ' '));
    EXPECT_EQ(aligned[2].Label, records[1].Label);
    EXPECT_EQ(aligned[3].Label, records[3].Label);
    EXPECT_EQ(aligned[4].Label, records[4].Label);
    // Counts beyond what was read (the log went unreadable) give blanks, never a fault.
    const auto none = AlignRecordsToLaunches({}, {1, 2});
    ASSERT_EQ(none.size(), 2u);
    EXPECT_EQ(none[1].Average, std::string(10, ' '));
    EXPECT_EQ(AlignRecordsToLaunches(records, {}).size(), 5u);
}

TEST(WriteResultsPage, LinesUpLaunchesReplacesThePageAndReportsFailure) {
    standin::Reset();
    standin::AddFile(kPage, "an earlier page with its footer\r\n");
    standin::AddFile(kLog, "a,1 / 2 / 3 fps,x,y\r\nc,5 / 6 / 7 fps,x,y\r\n");
    core::SessionState state = Session({"640x480", "800x600", "1024x768"});
    const std::vector<size_t> after = {1, 1, 2};  // the 800x600 launch left no record
    std::string error;
    ASSERT_TRUE(WriteResultsPage(state, 1, &after, &error)) << error;
    const Lines lines = ResultsPageLines(state, 1);
    EXPECT_EQ(lines[9], "<TD>1         ");
    EXPECT_EQ(lines[13], "<TD>          ");
    EXPECT_EQ(lines[17], "<TD>5         ");
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    EXPECT_EQ(standin::FindFile(kPage)->contents, bytes);
    EXPECT_TRUE(AppendRunFooter(state, BenchmarkPreset::kCustomTest, &error));
    EXPECT_EQ(standin::FindFile(kPage)->contents, bytes);

    standin::Get().failures.insert({"write", kPage});
    EXPECT_FALSE(WriteResultsPage(state, 1, nullptr, &error));
    EXPECT_NE(error.find(kPage), std::string::npos) << error;
    standin::Get().failures.insert({"append", kPage});
    error.clear();
    EXPECT_FALSE(AppendRunFooter(state, BenchmarkPreset::kLowQuality, &error));
    EXPECT_NE(error.find(kPage), std::string::npos) << error;
}

}  // namespace
}  // namespace results
