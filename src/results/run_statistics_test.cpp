// Frame rates read and written with "." under any locale, and the median and spread of repeats.
#include "results/run_statistics.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <utility>

namespace results {
namespace {

TEST(ParseFps, ReadsTheLogsNumbers) {
    const std::pair<const char*, double> good[] = {
        {"63.87", 63.87}, {"63.87     ", 63.87},
        {" 120", 120.0},  {"0.5", 0.5},
        {".5", 0.5},      {"7.", 7.0},
        {"-1.25", -1.25}, {"1.0000000000000000000009", 1.0}};
    for (const auto& [text, value] : good) EXPECT_EQ(ParseFps(text), value) << text;
    for (const char* bad :
         {"", "   ", ".", "-", "63,87", "63.8.7", "1e3", "fps", "12 fps", "nan", "0x10", "6 3"}) {
        EXPECT_EQ(ParseFps(bad), std::nullopt) << bad;
    }
}

TEST(FormatFps, RoundsToHundredthsWithAPoint) {
    EXPECT_EQ(FormatFps(63.87), "63.87");
    EXPECT_EQ(FormatFps(63.875), "63.88");
    EXPECT_EQ(FormatFps(0), "0.00");
    EXPECT_EQ(FormatFps(9.999), "10.00");
    EXPECT_EQ(FormatFps(1234567.5), "1234567.50");
    EXPECT_EQ(FormatDecimal(-3.45, 1), "-3.5");
    EXPECT_EQ(FormatDecimal(-0.01, 1), "0.0");
    EXPECT_EQ(FormatDecimal(12.4, 0), "12");
    EXPECT_EQ(FormatDecimal(1.0 / 0.0, 2), "");
}

// Under a locale whose decimal mark is a comma, printf writes "63,87"; ours still write "63.87".
TEST(FormatFps, IgnoresACommaDecimalLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name)) {
            german = name;
            break;
        }
    }
    if (!german) GTEST_SKIP() << "no de_DE locale here (scripts/setup makes one)";
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.2f", 63.87);
    EXPECT_STREQ(printed, "63,87") << "the locale is not in effect";
    EXPECT_EQ(FormatFps(63.87), "63.87");
    EXPECT_EQ(FormatDecimal(-12.5, 1), "-12.5");
    EXPECT_EQ(ParseFps("63.87"), 63.87);
    EXPECT_EQ(ParseFps("63,87"), std::nullopt);
    std::setlocale(LC_ALL, before.c_str());
}

// Counts of 1, 2, 3 and 5 and failed repeats are in AveragesOf's test (run_cells_test.cpp).
TEST(SpreadOf, TiesAndZeroes) {
    EXPECT_EQ(SpreadOf({}), std::nullopt);
    const auto ties = SpreadOf({20, 20, 10, 20});
    ASSERT_TRUE(ties);
    EXPECT_EQ(ties->median, 20);
    EXPECT_EQ(ties->median_index, 0u);  // the first of equal values
    EXPECT_DOUBLE_EQ(ties->percent, 50);
    EXPECT_EQ(SpreadOf({0, 0})->percent, 0);
    EXPECT_EQ(SpreadOf({0, 5, 0})->percent, 0);
}

}  // namespace
}  // namespace results
