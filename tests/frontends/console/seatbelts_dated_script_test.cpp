// The seat-belt analysis of a dated CSV, as examples/seatbelts-dated.txt
// plays it: set up by months, a step at 1983-02, a fit, and the summary
// table and the forecasts exported as CSV, which read back with their dates.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/console_run.h"
#include "tfn/series_files/delimited_series_file.h"

namespace quorvane {
namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(SeatBeltsDatedScriptTest, SetsUpByMonthsFitsAndExportsTablesThatReadBackWithDates) {
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/examples/seatbelts-dated.txt");
  std::stringstream script;
  script << in.rdbuf();
  const std::string summaryPath = testing::TestTempPath("summary.csv");
  const std::string forecastPath = testing::TestTempPath("forecasts.csv");
  std::remove(summaryPath.c_str());
  std::remove(forecastPath.c_str());
  std::string text = Replaced(script.str(), "build/seatbelts-summary.csv\n", summaryPath + "\n");
  text = Replaced(text, "build/seatbelts-forecasts.csv\n", forecastPath + "\n");

  const testing::ProgramRun run = testing::RunConsole(text, "", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* line : {"response series for the time periods: 1969-01 to 1984-12\n",
                           "        1983-02    Starting time period for Intervention 1 of Group 1",
                           "Minimum found using Simplex!"})
    EXPECT_NE(run.output.find(line), std::string::npos) << line;

  const PeriodCalendar months = PeriodCalendar::Months();
  const DelimitedSeriesFile summary = ReadDelimitedSeriesFile(summaryPath, "summary");
  EXPECT_EQ(summary.Calendar, months);
  EXPECT_EQ(summary.FirstPeriod, *months.Period("1969-01"));
  EXPECT_EQ(summary.LastPeriod(), *months.Period("1984-12"));
  ASSERT_EQ(summary.SeriesCount, 8);
  EXPECT_EQ(summary.Names[0], "Month");
  EXPECT_EQ(summary.Names[1], "Front observed");
  EXPECT_EQ(summary.Names[7], "Front fitted (original scale)");
  const auto cell = [&](const char* month, int column) {
    return summary.Values[static_cast<size_t>(*months.Period(month) - summary.FirstPeriod) * 8 +
                          static_cast<size_t>(column - 1)];
  };
  EXPECT_EQ(cell("1983-02", 1), 426.0);  // as examples/seatbelts.csv holds it
  // The fit drops with the law; on the scale of the data as read it is the
  // observed value less the residual there.
  EXPECT_LT(*cell("1983-03", 7), 0.8 * *cell("1982-12", 7));
  EXPECT_DOUBLE_EQ(*cell("1983-02", 7) + *cell("1983-02", 8), 426.0);

  const DelimitedSeriesFile forecasts = ReadDelimitedSeriesFile(forecastPath, "forecasts");
  EXPECT_EQ(forecasts.Calendar, months);
  EXPECT_EQ(forecasts.FirstPeriod, *months.Period("1985-01"));
  EXPECT_EQ(forecasts.PeriodCount, 12);
  ASSERT_EQ(forecasts.SeriesCount, 8);
  EXPECT_EQ(forecasts.Names[5], "Front forecast (original scale)");
  for (int h = 0; h < 12; ++h) {
    const auto at = [&](int column) { return forecasts.Values[static_cast<size_t>(h) * 8 + column - 1]; };
    EXPECT_LT(*at(3), *at(1));  // lower 95% < forecast < upper 95%, analysed scale
    EXPECT_LT(*at(1), *at(4));
    EXPECT_GT(*at(2), 0.0);     // its standard error
    EXPECT_EQ(at(6), std::nullopt);  // none on the original scale of logarithms
    EXPECT_LT(*at(7), *at(5));
    EXPECT_LT(*at(5), *at(8));
  }
  std::remove(summaryPath.c_str());
  std::remove(forecastPath.c_str());
}

}  // namespace
}  // namespace quorvane
