#include "evaluate/confidence_distribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace quorvane {
namespace {

// A series of n points x = centre + (p - m) h with -ln[L] given by `objective`,
// the best point the lowest one, as the profile leaves them.
EvaluationSeries Profile(int n, double centre, double h, const std::function<double(double)>& objective) {
  EvaluationSeries s;
  s.ProfilePointCount = static_cast<std::int16_t>(n);
  s.SizeSeries(n);
  const int m = (n - 1) / 2 + 1;
  double lowest = 1E+100;
  for (int p = 1; p <= n; ++p) {
    const double x = centre - (m - p) * h;
    s.ProfileValues[p] = x;
    s.ProfileObjective[p] = objective(x);
    if (s.ProfileObjective[p] < lowest) {
      lowest = s.ProfileObjective[p];
      s.BestPoint = static_cast<std::int16_t>(p);
      s.BestValue = x;
    }
  }
  return s;
}

// The standard deviation of a normal truncated to mean +- 4 sigma, in units
// of sigma: sqrt(1 - 2 a phi(a) / (2 Phi(a) - 1)) with a = 4.
double TruncatedAtFourSigma() {
  const double a = 4.0;
  const double phi = std::exp(-a * a / 2.0) / std::sqrt(2.0 * M_PI);
  const double mass = std::erf(a / std::sqrt(2.0));
  return std::sqrt(1.0 - 2.0 * a * phi / mass);
}

TEST(ConfidenceDistributionTest, QuadraticProfileGivesTheNormalMeanAndSe) {
  struct Case { double mu, sigma; };
  for (const Case c : {Case{0.0, 1.0}, Case{10.0, 0.25}, Case{-3.5, 40.0}}) {
    const int n = 101;
    const double h = 8.0 * c.sigma / (n - 1);  // mu +- 4 sigma
    // An offset in -ln[L] must not matter: the profile is taken relative to its best point.
    EvaluationSeries s = Profile(n, c.mu, h, [&](double x) {
      return 123.0 + (x - c.mu) * (x - c.mu) / (2.0 * c.sigma * c.sigma);
    });
    ConfidenceDistribution(s, h);
    // Simpson's error on this grid (h = 0.08 sigma) is far below 1e-6 sigma;
    // the tolerance 1e-4 sigma is the one asked of the method. The SE is that
    // of the normal cut at +- 4 sigma (0.99946 sigma), which is what an
    // integral over the profile's range can give.
    EXPECT_NEAR(s.ExpectedValue, c.mu, 1e-4 * c.sigma);
    EXPECT_NEAR(s.EstimatedSE, TruncatedAtFourSigma() * c.sigma, 1e-4 * c.sigma);
    EXPECT_NEAR(s.EstimatedSE, c.sigma, 1e-3 * c.sigma);
    EXPECT_NEAR(s.EstimatedDiff, 0.0, 1e-4 * c.sigma);
    EXPECT_EQ(s.ProfileObjective[s.BestPoint], 0.0);
    EXPECT_NEAR(s.ProfileObjective[1], 8.0, 1e-9);  // relative to the best point
    // The cumulative reaches 1 (it is capped there) and never falls.
    EXPECT_DOUBLE_EQ(s.ProfileCumulative[n], 1.0);
    for (int p = 2; p <= n; ++p) EXPECT_GE(s.ProfileCumulative[p], s.ProfileCumulative[p - 1]);
    // Density against the Gaussian of the same mean and SE: both peak at
    // 1 / (sqrt(2 pi) sigma) within the truncation's 0.1 %.
    const double peak = 1.0 / (std::sqrt(2.0 * M_PI) * c.sigma);
    EXPECT_NEAR(s.ProfilePdf[51], peak, 2e-3 * peak);
    EXPECT_NEAR(s.NormalPdf[51], peak, 2e-3 * peak);
    EXPECT_EQ(s.ProfileValues[0], 0.0);
    EXPECT_EQ(s.ProfileCumulative[0], 0.0);
  }
}

TEST(ConfidenceDistributionTest, RegionsMeasureFromTheModeAndTheMean) {
  // -ln[L] = (x - 10)^2 / 2 at 101 points with step 0.1: one unit from the
  // mode lies about 68.3 % of the mass on that side (2 Phi(1) - 1 = 0.6827,
  // cut at 5 sigma, Simpson on a 0.1 grid: 1e-3).
  const double h = 0.1;
  EvaluationSeries s = Profile(101, 10.0, h, [](double x) { return (x - 10.0) * (x - 10.0) / 2.0; });
  ConfidenceDistribution(s, h);
  ASSERT_EQ(s.BestPoint, 51);
  EXPECT_EQ(s.ModeRegion[51], 0.0);
  EXPECT_NEAR(s.ModeRegion[61], 0.6827, 1e-3);
  EXPECT_NEAR(s.ModeRegion[41], 0.6827, 1e-3);
  // Point 1 holds its own P[1] h of cumulative (3e-7 here), so it falls just short of 1.
  EXPECT_NEAR(s.ModeRegion[1], 1.0, 1e-6);
  EXPECT_NEAR(s.ModeRegion[101], 1.0, 1e-9);
  // The mean is 10 to rounding, so the mean region is centred on point 51 too.
  EXPECT_EQ(s.MeanRegion[51], 0.0);
  EXPECT_NEAR(s.MeanRegion[61], s.ModeRegion[61], 1e-12);

  // A skewed profile: the mode (x = 1, point 3 of 11) and the nearest point
  // to the mean differ, and each region is 0 at its own centre.
  const double h2 = 0.5;
  EvaluationSeries skew = Profile(11, 2.5, h2, [](double x) { return x - std::log(x); });  // Gamma(2, 1)
  ConfidenceDistribution(skew, h2);
  ASSERT_EQ(skew.BestPoint, 3);
  int nearest = 1;
  for (int p = 1; p <= 11; ++p)
    if (std::abs(skew.ProfileValues[p] - skew.ExpectedValue) <
        std::abs(skew.ProfileValues[nearest] - skew.ExpectedValue))
      nearest = p;
  ASSERT_NE(nearest, 3);
  EXPECT_EQ(skew.ModeRegion[3], 0.0);
  EXPECT_EQ(skew.MeanRegion[nearest], 0.0);
  EXPECT_GT(skew.MeanRegion[3], 0.0);
  EXPECT_DOUBLE_EQ(skew.EstimatedDiff, skew.BestValue - skew.ExpectedValue);
}

TEST(ConfidenceDistributionTest, ThreePointsMakeOneSimpsonPanel) {
  // x = 1, 2, 3 with -ln[L] 1, 0, 2 (relative to the best): D = e^-1, 1, e^-2.
  EvaluationSeries s = Profile(3, 2.0, 1.0, [](double x) { return x == 1.0 ? 1.0 : x == 2.0 ? 0.0 : 2.0; });
  ConfidenceDistribution(s, 1.0);
  const double d1 = std::exp(-1.0), d3 = std::exp(-2.0);
  const double S0 = (1.0 / 3.0) * (d1 + 4.0 + d3);
  const double S1 = (1.0 / 3.0) * (1.0 * d1 + 4.0 * 2.0 + 3.0 * d3);
  const double S2 = (1.0 / 3.0) * (1.0 * d1 + 4.0 * 4.0 + 9.0 * d3);
  const double mu = S1 / S0;
  // The same arithmetic in another order: a few ulps.
  EXPECT_NEAR(s.ExpectedValue, mu, 1e-14);
  EXPECT_NEAR(s.EstimatedSE, std::sqrt(S2 / S0 - mu * mu), 1e-14);
  EXPECT_NEAR(s.ProfilePdf[1], d1 / S0, 1e-15);
  EXPECT_NEAR(s.ProfileCumulative[1], d1 / S0, 1e-15);               // P[1] h
  EXPECT_NEAR(s.ProfileCumulative[2], (d1 + 1.0) / S0, 1e-15);       // C[1] + P[2] h
  EXPECT_DOUBLE_EQ(s.ProfileCumulative[3], 1.0);                     // capped
}

TEST(ConfidenceDistributionTest, ABestFirstPointLeavesTheRegionsUntouched) {
  // -ln[L] rising steeply from point 1: both the mode and the point nearest
  // the mean are point 1, so neither region is filled and both keep 0.
  EvaluationSeries s = Profile(5, 3.0, 1.0, [](double x) { return 40.0 * (x - 1.0); });
  ConfidenceDistribution(s, 1.0);
  ASSERT_EQ(s.BestPoint, 1);
  for (int p = 0; p <= 5; ++p) {
    EXPECT_EQ(s.ModeRegion[p], 0.0) << p;
    EXPECT_EQ(s.MeanRegion[p], 0.0) << p;
  }
  EXPECT_GT(s.ProfilePdf[1], 0.0);
}

TEST(ConfidenceDistributionTest, AnObjectiveThatIsNotANumberGivesNoStatistics) {
  EvaluationSeries s = Profile(5, 0.0, 1.0, [](double x) { return x * x; });
  s.ProfileObjective[2] = std::nan("");
  ConfidenceDistribution(s, 1.0);
  EXPECT_EQ(s.ExpectedValue, 0.0);
  EXPECT_EQ(s.EstimatedSE, 0.0);
  for (int p = 1; p <= 5; ++p) {
    EXPECT_EQ(s.ProfilePdf[p], 0.0);
    EXPECT_EQ(s.NormalPdf[p], 0.0);
  }
}

}  // namespace
}  // namespace quorvane
