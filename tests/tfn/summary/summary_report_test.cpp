// The summary's texts at the edges: no differencing, second differences,
// too few degrees of freedom, logit coefficients and held diagnostics.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/evaluate_objective.h"
#include "base/format/format_picture.h"
#include "base/format/right_justify.h"
#include "tfn/series_file_fixture.h"
#include "tfn/summary/summary_fixture.h"
#include "tfn/summary/summary_notes.h"

namespace quorvane {
namespace {

using testing::ValueAfter;

// One series over periods 1..count with a wandering level.
TfnSetup Series(int count, int differencing, bool logits = false) {
  std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
  for (int t = 1; t <= count; ++t)
    rows.push_back({std::to_string(t), std::to_string(10 + (t * 7) % 5 + t / 3)});
  TfnSetup s;
  s.Response = {testing::SeriesFile("series" + std::to_string(count) + ".dat", rows), 1,
                count, 1, 1, static_cast<std::int16_t>(differencing),
                SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = logits;
  return s;
}

class SummaryReportTest : public testing::SummarySession {};

// The value of `period` in the one-column table whose title starts with `title`.
double TableValue(const std::string& text, const std::string& title, int period) {
  const auto table = text.find("\r\n" + title);
  if (table == std::string::npos) return NAN;
  const std::string row = "\r\n" + RightJustify(FormatPicture(period, "####"), 7) + ",";
  const auto at = text.find(row, table);
  return at == std::string::npos ? NAN : std::strtod(text.c_str() + at + row.size(), nullptr);
}

// An intercept of 1e200 makes every squared noise value overflow: the
// objective is the model's penalty, and the summary says its statistics are
// not defined rather than printing them as if they were.
TEST_F(SummaryReportTest, APenaltyObjectiveIsSaidToHaveNoStatistics) {
  SetUpModel(Series(20, 0));
  Set(layout_.Phi(1), 0.6, 0.1);
  Set(layout_.Intercept(1), 1e200, 1e199);
  const std::string& text = Summarize();
  EXPECT_NE(text.find("The objective function is Melard's exact -ln[likelihood]\r\nNote: the objective "
                      "is the model's penalty: it could compute no likelihood at these parameter values"),
            std::string::npos);

  Set(layout_.Intercept(1), 12, 1);
  EXPECT_EQ(Summarize().find("Note: the objective is the model's penalty"), std::string::npos);
}

// The innovations table holds what its title says: the one-step prediction
// errors, the analysed value less its prediction, which are the
// standardized residuals a-hat times the residual SDs.
TEST_F(SummaryReportTest, TheInnovationsAreTheOneStepPredictionErrors) {
  SetUpModel(Series(20, 0));
  Set(layout_.Phi(1), 0.6, 0.1);
  Set(layout_.Theta(1), 0.3, 0.1);
  Set(layout_.Intercept(1), 12, 1);
  const std::string& text = Summarize();
  const std::string tail = " for the possibly differenced, flattened and/or transformed response series data:";
  bool standardizedDiffers = false;
  for (int t = 1; t <= 20; ++t) {
    const double analysed = TableValue(text, "The possibly differenced, flattened and/or transformed", t);
    const double fitted = TableValue(text, "Predicted fits to the possibly differenced", t);
    const double residual = TableValue(text, "Residuals (Melard's a-hat/h-hat)" + tail, t);
    const double sd = TableValue(text, "Residual SDs of the predicted fit", t);
    const double innovation = TableValue(
        text, "Innovations (one-step prediction errors: Melard's a-hat times the residual SD)" + tail, t);
    // Each table value is rounded to 4 decimals: differences of two of them
    // to 1e-4, products with values below 3 to about 4e-4.
    EXPECT_NEAR(innovation, analysed - fitted, 1.1e-4) << t;
    EXPECT_NEAR(innovation, residual * sd, 5e-4) << t;
    standardizedDiffers = standardizedDiffers || std::fabs(innovation - residual) > 1e-2;
  }
  // The ARMA(1, 1) filter's early variance factors differ from 1, so the
  // two tables differ there.
  EXPECT_TRUE(standardizedDiffers);
}

TEST_F(SummaryReportTest, NoDifferencingHasNoCorrectedCriteria) {
  // n = 4 noise values, k = 3 (Phi, Theta, intercept), c = 1: n - k - c = 0.
  SetUpModel(Series(4, 0));
  Set(layout_.Phi(1), 0.2, 0.1);
  Set(layout_.Theta(1), 0.1, 0.1);
  Set(layout_.Intercept(1), 11, 1);
  const std::string& text = Summarize();
  EXPECT_EQ(ValueAfter(text, "The AICc of the model fit is:"), "Undefined (too few degrees of freedom)");
  EXPECT_EQ(ValueAfter(text, "The AIC of the model fit is:"),
            FormatPicture(2 * model().Best().Objective + 6, "####0.0000"));
  EXPECT_NE(text.find("This is an analysis of 1 non-differenced response series for the time periods: 1 to 4"),
            std::string::npos);
  EXPECT_EQ(text.find("correction factor"), std::string::npos);
  EXPECT_NE(text.find("Phi and Theta parameters for the response non-differenced series:"), std::string::npos);
}

TEST_F(SummaryReportTest, SecondDifferencesCorrectWithTwiceTheSeriesCount) {
  SetUpModel(Series(20, 2));
  Set(layout_.Intercept(1), 0.5, 0.1);
  const std::string& text = Summarize();
  const double F = model().Best().Objective;
  const double n = 18, k = 1 + 2, N = n + 2;
  const size_t block = text.find(std::string(kTextbookCorrectionIntro));
  ASSERT_NE(block, std::string::npos);
  EXPECT_EQ(ValueAfter(text.substr(block), "The AIC of the model fit is:"),
            FormatPicture(N / n * 2 * F + 2 * k, "####0.0000"));
  EXPECT_NE(text.find("This is an analysis of 1 2nd differenced response series for the time periods: 3 to 20"),
            std::string::npos);
  EXPECT_NE(text.find("Phi and Theta parameters for the response 2nd differenced series:"), std::string::npos);
}

TEST_F(SummaryReportTest, LongSeriesCountsEveryPeriod) {
  // 40,000 periods, first differences: the counts pass 32767 unchanged.
  SetUpModel(Series(40000, 1));
  Set(layout_.Intercept(1), 0.3, 0.1);
  const std::string& text = Summarize();
  EXPECT_EQ(ValueAfter(text, "The total number of time periods is:"), "40000");
  EXPECT_EQ(ValueAfter(text, "The number of time periods evaluated is:"), "39999");
  EXPECT_NE(text.find("response series for the time periods: 2 to 40000"), std::string::npos);
  EXPECT_NE(text.find("\r\n  40000,"), std::string::npos);  // the last row of the data table
}

TEST_F(SummaryReportTest, LogitParametersAreShownAsCoefficients) {
  SetUpModel(Series(20, 0, true));
  Set(layout_.Phi(1), 1.0, 0.1);  // the logit of 2 (e / (e + 1) - 0.5) = 0.4621
  Set(layout_.Intercept(1), 11, 1);
  const std::string& text = Summarize();
  EXPECT_NE(text.find("         0.4621    Logit[Phi( 1) [0; -1 < Phi < +1]]\r\n"), std::string::npos);
  EXPECT_NE(text.find("The intercept, then mean, of response series group 1 is:     11.0000;"),
            std::string::npos);
  EXPECT_NE(text.find("The Phi, Theta and/or Delta parameters estimated were the logit transformations"),
            std::string::npos);
}

TEST_F(SummaryReportTest, DiagnosticsOfAnAllZeroFitHoldTheirLastValues) {
  SetUpModel(Series(30, 0));
  Set(layout_.Intercept(1), 11, 1);
  const std::string first = Summarize();
  const std::string skewness = "The value, T-stat and p[g1<>0] of the residual (a-hat) skewness, g1, are:";
  const std::string held = ValueAfter(first, skewness);
  EXPECT_EQ(held.find("no result"), std::string::npos) << held;

  // One function call at all-zero values keeps a fit with no non-zero
  // parameter: the diagnostics say they hold the last values; the sigma
  // estimate is that of the new fit.
  Set(layout_.Intercept(1), 0, 1);
  EvaluateObjective(session_, session_.Algorithm.Values, 1, false);
  const std::string& second = Summarize();
  EXPECT_EQ(ValueAfter(second, skewness),
            held + "  (no result for this fit; the values last computed are shown)");
  const FitStatistics& fit = app_.Summary().Results()->Fit;
  EXPECT_EQ(ValueAfter(second, "The -ln[L] estimate for Sigma is:"),
            FormatPicture(std::sqrt(fit.ResidualSs / 30), "####0.0000"));
}

TEST_F(SummaryReportTest, ANewSetUpForgetsTheHeldDiagnostics) {
  SetUpModel(Series(30, 0));
  Set(layout_.Intercept(1), 11, 1);
  Summarize();
  SetUpModel(Series(30, 0));
  EvaluateObjective(session_, session_.Algorithm.Values, 1, false);
  EXPECT_EQ(ValueAfter(Summarize(), "The value, T-stat and p[g1<>0] of the residual (a-hat) skewness, g1, are:"),
            "0.0000,   0.0000,  0.0000  (no result for this fit; the values last computed are shown)");
}

}  // namespace
}  // namespace quorvane
