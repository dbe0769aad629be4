// Frame rates read and written with "." under any locale, and the median and spread of repeats.
#include "results/run_statistics.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>

namespace results {
namespace {

TEST(ParseFps, ReadsTheLogsNumbers) {
    const std::pair<const char*, double> good[] = {
        {"63.87", 63.87}, {"63.87     ", 63.87},
        {" 120", 120.0},  {"90.5", 90.5},
        {".5", 0.5},      {"7.", 7.0},
        {"-1.25", -1.25}, {"1.0000000000000000000009", 1.0}};
    for (const auto& [text, value] : good) EXPECT_EQ(ParseFps(text), value) << text;
    for (const char* bad :
         {"", "   ", ".", "-", "63,87", "63.8.7", "1e3", "fps", "12 fps", "nan", "0x10", "6 3"}) {
        EXPECT_EQ(ParseFps(bad), std::nullopt) << bad;
    }
}

// Under a locale whose decimal mark is a comma, printf writes "63,87"; ours still write "63.87".
TEST(FormatFps, RoundsToHundredthsWithAPointUnderACommaLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        comma = comma || std::setlocale(LC_ALL, name);
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.2f", 63.87);
    EXPECT_EQ(printed, std::string(comma ? "63,87" : "63.87")) << "the locale is not in effect";
    EXPECT_EQ(FormatFps(63.87), "63.87");
    EXPECT_EQ(FormatFps(63.875), "63.88");
    EXPECT_EQ(FormatFps(0), "0.00");
    EXPECT_EQ(FormatFps(9.999), "10.00");
    EXPECT_EQ(FormatFps(1234567.5), "1234567.50");
    EXPECT_EQ(FormatDecimal(-3.45, 1), "-3.5");
    EXPECT_EQ(FormatDecimal(-0.01, 1), "0.0");
    EXPECT_EQ(FormatDecimal(12.4, 0), "12");
    EXPECT_EQ(FormatDecimal(1.0 / 0.0, 2), "");
    EXPECT_EQ(ParseFps("63.87"), 63.87);
    std::setlocale(LC_ALL, before.c_str());
    if (!comma) GTEST_SKIP() << "no de_DE locale here (scripts/setup makes one)";
}

TEST(SpreadOf, MedianLowestHighestAndSpread) {
    EXPECT_EQ(SpreadOf({}), std::nullopt);
    const struct {
        std::vector<double> values;
        double median, min, max, percent;
        size_t median_index;
    } cases[] = {
        {{50}, 50, 50, 50, 0, 0},
        {{60, 40}, 40, 40, 60, 50, 1},  // of an even count the lower middle one
        {{30, 10, 20}, 20, 10, 30, 100, 2},
        {{65, 40, 90, 50, 20}, 50, 20, 90, 140, 3},
        {{20, 20, 10, 20}, 20, 10, 20, 50, 0},  // the first of equal values
        {{0, 0}, 0, 0, 0, 0, 0},
        {{0, 5, 0}, 0, 0, 5, 0, 2},  // no spread of a median 0
    };
    for (const auto& c : cases) {
        const auto s = SpreadOf(c.values);
        ASSERT_TRUE(s);
        EXPECT_EQ(std::tuple(s->count, s->median_index, s->median, s->min, s->max),
                  std::tuple(c.values.size(), c.median_index, c.median, c.min, c.max));
        EXPECT_DOUBLE_EQ(s->percent, c.percent);
    }
}

}  // namespace
}  // namespace results
