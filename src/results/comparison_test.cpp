// The comparison: merging results, blank cells, medians, change, skipped inputs, page and CSV.
#include "results/comparison.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/platform_standin.h"
#include "results/csv.h"
#include "results/page_checks_test.h"
#include "results/results_csv.h"

namespace results {
namespace {

namespace standin = platform::standin;

// Fields of every row of a file: preset, label, game version, ...
using Fields = std::map<ResultsCsvColumn, std::string>;

// A results.csv of `launches` from machine `machine`, of High Quality unless `fields` say else.
// A launch is "level average", "level|resolution average" (1024x768 unless given) or, when not
// recorded, "level average outcome" with "-" for no average.
std::string ResultsCsv(const std::string& machine, const std::vector<std::string>& launches,
                       const Fields& fields = {}) {
    std::string text = CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.end()});
    for (const std::string& l : launches) {
        const size_t space = l.find(' '), next = l.find(' ', space + 1), bar = l.find('|');
        std::vector<std::string> row(kResultsCsvColumns.size());
        row[kStarted] = "2026-12-06T14:05:09";
        row[kMachine] = machine;
        row[kPreset] = "High Quality";
        row[kEdition] = "full";
        row[kRenderer] = "Direct3D";
        row[kGpu] = "GeForce4 Ti 4200";
        row[kGpuDriver] = "6.14.10.4523";
        row[kLevel] = l.substr(0, std::min(bar, space));
        row[kResolution] = bar < space ? l.substr(bar + 1, space - bar - 1) : "1024x768";
        row[kOutcome] = next == std::string::npos ? "recorded" : l.substr(next + 1);
        row[kAvgFps] = l.substr(space + 1, next - space - 1);
        if (row[kAvgFps] == "-") row[kAvgFps] = "";
        for (const auto& [column, value] : fields) row[column] = value;
        text += CsvLine(row);
    }
    return text;
}

void AddResult(const std::string& folder, const std::string& machine,
               const std::vector<std::string>& launches, const Fields& fields = {}) {
    standin::AddFile(folder + "\\results.csv", ResultsCsv(machine, launches, fields));
}

class ComparisonTest : public ::testing::Test {
protected:
    void SetUp() override { standin::Reset(); }
};

TEST_F(ComparisonTest, MedianAndSpreadOfRecordedLaunchesAndChangeAgainstTheFirst) {
    AddResult("D:\\Old", "pc", {"dm-antalus 50.00", "dm-inferno 0.00", "dm-phobos2 - no record"});
    AddResult("D:\\New", "pc",
              {"dm-antalus 51.00", "dm-antalus 10.00 timed out", "dm-antalus 50.50",
               "dm-antalus - failed to start", "dm-antalus 50.25", "dm-antalus 50.00",
               "dm-inferno 30.00", "dm-phobos2 20.00"});
    AddResult("D:\\Slower", "pc", {"dm-antalus 45.00"});
    AddResult("D:\\Equal", "pc", {"dm-antalus 50.00"});
    const std::string html =
        ComparisonHtml(CompareResults({"D:\\Old", "D:\\New", "D:\\Slower", "D:\\Equal"}));
    // The lower middle of four recorded launches; +0.5 % is up; a change only where both have a
    // median and the first's is not 0, none against itself; a row of failed launches stays,
    // blank. The chart: bars to the medians on the scale of the highest average (51).
    for (const char* row :
         {"<tr><td>dm-antalus</td><td>1024x768</td><td class=\"n\"><span class=\"median\">50.00"
          "</span><br/><span class=\"small\">baseline</span></td><td class=\"n\"><span "
          "class=\"median\">50.25</span><br/><span class=\"small\">50.00 - 51.00, 4 runs (2.0%)"
          "</span><br/><span class=\"up\">+0.5%</span> one run: cannot tell</td><td class=\"n\">"
          "<span class=\"median\">45.00</span><br/><span class=\"down\">-10.0%</span> one run: "
          "cannot tell</td><td class=\"n\"><span class=\"median\">50.00</span><br/><span "
          "class=\"same\">0.0%</span> one run: cannot tell</td></tr>",
          "<tr><td>dm-inferno</td><td>1024x768</td><td class=\"n\"><span class=\"median\">0.00"
          "</span><br/><span class=\"small\">baseline</span></td><td class=\"n\"><span "
          "class=\"median\">30.00</span></td><td class=\"n\"></td><td class=\"n\"></td></tr>",
          "<tr><td>dm-phobos2</td><td>1024x768</td><td class=\"n\"><span class=\"small\">baseline"
          "</span></td><td class=\"n\"><span class=\"median\">20.00</span></td><td class=\"n\">"
          "</td><td class=\"n\"></td></tr>",
          "<tr><th>pc / GeForce4 Ti 4200 / 6.14.10.4523 / 2026-12-06 14:05:09 #2</th><td "
          "class=\"plot\"><div class=\"whisker\" style=\"margin-left:98.0%;width:2.0%\"></div>"
          "<div class=\"bar\" style=\"width:98.5%\"></div></td><td><span class=\"median\">"
          "50.25</span> (50.00 - 51.00, 4 runs)</td><td><span class=\"up\">+0.5%</span> one run: "
          "cannot tell</td></tr>"})
        EXPECT_NE(html.find(row), std::string::npos) << row << "\n" << html;
}

TEST_F(ComparisonTest, FoldersOfResultsFilesAndEverythingSkippedWithItsReason) {
    const std::string header = CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.end()});
    const std::string one = "dm-antalus 70.00";
    AddResult("D:\\Results\\2026-12-01 10-00-00 High Quality", "first", {one});
    AddResult("D:\\Results\\2026-12-02 10-00-00 High Quality", "second", {one});
    standin::AddFolder("D:\\Results\\2026-12-03 not ours");
    const std::string row = ResultsCsv("", {one}).substr(header.size());
    standin::AddFile("D:\\Results\\2026-12-04 damaged\\results.csv", header + "\"open,\r\n" + row);
    AddResult("D:\\Results\\2026-12-07 empty", "x", {});
    standin::AddFile("D:\\Results\\2026-12-08 short\\results.csv", header + "a,b,c\r\n" + row);
    // What a spreadsheet or a cut-off copy leaves: a byte-order mark, a torn last row.
    standin::AddFile("D:\\Results\\2026-12-09 torn\\results.csv",
                     "\xEF\xBB\xBF" + ResultsCsv("fourth", {one, one}) + "2026");
    standin::AddFolder("D:\\Empty");
    standin::AddFile("E:\\Lab\\pc-c.csv", ResultsCsv("third", {one}));
    standin::AddFile("E:\\Lab\\locked.csv", ResultsCsv("locked", {one}));
    standin::Get().files["E:\\Lab\\locked.csv"].locked = true;
    standin::AddFile("E:\\Lab\\notes.txt", "not a table");
    standin::AddFile("E:\\Lab\\empty.csv", "");
    // Claimed sizes: a results.csv too large, and a foreign file whose first bytes give it away.
    standin::AddFile("E:\\Lab\\huge.csv", ResultsCsv("huge", {one}));
    standin::Get().files["E:\\Lab\\huge.csv"].claimed_size = (uint64_t{64} << 20) + 1;
    standin::AddFile("E:\\Lab\\disk.img", std::string(70000, '\0') + header);
    standin::Get().files["E:\\Lab\\disk.img"].claimed_size = uint64_t{60} << 20;

    const Comparison c =
        CompareResults({"D:\\Results\\", "D:\\Empty", "E:\\Lab\\pc-c.csv", "E:\\Lab\\notes.txt",
                        "E:\\Lab\\empty.csv", "E:\\Lab\\huge.csv", "E:\\Lab\\disk.img",
                        "E:\\Lab\\locked.csv", "E:\\Gone"});
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
              "E:\\Lab\\locked.csv | Cannot read \"E:\\Lab\\locked.csv\": Access is denied.\n"
              "E:\\Gone | It cannot be found.\n");
    // Neither the huge file nor the foreign one was read beyond its first bytes.
    EXPECT_LT(standin::Get().bytes_read, 200000u);
    standin::Get().code_page_932 = true;  // "E:\ソ" ends in 0x5C, the second byte of "ソ"
    AddResult("E:\\\x83\x5C", "fourth", {one});
    for (const char* folder : {"E:\\\x83\x5C", "E:\\\x83\x5C\\"})
        EXPECT_EQ(CompareResults({folder}).results.at(0).source, "E:\\\x83\x5C\\results.csv");
}

// Every text from a file carries markup that would end a table, an ampersand, a quote and a
// control character; a browser must keep every bar in its chart.
TEST_F(ComparisonTest, PageIsWellFormedAndEscapesEveryTextFromTheFiles) {
    const std::string evil = "</table><i>\"&\x01";
    const std::string escaped = "&lt;/table&gt;&lt;i&gt;&quot;&amp; ";
    Fields fields;
    for (ResultsCsvColumn c : {kPreset, kEdition, kRenderer, kGpu, kGpuDriver, kGameVersion})
        fields[c] = evil;
    AddResult("D:\\<A & B>", evil, {evil + "|" + evil + " 61.00"}, fields);
    AddResult("D:\\Two", "pc", {evil + "|" + evil + " 62.00"}, fields);
    const std::string html = ComparisonHtml(CompareResults({"D:\\<A & B>", "D:\\Two", evil}));
    EXPECT_EQ(MarkupFault(html), "");
    ExpectSelfContained(html);
    EXPECT_EQ(html.find("<i>"), std::string::npos);
    // 35 places: group heading 3, key 2 + 2 (table, chart), names (3 + 2) x 3 (table, chart,
    // list), the list's 6 fields x 2, the skipped input.
    EXPECT_EQ(Count(html, escaped), 35u);
    EXPECT_NE(html.find("<th title=\"D:\\&lt;A &amp; B&gt;\\results.csv\">"), std::string::npos);

    const std::string none = ComparisonHtml(CompareResults({"D:\\Nothing"}));
    EXPECT_EQ(MarkupFault(none), "");
    EXPECT_NE(none.find("No result could be read."), std::string::npos);

    const std::string dom = BrowserDom(html);
    if (dom.empty()) GTEST_SKIP() << "chromium is not installed";
    ASSERT_NE(dom.find("</html>"), std::string::npos) << "chromium printed no document";
    for (const char* element : {"<table", "<td", "<tr", "class=\"bar\""})
        EXPECT_EQ(Count(dom, element), Count(html, element)) << element;
    const std::string outside = OutsideTables(dom);
    for (const char* inside : {"<td", "<tr", "<th", "class=\"bar\"", "62.00"})
        EXPECT_EQ(outside.find(inside), std::string::npos) << inside;
}

// Rows are keys in the order first seen, compared field by field; a change only within a key,
// against the first result that has it, with its verdict; a result without a key has its cells
// empty. Names are labels where given, and unique.
TEST_F(ComparisonTest, CsvComparesLikeWithLikeAndSaysWhetherAChangeIsReal) {
    const Fields labelled = {{kLabel, "new driver"}};
    AddResult("D:\\A", "pc, one",
              {"dm-antalus 50.00", "dm-antalus 52.00", "dm-inferno 40.00", "dm-inferno 42.00",
               "a\nb|c 10.00"});
    AddResult("D:\\B", "pc-two",
              {"dm-inferno 41.00", "dm-inferno 43.00", "dm-antalus 70.00", "dm-antalus 71.00",
               "a|b\nc 20.00"},
              labelled);
    AddResult("D:\\C", "pc, one", {"dm-antalus 30.00"}, {{kPreset, "CPU Benchmark"}});
    AddResult("D:\\D", "pc-two", {"dm-antalus 49.00"}, labelled);
    const std::string csv = ComparisonCsv(CompareResults({"D:\\A", "D:\\B", "D:\\C", "D:\\D"}));
    const size_t body = csv.find("\r\n") + 2;
    const std::string name = "pc, one / GeForce4 Ti 4200 / 6.14.10.4523 / 2026-12-06 14:05:09";
    const std::string header = csv.substr(0, body);
    EXPECT_TRUE(header.starts_with("preset,edition,renderer,level,resolution,\"" + name +
                                   ": median_fps\","))
        << header;
    for (const std::string& column :
         {std::string(",new driver (pc-two): significant,"), ",\"" + name + " #2: runs\",",
          std::string(",new driver (pc-two) #2: runs\r\n")})
        EXPECT_NE(header.find(column), std::string::npos) << column << "\n" << header;
    EXPECT_EQ(csv.substr(body),
              "High Quality,full,Direct3D,dm-antalus,1024x768,50.00,50.00,52.00,4.0,,,2,"
              "70.00,70.00,71.00,1.4,40.0,yes,2,,,,,,,,49.00,49.00,49.00,0.0,-2.0,unknown,1\r\n"
              "High Quality,full,Direct3D,dm-inferno,1024x768,40.00,40.00,42.00,5.0,,,2,"
              "41.00,41.00,43.00,4.9,2.5,no,2,,,,,,,,,,,,,,\r\n"
              "High Quality,full,Direct3D,\"a\nb\",c,10.00,10.00,10.00,0.0,,,1,"
              ",,,,,,,,,,,,,,,,,,,,\r\n"
              "High Quality,full,Direct3D,a,\"b\nc\",,,,,,,,20.00,20.00,20.00,0.0,,,1,"
              ",,,,,,,,,,,,,\r\n"
              "CPU Benchmark,full,Direct3D,dm-antalus,1024x768,,,,,,,,,,,,,,,"
              "30.00,30.00,30.00,0.0,,,1,,,,,,,\r\n");
}

// Seven results do not fit side by side: each key's chart lists them best median first (the
// one without a record last), the baseline in bold; a change between known, different game
// versions names both, and the page says the versions differ.
TEST_F(ComparisonTest, ManyResultsAreListedBestFirstWithTheBaselineMarked) {
    const std::pair<const char*, const char*> results[] = {
        {"50.00", "2.225.0.0"}, {"60.00", "2.136.0.0"}, {"40.00", ""}, {"70.00", "unknown"},
        {"55.00", "2.225.0.0"}, {"", "2.225.0.0"},      {"65.00", ""}};
    std::vector<std::string> inputs;
    for (const auto& [average, version] : results) {
        const std::string machine = "pc" + std::to_string(inputs.size());
        inputs.push_back("D:\\" + machine);
        AddResult(inputs.back(), machine,
                  {"dm-antalus " + std::string(*average ? average : "- no record")},
                  {{kLabel, "run"}, {kGameVersion, version}});
    }
    const std::string html = ComparisonHtml(CompareResults(inputs));
    EXPECT_EQ(MarkupFault(html), "");
    EXPECT_EQ(html.find("<th>Level</th>"), std::string::npos);
    size_t at = 0;
    for (const char* row :
         {"<tr><th>run (pc3)</th>", "<tr><th>run (pc6)</th>", "<tr><th>run (pc1)</th>",
          "<tr><th>run (pc4)</th>", "<tr class=\"baseline\"><th>run (pc0)</th>",
          "<tr><th>run (pc2)</th>", "<tr><th>run (pc5)</th>"}) {
        at = html.find(row, at);
        EXPECT_NE(at, std::string::npos) << row;
    }
    // 50 on the scale of 70.
    EXPECT_NE(html.find("<div class=\"bar\" style=\"width:71.4%\">"), std::string::npos);
    EXPECT_NE(html.find("(2.136.0.0: 1 result; 2.225.0.0: 3 results)"), std::string::npos);
    EXPECT_EQ(Count(html, "game 2.136.0.0, baseline 2.225.0.0"), 1u);
    EXPECT_EQ(Count(html, "<span class=\"small\">game "), 1u);
}

// Writing both files, and more names of the CSV, are in the command-line comparison test.
TEST_F(ComparisonTest, ACsvThatCannotBeWrittenFailsAndCountsWhatItRead) {
    AddResult("D:\\A", "pc", {"dm-antalus 50.00"});
    standin::AddFolder("C:\\out");
    standin::Get().failures.insert({"write", "C:\\out\\cmp.csv"});
    size_t read = 99;
    std::string error;
    EXPECT_FALSE(WriteComparison({"D:\\A", "D:\\Missing"}, "C:\\out\\cmp.html", &read, &error));
    EXPECT_EQ(read, 1u);
    EXPECT_NE(error.find("C:\\out\\cmp.csv"), std::string::npos);

    EXPECT_EQ(ComparisonCsvPath("D:\\x.y\\report"), "D:\\x.y\\report.csv");
    EXPECT_EQ(ComparisonCsvPath("table.CSV"), "table.CSV.csv");
}

}  // namespace
}  // namespace results
