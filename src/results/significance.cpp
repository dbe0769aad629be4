// Welch's t-test and the Student t distribution it needs, with no library beyond <cmath>.
#include "results/significance.h"

#include <cmath>
#include <limits>

namespace results {

namespace {

constexpr double kLevel = 0.05;  // two-sided: "real" at 95 %

// log Γ(x) for x >= 0.5 (Lanczos, g = 7, nine terms: about 15 correct digits). Ours rather than
// std::lgamma, whose library version (with sin for negative x) adds 2 KB to the exe.
double LogGamma(double x) {
    constexpr double kTerms[] = {
        0.99999999999980993,  676.5203681218851,     -1259.1392167224028,
        771.32342877765313,   -176.61502916214059,   12.507343278686905,
        -0.13857109526572012, 9.9843695780195716e-6, 1.5056327351493116e-7};
    x -= 1;
    double sum = kTerms[0];
    for (int i = 1; i < 9; ++i) sum += kTerms[i] / (x + i);
    const double t = x + 7.5;
    return 0.91893853320467274 + (x + 0.5) * std::log(t) - t + std::log(sum);  // ½ log 2π + ...
}

// The continued fraction of I_x(a, b) (modified Lentz's method), which converges quickly for
// x < (a + 1) / (a + b + 2).
double BetaFraction(double x, double a, double b) {
    constexpr double kTiny = 1e-300;
    constexpr double kEpsilon = 1e-15;
    // f = 1 / (1 + d1 / (1 + d2 / (1 + ...))), term by term.
    double f = kTiny, c = f, d = 0;
    for (int j = 1; j <= 1000; ++j) {
        double numerator = 1;
        if (j > 1) {
            const int k = j - 1;  // d_k
            const double m = k / 2;
            numerator = k % 2 == 0 ? m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m))
                                   : -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
        }
        d = 1 + numerator * d;
        c = 1 + numerator / c;
        if (std::fabs(d) < kTiny) d = kTiny;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1 / d;
        const double step = c * d;
        f *= step;
        if (std::fabs(step - 1) < kEpsilon) break;
    }
    return f;
}

// The regularised incomplete beta function I_x(a, b), for 0 <= x <= 1 and a, b >= 0.5.
double RegularizedIncompleteBeta(double x, double a, double b) {
    if (x <= 0) return 0;
    if (x >= 1) return 1;
    const double log_front =
        a * std::log(x) + b * std::log(1 - x) - (LogGamma(a) + LogGamma(b) - LogGamma(a + b));
    if (x < (a + 1) / (a + b + 2)) return std::exp(log_front) * BetaFraction(x, a, b) / a;
    return 1 - std::exp(log_front) * BetaFraction(1 - x, b, a) / b;
}

}  // namespace

Sample SampleOf(const std::vector<double>& values) {
    Sample sample;
    sample.count = values.size();
    if (values.empty()) return sample;
    double sum = 0;
    bool all_equal = true;
    for (double v : values) {
        sum += v;
        all_equal = all_equal && v == values.front();
    }
    // Equal values have that mean and no variance exactly, whatever the rounding of their sum.
    sample.mean = all_equal ? values.front() : sum / values.size();
    if (values.size() < 2 || all_equal) return sample;
    // Deviations from the mean, not sums of squares: no cancellation for close values.
    double squares = 0;
    for (double v : values) squares += (v - sample.mean) * (v - sample.mean);
    sample.variance = squares / (values.size() - 1);
    return sample;
}

double StudentTwoSidedP(double t, double degrees_of_freedom) {
    if (std::isinf(t)) return 0;
    return RegularizedIncompleteBeta(degrees_of_freedom / (degrees_of_freedom + t * t),
                                     degrees_of_freedom / 2, 0.5);
}

std::optional<WelchTest> Welch(const Sample& a, const Sample& b) {
    if (a.count < 2 || b.count < 2) return std::nullopt;
    const double share_a = a.variance / a.count;
    const double share_b = b.variance / b.count;
    const double error_squared = share_a + share_b;
    WelchTest test;
    if (error_squared == 0) {
        // Neither side varies: every value of each side is its mean, so unequal means are a
        // certain difference and equal ones none. Welch's formula would divide 0 by 0.
        test.degrees_of_freedom = static_cast<double>(a.count + b.count - 2);
        if (a.mean == b.mean) return test;
        test.t = a.mean > b.mean ? std::numeric_limits<double>::infinity()
                                 : -std::numeric_limits<double>::infinity();
        test.p_value = 0;
        return test;
    }
    test.t = (a.mean - b.mean) / std::sqrt(error_squared);
    test.degrees_of_freedom =
        error_squared * error_squared /
        (share_a * share_a / (a.count - 1) + share_b * share_b / (b.count - 1));
    test.p_value = StudentTwoSidedP(test.t, test.degrees_of_freedom);
    return test;
}

Verdict Judge(const Sample& a, const Sample& b) {
    const std::optional<WelchTest> test = Welch(a, b);
    if (!test) return Verdict::kCannotTell;
    return test->p_value < kLevel ? Verdict::kReal : Verdict::kWithinNoise;
}

const char* VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::kReal:
            return "real";
        case Verdict::kWithinNoise:
            return "within noise";
        case Verdict::kCannotTell:
            break;
    }
    return "one run: cannot tell";
}

const char* SignificantText(Verdict verdict) {
    switch (verdict) {
        case Verdict::kReal:
            return "yes";
        case Verdict::kWithinNoise:
            return "no";
        case Verdict::kCannotTell:
            break;
    }
    return "unknown";
}

}  // namespace results
