// The summary of a seasonal model: the seasonal set-up, the seasonal
// parameters, criteria that count the seasonal differencing as they count
// d, and a fit on the original scale when the logarithm came before the
// differencing; and the periods the next set-up is proposed.
#include <gtest/gtest.h>

#include <cmath>

#include "base/format/format_picture.h"
#include "support/example_setups.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

using testing::ValueAfter;

// The airline model on the logarithm of the monthly airline passengers,
// months 1..144: log before differencing at lags 1 and 12, Theta(1) and
// Theta_s(1) estimated directly.
TfnSetup Airline() {
  TfnSetup s;
  s.Response = {testing::ExamplePath("airpassengers.dat"), 1, 144, 1, 1, 1, SeriesTransformation::BoxCox, 0, 0,
                true};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  s.SeasonalPeriod = 12;
  s.SeasonalDifferencing = 1;
  s.SeasonalMaOrder = 1;
  return s;
}

class SummarySeasonalTest : public testing::SummarySession {};

TEST_F(SummarySeasonalTest, AirlineModelReportsItsSeasonalTermsAndCounts) {
  SetUpModel(Airline());
  Set(layout_.Theta(1), 0.4018, 0.05);
  Set(4, 0.5569, 0.05);  // Theta_s(1), after the intercept
  const std::string& text = Summarize();

  EXPECT_NE(text.find("This is an analysis of 1 1st and seasonally differenced response series for the time "
                      "periods: 14 to 144"),
            std::string::npos);
  EXPECT_NE(text.find("The seasonal period is 12 time periods.\r\n"
                      "     The response series were seasonally differenced at lag 12.\r\n"
                      "     The noise model has a seasonal moving-average factor Theta_s(B^12) of order 1, "
                      "multiplying the regular one.\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("     The transformation was applied to the series as read, before any differencing."),
            std::string::npos);
  EXPECT_NE(text.find("Phi and Theta parameters for the response 1st and seasonally differenced series:\r\n"
                      "         0.0000    Phi( 1) [0; -1 < Phi < +1]\r\n"
                      "         0.4018    Theta( 1) [0; -1 < Theta < +1]\r\n"
                      "         0.5569    Theta_s( 1) at lag 12 [0; -1 < Theta_s < +1]\r\n"
                      "The following time periods"),
            std::string::npos);

  // k = 2 free parameters + (d + s D) NS = 2 + 13; n = 131 and N = n + 13.
  const double F = model().Best().Objective;
  const double n = 131, k = 15, N = 144;
  EXPECT_EQ(ValueAfter(text, "The number of free parameters is:"), "15");
  EXPECT_EQ(ValueAfter(text, "The AICc of the model fit is:"),
            FormatPicture(2 * F + 2 * k * n / (n - k), "####0.0000"));
  const size_t block = text.find("With the differencing correction factor (N/n), N = n + (d + s) x NS,");
  ASSERT_NE(block, std::string::npos);
  EXPECT_EQ(ValueAfter(text.substr(block), "The AIC of the model fit is:"),
            FormatPicture(N / n * 2 * F + 2 * k, "####0.0000"));

  // The fit on the original scale: the exponential of the log observed less
  // the prediction error, near the passengers themselves.
  const std::string fit = "Predicted fit to the response (i.e., undifferenced, unflattened, untransformed) series data:";
  const size_t table = text.find(fit);
  ASSERT_NE(table, std::string::npos);
  const size_t row = text.find("\r\n    144,", table);
  ASSERT_NE(row, std::string::npos);
  const double december1960 = std::stod(text.substr(row + 11));
  EXPECT_NEAR(december1960, 432.0, 432.0 * 0.1);  // observed 432
}

// Reopened, the Initialize window proposes the first period the regular
// differencing leaves (month 2), not the first one analysed after the
// seasonal difference too (month 14), which a repeated set-up would lose.
TEST_F(SummarySeasonalTest, ReopeningProposesTheStartBeforeTheSeasonalDifference) {
  SetUpModel(Airline());
  ASSERT_EQ(model().Response().FirstAnalysedPeriod, 14);
  app_.Window().Open();
  EXPECT_EQ(app_.Window().form().Text("cboResStartTimePeriod"), "2");
  EXPECT_EQ(app_.Window().form().Text("cboResEndTimePeriod"), "144");
}

}  // namespace
}  // namespace quorvane
