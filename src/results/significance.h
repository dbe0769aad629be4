// Whether two results really differ: Welch's two-sided t-test at the 95 % level over the
// recorded average frame rates of each side, and the verdict the pages print beside a change.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace results {

// What the test needs of one side's recorded averages.
struct Sample {
    size_t count = 0;
    double mean = 0;
    double variance = 0;  // the sample variance (divided by count - 1); 0 for fewer than 2
};

Sample SampleOf(const std::vector<double>& values);

struct WelchTest {
    double t = 0;                   // (mean of a - mean of b) / its standard error
    double degrees_of_freedom = 0;  // Welch-Satterthwaite
    double p_value = 1;             // two-sided, from Student's t distribution
};

// Welch's t-test of equal means; nullopt when a side has fewer than 2 values. When neither side
// varies at all the statistic is undefined: the means then differ for certain (p 0, t infinite,
// as many degrees of freedom as values less two) or not at all (p 1, t 0).
std::optional<WelchTest> Welch(const Sample& a, const Sample& b);

// The probability that Student's t with `degrees_of_freedom` (at least 1, as Welch's always
// are) lies at least |t| from 0.
double StudentTwoSidedP(double t, double degrees_of_freedom);

enum class Verdict {
    kReal,         // both sides have 2 or more values and the test rejects equal means
    kWithinNoise,  // both have 2 or more and it does not
    kCannotTell,   // a side has a single value
};

// The verdict on a change between two sides that each have at least one value.
Verdict Judge(const Sample& a, const Sample& b);

// "real", "within noise", "one run: cannot tell": the words the pages show.
const char* VerdictText(Verdict verdict);

// "yes", "no", "unknown": the word compare.csv's ": significant" column holds.
const char* SignificantText(Verdict verdict);

}  // namespace results
