// Reading results.csv back: only a file with exactly our columns and whole rows is accepted.
#include "results/results_csv.h"

#include <gtest/gtest.h>

#include "results/csv.h"

namespace results {
namespace {

std::vector<std::string> Header() { return {kResultsCsvColumns.begin(), kResultsCsvColumns.end()}; }

std::vector<std::string> Row(const std::string& level) {
    std::vector<std::string> row(kResultsCsvColumns.size(), "x");
    row[kLevel] = level;
    return row;
}

TEST(ReadResultsCsv, ReadsRowsInColumnOrder) {
    std::vector<std::vector<std::string>> rows;
    std::string why;
    ASSERT_TRUE(
        ReadResultsCsv(CsvLine(Header()) + CsvLine(Row("dm-a,b")) + CsvLine(Row("c")), &rows, &why))
        << why;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][kLevel], "dm-a,b");
    EXPECT_EQ(rows[1][kLevel], "c");
    EXPECT_EQ(std::string(kResultsCsvColumns[kAvgFps]), "avg_fps");
    EXPECT_EQ(std::string(kResultsCsvColumns[kGpuDriver]), "gpu_driver");

    ASSERT_TRUE(ReadResultsCsv(CsvLine(Header()), &rows, &why));
    EXPECT_TRUE(rows.empty());
}

TEST(ReadResultsCsv, RefusesOtherFiles) {
    auto renamed = Header();
    renamed[kAvgFps] = "average";
    auto extra = Header();
    extra.push_back("note");
    auto short_row = Row("a");
    short_row.pop_back();
    const std::string cases[] = {
        "",
        "not,a,results,file\r\n",
        CsvLine(renamed),
        CsvLine(extra),
        CsvLine(Header()) + CsvLine(Row("a")) + CsvLine(short_row),
        CsvLine(Header()) + "\"cut",
        CsvLine(Header()) + CsvLine(Row("a")) + "\r\n",
    };
    for (const auto& text : cases) {
        std::vector<std::vector<std::string>> rows = {{"stale"}};
        std::string why;
        EXPECT_FALSE(ReadResultsCsv(text, &rows, &why)) << text;
        EXPECT_TRUE(rows.empty()) << text;
        EXPECT_FALSE(why.empty()) << text;
    }
}

}  // namespace
}  // namespace results
