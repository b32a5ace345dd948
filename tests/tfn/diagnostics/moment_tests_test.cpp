#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <vector>

#include "tfn/diagnostics/kurtosis_test.h"
#include "tfn/diagnostics/skewness_test.h"
#include "tfn/diagnostics/student_t_closed_form.h"

namespace quorvane {
namespace {

using testing::StudentTTwoSidedP;

// k copies of `high` and n - k copies of `low`: its moments are those of a
// Bernoulli variable with q = k / n, so g1 = (1 - 2q) / sqrt(q (1 - q)) and
// g2 = (1 - 6 q (1 - q)) / (q (1 - q)).
std::vector<double> TwoPoint(int k, int n, double high, double low) {
  std::vector<double> r(static_cast<std::size_t>(n), low);
  for (int i = 0; i < k; ++i) r[static_cast<std::size_t>(i)] = high;
  return r;
}

TEST(DiagnosticSkewnessTest, SymmetricResidualsHaveNoSkewness) {
  // Symmetric about 1.5, and unevenly spaced: every odd moment cancels exactly.
  const std::vector<double> r = {-2.5, 1.5, 0.5, 5.5, 2.5, -1.5, 3.5, 4.5, 1.5,
                                 -0.5, 2.5, 1.5, 0.5, 1.5, 1.5, 1.5, 2.5, 0.5};
  const auto result = SkewnessTest(r);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->G1, 0.0);
  EXPECT_EQ(result->Z, 0.0);
  // p = 1 + P(|T| > 20) for df 17, about 1 + 1e-12.
  ASSERT_FALSE(result->P.BelowLimit);
  EXPECT_NEAR(result->P.Value, 1.0, 1e-9);
}

TEST(DiagnosticSkewnessTest, SkewedTwoPointSample) {
  // 5 of 20 at 3 and 15 at -1: g1 = (1 - 2/4) / sqrt(3/16) = 2/sqrt(3).
  // Z evaluated separately (Python, double) from D'Agostino's formula.
  const auto result = SkewnessTest(TwoPoint(5, 20, 3.0, -1.0));
  ASSERT_TRUE(result.has_value());
  EXPECT_NEAR(result->G1, 2 / std::sqrt(3.0), 1e-14);
  EXPECT_NEAR(result->Z, 2.3336529851352403, 1e-12);
  ASSERT_FALSE(result->P.BelowLimit);
  EXPECT_NEAR(result->P.Value, StudentTTwoSidedP(result->Z, 19), 1e-9);

  // Mirrored residuals mirror the statistic.
  const auto mirrored = SkewnessTest(TwoPoint(5, 20, -3.0, 1.0));
  ASSERT_TRUE(mirrored.has_value());
  EXPECT_NEAR(mirrored->Z, -result->Z, 1e-12);
  EXPECT_NEAR(mirrored->P.Value, result->P.Value, 1e-12);
}

TEST(DiagnosticSkewnessTest, LargeSamplesApproachTheNormalApproximation) {
  // For large n, Z -> g1 sqrt(n / 6): the corrections are O(1/n) and
  // O(Z^2 / n) relative, about 2e-5 here.
  const int n = 400000;
  const auto result = SkewnessTest(TwoPoint(n / 2 + 800, n, 1.0, 0.0));
  ASSERT_TRUE(result.has_value());
  EXPECT_NEAR(result->Z / (result->G1 * std::sqrt(n / 6.0)), 1.0, 1e-4);
}

TEST(DiagnosticSkewnessTest, NoResultWithoutVarianceOrBelowEightValues) {
  EXPECT_FALSE(SkewnessTest(std::vector<double>(12, 2.5)).has_value());
  EXPECT_FALSE(SkewnessTest({}).has_value());
  // The normalization needs W^2 > 1, first true at n = 8.
  const std::vector<double> r = {0.3, -1.2, 2.2, 0.1, -0.4, 1.7, -0.9, 0.6};
  EXPECT_FALSE(SkewnessTest(std::span(r).first(7)).has_value());
  EXPECT_TRUE(SkewnessTest(r).has_value());
}

TEST(DiagnosticKurtosisTest, SamplesWithKnownMoments) {
  const struct {
    const char* name;
    std::vector<double> r;
    double g2;
  } cases[] = {
      // +-1 in equal numbers: m2 = m4 = 1, g2 = -2.
      {"two points", TwoPoint(25, 50, 4.0, 2.0), -2.0},
      // One -1, one +1 and 38 zeros: m2 = m4 = 2/40, g2 = 40/2 - 3.
      {"two outliers", [] {
         std::vector<double> r(40, 0.0);
         r[3] = -1.0;
         r[30] = 1.0;
         return r;
       }(), 17.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = KurtosisTest(c.r);
    ASSERT_TRUE(result.has_value());
    const double n = static_cast<double>(c.r.size());
    EXPECT_NEAR(result->G2, c.g2, 1e-13);
    EXPECT_NEAR(result->T, c.g2 / std::sqrt(24 / n), 1e-12);
    const double p = StudentTTwoSidedP(std::fabs(result->T), static_cast<long>(n) - 1);
    if (p < 1e-4) {
      EXPECT_TRUE(result->P.BelowLimit);
    } else {
      ASSERT_FALSE(result->P.BelowLimit);
      EXPECT_NEAR(result->P.Value, p, 1e-9);
    }
  }
}

TEST(DiagnosticKurtosisTest, NoResultWithoutVariance) {
  EXPECT_FALSE(KurtosisTest(std::vector<double>(9, -0.75)).has_value());
  EXPECT_FALSE(KurtosisTest(std::vector<double>{3.0}).has_value());
}

}  // namespace
}  // namespace quorvane
