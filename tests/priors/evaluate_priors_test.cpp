// The nine prior terms against their closed forms, and the scaled total.
#include "priors/evaluate_priors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "priors/normal_cdf.h"
#include "support/allocation_counter.h"

namespace quorvane {
namespace {

PriorRow Row(char type, double first, double second, std::string third = "Unused",
             std::string fourth = "Unused") {
  PriorRow row;
  row.Type = std::string(1, type);
  row.FirstTerm = first;
  row.SecondTerm = second;
  row.SetThirdTerm(std::move(third));
  row.SetFourthTerm(std::move(fourth));
  return row;
}

struct TermCase {
  const char* name;
  PriorRow row;
  double x;
  double expected;
  bool added;
  double tolerance;
};

// Tolerances: 1e-12 where the term is plain arithmetic and logarithms;
// 3e-7 for the cliffs, whose terms inherit the 1.2E-7 relative error of
// NormalCdf (the term -ln P changes by dP/P); 0 for exact penalties.
const double kLn2 = std::log(2.0);
const TermCase kCases[] = {
    {"UniformUnbounded", Row('U', UnsetTerm, UnsetTerm), 7.0, 0.0, false, 0.0},
    {"NormalOneSdAndAHalf", Row('N', 2.0, 0.5), 3.0, 2.0, true, 1e-12},
    {"ExponentialMean4", Row('E', 4.0, 4.0), 2.0, 0.5, true, 1e-12},
    {"ExponentialAtZero", Row('E', 4.0, 4.0), 0.0, 0.0, false, 0.0},
    {"ExponentialBelowZero", Row('E', 4.0, 4.0), -0.5, 1E+20 * 0.25, false, 0.0},
    {"GammaAtItsMode", Row('G', 2.0, 1.0), 1.5, 0.0, true, 1e-12},
    {"GammaBelowSupport", Row('G', 2.0, 1.0), -1.0, 1E+20 * std::pow(1.0 + 1E-6, 2), false, 1e8},
    {"BetaAtItsMode", Row('B', 0.5, 0.1), 0.5, 0.0, true, 1e-12},
    {"BetaAboveSupport", Row('B', 0.5, 0.1), 1.5, 1E+20 * std::pow(0.5 + 1E-6, 2), false, 1e8},
    {"LeftCliffAtFoot", Row('S', 0.0, 1.0), 0.0, kLn2, true, 3e-7},
    {"LeftCliffFarRight", Row('S', 0.0, 1.0), 10.0, 0.0, true, 1e-15},
    {"LeftCliffFarLeftPenalty", Row('S', 0.0, 1.0), -40.0, 1E+20 * 1600.0, true, 0.0},
    {"SharpLeftCliffInside", Row('S', 0.0, 0.0), 0.0, 0.0, true, 0.0},
    {"SharpLeftCliffOutside", Row('S', 0.0, 0.0), -1.0, 1E+20, true, 0.0},
    {"RightCliffAtFoot", Row('D', 0.0, 1.0), 0.0, kLn2, true, 3e-7},
    {"RightCliffFarRightPenalty", Row('D', 0.0, 1.0), 9.0, 1E+20 * 81.0, true, 0.0},
    {"SharpRightCliffOutside", Row('D', 0.0, 0.0), 1.0, 1E+20, true, 0.0},
    {"SharpRightCliffInside", Row('D', 0.0, 0.0), -5.0, 0.0, true, 0.0},
    {"SharpBoundedUniformInside", Row('T', 0.0, 0.0, "10", "0"), 5.0, 0.0, true, 0.0},
    {"SharpBoundedUniformRight", Row('T', 0.0, 0.0, "10", "0"), 11.0, 1E+20, true, 0.0},
    {"SharpBoundedUniformLeft", Row('T', 0.0, 0.0, "10", "0"), -1.0, 1E+20, true, 0.0},
    {"SoftBoundedUniformAtRightFoot", Row('T', 0.0, 1.0, "10", "1"), 10.0, kLn2, true, 3e-7},
    {"LetterOutsideTheNine", Row('Q', 1.0, 1.0), 3.0, 0.0, false, 0.0},
    // Undefined terms give 0 rather than NaN: an SD of 0, a Gamma SD above its mean.
    {"NormalWithSdZero", Row('N', 1.0, 0.0), 1.0, 0.0, false, 0.0},
    {"GammaWithSdAboveMean", Row('G', 2.0, 3.0), 1.0, 0.0, false, 0.0},
};

class PriorTermTest : public ::testing::TestWithParam<TermCase> {};

TEST_P(PriorTermTest, MatchesItsClosedForm) {
  const TermCase& c = GetParam();
  const PriorTermValue value = PriorTermAt(c.row, c.x);
  EXPECT_NEAR(value.term, c.expected, c.tolerance);
  EXPECT_EQ(value.added, c.added);
}

INSTANTIATE_TEST_SUITE_P(Cases, PriorTermTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

// A Beta whose mode (1 - a)/(2 - a - b) lies above 1 (a < 1 < b) measures
// its term from the clamped mode 0.999999.
TEST(PriorTermTest, BetaWithModeOutsideUsesTheClampedMode) {
  const double m = 0.1, s = 0.2;
  const double a = m * (m - m * m - s * s) / (s * s), b = (1 - m) * (m - m * m - s * s) / (s * s);
  ASSERT_GT((1 - a) / (2 - a - b), 1.0);
  const double M = 0.999999, x = 0.5;
  const double expected = (1 - a) * std::log(x) + (1 - b) * std::log(1 - x) -
                          ((1 - a) * std::log(M) + (1 - b) * std::log(1 - M));
  EXPECT_NEAR(PriorTermAt(Row('B', m, s), x).term, expected, 1e-12);
}

// Negative log densities computed from their textbook forms; the terms drop
// a constant, so differences between two points must agree.
double GammaNll(double x, double mean, double sd) {
  const double k = mean * mean / (sd * sd), theta = sd * sd / mean;
  return -((k - 1) * std::log(x) - x / theta - std::lgamma(k) - k * std::log(theta));
}
double LnNormalNll(double x, double mean, double sd) {
  const double sigma2 = std::log(1 + sd * sd / (mean * mean));
  const double mu = std::log(mean) - sigma2 / 2;
  const double z = std::log(x) - mu;
  return std::log(x) + 0.5 * std::log(2 * std::numbers::pi * sigma2) + z * z / (2 * sigma2);
}
double BetaNll(double x, double mean, double sd) {
  const double n = mean * (1 - mean) / (sd * sd) - 1;  // a + b
  const double a = mean * n, b = (1 - mean) * n;
  return -((a - 1) * std::log(x) + (b - 1) * std::log(1 - x) - std::lgamma(a) - std::lgamma(b) +
           std::lgamma(a + b));
}

TEST(PriorTermTest, GammaLnNormalAndBetaAreNegativeLogDensitiesUpToAConstant) {
  struct Density {
    PriorRow row;
    double (*nll)(double, double, double);
    std::vector<double> points;
  };
  const Density densities[] = {
      {Row('G', 2.0, 1.0), GammaNll, {0.2, 1.0, 1.5, 3.0, 7.5}},
      {Row('G', 10.0, 2.0), GammaNll, {4.0, 9.6, 15.0}},
      {Row('L', 1.0, 0.5), LnNormalNll, {0.1, 0.6, 1.0, 2.5, 6.0}},
      {Row('L', 50.0, 5.0), LnNormalNll, {30.0, 49.0, 70.0}},
      {Row('B', 0.5, 0.1), BetaNll, {0.05, 0.3, 0.5, 0.9}},
      {Row('B', 0.2, 0.1), BetaNll, {0.01, 0.15, 0.6, 0.99}},
  };
  for (const Density& d : densities) {
    const double m = d.row.FirstTerm, s = d.row.SecondTerm;
    const double reference = d.points.front();
    for (double x : d.points) {
      SCOPED_TRACE(d.row.Type + " at " + std::to_string(x));
      // 1e-9: sums of logarithms of terms up to about 1e2, in double precision.
      EXPECT_NEAR(PriorTermAt(d.row, x).term - PriorTermAt(d.row, reference).term,
                  d.nll(x, m, s) - d.nll(reference, m, s), 1e-9);
      EXPECT_GE(PriorTermAt(d.row, x).term, -1e-12);  // 0 at the mode is the least
    }
  }
}

TEST(EvaluatePriorsTest, SumsTheAddedTermsTimesTheScaleAndKeepsEveryTerm) {
  PriorTable table;
  table.Reset(4);
  table.Rows[1] = Row('N', 2.0, 0.5);   // 2.0 at x = 3
  table.Rows[2] = Row('E', 4.0, 4.0);   // penalty at x = -1, not added
  table.Rows[3] = Row('S', 0.0, 0.0);   // penalty at x = -1, added
  const OneBased<double> values{9.0, 3.0, -1.0, -1.0};
  std::vector<double> terms(4, -7.0);
  EXPECT_DOUBLE_EQ(EvaluatePriors(table, values, 1.0, terms), 2.0 + 1E+20);
  EXPECT_EQ(terms, (std::vector<double>{0.0, 2.0, 1E+20, 1E+20}));
  EXPECT_EQ(EvaluatePriors(table, values, 0.0), 0.0);
  table.Reset(4);
  EXPECT_EQ(EvaluatePriors(table, values, 1.0, terms), 0.0);
  EXPECT_EQ(terms, std::vector<double>(4, 0.0));
}

// It runs once per objective evaluation: no allocation, whatever the types.
TEST(EvaluatePriorsTest, AllocatesNothing) {
  PriorTable table;
  table.Reset(9);
  for (std::size_t i = 0; i < 9; ++i) {
    table.Rows[i] = Row(PriorTypeNames[i].letter, 0.5, 0.1, "1", "0.1");
    if (table.Rows[i].Type == "T") table.Rows[i].FirstTerm = 0.0;
  }
  const OneBased<double> values(9, 0.4);
  std::vector<double> terms(9);
  double total = 0.0;
  testing::AllocationCounter counter;
  for (int k = 0; k < 10; ++k) total += EvaluatePriors(table, values, 1.0, terms);
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_TRUE(std::isfinite(total));
}

TEST(NormalCdfTest, IsTheNormalProbabilityWithinTheApproximationsError) {
  // 1.2e-7: the approximation's bound on the error of erfc.
  EXPECT_NEAR(NormalCdf(0.0), 0.5, 1.2e-7);
  for (double x : {0.1, 0.5, 1.0, 1.96, 3.0, 5.0, 8.0}) {
    SCOPED_TRACE(x);
    EXPECT_NEAR(NormalCdf(x), 0.5 * std::erfc(-x / std::sqrt(2.0)), 1.2e-7);
    EXPECT_NEAR(NormalCdf(-x), 0.5 * std::erfc(x / std::sqrt(2.0)),
                1.2e-7 * 0.5 * std::erfc(x / std::sqrt(2.0)));
    // Both halves use the same erfc: the symmetry holds to rounding.
    EXPECT_NEAR(NormalCdf(-x), 1.0 - NormalCdf(x), 1e-15);
  }
}

}  // namespace
}  // namespace quorvane
