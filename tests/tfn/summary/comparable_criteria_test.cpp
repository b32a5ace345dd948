// The log-likelihood of the comparable criteria with several series,
// against the exact joint likelihood computed from dense covariance
// matrices: the seat-belt series (three groups, first differences, ARMA(1,1)
// noise of lag order 2), every series a noise series of its own with one
// sigma^2 for all.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/example_setups.h"
#include "tfn/arma_dense_oracle.h"
#include "tfn/parameter_layout.h"
#include "tfn/summary/comparable_criteria.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

struct DenseTotals {
  double n = 0, sumSq = 0, logDet = 0, factSumSq = 0;
};

// Per series: the noise w = analysed - group prediction over the noise
// periods (a missing value counts as 0, as the model takes it), its exact
// SumSq = w' Gamma^-1 w and ln det Gamma from the dense oracle, and
// FACT = det^(1/n).
DenseTotals DenseSeries(const TfnModel& model, const std::vector<double>& phi,
                        const std::vector<double>& theta) {
  DenseTotals totals;
  const ResponseSeriesData& r = model.Response();
  const TfnBestEvaluation& best = model.Best();
  const int groups = model.Setup().GroupCount;
  for (int k = 1; k <= r.SeriesCount; ++k) {
    const int g = model.GroupOf(k);
    std::vector<double> w;
    for (int t = model.NoiseStart(g); t <= r.EndPeriod; ++t) {
      const double prediction =
          best.GroupPrediction[static_cast<size_t>((t - r.FirstAnalysedPeriod) * groups + g - 1)];
      const SeriesValue& x = r.Analysed.At(t, k);
      w.push_back(x ? *x - prediction : 0.0);
    }
    const auto gamma = testing::PsiWeightAutocovariances(phi, theta, w.size());
    const testing::DenseLikelihood dense = testing::DenseExactLikelihood(gamma, w);
    const double n = static_cast<double>(w.size());
    totals.n += n;
    totals.sumSq += static_cast<double>(dense.SumSq);
    totals.logDet += static_cast<double>(dense.LogDet);
    totals.factSumSq += std::exp(static_cast<double>(dense.LogDet) / n) * static_cast<double>(dense.SumSq);
  }
  return totals;
}

class ComparableCriteriaTest : public ::testing::TestWithParam<int> {};

// Shift 0: every series' noise starts in the same period, so one FACT
// serves all and -F - (n/2)(1 + ln 2 pi) is the exact log-likelihood with
// one sigma^2. Shift 3 on the first covariate: series 1's noise is three
// periods shorter; -F then weights its SS by its own FACT, and the exact
// one-sigma^2 value is reported beside it.
TEST_P(ComparableCriteriaTest, MultiSeriesLogLikelihoodAgainstDenseCovariances) {
  const int shift = GetParam();
  testing::TfnModelHarness h;
  const TfnSetup setup = testing::SeatBeltSetup();
  h.SetUp(setup);
  const ParameterLayout layout(setup);
  h.P[layout.Phi(1)] = 0.4;
  h.STP[layout.Phi(1)] = 0.05;
  h.P[layout.Theta(1)] = 0.2;
  h.STP[layout.Theta(1)] = 0.05;
  const int base = layout.CovariateBase(1);
  h.P[base + 1] = shift;
  h.P[layout.BlockOmega(base, 0)] = 0.05;
  h.STP[layout.BlockOmega(base, 0)] = 0.01;
  h.Evaluate(1);

  AlgorithmData data;
  data.Steps = h.STP;
  const ComparableCriteria c = ComputeComparableCriteria(h.model.Best(), data);
  EXPECT_EQ(c.K, 4);  // three free parameters and sigma^2
  ASSERT_TRUE(c.LogLikelihood);
  EXPECT_EQ(c.Penalty, 0.0);
  const double n = static_cast<double>(c.N);
  const double constant = n / 2 * (1 + std::log(2 * std::numbers::pi));
  EXPECT_EQ(*c.LogLikelihood, -h.model.Best().Objective - constant);

  const DenseTotals dense = DenseSeries(h.model, {0.4, 0.0}, {0.2, 0.0});
  ASSERT_EQ(dense.n, n);
  const double common = -constant - n / 2 * std::log(dense.sumSq / n) - 0.5 * dense.logDet;
  const double weighted = -constant - n / 2 * std::log(dense.factSumSq / n);
  // The log-likelihoods are about -3370; the recursions and the
  // long-double oracle agree to about 1e-12 there, so 1e-8 is a margin for
  // rounding in sums of some 190 terms per series, and far below the
  // difference of 4e-4 that FACT makes with the shorter series.
  const double tolerance = 1e-8;
  if (shift == 0) {
    EXPECT_TRUE(c.EqualLengths);
    EXPECT_FALSE(c.CommonVarianceLogLikelihood);
    EXPECT_NEAR(*c.LogLikelihood, common, tolerance);
  } else {
    EXPECT_FALSE(c.EqualLengths);
    EXPECT_NEAR(*c.LogLikelihood, weighted, tolerance);
    ASSERT_TRUE(c.CommonVarianceLogLikelihood);
    EXPECT_NEAR(*c.CommonVarianceLogLikelihood, common, tolerance);
    EXPECT_GT(std::fabs(common - weighted), 100 * tolerance);
  }
}

INSTANTIATE_TEST_SUITE_P(Shifts, ComparableCriteriaTest, ::testing::Values(0, 3));

// A penalty in the objective is left out of log L; a model that computed
// no likelihood has none.
TEST(ComparableCriteriaPenaltyTest, PenaltiesAndFailures) {
  TfnBestEvaluation best;
  best.Kept = true;
  best.NoiseCount = {0, 50};
  best.SumSq = {0, 80.0};
  best.Fact = {0, 1.02};
  best.TotalNoiseCount = 50;
  const double likelihood = 25.0 * std::log(1.02 * 80.0 / 50.0);
  best.Objective = likelihood + 3.5;
  AlgorithmData data;
  data.Steps = {0.1, 0.0, 1.0};
  ComparableCriteria c = ComputeComparableCriteria(best, data);
  ASSERT_TRUE(c.LogLikelihood);
  EXPECT_NEAR(c.Penalty, 3.5, 1e-12);
  EXPECT_NEAR(*c.LogLikelihood, -likelihood - 25 * (1 + std::log(2 * std::numbers::pi)), 1e-12);
  EXPECT_EQ(c.K, 3);
  EXPECT_NEAR(*c.Aicc.Value, *c.Aic.Value + 2.0 * 3 * 4 / (50 - 3 - 1), 1e-12);

  best.Fact = {0, 0.0};  // the series failed
  c = ComputeComparableCriteria(best, data);
  EXPECT_FALSE(c.LogLikelihood);
  EXPECT_EQ(c.Bic.Undefined, kNoLikelihood);

  best.Fact = {0, 1.02};
  best.Objective = TfnModel::kFailurePenalty;
  EXPECT_FALSE(ComputeComparableCriteria(best, data).LogLikelihood);
}

}  // namespace
}  // namespace quorvane
