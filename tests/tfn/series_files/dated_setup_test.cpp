// A set-up from dated files: the model counts months as it counts any
// periods, and refuses files that count time differently.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tfn/series_data_error.h"
#include "tfn/series_file_fixture.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

std::string Months(const std::string& name) {
  std::string text = "month,y,x\n";
  for (int m = 0; m < 24; ++m) {
    char line[64];
    std::snprintf(line, sizeof line, "%04d-%02d,%d,%d\n", 1980 + m / 12, m % 12 + 1, (m * 7) % 5, m % 3);
    text += line;
  }
  return testing::TextFile(name, text);
}

TfnSetup DatedSetup(const std::string& response, const std::string& covariates, int covariateSeries,
                    const PeriodCalendar& covariateCalendar, const char* covariateStart) {
  const PeriodCalendar months = PeriodCalendar::Months();
  TfnSetup s;
  s.Response = {response, static_cast<std::int32_t>(*months.Period("1980-01")),
                static_cast<std::int32_t>(*months.Period("1981-12")), 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.UseCovariates = true;
  s.Covariates = {covariates, static_cast<std::int32_t>(*covariateCalendar.Period(covariateStart)),
                  s.Response.EndPeriod, static_cast<std::int16_t>(covariateSeries),
                  static_cast<std::int16_t>(covariateSeries), 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  return s;
}

TEST(DatedSetUpTest, AMonthlyResponseTakesMonthlyCovariatesFromTheSameFile) {
  const std::string file = Months("dated_monthly.csv");
  testing::TfnModelHarness h;
  h.SetUp(DatedSetup(file, file, 2, PeriodCalendar::Months(), "1980-01"));
  EXPECT_EQ(h.model.Response().Calendar, PeriodCalendar::Months());
  EXPECT_EQ(h.model.Response().FirstAnalysedPeriod, 12 * 1980);
  EXPECT_EQ(h.model.Response().AnalysedPeriods, 24);
  EXPECT_EQ(h.model.Covariates()->Names[1], "x");
  EXPECT_TRUE(std::isfinite(h.Evaluate(1)));
}

TEST(DatedSetUpTest, FilesThatCountTimeDifferentlyAreRefused) {
  // Quarters around the one whose number is that of the last month,
  // 1981-12: windows whose numbers agree, of periods that do not.
  const PeriodCalendar q = PeriodCalendar::Quarters();
  std::string quarters = "quarter,x\n";
  for (int n = 12 * 1981 + 11 - 20; n <= 12 * 1981 + 11 + 4; ++n) quarters += q.Label(n) + ",1\n";
  const std::string covariates = testing::TextFile("dated_quarters.csv", quarters);
  testing::TfnModelHarness h;
  const std::string start = q.Label(12 * 1981 + 11 - 10);
  try {
    h.SetUp(DatedSetup(Months("dated_response.csv"), covariates, 1, q, start.c_str()));
    FAIL() << "no error";
  } catch (const SeriesDataError& e) {
    EXPECT_EQ(e.Title, "Problem with your choice of time periods");
    EXPECT_EQ(e.Text,
              "The response data file is monthly and the covariate data file is quarterly: both files "
              "must count time in the same periods");
  }
  EXPECT_FALSE(h.model.IsSetUp());
}

}  // namespace
}  // namespace quorvane
