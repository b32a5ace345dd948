// A group that takes several covariate series: its prediction is the sum of
// their transfer functions, each with its own shift, centre and lags, and
// its noise series starts where every one of them has its history. A set-up
// of one covariate series per group is the model it always was.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/example_setups.h"
#include "tfn/forecast/tfn_forecast.h"
#include "tfn/parameter_layout.h"
#include "tfn/series_file_fixture.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

using testing::SeriesFile;
using testing::TfnModelHarness;

constexpr int kPeriods = 40;
constexpr int kFuture = 6;  // covariate values after the response's last period

// Whole-number series, so that x1 + x2 and its centre are exact.
double Y(int t) { return 10 + (t * 7) % 11 + 0.5 * ((t * 3) % 5); }
double X1(int t) { return (t * 5) % 9; }
double X2(int t) { return 20 + (t * 4) % 7 - (t % 3); }

// A response series over 1..40 and covariate series x1, x2 and x1 + x2.
TfnSetup ResponseSetup() {
  std::vector<std::vector<std::string>> response = {{"T", "Y"}}, covariates = {{"T", "X1", "X2", "Sum"}};
  for (int t = 1; t <= kPeriods + kFuture; ++t) {
    if (t <= kPeriods) response.push_back({std::to_string(t), std::to_string(Y(t)).substr(0, 4)});
    covariates.push_back({std::to_string(t), std::to_string(static_cast<int>(X1(t))),
                          std::to_string(static_cast<int>(X2(t))),
                          std::to_string(static_cast<int>(X1(t) + X2(t)))});
  }
  TfnSetup s;
  s.Response = {SeriesFile("several_y.dat", response), 1, kPeriods, 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  s.UseCovariates = true;
  s.Covariates = {SeriesFile("several_x.dat", covariates), 1, kPeriods, 1, 1, 0, SeriesTransformation::None, 1, 0};
  return s;
}

// Covariate series first..last of the file; with two, both act on group 1.
TfnSetup WithCovariates(int first, int last) {
  TfnSetup s = ResponseSetup();
  s.Covariates.FirstSeries = static_cast<std::int16_t>(first);
  s.Covariates.LastSeries = static_cast<std::int16_t>(last);
  if (last > first) s.CovariateGroup = {1, 1};
  return s;
}

// A covariate's transfer function: shift, centre (0: the series mean),
// Omega(0), Omega(1), Delta(1).
struct Transfer {
  double shift, centre, omega0, omega1, delta1;
};

void SetTransfer(TfnModelHarness& h, const ParameterLayout& layout, int c, const Transfer& f) {
  const int base = layout.CovariateBase(c);
  h.P[base + 1] = f.shift;
  h.P[base + 2] = f.centre;
  h.P[layout.BlockOmega(base, 0)] = f.omega0;
  h.P[layout.BlockOmega(base, 1)] = f.omega1;
  h.P[layout.BlockDelta(base, 1)] = f.delta1;
}

// Sets up `setup` with Phi(1) = 0.4, the group intercept `intercept` and the
// transfer functions of its covariate series 1, 2, ..., and evaluates once
// as a single evaluation.
double Evaluate(TfnModelHarness& h, const TfnSetup& setup, double intercept, const std::vector<Transfer>& transfers) {
  h.SetUp(setup);
  const ParameterLayout layout(setup);
  h.P[layout.Phi(1)] = 0.4;
  h.P[layout.Intercept(1)] = intercept;
  for (size_t c = 0; c < transfers.size(); ++c) SetTransfer(h, layout, static_cast<int>(c + 1), transfers[c]);
  return h.Evaluate(1);
}

TEST(SeveralCovariatesTest, GroupPredictionIsTheSumOfTheSingleCovariatePredictions) {
  // Different lags, shifts and centres: series 1 through a first-order
  // transfer function about its mean, series 2 shifted by 2 about a fixed 21.5.
  const Transfer first{0, 0, 0.7, 0.2, 0.5};
  const Transfer second{2, 21.5, -0.3, 0, 0};
  TfnModelHarness both, one, two;
  Evaluate(both, WithCovariates(1, 2), 5.0, {first, second});
  Evaluate(one, WithCovariates(1, 1), 5.0, {first});
  Evaluate(two, WithCovariates(2, 2), 0.0, {second});
  const auto& G = both.model.Best().GroupPrediction;
  ASSERT_EQ(G.size(), static_cast<size_t>(kPeriods));
  for (size_t i = 0; i < G.size(); ++i) {
    // Sums of a few terms of size 10: rounding stays near 1e-14.
    EXPECT_NEAR(G[i], one.model.Best().GroupPrediction[i] + two.model.Best().GroupPrediction[i], 1e-12) << i;
  }
  // Series 1 needs one lag of history, series 2 its shift of 2: the noise
  // starts at period 3 (not at 1 + 2 + 1, the largest shift and the largest order).
  EXPECT_EQ(one.model.NoiseStart(1), 2);
  EXPECT_EQ(two.model.NoiseStart(1), 3);
  EXPECT_EQ(both.model.NoiseStart(1), 3);
}

TEST(SeveralCovariatesTest, TwoCovariatesWithOneTransferFunctionAreTheirSum) {
  // The transfer function is linear: the same one applied to x1 about 2
  // and x2 about 3 gives what it gives for x1 + x2 about 5, and so the same
  // noise series and -ln[L].
  const Transfer x1{1, 2, 0.7, 0.2, 0.5}, x2{1, 3, 0.7, 0.2, 0.5}, sum{1, 5, 0.7, 0.2, 0.5};
  TfnModelHarness both, single;
  const double F = Evaluate(both, WithCovariates(1, 2), 12.0, {x1, x2});
  const double expected = Evaluate(single, WithCovariates(3, 3), 12.0, {sum});
  EXPECT_NEAR(F, expected, 1e-12 * std::abs(expected));
  EXPECT_EQ(both.model.Best().TotalNoiseCount, single.model.Best().TotalNoiseCount);

  // The forecasts take both series' future values from the file: with the
  // shift of 1 they reach kFuture + 1 periods ahead, as x1 + x2 does.
  const TfnForecast two = ForecastTfnModel(both.model, both.P, both.STP, 10);
  const TfnForecast one = ForecastTfnModel(single.model, single.P, single.STP, 10);
  ASSERT_EQ(two.Series.size(), 1u);
  ASSERT_EQ(two.Series[0].Analysed.size(), static_cast<size_t>(kFuture + 1));
  ASSERT_EQ(one.Series[0].Analysed.size(), two.Series[0].Analysed.size());
  for (size_t h = 0; h < two.Series[0].Analysed.size(); ++h) {
    EXPECT_NEAR(two.Series[0].Analysed[h].Forecast, one.Series[0].Analysed[h].Forecast, 1e-10) << h;
    EXPECT_NEAR(two.Series[0].Analysed[h].StandardError, one.Series[0].Analysed[h].StandardError, 1e-10) << h;
  }
}

TEST(SeveralCovariatesTest, DescriptionsNameTheSeriesAndItsGroup) {
  TfnModelHarness h;
  h.SetUp(WithCovariates(1, 2));
  ASSERT_EQ(h.NP, 2 + 1 + 2 * 5);
  EXPECT_EQ(h.DESC[4], "Backward shift for TFN covariate series 1 of Group 1 [0; any + integer]");
  EXPECT_EQ(h.DESC[9], "Backward shift for TFN covariate series 2 of Group 1 [0; any + integer]");
  EXPECT_EQ(h.DESC[13], "Delta( 1) for TFN covariate series 2 of Group 1 [0; -1 < Delta < +1]");
}

// The seat-belt example (one covariate series per group) evaluated at fixed
// values: the number is the one the model gave before groups could list
// covariate series, to the last bit (recorded with that build, as
// 2637.4062390732565), with or without the lists spelling out series c for
// group c.
constexpr double kSeatBeltObjective = 0x1.49acffe915bfdp+11;

TEST(SeveralCovariatesTest, OneCovariatePerGroupEvaluatesBitForBitAsBefore) {
  TfnSetup listed = testing::SeatBeltSetup();
  listed.CovariateGroup = {1, 2, 3};
  double F[2] = {};
  std::vector<std::string> descriptions[2];
  const TfnSetup setups[2] = {testing::SeatBeltSetup(), listed};
  for (int i = 0; i < 2; ++i) {
    TfnModelHarness h;
    h.SetUp(setups[i]);
    const ParameterLayout layout(setups[i]);
    h.P[layout.Phi(1)] = 0.3;
    h.P[layout.Theta(1)] = -0.2;
    h.P[layout.Intercept(2)] = -1.0;
    h.P[layout.BlockOmega(layout.CovariateBase(1), 0)] = -5.0;
    h.P[layout.BlockOmega(layout.CovariateBase(1), 1)] = 1.5;
    h.P[layout.BlockDelta(layout.CovariateBase(1), 1)] = 0.3;
    h.P[layout.CovariateBase(2) + 1] = 1;  // a backward shift
    h.P[layout.BlockOmega(layout.CovariateBase(2), 0)] = 2.0;
    h.P[layout.BlockOmega(layout.CovariateBase(3), 0)] = -100.0;
    F[i] = h.Evaluate(1);
    for (int k = 1; k <= h.NP; ++k) descriptions[i].push_back(h.DESC[k]);
  }
  EXPECT_EQ(F[0], kSeatBeltObjective);
  EXPECT_EQ(F[1], F[0]);
  EXPECT_EQ(descriptions[1], descriptions[0]);
}

}  // namespace
}  // namespace quorvane
