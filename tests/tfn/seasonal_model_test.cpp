// The seasonal terms of the time-series model: seasonal differencing and a
// transformation before differencing in the prepared series, the seasonal
// factors in the layout and descriptions, the expanded polynomials the
// likelihood uses, each factor held in its own region, and the exact
// likelihood of the product model against a dense computation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "tfn/arma_dense_oracle.h"
#include "tfn/parameter_layout.h"
#include "tfn/series_data_error.h"
#include "tfn/series_file_fixture.h"
#include "tfn/series_preparation.h"
#include "tfn/simulated_series.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

using testing::SeriesFile;
using testing::TfnModelHarness;

std::string WriteSeries(const std::string& name, const std::vector<double>& y) {
  std::vector<std::vector<std::string>> rows = {{"Period", "Value"}};
  char text[32];
  for (size_t t = 0; t < y.size(); ++t) {
    // Four decimals where they fit the 7-character field, else three.
    if (std::snprintf(text, sizeof text, "%.4f", y[t]) > 7) std::snprintf(text, sizeof text, "%.3f", y[t]);
    rows.push_back({std::to_string(t + 1), text});
  }
  return SeriesFile(name, rows);
}

// One series over periods 1..N, one group, coefficients estimated directly.
TfnSetup SeasonalSetup(const std::string& file, int periods, int lagOrder, int s, int D, int P, int Q) {
  TfnSetup setup;
  setup.Response = {file, 1, periods, 1, 1, 0, SeriesTransformation::None, 1, 0};
  setup.GroupFirst[0] = setup.GroupLast[0] = 1;
  setup.LagOrder = static_cast<std::int16_t>(lagOrder);
  setup.EstimateLogits = false;
  setup.SeasonalPeriod = static_cast<std::int16_t>(s);
  setup.SeasonalDifferencing = static_cast<std::int16_t>(D);
  setup.SeasonalArOrder = static_cast<std::int16_t>(P);
  setup.SeasonalMaOrder = static_cast<std::int16_t>(Q);
  return setup;
}

TEST(SeasonalSeriesTest, SeasonalDifferencesOfTheRegularDifferences) {
  // x(t) = t^2 + 10 [t even], periods 1..12, period 7 missing.
  std::vector<std::vector<std::string>> rows = {{"T", "X"}};
  for (int t = 1; t <= 12; ++t)
    rows.push_back({std::to_string(t), t == 7 ? "Missing" : std::to_string(t * t + (t % 2 == 0 ? 10 : 0))});
  TfnSetup setup = SeasonalSetup(SeriesFile("seasonal.dat", rows), 12, 1, 4, 1, 0, 0);
  setup.Response.Differencing = 1;
  const ResponseSeriesData data = ReadResponseSeries(setup);
  EXPECT_EQ(data.FirstAnalysedPeriod, 6);
  EXPECT_EQ(data.AnalysedPeriods, 7);
  EXPECT_EQ(data.SeasonalDifferencingLag, 4);
  // (1 - B)(1 - B^4) t^2 = 8 for every t; the +10 of the even periods cancels.
  const auto x = [](int t) { return t * t + (t % 2 == 0 ? 10.0 : 0.0); };
  for (int t = 6; t <= 12; ++t) {
    // Period 7 is missing and so are the differences that need it: 7, 8, 11 and 12.
    if (t == 7 || t == 8 || t == 11 || t == 12) {
      EXPECT_FALSE(data.Analysed.At(t, 1)) << t;
      continue;
    }
    ASSERT_TRUE(data.Analysed.At(t, 1)) << t;
    EXPECT_EQ(*data.Analysed.At(t, 1), (x(t) - x(t - 1)) - (x(t - 4) - x(t - 5))) << t;
    EXPECT_EQ(*data.Analysed.At(t, 1), 8.0) << t;
  }
  EXPECT_EQ(data.MissingPerSeries[1], 4);
  // The first differences are those of the values as read, as always.
  EXPECT_EQ(*data.FirstDifference.At(6, 1), x(6) - x(5));
}

TEST(SeasonalSeriesTest, TransformationBeforeDifferencingActsOnTheValuesAsRead) {
  std::vector<std::vector<std::string>> rows = {{"T", "X"}};
  const double values[] = {100, 120, 90, 110, 95, 150, 115, 140};
  for (int t = 1; t <= 8; ++t) rows.push_back({std::to_string(t), std::to_string(static_cast<int>(values[t - 1]))});
  TfnSetup setup = SeasonalSetup(SeriesFile("log.dat", rows), 8, 1, 4, 1, 0, 0);
  setup.Response.Transformation = SeriesTransformation::BoxCox;
  setup.Response.BoxCoxLambda = 0.0;
  setup.Response.TransformBeforeDifferencing = true;
  const ResponseSeriesData data = ReadResponseSeries(setup);
  ASSERT_EQ(data.FirstAnalysedPeriod, 5);
  for (int t = 5; t <= 8; ++t)
    EXPECT_DOUBLE_EQ(*data.Analysed.At(t, 1), std::log(values[t - 1]) - std::log(values[t - 5])) << t;
  EXPECT_EQ(*data.Raw.At(8, 1), 140.0);  // the values as read stay as read

  // Without the choice the differences are transformed, and some of them
  // are negative: the logarithm refuses them.
  setup.Response.TransformBeforeDifferencing = false;
  EXPECT_THROW(ReadResponseSeries(setup), SeriesDataError);
}

TEST(SeasonalSeriesTest, AWindowTooShortForTheDifferencesIsRefused) {
  std::vector<std::vector<std::string>> rows = {{"T", "X"}};
  for (int t = 1; t <= 13; ++t) rows.push_back({std::to_string(t), std::to_string(t)});
  TfnSetup setup = SeasonalSetup(SeriesFile("short.dat", rows), 13, 1, 12, 1, 0, 1);
  setup.Response.Differencing = 1;
  try {
    ReadResponseSeries(setup);
    FAIL() << "13 periods cannot be differenced at lags 1 and 12";
  } catch (const SeriesDataError& error) {
    EXPECT_EQ(error.Title, "Fatal data input error");
    EXPECT_EQ(error.Text,
              "The response time periods 1 to 13 are too few for differencing of degree 1 and seasonal "
              "differencing at lag 12: at least 14 periods are needed");
  }
}

TEST(SeasonalLayoutTest, SeasonalFactorsFollowEveryOtherParameter) {
  TfnSetup setup = SeasonalSetup("none.dat", 100, 2, 12, 1, 2, 1);
  setup.Interventions[0] = 1;
  const auto d = DescribeParameters(setup);
  // 2p + NG + (2p + 3) NI = 4 + 1 + 7, then Phi_s(1..2) and Theta_s(1).
  ASSERT_EQ(d.size(), 15u);
  EXPECT_EQ(ParameterCount(setup), 15);
  EXPECT_EQ(d[0], "Phi( 1) [0; -1 < Phi < +1]");
  EXPECT_EQ(d[11], "Delta( 2) for Intervention 1 of Group 1 [0; -1 < Delta < +1]");
  EXPECT_EQ(d[12], "Phi_s( 1) at lag 12 [0; -1 < Phi_s < +1]");
  EXPECT_EQ(d[13], "Phi_s( 2) at lag 24 [0; -1 < Phi_s < +1]");
  EXPECT_EQ(d[14], "Theta_s( 1) at lag 12 [0; -1 < Theta_s < +1]");
  const ParameterLayout layout(setup);
  EXPECT_EQ(layout.OriginalCount(), 12);
  EXPECT_EQ(layout.Coefficient(2, 1), 13);
  EXPECT_EQ(layout.Coefficient(3, 1), 15);

  setup.EstimateLogits = true;
  EXPECT_EQ(DescribeParameters(setup).back(), "Logit[Theta_s( 1) at lag 12 [0; -1 < Theta_s < +1]]");

  // Without seasonal orders a period changes nothing.
  TfnSetup plain = SeasonalSetup("none.dat", 100, 2, 0, 0, 0, 0);
  plain.Interventions[0] = 1;
  TfnSetup periodOnly = plain;
  periodOnly.SeasonalPeriod = 12;
  EXPECT_EQ(DescribeParameters(periodOnly), DescribeParameters(plain));
}

// The coefficients the cases below give their parameters: Phi(1..2),
// Theta(1..2), Phi_s(1..3) and Theta_s(1..3).
constexpr double f1 = 0.5, f2 = -0.3, t1 = 0.4, t2 = 0.2;
constexpr double F1 = 0.6, F2 = -0.2, F3 = 0.1, T1 = 0.7, T2 = 0.3, T3 = -0.1;

struct ProductCase {
  const char* name;
  int p, q, P, Q, s;
  // The products written out by hand, as 1 - e(1) B - ... - e(D) B^D.
  std::vector<double> ar, ma;
};

// The regular polynomials share the ARMA order m = max(p, q), so the side
// with the lower order has zeros up to m.
const ProductCase kProducts[] = {
    // (1 - t1 B)(1 - T1 B^12) = 1 - t1 B - T1 B^12 + t1 T1 B^13
    {"airline (0,1)(0,1)_12", 0, 1, 0, 1, 12, {0.0}, {t1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, T1, -t1 * T1}},
    // (1 - f1 B)(1 - F1 B^4) = 1 - f1 B - F1 B^4 + f1 F1 B^5
    {"(1,0)(1,0)_4", 1, 0, 1, 0, 4, {f1, 0, 0, F1, -f1 * F1}, {0.0}},
    // (1 - f1 B - f2 B^2)(1 - F1 B^7);
    // (1 - t1 B - 0 B^2)(1 - T1 B^7 - T2 B^14)
    {"(2,1)(1,2)_7", 2, 1, 1, 2, 7,
     {f1, f2, 0, 0, 0, 0, F1, -f1 * F1, -f2 * F1},
     {t1, 0, 0, 0, 0, 0, T1, -t1 * T1, 0, 0, 0, 0, 0, T2, -t1 * T2, 0}},
    // Spans that interleave: (1 - f1 B)(1 - F1 B^2 - F2 B^4)
    {"(1,0)(2,0)_2", 1, 0, 2, 0, 2, {f1, F1, -f1 * F1, F2, -f1 * F2}, {0.0}},
    // No regular terms: (1 - F1 B^3 - F2 B^6 - F3 B^9); (1 - T1 B^3 - T2 B^6 - T3 B^9)
    {"(0,0)(3,3)_3", 0, 0, 3, 3, 3, {0, 0, F1, 0, 0, F2, 0, 0, F3}, {0, 0, T1, 0, 0, T2, 0, 0, T3}},
    // Both sides seasonal and regular of order 2.
    {"(2,2)(1,1)_4", 2, 2, 1, 1, 4,
     {f1, f2, 0, F1, -f1 * F1, -f2 * F1},
     {t1, t2, 0, T1, -t1 * T1, -t2 * T1}},
    // A period without seasonal orders: the regular polynomials alone.
    {"(1,1) with a period", 1, 1, 0, 0, 12, {f1}, {t1}},
};

class ExpandedPolynomialTest : public ::testing::TestWithParam<ProductCase> {};

TEST_P(ExpandedPolynomialTest, AreTheProductsWrittenOutByHand) {
  const ProductCase& c = GetParam();
  std::vector<double> y(40);
  for (size_t t = 0; t < y.size(); ++t) y[t] = std::sin(0.7 * static_cast<double>(t)) + 0.1 * static_cast<double>(t % 5);
  const int m = std::max({c.p, c.q, 1});
  TfnModelHarness h;
  h.SetUp(SeasonalSetup(WriteSeries("product.dat", y), 40, m, c.s, 0, c.P, c.Q));
  const double phi[] = {f1, f2}, theta[] = {t1, t2}, Phi[] = {F1, F2, F3}, Theta[] = {T1, T2, T3};
  for (int j = 1; j <= c.p; ++j) h.P[j] = phi[j - 1];
  for (int j = 1; j <= c.q; ++j) h.P[m + j] = theta[j - 1];
  const int seasonal = 2 * m + 1;  // after the intercept
  for (int j = 1; j <= c.P; ++j) h.P[seasonal + j] = Phi[j - 1];
  for (int j = 1; j <= c.Q; ++j) h.P[seasonal + c.P + j] = Theta[j - 1];
  ASSERT_TRUE(std::isfinite(h.Evaluate(1)));

  const auto expectProduct = [](std::span<const double> actual, const std::vector<double>& expected,
                                const char* side) {
    ASSERT_EQ(actual.size(), expected.size()) << side;
    // Each coefficient is at most one product of two numbers plus exact
    // zeros, so both ways round alike; a little room for a fused multiply-add.
    for (size_t k = 0; k < expected.size(); ++k)
      EXPECT_NEAR(actual[k], expected[k], 1e-16) << side << " lag " << k + 1;
  };
  expectProduct(h.model.NoiseAutoregressive(), c.ar, "autoregressive");
  expectProduct(h.model.NoiseMovingAverage(), c.ma, "moving average");
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpandedPolynomialTest, ::testing::ValuesIn(kProducts),
                         [](const auto& param) {
                           std::string name;
                           for (const char* ch = param.param.name; *ch; ++ch)
                             name += std::isalnum(static_cast<unsigned char>(*ch)) ? *ch : '_';
                           return name;
                         });

struct OracleCase {
  const char* name;
  int s;
  std::vector<double> phi, theta, Phi, Theta;  // regular orders must be equal (the model's m)
};

// Stationary autoregressive factors, some moving-average roots close to the
// unit circle (Theta_s = 0.9), and a period of 24 on 60 points.
const OracleCase kOracleCases[] = {
    {"airline", 12, {0.0}, {0.4}, {}, {0.6}},
    {"seasonal AR", 12, {-0.4}, {0.0}, {-0.5}, {}},
    {"mixed", 4, {0.5}, {0.3}, {0.4}, {0.6}},
    {"two of each", 6, {0.3, -0.2}, {0.2, 0.1}, {0.3, 0.2}, {-0.3, 0.4}},
    {"near non-invertible", 5, {0.2}, {-0.3}, {}, {0.9}},
    {"period 24", 24, {0.6}, {0.0}, {}, {0.5}},
    {"third orders", 3, {0.4}, {0.0}, {0.2, 0.1, 0.2}, {0.3, -0.2, 0.1}},
};

class SeasonalOracleTest : public ::testing::TestWithParam<OracleCase> {};

// The model's objective, innovations and variance factors against a
// Cholesky factor of the 60 x 60 covariance matrix of the product model
// (autocovariances from its psi weights, in long double).
TEST_P(SeasonalOracleTest, LikelihoodAgreesWithTheDenseCovariance) {
  const OracleCase& c = GetParam();
  const int m = static_cast<int>(c.phi.size());
  const int P = static_cast<int>(c.Phi.size()), Q = static_cast<int>(c.Theta.size());
  TfnModelHarness h;
  // The product model's coefficients, phi(B) Phi(B^s) and theta(B) Theta(B^s)
  // summed term by term, for the oracle and to simulate a typical series.
  std::vector<double> ar(c.phi), ma(c.theta);
  ar.resize(static_cast<size_t>(m + c.s * P), 0.0);
  ma.resize(static_cast<size_t>(m + c.s * Q), 0.0);
  for (int j = 1; j <= P; ++j) {
    ar[static_cast<size_t>(j * c.s - 1)] += c.Phi[static_cast<size_t>(j - 1)];
    for (int i = 1; i <= m; ++i)
      ar[static_cast<size_t>(j * c.s + i - 1)] -= c.phi[static_cast<size_t>(i - 1)] * c.Phi[static_cast<size_t>(j - 1)];
  }
  for (int j = 1; j <= Q; ++j) {
    ma[static_cast<size_t>(j * c.s - 1)] += c.Theta[static_cast<size_t>(j - 1)];
    for (int i = 1; i <= m; ++i)
      ma[static_cast<size_t>(j * c.s + i - 1)] -=
          c.theta[static_cast<size_t>(i - 1)] * c.Theta[static_cast<size_t>(j - 1)];
  }
  const std::vector<double> y = testing::SimulatedArmaSeries(ar, ma, 60, 32);
  h.SetUp(SeasonalSetup(WriteSeries("oracle.dat", y), 60, m, c.s, 0, P, Q));
  for (int j = 1; j <= m; ++j) {
    h.P[j] = c.phi[static_cast<size_t>(j - 1)];
    h.P[m + j] = c.theta[static_cast<size_t>(j - 1)];
    h.STP[j] = h.STP[m + j] = 0.1;  // the regular order m is used even where a value is 0
  }
  for (int j = 1; j <= P; ++j) h.P[2 * m + 1 + j] = c.Phi[static_cast<size_t>(j - 1)];
  for (int j = 1; j <= Q; ++j) h.P[2 * m + 1 + P + j] = c.Theta[static_cast<size_t>(j - 1)];
  const double F = h.Evaluate(1);

  // The series as the model read it (four decimals).
  std::vector<double> w;
  for (int t = 1; t <= 60; ++t) w.push_back(*h.model.Response().Analysed.At(t, 1));
  const auto gamma = testing::PsiWeightAutocovariances(ar, ma, 59);
  const testing::DenseLikelihood dense = testing::DenseExactLikelihood(gamma, w);
  const long double n = 60;
  const long double expected = n / 2 * std::log(dense.SumSq / n) + dense.LogDet / 2;
  // Exact on both sides; the recursion rounds O(N r) times in double, so
  // 1e-10 relative leaves room while a wrong term moves F by far more.
  EXPECT_NEAR(F, static_cast<double>(expected), 1e-10 * std::fabs(static_cast<double>(expected)));
  const TfnBestEvaluation& best = h.model.Best();
  for (size_t t = 0; t < 60; ++t) {
    EXPECT_NEAR(*best.Innovation[t], static_cast<double>(dense.A[t]), 1e-10) << t;
    EXPECT_NEAR(*best.ResidualSd[t], std::sqrt(static_cast<double>(dense.H[t])), 1e-10) << t;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SeasonalOracleTest, ::testing::ValuesIn(kOracleCases),
                         [](const auto& param) {
                           std::string name;
                           for (const char* ch = param.param.name; *ch; ++ch)
                             name += std::isalnum(static_cast<unsigned char>(*ch)) ? *ch : '_';
                           return name;
                         });

TEST(SeasonalRegionTest, EachFactorIsHeldInItsOwnRegion) {
  std::vector<double> y(60);
  for (size_t t = 0; t < y.size(); ++t) y[t] = std::cos(0.9 * static_cast<double>(t)) + 0.2 * static_cast<double>(t % 12);
  TfnModelHarness h;
  h.SetUp(SeasonalSetup(WriteSeries("region.dat", y), 60, 1, 12, 0, 1, 1));
  // Phi(1), Theta(1), the intercept, Phi_s(1), Theta_s(1).
  h.P[1] = 0.95;
  h.P[4] = 0.95;  // each inside (-1, 1): the product is stationary, whatever its coefficients
  h.P[5] = 0.5;
  const double inside = h.Evaluate(1);
  EXPECT_LT(inside, 1e6);
  EXPECT_TRUE(h.model.LimitNotes(h.P).empty());

  h.P[5] = 1.001;  // Theta_s beyond its region: held on its limit and penalised
  const double beyond = h.Evaluate(1);
  EXPECT_GT(beyond, inside + 1e12);
  EXPECT_EQ(h.model.LimitNotes(h.P),
            std::vector<std::string>{"Parameter 5, Theta_s( 1) at lag 12, is on the limit of the invertible region"});
}

}  // namespace
}  // namespace quorvane
