// Welch's test against reference values computed once with scipy 1.10 (stats.ttest_ind with
// equal_var=False, stats.t.sf), and the verdicts drawn from it.
#include "results/significance.h"

#include <gtest/gtest.h>

#include <cmath>

namespace results {
namespace {

// Unequal variances and unequal counts throughout; p on either side of 0.05.
TEST(Significance, WelchStatisticDegreesOfFreedomPValueAndVerdict) {
    struct Case {
        std::vector<double> a, b;
        double t, df, p;  // reference
        bool real;
    };
    // clang-format off
    const Case cases[] = {
        {{60.1, 60.4, 59.8, 60.0, 60.3}, {62.0, 58.5, 63.9},
         -0.849583589238433, 2.018252482464971, 0.4843352321096606, false},
        {{50.0, 50.2, 49.9}, {55.1, 54.8, 55.3, 55.0},
         -36.77300275124763, 4.993325917686312, 2.8455252801611465e-07, true},
        {{40.0, 44.0}, {46.0, 47.0},
         -2.182820625326997, 1.1245136186770428, 0.2509798190130844, false},
        {{70.0, 70.0, 70.0}, {68.0, 69.5, 71.0, 67.2},
         1.27973923384534, 3.0, 0.29063036540683834, false},
        {{100.0, 100.5, 99.5, 100.2}, {101.0, 100.4, 101.3},
         -2.5156444807016465, 4.204211155081043, 0.06266732858043128, false},
        {{100.0, 100.5, 99.5, 100.2}, {101.0, 100.6, 101.3},
         -3.139015800444382, 4.863460446875477, 0.02668297934531602, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Sample a = SampleOf(c.a), b = SampleOf(c.b);
        const auto test = Welch(a, b);
        ASSERT_TRUE(test);
        EXPECT_NEAR(test->t, c.t, 1e-9 * std::fabs(c.t)) << c.t;
        EXPECT_NEAR(test->degrees_of_freedom, c.df, 1e-9 * c.df) << c.t;
        EXPECT_NEAR(test->p_value, c.p, 1e-9 * c.p + 1e-13) << c.t;
        EXPECT_EQ(Judge(a, b), c.real ? Verdict::kReal : Verdict::kWithinNoise) << c.t;
    }
    // The textbook critical value: |t| 2.776 at 4 degrees of freedom is p 0.05; 1.5 of them.
    EXPECT_NEAR(StudentTwoSidedP(-2.776445105, 4), 0.05000000001011946, 1e-12);
    EXPECT_NEAR(StudentTwoSidedP(12.3, 1.5), 0.01739062979229174, 1e-12);
    // Neither side varies: the means decide. (A side of one value is the comparison's test.)
    EXPECT_EQ(Welch(SampleOf({60.1, 60.1, 60.1}), SampleOf({60.1, 60.1}))->p_value, 1);
    const auto apart = Welch(SampleOf({60.1, 60.1}), SampleOf({60.2, 60.2, 60.2}));
    ASSERT_TRUE(apart);
    EXPECT_EQ(apart->p_value, 0);
    EXPECT_TRUE(std::isinf(apart->t) && apart->t < 0);
    EXPECT_EQ(apart->degrees_of_freedom, 3);
    EXPECT_EQ(Judge(SampleOf({60.1, 60.1}), SampleOf({60.2, 60.2})), Verdict::kReal);
}

}  // namespace
}  // namespace results
