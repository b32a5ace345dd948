#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/plot_statistics.h"

namespace quorvane {
namespace {

// Two-pass formulas, independent of the running sums the plots use.
double Mean(const std::vector<double>& v) {
  double s = 0;
  for (double x : v) s += x;
  return s / static_cast<double>(v.size());
}

double DirectCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
  const double mx = Mean(x), my = Mean(y);
  double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

TEST(PlotStatisticsTest, CorrelationAndScatterMatchDirectComputations) {
  const std::vector<double> x{1871, 1872, 1873, 1874, 1875, 1876};
  const std::vector<double> y{1120, 1160, 963, 1210, 1160, 1160};
  const auto r = PlotCorrelation(x, y);
  ASSERT_TRUE(r);
  // Sums of values near 1e6 lose about 1e-9 relative in the one-pass formula.
  EXPECT_NEAR(*r, DirectCorrelation(x, y), 1e-7);

  const ScatterStatistics s = ScatterOf(y);
  double ss = 0;
  for (double v : y) ss += (v - Mean(y)) * (v - Mean(y));
  EXPECT_NEAR(s.Mean, Mean(y), 1e-9);
  EXPECT_NEAR(s.Variance, ss / 5.0, 1e-6);
}

TEST(PlotStatisticsTest, WeightedMeanAndSdOfXMatchDirectComputations) {
  const std::vector<double> x{-1, 0, 1, 2};
  const std::vector<double> w{1, 2, 3, 4};
  const auto s = WeightedDistributionOf(x, w);
  ASSERT_TRUE(s);
  // Mean (-1 + 0 + 3 + 8)/10 = 1; variance (1 + 0 + 3 + 16)/10 - 1 = 1.
  EXPECT_DOUBLE_EQ(s->Mean, 1.0);
  EXPECT_DOUBLE_EQ(s->Variance, 1.0);
  EXPECT_EQ(WeightedDistributionLabel(x, w),
            "\r\nDistribution of X:\r\n      Mean = 1.0000\r\n      SD = 1.0000\r\n      Var = 1.0000");
  EXPECT_FALSE(WeightedDistributionOf(x, {1, -1, 1, -1}));
  EXPECT_EQ(WeightedDistributionLabel(x, {1, -1, 1, -1}), "");
}

TEST(PlotStatisticsTest, LabelsNeedThreePointsAndShowTheScatterForColumnPlots) {
  EXPECT_EQ(CorrelationLabel({1, 2}, {3, 5}, true), "");
  EXPECT_EQ(WeightedDistributionLabel({1, 2}, {3, 5}), "");
  // A perfect line: r = 1 and s = 0.
  EXPECT_EQ(CorrelationLabel({1, 2, 3}, {2, 4, 6}, false), "r  = 1.0000\r\ns\xC2\xB0 = 0.0000");
  EXPECT_EQ(CorrelationLabel({1, 2, 3}, {2, 4, 6}, true),
            "r  = 1.0000\r\ns\xC2\xB0 = 0.0000\r\nScatter of Y:\r\n      Mean = 4.0000\r\n"
            "      SD = 2.0000\r\n      Var = 4.0000");
  // Constant Y: no correlation, and the scatter shows only the mean.
  EXPECT_EQ(CorrelationLabel({1, 2, 3}, {5, 5, 5}, true), "Scatter of Y:\r\n      Mean = 5.0000");
}

}  // namespace
}  // namespace quorvane
