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

TEST_F(ComparisonTest, MedianAndSpreadOfRecordedLaunchesAndChangeAgainstTheFirst) {
    AddResult("D:\\Old", "pc",
              {{"dm-antalus", "1024x768", "recorded", "50.00"},
               {"dm-inferno", "1024x768", "recorded", "0.00"},
               {"dm-phobos2", "1024x768", "no record", ""}});
    AddResult("D:\\New", "pc",
              {{"dm-antalus", "1024x768", "recorded", "51.00"},
               {"dm-antalus", "1024x768", "timed out", "10.00"},  // not a record: left out
               {"dm-antalus", "1024x768", "recorded", "50.50"},
               {"dm-antalus", "1024x768", "failed to start", ""},
               {"dm-antalus", "1024x768", "recorded", "50.25"},
               {"dm-antalus", "1024x768", "recorded", "50.00"},
               {"dm-inferno", "1024x768", "recorded", "30.00"},
               {"dm-phobos2", "1024x768", "recorded", "20.00"}});
    AddResult("D:\\Slower", "pc", {{"dm-antalus", "1024x768", "recorded", "45.00"}});
    AddResult("D:\\Equal", "pc", {{"dm-antalus", "1024x768", "recorded", "50.00"}});
    const std::string html =
        ComparisonHtml(CompareResults({"D:\\Old", "D:\\New", "D:\\Slower", "D:\\Equal"}));
    // The lower middle of four recorded launches; +0.5 % is up; a change only where both have a
    // median and the first's is not 0, none against itself; a row of failed launches stays, blank.
    for (const char* row :
         {"<tr><td>dm-antalus</td><td>1024x768</td><td class=\"fps\"><span class=\"median\">50.00"
          "</span></td><td class=\"fps\"><span class=\"median\">50.25</span><br/><span "
          "class=\"spread\">50.00-51.00 (2.0%, 4 runs)</span><br/><span class=\"up\">+0.5%</span>"
          "</td><td class=\"fps\"><span class=\"median\">45.00</span><br/><span class=\"down\">"
          "-10.0%</span></td><td class=\"fps\"><span class=\"median\">50.00</span><br/><span "
          "class=\"same\">0.0%</span></td></tr>",
          "<tr><td>dm-inferno</td><td>1024x768</td><td class=\"fps\"><span class=\"median\">0.00"
          "</span></td><td class=\"fps\"><span class=\"median\">30.00</span></td><td "
          "class=\"fps\"></td><td class=\"fps\"></td></tr>",
          "<tr><td>dm-phobos2</td><td>1024x768</td><td class=\"fps\"></td><td class=\"fps\"><span "
          "class=\"median\">20.00</span></td><td class=\"fps\"></td><td class=\"fps\"></td></tr>"})
        EXPECT_NE(html.find(row), std::string::npos) << row << "\n" << html;
}

TEST_F(ComparisonTest, FoldersOfResultsFilesAndEverythingSkippedWithItsReason) {
    const std::string header = CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.end()});
    const Launch one = {"dm-antalus", "640x480", "recorded", "70.00"};
    AddResult("D:\\Results\\2026-12-01 10-00-00 High Quality", "first", {one});
    AddResult("D:\\Results\\2026-12-02 10-00-00 High Quality", "second", {one});
    standin::AddFolder("D:\\Results\\2026-12-03 not ours");
    const std::string row = ResultsCsv("", {one}).substr(header.size());
    AddCsv("D:\\Results\\2026-12-04 damaged", header + "\"open,\r\n" + row);
    AddResult("D:\\Results\\2026-12-07 empty", "x", {});
    AddCsv("D:\\Results\\2026-12-08 short", header + "a,b,c\r\n" + row);
    // What a spreadsheet or a cut-off copy leaves: a byte-order mark, a torn last row.
    AddCsv("D:\\Results\\2026-12-09 torn",
           "\xEF\xBB\xBF" + ResultsCsv("fourth", {one, one}) + "2026");
    standin::AddFolder("D:\\Empty");
    standin::AddFolder("E:\\Lab");
    standin::AddFile("E:\\Lab\\pc-c.csv", ResultsCsv("third", {one}));
    standin::AddFile("E:\\Lab\\notes.txt", "not a table");
    standin::AddFile("E:\\Lab\\empty.csv", "");
    // Claimed sizes: a results.csv too large, and a foreign file whose first bytes give it away.
    standin::AddFile("E:\\Lab\\huge.csv", ResultsCsv("huge", {one}));
    standin::Get().files["E:\\Lab\\huge.csv"].claimed_size = (uint64_t{64} << 20) + 1;
    standin::AddFile("E:\\Lab\\disk.img", std::string(70000, '\0') + header);
    standin::Get().files["E:\\Lab\\disk.img"].claimed_size = uint64_t{60} << 20;

    const Comparison c = CompareResults({"D:\\Results\\", "D:\\Empty", "E:\\Lab\\pc-c.csv",
                                         "E:\\Lab\\notes.txt", "E:\\Lab\\empty.csv",
                                         "E:\\Lab\\huge.csv", "E:\\Lab\\disk.img", "E:\\Gone"});
    std::string read;
    for (const ComparedResult& r : c.results) read += r.machine + " ";
    EXPECT_EQ(read, "first second fourth third ");
    std::string skipped;
    for (const SkippedInput& s : c.skipped) skipped += s.path + " | " + s.reason + "\n";
    EXPECT_EQ(skipped,
              "D:\\Results\\2026-12-03 not ours | It holds no results.csv.\n"
              "D:\\Results\\2026-12-04 damaged\\results.csv | It is not CSV: A quote opened on "
              "line 2 is never closed.\n"
              "D:\\Results\\2026-12-07 empty\\results.csv | It holds no launches.\n"
              "D:\\Results\\2026-12-08 short\\results.csv | Row 1 has 3 fields instead of 27.\n"
              "D:\\Results\\2026-12-09 torn\\results.csv | Its last row (row 3) is cut short: it "
              "is left out, the rows before it are read.\n"
              "D:\\Empty | It holds no results.csv and no results folders.\n"
              "E:\\Lab\\notes.txt | It does not begin with the header of a results.csv.\n"
              "E:\\Lab\\empty.csv | It is empty.\n"
              "E:\\Lab\\huge.csv | It is 65 MiB, larger than a results.csv may be (64 MiB).\n"
              "E:\\Lab\\disk.img | It does not begin with the header of a results.csv.\n"
              "E:\\Gone | It cannot be found.\n");
    // Neither the huge file nor the foreign one was read beyond its first bytes.
    EXPECT_LT(standin::Get().bytes_read, 200000u);
    standin::Get().code_page_932 = true;  // "E:\ソ" ends in 0x5C, the second byte of "ソ"
    AddResult("E:\\\x83\x5C", "fourth", {one});
    for (const char* folder : {"E:\\\x83\x5C", "E:\\\x83\x5C\\"})
        EXPECT_EQ(CompareResults({folder}).results.at(0).source, "E:\\\x83\x5C\\results.csv");
    // A locked file is named with the system's reason.
    standin::Get().files["E:\\Lab\\pc-c.csv"].locked = true;
    const Comparison locked = CompareResults({"E:\\Lab\\pc-c.csv"});
    ASSERT_EQ(locked.skipped.size(), 1u);
    EXPECT_NE(locked.skipped[0].reason.find("Access is denied"), std::string::npos);
}

TEST_F(ComparisonTest, PageIsWellFormedAndEscapesEveryTextFromTheFiles) {
    AddResult("D:\\<A & B>", "pc \"<b>\"",
              {{"<script>alert(1)</script>", "640x480", "recorded", "61.00"},
               {"dm-\x01"
                "a\tb\r\nc\x7f",
                "640x480", "recorded", "60.00"}});
    const std::string html = ComparisonHtml(CompareResults({"D:\\<A & B>", "D:\\<gone\t>"}));
    EXPECT_EQ(MarkupFault(html), "");
    // Control characters are shown as spaces.
    EXPECT_NE(html.find("<td>dm- a b  c </td>"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    // Each result's heading: its file, machine, adapter, driver, start and preset.
    for (const char* escaped :
         {"<th title=\"D:\\&lt;A &amp; B&gt;\\results.csv\">pc &quot;&lt;b&gt;&quot;<br/>GeForce4 "
          "Ti 4200<br/>6.14.10.4523<br/>2026-12-06 14:05:09<br/>High Quality</th>",
          "&lt;script&gt;alert(1)&lt;/script&gt;",
          "<li>D:\\&lt;gone &gt;: It cannot be found.</li>"})
        EXPECT_NE(html.find(escaped), std::string::npos) << escaped;

    const std::string none = ComparisonHtml(CompareResults({"D:\\Nothing"}));
    EXPECT_EQ(MarkupFault(none), "");
    EXPECT_NE(none.find("No result could be read."), std::string::npos);
}

// Rows in the order first seen over all results; a result without a row has its cells empty.
TEST_F(ComparisonTest, CsvHoldsTheSameTableWithBlankCellsEmpty) {
    AddResult("D:\\A", "pc, one",
              {{"dm-antalus", "1024x768", "recorded", "50.00"},
               {"dm-antalus", "1024x768", "recorded", "52.00"},
               {"dm-inferno", "1024x768", "recorded", "40.00"}});
    AddResult("D:\\B", "pc-two",
              {{"dm-inferno", "1024x768", "recorded", "44.00"},
               {"dm-inferno", "640x480", "recorded", "90.50"},
               {"dm-antalus", "640x480", "recorded", "99.00"}});
    const std::string csv = ComparisonCsv(CompareResults({"D:\\A", "D:\\B"}));
    const size_t body = csv.find("\r\n") + 2;
    const std::string label = " / GeForce4 Ti 4200 / 6.14.10.4523 / 2026-12-06 14:05:09: ";
    const std::string header = csv.substr(0, body);
    EXPECT_TRUE(header.starts_with("level,resolution,\"pc, one" + label + "median_fps\","))
        << header;
    EXPECT_TRUE(header.ends_with(",pc-two" + label + "change_percent\r\n")) << header;
    EXPECT_EQ(csv.substr(body),
              "dm-antalus,1024x768,50.00,50.00,52.00,4.0,,,,,,\r\n"
              "dm-inferno,1024x768,40.00,40.00,40.00,0.0,,44.00,44.00,44.00,0.0,10.0\r\n"
              "dm-inferno,640x480,,,,,,90.50,90.50,90.50,0.0,\r\n"
              "dm-antalus,640x480,,,,,,99.00,99.00,99.00,0.0,\r\n");
}

// Writing both files is in the command-line comparison test (ui/command_line_test.cpp).
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
