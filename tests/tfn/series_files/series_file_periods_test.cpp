#include "tfn/series_files/series_file_periods.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/example_setups.h"

namespace quorvane {
namespace {

std::string Write(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(SeriesFilePeriodsTest, ReadsTheFirstAndLastPeriodOfTheExamples) {
  const auto nile = ReadSeriesFilePeriods(testing::ExamplePath("nile.dat"));
  ASSERT_TRUE(nile);
  EXPECT_EQ(nile->first, 1871);
  EXPECT_EQ(nile->last, 1970);
  const auto belts = ReadSeriesFilePeriods(testing::ExamplePath("seatbelts_cov.dat"));
  ASSERT_TRUE(belts);
  EXPECT_EQ(belts->first, 1);
  EXPECT_EQ(belts->last, 192);
}

TEST(SeriesFilePeriodsTest, PassesOverBlankLinesAndRefusesWhatHasNoPeriods) {
  const struct {
    const char* text;
    long first, last;  // 0, 0: no periods
  } cases[] = {
      {" Period,  Flow\n   1990,     1\n   1991,     2\n\n  \r\n", 1990, 1991},
      {" Period,  Flow\r\n\r\n  -3.0,     1\r\n   4.5,     2", -3, 4},  // halves to even
      {" Period,  Flow\r\n", 0, 0},                                    // header only
      {"", 0, 0},
      {" Period,  Flow\r\n  year,     1\r\n   1991,     2\r\n", 0, 0},  // no number
      {" Period,  Flow\r\n   1991,     1\r\n   1990,     2\r\n", 0, 0},  // falling
  };
  int n = 0;
  for (const auto& c : cases) {
    const auto periods = ReadSeriesFilePeriods(Write("periods_" + std::to_string(++n) + ".dat", c.text));
    if (c.first == 0 && c.last == 0) {
      EXPECT_FALSE(periods) << c.text;
      continue;
    }
    ASSERT_TRUE(periods) << c.text;
    EXPECT_EQ(periods->first, c.first) << c.text;
    EXPECT_EQ(periods->last, c.last) << c.text;
  }
  EXPECT_FALSE(ReadSeriesFilePeriods(::testing::TempDir() + "missing_series.dat"));
}

}  // namespace
}  // namespace quorvane
