#include "tfn/diagnostics/variance_trend_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/scripted_ui.h"
#include "tfn/diagnostics/student_t_closed_form.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;
using testing::StudentTTwoSidedP;

// Residuals whose squares are exactly c exp(g z): there r^2 e is constant at
// v = g, where the score sum r^2 e (z - zbar) vanishes, so the maximum-
// likelihood trend is g. There A = n K, B = 0 and C = K sum (z - zbar)^2, so
// I = sum (z - zbar)^2 / 2 and T = g sqrt(I).
struct ExactTrend {
  std::vector<double> r;
  std::vector<double> z;
  double information = 0;
};

ExactTrend WithTrend(std::vector<double> z, double g, double scale) {
  ExactTrend trend{{}, z, 0};
  double mean = 0;
  for (double value : z) mean += value / static_cast<double>(z.size());
  for (std::size_t i = 0; i < z.size(); ++i) {
    const double sign = i % 2 == 0 ? 1.0 : -1.0;
    trend.r.push_back(sign * scale * std::exp(g * z[i] / 2));
    trend.information += (z[i] - mean) * (z[i] - mean) / 2;
  }
  return trend;
}

std::vector<double> Periods(int n) {
  std::vector<double> z;
  for (int t = 1; t <= n; ++t) z.push_back(t);
  return z;
}

// Fitted levels in no particular order.
std::vector<double> Levels(int n) {
  std::vector<double> z;
  for (int i = 1; i <= n; ++i) z.push_back(((37 * i) % 101) / 8.0);
  return z;
}

// Halvings of the bracket width until the step is below 1e-6.
long HalvingsOf(double width) {
  long count = 0;
  do {
    width /= 2;
    ++count;
  } while (std::fabs(width) >= 1e-6);
  return count;
}

TEST(DiagnosticVarianceTrendTest, FindsTheTrendOfConstructedResiduals) {
  // The bisection stops with a step below 1e-6 on the negative-score side
  // of the root, so v lies within 1e-6 of g; T = v sqrt(I) inherits that as
  // a relative error of 1e-6 / |g| (I moves only at second order).
  const struct {
    const char* name;
    ExactTrend data;
    VarianceTrendMode mode;
    double g;
  } cases[] = {
      {"squares growing with time", WithTrend(Periods(100), 0.1, 1.0), VarianceTrendMode::Time, 0.1},
      {"squares shrinking with time", WithTrend(Periods(60), -0.07, 3.0), VarianceTrendMode::Time, -0.07},
      {"squares growing with the level", WithTrend(Levels(80), 0.25, 0.5), VarianceTrendMode::Level, 0.25},
      {"a weak trend", WithTrend(Periods(60), 0.01, 1.0), VarianceTrendMode::Time, 0.01},
      // Tiny residuals: the first bracket (+-2e-6) misses the root and must widen.
      {"tiny residuals", WithTrend(Periods(100), 0.1, 1e-4), VarianceTrendMode::Time, 0.1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedUi ui;
    const auto result = VarianceTrendTest(c.data.r, c.data.z, c.mode, ui);
    ASSERT_TRUE(result.has_value());
    EXPECT_NEAR(result->V, c.g, 1e-6);
    EXPECT_NEAR(result->T, c.g * std::sqrt(c.data.information),
                2e-6 / std::fabs(c.g) * std::fabs(result->T));
    // Two-sided, df = n - 1; the t density beyond -20 adds under 1e-9 here.
    const double p = StudentTTwoSidedP(std::fabs(result->T), static_cast<long>(c.data.r.size()) - 1);
    if (p < 1e-4) {
      EXPECT_TRUE(result->P.BelowLimit);
    } else {
      ASSERT_FALSE(result->P.BelowLimit);
      EXPECT_NEAR(result->P.Value, p, 1e-6);
    }
    EXPECT_TRUE(ui.Log.empty());
  }

  // Growing with time over 100 periods: T = 0.1 sqrt(100 (100^2 - 1) / 24)
  // = 20.4 >= 20, so p is the text. The bracket is +-s with s the slope
  // between the extreme squares, e^10 at t = 100 and e^0.1 at t = 1.
  ScriptedUi ui;
  const auto grows = WithTrend(Periods(100), 0.1, 1.0);
  const auto result = VarianceTrendTest(grows.r, grows.z, VarianceTrendMode::Time, ui);
  ASSERT_TRUE(result.has_value());
  EXPECT_GT(result->V, 0);
  EXPECT_GT(result->T, 20);
  EXPECT_TRUE(result->P.BelowLimit);
  const double slope = (std::exp(10.0) - std::exp(0.1)) / (100 - 1);
  EXPECT_EQ(result->Bisections, HalvingsOf(2 * slope));

  // Scaled by 3e-4 the squares shrink by 9e-8 and so does the bracket;
  // widening both ends by the width triples it until it holds the root 0.1.
  const auto tiny = WithTrend(Periods(100), 0.1, 3e-4);
  const auto widened = VarianceTrendTest(tiny.r, tiny.z, VarianceTrendMode::Time, ui);
  ASSERT_TRUE(widened.has_value());
  double end = 3e-4 * 3e-4 * slope;
  while (end <= 0.1) end *= 3;
  EXPECT_EQ(widened->Bisections, HalvingsOf(2 * end));
}

TEST(DiagnosticVarianceTrendTest, EqualCovariateAtTheExtremesGivesNothingSilently) {
  // The largest (9) and the smallest (0.01) squares both lie at level 2.
  const std::vector<double> r = {3.0, 0.5, -0.1, 1.0, -2.0};
  const std::vector<double> z = {2.0, 5.0, 2.0, 7.0, 1.0};
  ScriptedUi ui;
  EXPECT_FALSE(VarianceTrendTest(r, z, VarianceTrendMode::Level, ui).has_value());
  EXPECT_TRUE(ui.Log.empty());
  EXPECT_FALSE(VarianceTrendTest({}, {}, VarianceTrendMode::Time, ui).has_value());
  EXPECT_TRUE(ui.Log.empty());
}

TEST(DiagnosticVarianceTrendTest, NoRootShowsTheLoopOverflowMessage) {
  const struct {
    const char* name;
    std::vector<double> r, z;
    VarianceTrendMode mode;
    const char* text;
  } cases[] = {
      // Only the residual at z = zbar is non-zero: the score is 0 for every
      // v, so no bracket ever changes sign.
      {"flat score", {0.0, 5.0, 0.0}, {1.0, 2.0, 3.0}, VarianceTrendMode::Level,
       "Can't find a root; no variance trend test vs time series values performed"},
      // Squares symmetric in time: the root is v = 0 exactly, which the
      // routine cannot tell from a failed search.
      {"root at zero", {2.0, 1.0, 1.0, 1.0, 2.0}, {1.0, 2.0, 3.0, 4.0, 5.0}, VarianceTrendMode::Time,
       "Can't find a root; no variance trend test vs time performed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedUi ui;
    EXPECT_FALSE(VarianceTrendTest(c.r, c.z, c.mode, ui).has_value());
    ASSERT_EQ(ui.Log.size(), 1u);
    EXPECT_EQ(ui.Log[0].service, "ShowMessage");
    EXPECT_EQ(ui.Log[0].title, " Loop overflow in variance trend root bisection routine");
    EXPECT_EQ(ui.Log[0].text, c.text);
    EXPECT_EQ(ui.Log[0].icon, Icon::Information);
  }
}

}  // namespace
}  // namespace quorvane
