// CSV records: quoting on the way out, every quoting and line-end form on the way back.
#include "results/csv.h"

#include <gtest/gtest.h>

namespace results {
namespace {

using Records = std::vector<std::vector<std::string>>;

// Written fields round-trip; what others write reads with every line end; a broken quote is
// refused (the line it opened on is in the comparison's skipped-input test). What a spreadsheet
// would run gets an apostrophe, numbers keep their sign, and the reader takes off exactly that
// apostrophe: a field's own apostrophes survive.
TEST(Csv, QuotesOnlyWhatNeedsItAndReadsEveryForm) {
    const Records written = {
        {"a,b", "say \"hi\"", "two\r\nlines", " lead", "trail "},
        {"", "in side", "", "", "\""},
        {"<tag>", "1.5", "\n", "'", "end"},
        {"=1+2", "+cmd", "-x", "@SUM(A1)", "\tlead", "\r=x", "=a,b", "'=x", "''@"},
        {"-3.5", "+.5", "1e-3", "-2E+3", "-1e", "-", "it's", "a=b"}};
    std::string text;
    for (const auto& r : written) text += CsvLine(r);
    EXPECT_EQ(text,
              "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\" lead\",\"trail \"\r\n"
              ",in side,,,\"\"\"\"\r\n"
              "<tag>,1.5,\"\n\",',end\r\n"
              "'=1+2,'+cmd,'-x,'@SUM(A1),'\tlead,\"'\r=x\",\"'=a,b\",''=x,'''@\r\n"
              "-3.5,+.5,1e-3,-2E+3,'-1e,'-,it's,a=b\r\n");
    EXPECT_EQ(CsvLine({}), "\r\n");
    const struct {
        std::string text;
        Records records;
    } cases[] = {
        {text, written},
        {"", {}},
        {"a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"a,\r\n,\r\n\"\"", {{"a", ""}, {"", ""}, {""}}},
        {"\r\n", {{""}}},
        // A lone CR is text, not a line end; a quote inside an unquoted field is kept.
        {"a\rb,c\"d\n", {{"a\rb", "c\"d"}}},
    };
    Records read;
    for (const auto& c : cases) {
        std::string error;
        EXPECT_TRUE(ParseCsv(c.text, &read, &error)) << c.text << error;
        EXPECT_EQ(read, c.records) << c.text;
    }
    for (const char* broken : {"a,\"open\r\nb,c\r\n", "\"\"\"", "a,\"x\"y,z\r\n", "\"x\" \r\n"}) {
        std::string error;
        EXPECT_FALSE(ParseCsv(broken, &read, &error)) << broken;
        EXPECT_FALSE(error.empty()) << broken;
    }
}

}  // namespace
}  // namespace results
