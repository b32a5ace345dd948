#include "tfn/tfn_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "support/allocation_counter.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/arma_dense_oracle.h"
#include "tfn/series_preparation.h"
#include "tfn/parameter_layout.h"
#include "tfn/series_data_error.h"
#include "tfn/series_file_fixture.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

using testing::SeriesFile;
using testing::TfnModelHarness;

// One series over periods 1..8 with values 1..8 (period 5 missing when asked).
TfnSetup OneSeriesSetup(int interventions, bool missing = false, bool logits = false) {
  std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
  for (int t = 1; t <= 8; ++t)
    rows.push_back({std::to_string(t), missing && t == 5 ? "Missing" : std::to_string(t)});
  TfnSetup s;
  s.Response.FileName = SeriesFile(missing ? "one_missing.dat" : "one.dat", rows);
  s.Response.StartPeriod = 1;
  s.Response.EndPeriod = 8;
  s.Response.FirstSeries = 1;
  s.Response.LastSeries = 1;
  s.GroupCount = 1;
  s.GroupFirst[0] = 1;
  s.GroupLast[0] = 1;
  s.Interventions[0] = static_cast<std::int16_t>(interventions);
  s.LagOrder = 1;
  s.EstimateLogits = logits;
  return s;
}

TEST(TfnModelTest, SetUpCountsDescribesAndSizes) {
  TfnModelHarness h;
  h.SetUp(OneSeriesSetup(1));
  EXPECT_EQ(h.NP, 8);
  EXPECT_EQ(h.P.size(), 8);
  EXPECT_EQ(h.DESC[1], "Phi( 1) [0; -1 < Phi < +1]");
  EXPECT_EQ(h.NOBS, 8);
  EXPECT_EQ(h.model.Name(), "Multi-series Time Series ARIMA, Intervention and TFN Model");
}

TEST(TfnModelTest, WhiteNoiseObjectiveIsTheConcentratedLikelihood) {
  TfnModelHarness h;
  h.SetUp(OneSeriesSetup(0));
  h.P[3] = 4.0;  // intercept
  const double F = h.Evaluate();
  double ss = 0;
  for (int t = 1; t <= 8; ++t) ss += (t - 4.0) * (t - 4.0);
  EXPECT_NEAR(F, 4.0 * std::log(ss / 8.0), 1e-12);  // (N/2) ln(sum w^2 / N)
  EXPECT_EQ(h.model.ArmaOrder(), 0);
}

// White noise around 4 with period 5 missing: counted as zero noise it is
// a value of the eight, left out it leaves seven, and NOBS follows.
TEST(TfnModelTest, MissingValueIsLeftOutOrCountedAsZeroNoise) {
  double ss = 0;
  for (int t = 1; t <= 8; ++t)
    if (t != 5) ss += (t - 4.0) * (t - 4.0);
  for (const auto treatment : {MissingValueTreatment::ZeroNoise, MissingValueTreatment::ExactLikelihood}) {
    const bool zero = treatment == MissingValueTreatment::ZeroNoise;
    SCOPED_TRACE(zero ? "zero noise" : "exact");
    TfnSetup s = OneSeriesSetup(0, true);
    s.MissingValues = treatment;
    TfnModelHarness h;
    h.SetUp(s);
    EXPECT_EQ(h.NOBS, zero ? 8 : 7);
    h.P[3] = 4.0;
    const double n = zero ? 8.0 : 7.0;
    EXPECT_NEAR(h.Evaluate(), n / 2.0 * std::log(ss / n), 1e-12);
    EXPECT_EQ(h.model.Best().TotalNoiseCount, zero ? 8 : 7);
  }
}

// Without a missing value the choice of treatment changes nothing: the
// same fast recursions give F, a(t) and h(t) to the last bit.
TEST(TfnModelTest, SeriesWithoutMissingValuesIsTheSameUnderEitherTreatment) {
  std::vector<double> objective;
  std::vector<std::vector<SeriesValue>> innovations, sds;
  for (const auto treatment : {MissingValueTreatment::ZeroNoise, MissingValueTreatment::ExactLikelihood}) {
    TfnSetup s = OneSeriesSetup(1);
    s.MissingValues = treatment;
    TfnModelHarness h;
    h.SetUp(s);
    EXPECT_EQ(h.NOBS, 8);
    h.P[1] = 0.4;
    h.P[2] = -0.3;
    h.P[3] = 4.0;
    h.P[4] = 3;
    h.P[5] = 1;
    h.P[6] = 1.5;
    objective.push_back(h.Evaluate(1));
    innovations.push_back(h.model.Best().Innovation);
    sds.push_back(h.model.Best().ResidualSd);
  }
  EXPECT_EQ(objective[0], objective[1]);
  EXPECT_EQ(innovations[0], innovations[1]);
  EXPECT_EQ(sds[0], sds[1]);
}

struct InterventionCase {
  const char* name;
  double code, omega0, delta1;
  std::vector<double> effect;  // periods 1..8
  double start = 3;
};

class TfnInterventionTest : public ::testing::TestWithParam<InterventionCase> {};

TEST_P(TfnInterventionTest, AddsTheTransferFunctionOfItsSeries) {
  const auto& c = GetParam();
  TfnModelHarness h;
  h.SetUp(OneSeriesSetup(1));
  h.P[4] = c.start;
  h.P[5] = c.code;
  h.P[6] = c.omega0;
  h.P[8] = c.delta1;
  h.Evaluate(1);
  const auto& G = h.model.Best().GroupPrediction;
  ASSERT_EQ(G.size(), 8u);
  for (size_t i = 0; i < 8; ++i) EXPECT_NEAR(G[i], c.effect[i], 1e-15) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TfnInterventionTest,
    ::testing::Values(
        InterventionCase{"Step", 1, 2, 0, {0, 0, 2, 2, 2, 2, 2, 2}},
        InterventionCase{"Trend", 3, 2, 0, {0, 0, 2, 4, 6, 8, 10, 12}},
        InterventionCase{"PulseDecay", 2, 1, 0.5, {0, 0, 1, 0.5, 0.25, 0.125, 0.0625, 0.03125}},
        InterventionCase{"CodeJustBelowThree", 3 - 5e-7, 1, 0, {0, 0, 1, 2, 3, 4, 5, 6}},
        InterventionCase{"CodeThreeAndAHalf", 3.5, 1, 0, {0, 0, 1, 2, 3, 4, 5, 6}},
        InterventionCase{"CodeFour", 4, 1, 0, {0, 0, 0, 0, 0, 0, 0, 0}},
        // Starts outside the analysed periods 1..8.
        InterventionCase{
            "StepFromBefore", 1, 2, 0.5, {2, 3, 3.5, 3.75, 3.875, 3.9375, 3.96875, 3.984375}, 0},
        InterventionCase{"TrendFromBefore", 3, 1, 0, {2, 3, 4, 5, 6, 7, 8, 9}, 0},
        InterventionCase{"PulseBefore", 2, 1, 0.5, {0, 0, 0, 0, 0, 0, 0, 0}, 0},
        InterventionCase{"PulseAtTheEnd", 2, 1, 0.5, {0, 0, 0, 0, 0, 0, 0, 1}, 8},
        InterventionCase{"StepAfterTheEnd", 1, 2, 0, {0, 0, 0, 0, 0, 0, 0, 0}, 9}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(TfnModelTest, CoefficientsAreMappedOrClampedWithPenalty) {
  TfnModelHarness logit;
  logit.SetUp(OneSeriesSetup(0, false, true));
  logit.P[3] = 4;
  const double free = logit.Evaluate();
  logit.P[1] = 10;  // Phi = tanh(5), just below 1: a valid stationary model
  EXPECT_TRUE(std::isfinite(logit.Evaluate()));
  EXPECT_LT(logit.Evaluate(), 1e20);
  EXPECT_NE(logit.Evaluate(), free);

  TfnModelHarness direct;
  direct.SetUp(OneSeriesSetup(0));
  direct.P[3] = 4;
  direct.P[1] = 0.999999;
  const double atLimit = direct.Evaluate();
  direct.P[1] = 1.5;  // clamped to 0.999999 and penalised by 0.5^2 * 1E20
  EXPECT_NEAR(direct.Evaluate() - atLimit, 0.25e20, 1e6);
}

TEST(TfnModelTest, NeverReturnsNaN) {
  TfnModelHarness h;
  h.SetUp(OneSeriesSetup(0));
  h.P[3] = std::nan("");
  EXPECT_EQ(h.Evaluate(), 1e40);
  h.P[3] = 4;
  h.P[1] = std::nan("");
  EXPECT_EQ(h.Evaluate(), 1e40);
}

TEST(TfnModelTest, OrderChangeMessageOnlyAfterTheFirstSingleEvaluation) {
  testing::ScriptedUi ui;
  TfnModelHarness h;
  h.model.AttachUi(ui);
  h.SetUp(OneSeriesSetup(0));
  h.P[3] = 4;
  h.P[1] = 0.3;
  h.Evaluate(1);
  EXPECT_TRUE(ui.Messages().empty());
  h.P[1] = 0;
  h.Evaluate(5);  // a minimisation's call: no check
  EXPECT_TRUE(ui.Messages().empty());
  h.Evaluate(1);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Log.back().title, "Change in analysis parameters");
  EXPECT_EQ(ui.Messages()[0].rfind("The order of Phi or Theta has been changed", 0), 0u);
  EXPECT_GT(ui.PumpCount, 0);
}

TEST(TfnModelTest, FailedSetUpKeepsThePreviousModel) {
  TfnModelHarness h;
  h.SetUp(OneSeriesSetup(1));
  TfnSetup bad = OneSeriesSetup(0);
  bad.Response.EndPeriod = 20;
  EXPECT_THROW(h.SetUp(bad), SeriesDataError);
  EXPECT_EQ(h.NP, 8);
  EXPECT_EQ(h.model.Setup().Interventions[0], 1);
  h.P[3] = 4;
  EXPECT_TRUE(std::isfinite(h.Evaluate()));
}

// A set-up the model cannot take is refused before anything is read or
// sized, and the previous model stays: these used to throw out_of_range or
// length_error, or wrap NP and read past the model's vectors.
TEST(TfnModelTest, SetUpRefusesNumbersItCannotTake) {
  const struct {
    const char* name;
    std::function<void(TfnSetup&)> change;
    const char* text;
  } cases[] = {
      {"differencing -1", [](TfnSetup& s) { s.Response.Differencing = -1; },
       "The degree of differencing of the response series reads -1; it must be 0, 1 or 2"},
      {"lag order 16384", [](TfnSetup& s) { s.LagOrder = 16384; },
       "The maximum order of ARMA, TFN and Intervention lags reads 16384; it must be from 1 to 100"},
      {"interventions -1", [](TfnSetup& s) { s.Interventions[0] = -1; },
       "The number of interventions for Group 1 reads -1; it must be from 0 to 100"},
      {"40802 parameters",  // two groups of 100 interventions with lag 100
       [](TfnSetup& s) {
         s.Response.LastSeries = 2;
         s.GroupCount = 2;
         s.GroupFirst = {1, 2, 0, 0, 0};
         s.GroupLast = {1, 2, 0, 0, 0};
         s.Interventions = {100, 100, 0, 0, 0};
         s.LagOrder = 100;
       },
       "This set-up has 40802 parameters, more than the 32767 the model can hold; choose a lower lag "
       "order or fewer interventions"},
  };
  TfnModelHarness h;
  h.SetUp(OneSeriesSetup(1));
  for (const auto& c : cases) {
    TfnSetup bad = OneSeriesSetup(1);
    c.change(bad);
    try {
      h.SetUp(bad);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const SeriesDataError& e) {
      EXPECT_EQ(e.Text, c.text) << c.name;
    }
    EXPECT_EQ(h.NP, 8) << c.name;
    EXPECT_EQ(h.model.Setup().LagOrder, 1) << c.name;
  }
}

// A response series with no analysed value is refused at set-up, not found
// later as a penalty value after a "Minimum found".
TEST(TfnModelTest, SetUpRefusesASeriesWithoutValues) {
  const struct {
    const char* name;
    std::vector<std::vector<std::string>> rows;
    int differencing;
    const char* text;
  } cases[] = {
      {"all missing",
       {{"T", "A", "B"}, {"1", "1", "Missing"}, {"2", "2", "Missing"}, {"3", "4", "Missing"}}, 0,
       "Response series 2 (B) has no value in the analysed time periods 1 to 3"},
      {"no difference",
       {{"T", "A", "B"}, {"1", "1", "1"}, {"2", "2", "Missing"}, {"3", "4", "3"}, {"4", "5", "Missing"}},
       1, "Response series 2 (B) has no value in the analysed time periods 2 to 4"},
  };
  for (const auto& c : cases) {
    TfnSetup s = OneSeriesSetup(0);
    s.Response.FileName = SeriesFile(std::string("novalue_") + c.name + ".dat", c.rows);
    s.Response.EndPeriod = static_cast<int>(c.rows.size()) - 1;
    s.Response.LastSeries = 2;
    s.Response.Differencing = static_cast<std::int16_t>(c.differencing);
    s.GroupLast[0] = 2;
    TfnModelHarness h;
    try {
      h.SetUp(s);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const SeriesDataError& e) {
      EXPECT_EQ(e.Text, c.text) << c.name;
    }
    EXPECT_FALSE(h.model.IsSetUp()) << c.name;
  }
}

TEST(TfnModelTest, SetUpRefusesMoreCovariatesThanGroups) {
  // Three covariate series acting on one group would write past the
  // group predictions.
  TfnSetup s = testing::SeatBeltSetup();
  s.GroupCount = 1;
  s.GroupFirst = {1, 0, 0, 0, 0};
  s.GroupLast = {3, 0, 0, 0, 0};
  TfnModelHarness h;
  try {
    h.SetUp(s);
    FAIL() << "no error";
  } catch (const SeriesDataError& e) {
    EXPECT_EQ(e.Text, "The number of covariate series must match the number of response series groups");
  }
  s.GroupCount = 0;
  EXPECT_THROW(h.SetUp(s), SeriesDataError);
  EXPECT_FALSE(h.model.IsSetUp());
}

// 40,000 periods of 1 +- 0.5 with a step of 2 from period 35000: the model
// counts every period and places the step past 32767.
TEST(TfnModelTest, LongSeriesIsSetUpAndEvaluated) {
  std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
  for (int t = 1; t <= 40000; ++t) {
    const double y = 1 + (t % 2 ? 0.5 : -0.5) + (t >= 35000 ? 2 : 0);
    rows.push_back({std::to_string(t), std::to_string(y).substr(0, 3)});
  }
  TfnSetup s = OneSeriesSetup(1);
  s.Response.FileName = SeriesFile("long_step.dat", rows);
  s.Response.EndPeriod = 40000;
  TfnModelHarness h;
  h.SetUp(s);
  EXPECT_EQ(h.NOBS, 40000);
  const ParameterLayout layout(s);
  const int base = layout.InterventionBase(1);
  h.P[layout.Intercept(1)] = 1;
  h.P[base + 1] = 35000;
  h.P[base + 2] = 1;  // a step
  h.P[layout.BlockOmega(base, 0)] = 2;
  // White noise of +-0.5: (n/2) ln(sum w^2 / n) = 20000 ln(0.25); the sum of
  // 40,000 squares of 0.5 is exact, so only the logarithm rounds.
  EXPECT_NEAR(h.Evaluate(), 20000 * std::log(0.25), 1e-12 * 20000 * std::abs(std::log(0.25)));
  EXPECT_EQ(h.model.Best().TotalNoiseCount, 40000);
}

TEST(TfnModelTest, CovariateActsThroughItsShiftAndCentre) {
  // Response 1..8; covariate x = 0, 1, 0, 2, 0, 3, 0, 4 (mean 1.25).
  TfnSetup s = OneSeriesSetup(0);
  std::vector<std::vector<std::string>> rows = {{"T", "X"}};
  const double x[] = {0, 1, 0, 2, 0, 3, 0, 4};
  for (int t = 1; t <= 8; ++t) rows.push_back({std::to_string(t), std::to_string(static_cast<int>(x[t - 1]))});
  s.UseCovariates = true;
  s.Covariates.FileName = SeriesFile("covariate.dat", rows);
  s.Covariates.StartPeriod = 1;
  s.Covariates.EndPeriod = 8;
  s.Covariates.FirstSeries = 1;
  s.Covariates.LastSeries = 1;
  TfnModelHarness h;
  h.SetUp(s);
  const ParameterLayout layout(s);
  const int base = layout.CovariateBase(1);
  h.P[base + 1] = 2;  // backward shift
  h.P[layout.BlockOmega(base, 0)] = 3;
  h.Evaluate(1);
  const auto& G = h.model.Best().GroupPrediction;
  for (int t = 1; t <= 8; ++t) {
    const double expected = t > 2 ? 3 * (x[t - 3] - 1.25) : 0.0;
    EXPECT_NEAR(G[static_cast<size_t>(t - 1)], expected, 1e-12) << t;
  }
  EXPECT_EQ(h.model.NoiseStart(1), 3);  // the shift delays the noise series

  h.P[base + 2] = 1;  // a non-zero intercept centres the covariate on it
  h.Evaluate(1);
  EXPECT_NEAR(h.model.Best().GroupPrediction[3], 3 * (x[1] - 1.0), 1e-12);
}

// What Best() gives after a run of evaluations must be what an evaluation
// at the best point alone gives: the kept evaluation, not the last one,
// whether Best() was asked for in between or not. Two series in two groups
// (the second with a step), a missing value in the first.
TEST(TfnModelTest, TheBestEvaluationIsTheOneKeptNotTheLast) {
  std::vector<std::vector<std::string>> rows = {{"T", "A", "B"}};
  const double a[] = {3.1, 2.4, 4.0, 3.3, 2.9, 3.8, 4.4, 3.0, 3.6, 2.7, 3.9, 3.2};
  for (int t = 1; t <= 12; ++t)
    rows.push_back({std::to_string(t), t == 6 ? "Missing" : std::to_string(a[t - 1]).substr(0, 4),
                    std::to_string(a[12 - t] + (t >= 7 ? 2 : 0)).substr(0, 4)});
  TfnSetup s = OneSeriesSetup(0);
  s.Response.FileName = SeriesFile("two_groups.dat", rows);
  s.Response.EndPeriod = 12;
  s.Response.LastSeries = 2;
  s.GroupCount = 2;
  s.GroupFirst = {1, 2, 0, 0, 0};
  s.GroupLast = {1, 2, 0, 0, 0};
  s.Interventions = {0, 1, 0, 0, 0};
  const ParameterLayout layout(s);
  const int step = layout.InterventionBase(1);
  struct Point {
    double phi, theta, mu1, mu2, omega;
  };
  const Point start{0.2, 0.1, 3.0, 3.0, 1.0}, worse{0.8, -0.6, 1.0, 6.0, -2.0},
      better{0.1, 0.3, 3.4, 3.3, 2.0};
  const auto set = [&](TfnModelHarness& h, const Point& x) {
    h.P[layout.Phi(1)] = x.phi;
    h.P[layout.Theta(1)] = x.theta;
    h.P[layout.Intercept(1)] = x.mu1;
    h.P[layout.Intercept(2)] = x.mu2;
    h.P[step + 1] = 7;
    h.P[step + 2] = 1;
    h.P[layout.BlockOmega(step, 0)] = x.omega;
  };
  const auto alone = [&](const Point& x) {
    auto h = std::make_unique<TfnModelHarness>();
    h->SetUp(s);
    set(*h, x);
    h->Evaluate(1);
    return h;
  };
  const auto expectSame = [](const TfnBestEvaluation& kept, const TfnBestEvaluation& expected) {
    EXPECT_EQ(kept.Objective, expected.Objective);
    EXPECT_EQ(kept.Parameters, expected.Parameters);
    EXPECT_EQ(kept.Intercepts, expected.Intercepts);
    EXPECT_EQ(kept.GroupPrediction, expected.GroupPrediction);
    EXPECT_EQ(kept.Innovation, expected.Innovation);
    EXPECT_EQ(kept.Fitted, expected.Fitted);
    EXPECT_EQ(kept.ResidualSd, expected.ResidualSd);
    EXPECT_EQ(kept.SumSq, expected.SumSq);
    EXPECT_EQ(kept.Fact, expected.Fact);
  };

  TfnModelHarness h;
  h.SetUp(s);
  set(h, start);
  const double atStart = h.Evaluate(1);
  const auto& best = h.model.Best();
  expectSame(best, alone(start)->model.Best());
  set(h, worse);
  ASSERT_GT(h.Evaluate(2), atStart);
  expectSame(h.model.Best(), alone(start)->model.Best());
  set(h, better);
  ASSERT_LT(h.Evaluate(3), atStart);
  set(h, worse);
  h.Evaluate(4);
  expectSame(h.model.Best(), alone(better)->model.Best());
  // Period 6 of series 1 is missing: left out of the exact likelihood, it
  // has neither an innovation nor a fitted value; G holds each group's own
  // prediction.
  EXPECT_FALSE(best.Innovation[5 * 2].has_value());
  EXPECT_FALSE(best.Fitted[5 * 2].has_value());
  EXPECT_EQ(best.GroupPrediction[7 * 2], 3.4);
  EXPECT_EQ(best.GroupPrediction[7 * 2 + 1], 3.3 + 2.0);
}

TEST(TfnModelTest, AnEvaluationAllocatesNothing) {
  TfnModelHarness h;
  h.SetUp(OneSeriesSetup(1));
  h.P[1] = 0.4;
  h.P[2] = 0.2;
  h.P[3] = 4;
  h.P[4] = 3;
  h.P[5] = 1;
  h.P[6] = 1;
  h.Evaluate(1);
  testing::AllocationCounter counter;
  for (int call = 2; call < 20; ++call) {
    h.P[3] = 4 + call * 0.01;
    h.Evaluate(call);
  }
  EXPECT_EQ(counter.Count(), 0);
}

// The whole chain on real data against a direct computation: the noise
// w(t) = y(t) - mu - omega [t >= 1899] and the exact AR(1) likelihood from
// a Cholesky factor of its covariance matrix,
// F = (N/2) ln(w' Gamma^-1 w / N) + (1/2) ln det Gamma.
TEST(TfnModelTest, NileObjectiveMatchesADirectComputation) {
  const TfnSetup s = testing::NileSetup();
  TfnModelHarness h;
  h.SetUp(s);
  const double phi = 0.45, mu = 1097.75, omega = -242.2;
  h.P[1] = phi;
  h.P[3] = mu;
  h.P[4] = 1899;
  h.P[5] = 1;
  h.P[6] = omega;
  const double F = h.Evaluate(1);

  const ResponseSeriesData data = ReadResponseSeries(s);
  std::vector<double> w;
  for (int t = 1871; t <= 1970; ++t) w.push_back(*data.Raw.At(t, 1) - mu - (t >= 1899 ? omega : 0.0));
  const auto dense = testing::DenseExactLikelihood(testing::PsiWeightAutocovariances({phi}, {}, w.size()), w);
  const double n = static_cast<double>(w.size());
  const double expected = n / 2 * std::log(static_cast<double>(dense.SumSq) / n) + static_cast<double>(dense.LogDet) / 2;
  // Both are exact; they differ by rounding in sums over 100 terms.
  EXPECT_NEAR(F, expected, 1e-9 * std::abs(expected));
}

TEST(TfnModelTest, ExampleSetUpsHaveTheirParameterCounts) {
  TfnModelHarness h;
  h.SetUp(testing::NileSetup());
  EXPECT_EQ(h.NP, 8);
  EXPECT_EQ(h.NOBS, 100);

  h.SetUp(testing::SeatBeltSetup());
  EXPECT_EQ(h.NP, 28);
  EXPECT_EQ(h.NOBS, 3 * 191);
  EXPECT_EQ(h.DESC[22], "Unused backward shift for TFN covariate series 3 [0]");
}

}  // namespace
}  // namespace quorvane
