// The results summary of the seat-belt example, end to end through the
// main menu's results command.
#include <gtest/gtest.h>

#include <cmath>

#include "base/format/format_picture.h"
#include "tfn/summary/summary_fixture.h"
#include "tfn/summary/summary_notes.h"

namespace quorvane {
namespace {

using testing::ValueAfter;

class SeatBeltSummaryTest : public testing::SummarySession {
 protected:
  void SetUp() override {
    SetUpModel(testing::SeatBeltSetup());
    ASSERT_EQ(session_.Algorithm.ParameterCount, 28);
    Set(layout_.Phi(1), 0.3, 0.1);
    Set(layout_.Intercept(1), 1.0, 0.1);
    Set(layout_.Intercept(2), -1.0, 0.1);
    Set(layout_.Intercept(3), 0.5, 0.1);
    Set(layout_.BlockOmega(layout_.CovariateBase(1), 0), -5.0, 1.0);
    Set(layout_.BlockOmega(layout_.CovariateBase(2), 0), 2.0, 1.0);
    Set(layout_.BlockOmega(layout_.CovariateBase(3), 0), -100.0, 10.0);
    Summarize();
  }
};

TEST_F(SeatBeltSummaryTest, HasEverySectionInOrder) {
  const std::string& text = Text();
  const std::vector<std::string> expected = {
      "Simultaneous Time Series ARIMA, Intervention and/or TFN Analysis Results:\r\n\r\n",
      "This is an analysis of 3 1st differenced response series for the time periods: 2 to 192\r\n",
      "Note: Inter-series covariance refers to period-effects on the values for each time period in all series.\r\n"
      "      Intra-period inter-series covariance among the response series, if it exists, has not been removed.\r\n",
      "The response series data were not transformed before analysis.\r\n",
      "The Phi, Theta and/or Delta parameters estimated were the actual values (i.e., not logit transformed).\r\n",
      "The response series file name is:\r\n",
      "The response series are partitioned into the following series groups:\r\n"
      "Group 1 begins with series # 1 and ends with series # 1\r\n",
      "Group 3 begins with series # 3 and ends with series # 3\r\n",
      "In total, this analysis replaced 0 missing response series values by the predicted series group mean\r\n",
      "The covariate series file name is:\r\n",
      "This analysis includes 3 1st differenced covariate series, 1 for each group, for the time periods: 2 to 192\r\n",
      "Was covariate series 2 treated as an intervention series? No\r\n"
      "Was covariate series 3 treated as an intervention series? Yes\r\n",
      "The covariate series data were not transformed before analysis.\r\n",
      "The mean of covariate series 3 is: 0.0000E+00\r\n",
      "The algorithm data file name is:\r\n/data/model.alg\r\n",
      "The first, then last, response series are:  1, 3\r\n"
      "The number of response series analyzed is:  3\r\n"
      "The number of complete response series is:  3\r\n"
      "The total number of time periods is:        192\r\n"
      "The number of time periods evaluated is:    191\r\n"
      "Time periods in each response series is:    191\r\n"
      "Time periods in each covariate series is:   191\r\n",
      "The model fit diagnostics follow:\r\n",
      "The value, T-stat and p[v2<>0] of the residual (a-hat) variance time trend, v2, are:  ",
      "The objective function is Melard's exact -ln[likelihood]\r\n",
      "The number of free parameters is:",
      "The -2ln[L] of the model fit is:",
      "The AIC of the model fit is:",
      std::string(kTextbookCorrectionIntro),
      std::string(kStudyCorrectionIntro),
      "Parameter estimates:\r\n\r\n",
      "Phi and Theta parameters for the response 1st differenced series:\r\n"
      "         0.3000    Phi( 1) [0; -1 < Phi < +1]\r\n",
      "The following time periods, intervention types, Omegas or Deltas refer to any interventions...\r\n"
      "The following backward shifts, Omegas or Deltas refer to transfer function parameters associated "
      "with any covariate series...\r\n",
      "      -100.0000    Omega( 0) for TFN covariate series 3 [0; any real number]\r\n",
      "The untransformed mean of covariate series 3 is:   ",
      "A complete series has 191 time periods of data starting in 2\r\n",
      "The time period, then mean over all 3 untransformed response series, then the 1st and 2nd "
      "differenced series means:\r\nTime,Response,First,Second\r\n",
      "Observed (i.e., undifferenced, unflattened, untransformed) response series data:\r\nTime,Front,Rear,Drivers\r\n"
      "      1,    867.0000,    269.0000,    107.0000\r\n",
      "The 1st differenced and possibly flattened response series data:\r\n",
      "The 2nd differenced and possibly flattened response series data:\r\n",
      "The possibly differenced, flattened and/or transformed response series data:\r\n",
      "Predicted fits to the possibly differenced, flattened and/or transformed response series data:\r\n",
      "Residuals (Melard's a-hat/h-hat) for the possibly differenced, flattened and/or transformed "
      "response series data:\r\n",
      "Innovations (one-step prediction errors: Melard's a-hat times the residual SD) for the "
      "possibly differenced, flattened and/or transformed response series data:\r\n",
      "Predicted fit to the response (i.e., undifferenced, unflattened, untransformed) series data:\r\n"
      "Time,Front,Rear,Drivers\r\n      2,",
      "Residual SDs of the predicted fit to the possibly differenced, flattened and/or transformed "
      "response series data:\r\n",
      "The time period, the untransformed and undifferenced covariate series 1 (Petrol) the 1st and "
      "2nd differenced series, then the possibly transformed series:\r\nTime,Covariate,First,Second,T'formed\r\n",
      "The time period, the untransformed and undifferenced covariate series 3 (Law) the 1st and 2nd "
      "differenced series, then the possibly transformed series:\r\n",
  };
  size_t at = 0;
  for (const std::string& part : expected) {
    const size_t found = text.find(part, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << part;
    at = found + part.size();
  }
  EXPECT_EQ(text.rfind("Simultaneous", 0), 0u);
  size_t bareLineFeeds = 0;
  for (size_t i = 0; i < text.size(); ++i) bareLineFeeds += text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
  EXPECT_EQ(bareLineFeeds, 0u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(SeatBeltSummaryTest, InformationCriteriaFollowFromTwoFKCAndN) {
  const double F = model().Best().Objective;
  const double n = 3 * 191;       // every noise value of the three differenced series
  const double k = 7 + 1 * 3;     // seven non-zero steps, plus d x NS
  const double c = 3;             // the three intercepts are estimated
  const auto shown = [](double v) { return FormatPicture(v, "####0.0000"); };
  const std::string& text = Text();
  EXPECT_EQ(ValueAfter(text, "The -2ln[L] of the model fit is:"), shown(2 * F));
  EXPECT_EQ(ValueAfter(text, "The AIC of the model fit is:"), shown(2 * F + 2 * k));
  EXPECT_EQ(ValueAfter(text, "The AICc of the model fit is:"), shown(2 * F + 2 * k * n / (n - k - c)));
  EXPECT_EQ(ValueAfter(text, "The BIC of the model fit is:"), shown(2 * F + k * std::log(n)));
  EXPECT_EQ(ValueAfter(text, "The model degrees of freedom are:"), "7");
  EXPECT_EQ(ValueAfter(text, "The residual degrees of freedom are:"), "565");
  EXPECT_EQ(ValueAfter(text, "The total degrees of freedom are:"), "572");

  // The differencing corrections scale 2F by N/n, N = n + d x NS; both
  // blocks hold the same values.
  const double factor = (n + 3) / n;
  const size_t corrected = text.find(std::string(kTextbookCorrectionIntro));
  const size_t study = text.find(std::string(kStudyCorrectionIntro));
  ASSERT_NE(corrected, std::string::npos);
  for (size_t block : {corrected, study}) {
    const std::string rest = text.substr(block);
    EXPECT_EQ(ValueAfter(rest, "The AIC of the model fit is:"), shown(factor * 2 * F + 2 * k));
    EXPECT_EQ(ValueAfter(rest, "The AICc of the model fit is:"),
              shown(factor * 2 * F + 2 * k * n / (n - k - c)));
    EXPECT_EQ(ValueAfter(rest, "The BIC of the model fit is:"), shown(factor * 2 * F + k * std::log(n)));
  }
}

TEST_F(SeatBeltSummaryTest, ResidualSumsOfSquaresPoolEverySeries) {
  // F = (n/2) ln(sum_k FACT_k SUMSQ_k / n): the modified RSS is the pooled
  // quantity inside the likelihood, and the sigma estimate of the
  // likelihood is the root of RSS / n over all three series.
  const FitStatistics& fit = app_.Summary().Results()->Fit;
  const double n = 573;
  EXPECT_NEAR(fit.ModifiedResidualSs, n * std::exp(2 * model().Best().Objective / n),
              1e-9 * fit.ModifiedResidualSs);
  double rss = 0;
  for (int k = 1; k <= 3; ++k) rss += model().Best().SumSq[static_cast<size_t>(k)];
  EXPECT_DOUBLE_EQ(fit.ResidualSs, rss);
  EXPECT_GT(model().Best().SumSq[1], model().Best().SumSq[3]);  // the series differ: pooling matters
  EXPECT_DOUBLE_EQ(*fit.SigmaMl, std::sqrt(rss / n));
  EXPECT_DOUBLE_EQ(fit.RSquared, 1 - rss / fit.TotalSs);
}

}  // namespace
}  // namespace quorvane
