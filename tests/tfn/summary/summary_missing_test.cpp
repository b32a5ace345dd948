// The results summary of a set-up with missing values under the exact
// likelihood of the values present: the treatment and counts, the smoothed
// estimate in the table of the values as read, its standard error, and the
// warning about a covariate with missing values.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/format/format_picture.h"
#include "tfn/series_file_fixture.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

// A random walk with drift 1, X = 1, 2, 4, Missing, 7, 8, 10, 11 (d = 1,
// Phi and Theta 0): given its neighbours the missing X(4) is their mean,
// 5.5, with error variance sigma^2 / 2. The likelihood counts 6 values: the
// differences 0, 1, 0, 1, 0 less the drift, each with h = 1, and X(5) -
// X(3) - 2 = 1 with h = 2, so SUMSQ = 2.5 and sigma^2 = 2.5 / 6. The
// covariate, one value missing, has no effect (its Omegas are 0).
class SummaryMissingTest : public testing::SummarySession {};

TEST_F(SummaryMissingTest, StatesTheTreatmentEstimatesTheMissingValueAndWarnsOfTheCovariate) {
  TfnSetup s;
  s.Response = {testing::SeriesFile("walk.dat", {{"T", "X"}, {"1", "1"}, {"2", "2"}, {"3", "4"}, {"4", "Missing"},
                                                 {"5", "7"}, {"6", "8"}, {"7", "10"}, {"8", "11"}}),
                1, 8, 1, 1, 1, SeriesTransformation::None, 1, 0};
  s.UseCovariates = true;
  s.Covariates = {testing::SeriesFile("walk_cov.dat", {{"T", "C"}, {"1", "3"}, {"2", "1"}, {"3", "Missing"},
                                                      {"4", "2"}, {"5", "5"}, {"6", "4"}, {"7", "2"}, {"8", "3"}}),
                  1, 8, 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  SetUpModel(s);
  Set(layout_.Intercept(1), 1.0, 0.1);
  const std::string& text = Summarize();

  EXPECT_NE(text.find("This analysis left 1 missing response series values out of the likelihood for series: 1"),
            std::string::npos);
  EXPECT_NE(text.find("Missing values: exact likelihood of the values present (the set-up's choice)."),
            std::string::npos);
  EXPECT_NE(text.find("The likelihood counts 6 values; the 1 missing values are predicted through"),
            std::string::npos);
  EXPECT_NE(text.find("Warning: the covariate series had 1 missing values"), std::string::npos);
  EXPECT_EQ(testing::ValueAfter(text, "Time periods in each response series is:"), "6");
  // The values as read: X(4) estimated and marked.
  const size_t table = text.find("Observed (i.e., undifferenced, unflattened, untransformed) response series data:");
  ASSERT_NE(table, std::string::npos);
  EXPECT_NE(text.find("      4,     5.5000*\r\n", table), std::string::npos);
  const std::string se = FormatPicture(std::sqrt(2.5 / 6.0 / 2.0), "##0.0000");
  EXPECT_NE(text.find("      4,X,      5.5000,      " + se + "\r\n"), std::string::npos) << se;
}

}  // namespace
}  // namespace quorvane
