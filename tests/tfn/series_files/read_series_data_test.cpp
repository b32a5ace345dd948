// The one series reader: which layout a file has, and the window and
// series the set-up takes from delimited text.
#include "tfn/series_files/read_series_data.h"

#include <gtest/gtest.h>

#include "tfn/series_data_error.h"
#include "tfn/series_file_fixture.h"
#include "tfn/series_files/series_file_format.h"

namespace quorvane {
namespace {

using testing::TextFile;

TEST(SeriesFileFormatTest, TellsTheFixedLayoutFromDelimitedText) {
  const struct {
    const char* start;
    SeriesFileFormat format;
  } cases[] = {
      {" Period,    Flow\r\n   1871,    1120\r\n", SeriesFileFormat::FixedWidth},
      {"      T,       A,       B, \r\n      1,       1,      10, \r\n", SeriesFileFormat::FixedWidth},
      // A period field that is no number is still the fixed layout: its
      // reader names the field.
      {"      T,       A\r\n     x1,       1\r\n", SeriesFileFormat::FixedWidth},
      {"\r\n\r\n Period,    Flow\r\n\r\n   1871,    1120\r\n", SeriesFileFormat::FixedWidth},
      // Blanks where the layout has ", ": the fixed reader never reads them.
      {" Period,  Flow\r\n  -3.0,     1\r\n", SeriesFileFormat::FixedWidth},
      {" Period,    Flow\r\n", SeriesFileFormat::FixedWidth},
      {"", SeriesFileFormat::FixedWidth},
      {"year,flow\n1871,1120\n", SeriesFileFormat::Delimited},
      // Ten decimals run past the 7 characters of a fixed field.
      {"year,flow\n1871,3518.5837720206\n", SeriesFileFormat::Delimited},
      {" Period,    Flow\n   1871, 3518.5837720206\n", SeriesFileFormat::Delimited},
      // A month of 7 characters followed by ", " is a date, not a fixed field.
      {"month, x\n1983-02, 123\n", SeriesFileFormat::Delimited},
      {"year;flow\n   1871;    1120\n", SeriesFileFormat::Delimited},
      {"year\tflow\n1871\t1120\n", SeriesFileFormat::Delimited},
      // Blank-separated fields that a 7-character field would run together.
      {"t a b\n1 22     333\n", SeriesFileFormat::Delimited},
  };
  for (const auto& c : cases) EXPECT_EQ(SeriesFileFormatOf(c.start), c.format) << c.start;
}

SeriesFileChoice Choice(const std::string& file, int start, int end, int first, int last) {
  SeriesFileChoice choice;
  choice.FileName = file;
  choice.StartPeriod = start;
  choice.EndPeriod = end;
  choice.FirstSeries = static_cast<std::int16_t>(first);
  choice.LastSeries = static_cast<std::int16_t>(last);
  return choice;
}

const std::string kMonths =
    "month,a,b,c\n1983-01,1,10,100\n1983-02,2,,200\n1983-03,3,30,300\n1983-04,4,40,400\n";

TEST(ReadSeriesDataTest, TakesTheWindowAndSeriesOfADelimitedFile) {
  const std::string file = TextFile("window.csv", kMonths);
  const PeriodCalendar months = PeriodCalendar::Months();
  const SeriesFileData data =
      ReadSeriesData(Choice(file, *months.Period("1983-02"), *months.Period("1983-03"), 2, 3), "response");
  EXPECT_EQ(data.Calendar, months);
  EXPECT_EQ(data.Names, (std::vector<std::string>{"month", "b", "c"}));
  EXPECT_EQ(data.Values.StartPeriod(), *months.Period("1983-02"));
  EXPECT_EQ(data.Values.EndPeriod(), *months.Period("1983-03"));
  EXPECT_EQ(data.Values.At(*months.Period("1983-02"), 1), std::nullopt);
  EXPECT_EQ(data.Values.At(*months.Period("1983-03"), 2), 300.0);
}

TEST(ReadSeriesDataTest, RefusesAWindowOrSeriesBeyondTheFileNamingThePeriodsByDate) {
  const std::string file = TextFile("beyond.csv", kMonths);
  const PeriodCalendar months = PeriodCalendar::Months();
  const auto m = [&](const char* label) { return *months.Period(label); };
  const struct {
    SeriesFileChoice choice;
    const char* text;
  } cases[] = {
      {Choice(file, m("1982-12"), m("1983-04"), 1, 1),
       "Your choice for first time period of response data to analyze (1982-12) preceeds the first "
       "time period (1983-01) in the data"},
      {Choice(file, m("1983-01"), m("1983-06"), 1, 1),
       "Your choice for last time period of response data to analyze (1983-06) exceeds the last time "
       "period (1983-04) in the data"},
      {Choice(file, m("1983-01"), m("1983-04"), 2, 4),
       "The response data file holds 3 series, so there is no series 4 to read"},
  };
  for (const auto& c : cases) {
    try {
      ReadSeriesData(c.choice, "response");
      ADD_FAILURE() << "no error: " << c.text;
    } catch (const SeriesDataError& e) {
      EXPECT_EQ(e.Text, c.text);
    }
  }
}

}  // namespace
}  // namespace quorvane
