// The summary's fit statistics and information criteria against
// computations of their own.
#include <gtest/gtest.h>

#include <cmath>

#include "tfn/series_file_fixture.h"
#include "tfn/summary/fit_statistics.h"
#include "tfn/summary/information_criteria.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

struct CriteriaCase {
  const char* name;
  double F;
  long long n;
  int k, c, d, series;
  Criterion aic, aicc, bic;
};

class InformationCriteriaTest : public ::testing::TestWithParam<CriteriaCase> {};

void ExpectCriterion(const Criterion& actual, const Criterion& expected, const char* what) {
  if (expected.Value) {
    ASSERT_TRUE(actual.Value) << what << ": " << actual.Undefined;
    EXPECT_NEAR(*actual.Value, *expected.Value, 1e-12) << what;
  } else {
    EXPECT_FALSE(actual.Value) << what;
    EXPECT_EQ(actual.Undefined, expected.Undefined) << what;
  }
}

TEST_P(InformationCriteriaTest, FollowTheirDefinitions) {
  const CriteriaCase& c = GetParam();
  const InformationCriteria criteria =
      c.d == 0 ? ComputeInformationCriteria(c.F, c.n, c.k, c.c)
               : ComputeCorrectedCriteria(c.F, c.n, c.k, c.c, c.d, c.series);
  ExpectCriterion(criteria.Aic, c.aic, "AIC");
  ExpectCriterion(criteria.Aicc, c.aicc, "AICc");
  ExpectCriterion(criteria.Bic, c.bic, "BIC");
}

const Criterion kNoDf{std::nullopt, "Undefined (too few degrees of freedom)"};
const Criterion kNoData{std::nullopt, "Undefined (too few data)"};
Criterion V(double v) { return {v, {}}; }

INSTANTIATE_TEST_SUITE_P(
    Cases, InformationCriteriaTest,
    ::testing::Values(
        // AICc = 2F + 2kn / (n - k - c); BIC = 2F + k ln n.
        CriteriaCase{"Plain", 10, 20, 3, 1, 0, 1, V(26), V(20 + 120.0 / 16), V(20 + 3 * std::log(20.0))},
        CriteriaCase{"NoFreeDegrees", 10, 4, 3, 1, 0, 1, V(26), kNoDf, V(20 + 3 * std::log(4.0))},
        CriteriaCase{"NoData", 10, 0, 3, 0, 0, 1, V(26), kNoDf, kNoData},
        // d = 2, NS = 3: N = n + 6, and 2F is scaled by N / n = 26 / 20.
        CriteriaCase{"SecondDifferences", 10, 20, 3, 1, 2, 3, V(26 + 6), V(26 + 120.0 / 16),
                     V(26 + 3 * std::log(20.0))},
        CriteriaCase{"CorrectedWithoutData", 10, 0, 3, 0, 1, 1, kNoData, kNoData, kNoData}),
    [](const auto& param) { return std::string(param.param.name); });

// Two series in one group, periods 1..6, the second missing at period 2,
// counted as zero noise; white noise around an estimated intercept of 3.
class WhiteNoiseStatisticsTest : public ::testing::Test {
 protected:
  WhiteNoiseStatisticsTest() {
    TfnSetup s;
    s.Response.FileName = testing::SeriesFile(
        "two_series.dat", {{"T", "A", "B"}, {"1", "1", "2"}, {"2", "3", "Missing"}, {"3", "2", "4"},
                           {"4", "5", "4"}, {"5", "4", "8"}, {"6", "6", "6"}});
    s.Response.StartPeriod = 1;
    s.Response.EndPeriod = 6;
    s.Response.FirstSeries = 1;
    s.Response.LastSeries = 2;
    s.GroupFirst[0] = 1;
    s.GroupLast[0] = 2;
    s.LagOrder = 1;
    s.EstimateLogits = false;
    s.MissingValues = MissingValueTreatment::ZeroNoise;
    h.SetUp(s);
    h.P[3] = 3.0;  // the intercept
    h.Evaluate(1);
    data.ParameterCount = h.NP;
    data.Steps = OneBased<double>{0, 0, 0.1};
  }

  testing::TfnModelHarness h;
  AlgorithmData data;
  const std::vector<double> present = {1, 3, 2, 5, 4, 6, 2, 4, 4, 8, 6};
};

TEST_F(WhiteNoiseStatisticsTest, PoolTheSeriesOfTheModel) {
  const SummaryInput input = SummaryInput::Of(h.model, data, "");
  const FitStatistics fit = ComputeFitStatistics(input);

  double sum = 0, squares = 0, rss = 0;
  for (double x : present) {
    sum += x;
    squares += x * x;
    rss += (x - 3) * (x - 3);  // the missing value adds a noise value of 0
  }
  EXPECT_NEAR(fit.TotalSs, squares - sum * sum / 11, 1e-12);
  EXPECT_NEAR(fit.GroupMean[1], sum / 11, 1e-14);
  EXPECT_NEAR(fit.ResidualSs, rss, 1e-12);
  EXPECT_NEAR(fit.ModifiedResidualSs, rss, 1e-12);  // FACT = 1 without ARMA terms
  EXPECT_NEAR(fit.PooledFact, 1.0, 1e-15);
  EXPECT_NEAR(fit.ModelSs, fit.TotalSs - rss, 1e-12);

  // n counts the noise values, the missing one included; k the non-zero
  // steps; c the estimated intercepts.
  EXPECT_EQ(fit.Counts.N, 12);
  EXPECT_EQ(fit.Counts.K, 1);
  EXPECT_EQ(fit.Counts.C, 1);
  EXPECT_EQ(fit.Counts.DfModel, 0);
  EXPECT_EQ(fit.Counts.DfTotal, 11);
  EXPECT_EQ(fit.Counts.DfResidual, 11);
  EXPECT_NEAR(*fit.SigmaMl, std::sqrt(rss / 12), 1e-14);
  EXPECT_NEAR(*fit.SigmaUnbiased, std::sqrt(rss / 11), 1e-14);
  EXPECT_EQ(fit.MeanModelSs, 0.0);  // no model degrees of freedom...
  EXPECT_FALSE(fit.FStatistic);     // ...and so no F statistic
  EXPECT_NEAR(fit.Objective, 6 * std::log(rss / 12), 1e-12);
}

TEST_F(WhiteNoiseStatisticsTest, FStatisticOnceTheModelHasDegreesOfFreedom) {
  data.Steps = OneBased<double>{0.1, 0, 0.05};  // Phi( 1) estimated too: df_model = 1
  const FitStatistics fit = ComputeFitStatistics(SummaryInput::Of(h.model, data, ""));
  ASSERT_TRUE(fit.FStatistic);
  EXPECT_NEAR(*fit.FStatistic, fit.ModelSs / (fit.ResidualSs / 10), 1e-12);
}

}  // namespace
}  // namespace quorvane
