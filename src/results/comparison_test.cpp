// The comparison: merging results, blank cells, medians, change, skipped inputs, page and CSV.
#include "results/comparison.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"
#include "results/csv.h"
#include "results/page_checks_test.h"
#include "results/results_csv.h"

namespace results {
namespace {

namespace standin = platform::standin;

struct Launch {
    std::string level, resolution, outcome, avg;
};

// A results.csv of `launches` from machine `machine`.
std::string ResultsCsv(const std::string& machine, const std::vector<Launch>& launches) {
    std::string text = CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.end()});
    for (const Launch& l : launches) {
        std::vector<std::string> row(kResultsCsvColumns.size());
        row[kStarted] = "2026-12-06T14:05:09";
        row[kMachine] = machine;
        row[kPreset] = "High Quality";
        row[kGpu] = "GeForce4 Ti 4200";
        row[kGpuDriver] = "6.14.10.4523";
        row[kLevel] = l.level;
        row[kResolution] = l.resolution;
        row[kOutcome] = l.outcome;
        row[kAvgFps] = l.avg;
        text += CsvLine(row);
    }
    return text;
}

void AddCsv(const std::string& folder, const std::string& text) {
    standin::AddFolder(folder);
    standin::AddFile(folder + "\\results.csv", text);
}

void AddResult(const std::string& folder, const std::string& machine,
               const std::vector<Launch>& launches) {
    AddCsv(folder, ResultsCsv(machine, launches));
}

class ComparisonTest : public ::testing::Test {
protected:
    void SetUp() override { standin::Reset(); }
};

TEST_F(ComparisonTest, RowsInFirstSeenOrderAndBlankCellsWhereAResultLacksOne) {
    AddResult("D:\\A", "pc-a",
              {{"dm-antalus", "1024x768", "recorded", "61.23"},
               {"dm-inferno", "1024x768", "recorded", "40.00"}});
    AddResult("D:\\B", "pc-b",
              {{"dm-inferno", "1024x768", "recorded", "44.00"},
               {"dm-inferno", "640x480", "recorded", "90.50"},
               {"dm-antalus", "640x480", "recorded", "99.00"}});
    const Comparison c = CompareResults({"D:\\A", "D:\\B"});
    ASSERT_EQ(c.results.size(), 2u);
    std::string rows;
    for (const ComparisonRow& r : c.rows) rows += r.level + " " + r.resolution + ", ";
    EXPECT_EQ(rows,
              "dm-antalus 1024x768, dm-inferno 1024x768, dm-inferno 640x480, "
              "dm-antalus 640x480, ");
    auto median = [&](size_t col, size_t row) {
        const auto& cell = c.results[col].cells.at(row);
        return cell ? FormatFps(cell->median) : "blank";
    };
    EXPECT_EQ(median(0, 0) + " " + median(0, 1) + " " + median(0, 2) + " " + median(0, 3),
              "61.23 40.00 blank blank");
    EXPECT_EQ(median(1, 0) + " " + median(1, 1) + " " + median(1, 2) + " " + median(1, 3),
              "blank 44.00 90.50 99.00");
    EXPECT_EQ(c.results[1].machine + " | " + c.results[1].preset + " | " + c.results[1].source,
              "pc-b | High Quality | D:\\B\\results.csv");
    EXPECT_TRUE(c.skipped.empty());
}

TEST_F(ComparisonTest, MedianAndSpreadOfRecordedLaunchesAndChangeAgainstTheFirst) {
    AddResult("D:\\Old", "pc",
              {{"dm-antalus", "1024x768", "recorded", "50.00"},
               {"dm-inferno", "1024x768", "recorded", "0.00"},
               {"dm-phobos2", "1024x768", "no record", ""}});
    AddResult("D:\\New", "pc",
              {{"dm-antalus", "1024x768", "recorded", "56.00"},
               {"dm-antalus", "1024x768", "timed out", "10.00"},  // not a record: left out
               {"dm-antalus", "1024x768", "recorded", "55.00"},
               {"dm-antalus", "1024x768", "failed to start", ""},
               {"dm-antalus", "1024x768", "recorded", "54.00"},
               {"dm-antalus", "1024x768", "recorded", "53.00"},
               {"dm-inferno", "1024x768", "recorded", "30.00"},
               {"dm-phobos2", "1024x768", "recorded", "20.00"}});
    AddResult("D:\\Slower", "pc", {{"dm-antalus", "1024x768", "recorded", "45.00"}});
    AddResult("D:\\Equal", "pc", {{"dm-antalus", "1024x768", "recorded", "50.00"}});
    const Comparison c = CompareResults({"D:\\Old", "D:\\New", "D:\\Slower", "D:\\Equal"});
    ASSERT_EQ(c.rows.size(), 3u);
    const std::optional<Spread>& antalus = c.results[1].cells[0];
    ASSERT_TRUE(antalus);
    EXPECT_EQ(antalus->count, 4u);
    EXPECT_DOUBLE_EQ(antalus->median, 54.0);  // the lower middle of four
    EXPECT_DOUBLE_EQ(antalus->min, 53.0);
    EXPECT_DOUBLE_EQ(antalus->max, 56.0);
    EXPECT_FALSE(c.results[0].cells[2]);  // a row of failed launches only stays, blank

    EXPECT_DOUBLE_EQ(*ChangePercent(c.results[0].cells[0], antalus), 8.0);
    EXPECT_FALSE(ChangePercent(c.results[0].cells[1], c.results[1].cells[1]));  // baseline 0
    EXPECT_FALSE(ChangePercent(c.results[0].cells[2], c.results[1].cells[2]));  // baseline blank
    EXPECT_FALSE(ChangePercent(c.results[1].cells[2], c.results[0].cells[2]));  // value blank

    const std::string html = ComparisonHtml(c);
    EXPECT_NE(html.find("<span class=\"median\">54.00</span><br/><span class=\"spread\">"
                        "53.00-56.00 (5.6%, 4 runs)</span><br/><span class=\"up\">+8.0%</span>"),
              std::string::npos);
    EXPECT_NE(html.find("<span class=\"down\">-10.0%</span>"), std::string::npos);
    EXPECT_NE(html.find("<span class=\"same\">0.0%</span>"), std::string::npos);
    // The baseline shows no change against itself; a blank cell is empty.
    EXPECT_NE(html.find("<td>dm-antalus</td><td>1024x768</td><td class=\"fps\"><span "
                        "class=\"median\">50.00</span></td>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>dm-phobos2</td><td>1024x768</td><td class=\"fps\"></td>"),
              std::string::npos);
    EXPECT_EQ(html.find("-100.0%"), std::string::npos);
}

TEST_F(ComparisonTest, FoldersOfResultsFilesAndEverythingSkippedWithItsReason) {
    const std::string header = CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.end()});
    const Launch one = {"dm-antalus", "640x480", "recorded", "70.00"};
    AddResult("D:\\Results\\2026-12-01 10-00-00 High Quality", "first", {one});
    AddResult("D:\\Results\\2026-12-02 10-00-00 High Quality", "second", {one});
    standin::AddFolder("D:\\Results\\2026-12-03 not ours");
    AddCsv("D:\\Results\\2026-12-04 damaged", header + "\"open,");
    std::string extra = ResultsCsv("x", {one});
    extra.replace(extra.find("\r\n"), 2, ",fan_rpm\r\n");
    AddCsv("D:\\Results\\2026-12-05 extra", extra);
    std::string missing = ResultsCsv("x", {one});
    missing.replace(missing.find(",gpu_driver"), 11, "");
    AddCsv("D:\\Results\\2026-12-06 missing", missing);
    AddResult("D:\\Results\\2026-12-07 empty", "x", {});
    AddCsv("D:\\Results\\2026-12-08 short", header + "a,b,c\r\n");
    standin::AddFolder("D:\\Empty");
    standin::AddFolder("E:\\Lab");
    standin::AddFile("E:\\Lab\\pc-c.csv", ResultsCsv("third", {one}));
    standin::AddFile("E:\\Lab\\notes.txt", "not a table");

    const Comparison c = CompareResults(
        {"D:\\Results\\", "D:\\Empty", "E:\\Lab\\pc-c.csv", "E:\\Lab\\notes.txt", "E:\\Gone"});
    std::string read;
    for (const ComparedResult& r : c.results) read += r.machine + " ";
    EXPECT_EQ(read, "first second third ");
    std::string skipped;
    for (const SkippedInput& s : c.skipped) skipped += s.path + " | " + s.reason + "\n";
    EXPECT_EQ(skipped,
              "D:\\Results\\2026-12-03 not ours | It holds no results.csv.\n"
              "D:\\Results\\2026-12-04 damaged\\results.csv | It is not CSV: A quote opened on "
              "line 2 is never closed.\n"
              "D:\\Results\\2026-12-05 extra\\results.csv | Its header is not the one "
              "results.csv has.\n"
              "D:\\Results\\2026-12-06 missing\\results.csv | Its header is not the one "
              "results.csv has.\n"
              "D:\\Results\\2026-12-07 empty\\results.csv | It holds no launches.\n"
              "D:\\Results\\2026-12-08 short\\results.csv | Row 1 has 3 fields instead of 23.\n"
              "D:\\Empty | It holds no results.csv and no results folders.\n"
              "E:\\Lab\\notes.txt | Its header is not the one results.csv has.\n"
              "E:\\Gone | It cannot be found.\n");
    // A locked file is named with the system's reason.
    standin::Get().files["E:\\Lab\\pc-c.csv"].locked = true;
    const Comparison locked = CompareResults({"E:\\Lab\\pc-c.csv"});
    ASSERT_EQ(locked.skipped.size(), 1u);
    EXPECT_NE(locked.skipped[0].reason.find("Access is denied"), std::string::npos);
}

TEST_F(ComparisonTest, PageIsWellFormedAndEscapesEveryTextFromTheFiles) {
    AddResult("D:\\<A & B>", "pc \"<b>\"",
              {{"<script>alert(1)</script>", "640x480", "recorded", "61.00"}});
    const std::string html = ComparisonHtml(CompareResults({"D:\\<A & B>", "D:\\<gone>"}));
    EXPECT_EQ(MarkupFault(html), "");
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    for (const char* escaped : {"&lt;script&gt;alert(1)&lt;/script&gt;", "pc &quot;&lt;b&gt;&quot;",
                                "title=\"D:\\&lt;A &amp; B&gt;\\results.csv\"",
                                "<li>D:\\&lt;gone&gt;: It cannot be found.</li>"})
        EXPECT_NE(html.find(escaped), std::string::npos) << escaped;

    const std::string none = ComparisonHtml(CompareResults({"D:\\Nothing"}));
    EXPECT_EQ(MarkupFault(none), "");
    EXPECT_NE(none.find("No result could be read."), std::string::npos);
}

TEST_F(ComparisonTest, CsvHoldsTheSameTableWithBlankCellsEmpty) {
    AddResult("D:\\A", "pc, one",
              {{"dm-antalus", "640x480", "recorded", "50.00"},
               {"dm-antalus", "640x480", "recorded", "52.00"}});
    AddResult("D:\\B", "pc-two",
              {{"dm-antalus", "640x480", "recorded", "45.00"},
               {"dm-inferno", "640x480", "recorded", "30.00"}});
    std::vector<std::vector<std::string>> table;
    std::string error;
    ASSERT_TRUE(ParseCsv(ComparisonCsv(CompareResults({"D:\\A", "D:\\B"})), &table, &error));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0][0] + "," + table[0][1], "level,resolution");
    EXPECT_EQ(table[0][2],
              "pc, one / GeForce4 Ti 4200 / 6.14.10.4523 / 2026-12-06 14:05:09: median_fps");
    EXPECT_EQ(table[0][11],
              "pc-two / GeForce4 Ti 4200 / 6.14.10.4523 / 2026-12-06 14:05:09: "
              "change_percent");
    EXPECT_EQ(table[1],
              (std::vector<std::string>{"dm-antalus", "640x480", "50.00", "50.00", "52.00", "4.0",
                                        "", "45.00", "45.00", "45.00", "0.0", "-10.0"}));
    EXPECT_EQ(table[2], (std::vector<std::string>{"dm-inferno", "640x480", "", "", "", "", "",
                                                  "30.00", "30.00", "30.00", "0.0", ""}));
}

// Writing both files is in the command-line comparison test (command_line_run_test.cpp).
TEST_F(ComparisonTest, ACsvThatCannotBeWrittenFailsAndCountsWhatItRead) {
    AddResult("D:\\A", "pc", {{"dm-antalus", "640x480", "recorded", "50.00"}});
    standin::AddFolder("C:\\out");
    standin::Get().failures.insert({"write", "C:\\out\\cmp.csv"});
    size_t read = 99;
    std::string error;
    EXPECT_FALSE(WriteComparison({"D:\\A", "D:\\Missing"}, "C:\\out\\cmp.html", &read, &error));
    EXPECT_EQ(read, 1u);
    EXPECT_NE(error.find("C:\\out\\cmp.csv"), std::string::npos);

    const std::pair<const char*, const char*> paths[] = {{"compare.html", "compare.csv"},
                                                         {"D:\\x.y\\report", "D:\\x.y\\report.csv"},
                                                         {"report.HTM", "report.csv"},
                                                         {"table.CSV", "table.CSV.csv"}};
    for (const auto& [html, csv] : paths) EXPECT_EQ(ComparisonCsvPath(html), csv);
}

}  // namespace
}  // namespace results
