// Series data as delimited text: every accepted variation of the layout,
// and every refused form with the message that names its line.
#include "tfn/series_files/delimited_series_file.h"

#include <gtest/gtest.h>

#include <optional>

#include "tfn/series_data_error.h"
#include "tfn/series_file_fixture.h"

namespace quorvane {
namespace {

using testing::TextFile;

struct AcceptedCase {
  const char* name;
  std::string text;
  std::vector<std::string> names;
  PeriodCalendar calendar;
  std::int32_t firstPeriod;
  std::vector<SeriesValue> values;  // period after period, series side by side
};

class DelimitedAcceptedTest : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(DelimitedAcceptedTest, ReadsNamesCalendarAndValues) {
  const AcceptedCase& c = GetParam();
  const DelimitedSeriesFile file =
      ReadDelimitedSeriesFile(TextFile(std::string(c.name) + ".csv", c.text), "response");
  EXPECT_EQ(file.Names, c.names);
  EXPECT_EQ(file.Calendar, c.calendar);
  EXPECT_EQ(file.FirstPeriod, c.firstPeriod);
  EXPECT_EQ(file.SeriesCount, static_cast<int>(c.names.size()) - 1);
  EXPECT_EQ(file.PeriodCount * file.SeriesCount, static_cast<int>(c.values.size()));
  EXPECT_EQ(file.Values, c.values);
}

const std::optional<double> M;  // a missing value

INSTANTIATE_TEST_SUITE_P(
    Variations, DelimitedAcceptedTest,
    ::testing::Values(
        AcceptedCase{"CommaLf", "year,flow\n1871,1120\n1872,1160\n", {"year", "flow"}, {}, 1871,
                     {1120.0, 1160.0}},
        AcceptedCase{"CrLfWithByteOrderMark", "\xEF\xBB\xBFyear,flow\r\n1871,1120\r\n1872,1160\r\n",
                     {"year", "flow"}, {}, 1871, {1120.0, 1160.0}},
        AcceptedCase{"CrOnlyWithoutFinalLineEnd", "year,flow\r1871,1120\r1872,1160", {"year", "flow"}, {},
                     1871, {1120.0, 1160.0}},
        AcceptedCase{"SemicolonWithDecimalComma", "year;a;b\r\n1871;1120,5;-0,25\r\n1872;1e3;2.5\r\n",
                     {"year", "a", "b"}, {}, 1871, {1120.5, -0.25, 1000.0, 2.5}},
        AcceptedCase{"Tab", "year\ta\tb\n1871\t1\t2\n", {"year", "a", "b"}, {}, 1871, {1.0, 2.0}},
        AcceptedCase{"RunsOfBlanks", "  year    a  b\n  1871  1.5  2\n  1872    3  4  \n",
                     {"year", "a", "b"}, {}, 1871, {1.5, 2.0, 3.0, 4.0}},
        AcceptedCase{"QuotedFieldsWithSeparatorsAndDoubledQuotes",
                     "\"year\",\"flow, m3\",\"the \"\"b\"\"\"\n\"1871\",\"1120\", 7 \n",
                     {"year", "flow, m3", "the \"b\""}, {}, 1871, {1120.0, 7.0}},
        AcceptedCase{"QuotedBlankSeparated", "when level\n\"1983 Q1\" 5\n\"1983 Q2\" 6\n", {"when", "level"},
                     PeriodCalendar::Quarters(), 4 * 1983, {5.0, 6.0}},
        AcceptedCase{"MissingMarkers", "t,a,b,c\n1,,NA,NaN\n2,nan,.,Missing\n3,\"\",1,2\n",
                     {"t", "a", "b", "c"}, {}, 1, {M, M, M, M, M, M, M, 1.0, 2.0}},
        AcceptedCase{"NoHeader", "1871,1120,3\n1872,1160,4\n", {"Time", "Series 1", "Series 2"}, {}, 1871,
                     {1120.0, 3.0, 1160.0, 4.0}},
        AcceptedCase{"EmptyNamesAreNumbered", ",flow,\n1,2,3\n", {"Time", "flow", "Series 2"}, {}, 1,
                     {2.0, 3.0}},
        AcceptedCase{"BlankLinesPassedOver", "\nyear,flow\n\n1871,1\n,\n\n1872,2\n\n\n", {"year", "flow"},
                     {}, 1871, {1.0, 2.0}},
        AcceptedCase{"FullPrecision", "year,flow\n1871,3518.5837720206\n1872,-0.000123456789012345\n",
                     {"year", "flow"}, {}, 1871, {3518.5837720206, -0.000123456789012345}},
        AcceptedCase{"SignsAndExponents", "t,x\n-1,+2\n0,-1.5E-07\n1,.5\n", {"t", "x"}, {}, -1,
                     {2.0, -1.5e-07, 0.5}},
        AcceptedCase{"Quarters", "quarter,x\n1983-Q4,1\n1984-Q1,2\n", {"quarter", "x"},
                     PeriodCalendar::Quarters(), 4 * 1983 + 3, {1.0, 2.0}},
        AcceptedCase{"Months", "month,x\n1983-12,1\n1984-01,2\n", {"month", "x"}, PeriodCalendar::Months(),
                     12 * 1983 + 11, {1.0, 2.0}},
        // Days are numbered by their ordinal (Python's date.toordinal());
        // 1983-02-28 is day 723969, a Monday.
        AcceptedCase{"Days", "date,x\n1983-02-28,1\n1983-03-01,2\n", {"date", "x"}, PeriodCalendar::Days(),
                     723969, {1.0, 2.0}},
        AcceptedCase{"OneDateIsADay", "date,x\n1983-02-28,1\n", {"date", "x"}, PeriodCalendar::Days(),
                     723969, {1.0}},
        AcceptedCase{"Weeks", "date,x\n1983-02-28,1\n1983-03-07,2\n1983-03-14,3\n", {"date", "x"},
                     PeriodCalendar::WeeksOn(723969), 723969 / 7, {1.0, 2.0, 3.0}},
        AcceptedCase{"UnicodeNames", "Zeit,D\xC3\xBC" "bendorf\n1,2\n", {"Zeit", "D\xC3\xBC" "bendorf"}, {}, 1,
                     {2.0}}),
    [](const auto& param) { return std::string(param.param.name); });

struct RefusedCase {
  const char* name;
  std::string text;
  std::string message;
};

class DelimitedRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(DelimitedRefusedTest, NamesTheLine) {
  const RefusedCase& c = GetParam();
  try {
    ReadDelimitedSeriesFile(TextFile(std::string(c.name) + ".csv", c.text), "response");
    FAIL() << "no error";
  } catch (const SeriesDataError& e) {
    EXPECT_EQ(e.Title, "Fatal data input error");
    EXPECT_EQ(e.Text, c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DelimitedRefusedTest,
    ::testing::Values(
        RefusedCase{"NotATime", "year,flow\n1871,1\n18x2,2\n",
                    "Line 3 of the response data: the time '18x2' is neither a whole number of time "
                    "periods nor a date written 1983-Q1, 1983-02 or 1983-02-28"},
        RefusedCase{"NotANumber", "year,flow\n1871,1\n1872,1 120\n",
                    "Line 3 of the response data: the value of series 1 (flow) reads '1 120', which is "
                    "neither a number nor a missing value (an empty field, NA, NaN, . or Missing)"},
        RefusedCase{"Infinity", "year,a,b\n1871,1,inf\n",
                    "Line 2 of the response data: the value of series 2 (b) reads 'inf', which is "
                    "neither a number nor a missing value (an empty field, NA, NaN, . or Missing)"},
        RefusedCase{"BeyondTheRange", "year,flow\n1871,1e400\n",
                    "Line 2 of the response data: the value of series 1 (flow) reads '1e400', which is "
                    "beyond the range of double-precision numbers"},
        RefusedCase{"DecimalCommaOutsideSemicolonFiles", "year,flow\n1871,\"1120,5\"\n",
                    "Line 2 of the response data: the value of series 1 (flow) reads '1120,5', which is "
                    "neither a number nor a missing value (an empty field, NA, NaN, . or Missing)"},
        RefusedCase{"SkippedYear", "year,flow\r\n1871,1\r\n1873,2\r\n",
                    "Line 3 of the response data: 1873 follows 1871; the periods must rise by one from "
                    "line to line, with no line skipped"},
        RefusedCase{"SkippedMonth", "month,x\n1983-01,1\n1983-02,2\n1983-04,3\n",
                    "Line 4 of the response data: 1983-04 follows 1983-02; the periods must rise by one "
                    "from line to line (one month), with no line skipped"},
        RefusedCase{"RowsOutOfOrder", "month,x\n1983-02,1\n1983-01,2\n",
                    "Line 3 of the response data: 1983-01 follows 1983-02; the periods must rise by one "
                    "from line to line (one month), with no line skipped"},
        RefusedCase{"WeekdayLost", "date,x\n1983-02-28,1\n1983-03-07,2\n1983-03-15,3\n",
                    "Line 4 of the response data: 1983-03-15 follows 1983-03-07; the periods must rise "
                    "by one from line to line (seven days), with no line skipped"},
        RefusedCase{"DatesAMonthApart", "date,x\n1983-01-31,1\n1983-02-28,2\n",
                    "Line 3 of the response data: 1983-02-28 follows 1983-01-31, 28 days later; dates "
                    "must be one day apart (daily data) or seven days apart (weekly data), with no line "
                    "skipped. Write monthly data as 1983-02 and quarterly data as 1983-Q1"},
        RefusedCase{"FormsMixed", "t,x\n1983-01,1\n1983-Q1,2\n",
                    "Line 3 of the response data: the time '1983-Q1' is not written like the first, "
                    "'1983-01'; every time of a file has one form"},
        RefusedCase{"TooFewFields", "year,a,b\n1871,1,2\n1872,3\n",
                    "Line 3 of the response data holds 2 fields where line 1 holds 3"},
        RefusedCase{"TooManyFields", "1871,1\n1872,3,4\n",
                    "Line 2 of the response data holds 3 fields where line 1 holds 2"},
        RefusedCase{"QuoteInsideAField", "year,flow\n1871,\"11\"20\n",
                    "Line 2 of the response data breaks the rules of quoting: a field that holds a quote "
                    "must be quoted as a whole, with each quote inside it doubled"},
        RefusedCase{"QuoteNeverClosed", "year,flow\n1871,1\n1872,\"2\n",
                    "The response data file ends inside a quoted field that begins on line 3; its "
                    "closing quote is missing"},
        RefusedCase{"OneColumn", "year\n1871\n",
                    "Line 1 of the response data holds one field only: no series follows the time (the "
                    "fields are taken to be separated by blanks)"},
        RefusedCase{"PeriodBeyondTheLimit", "t,x\n10000000,1\n",
                    "Line 2 of the response data: the time period '10000000' is outside the time periods "
                    "a series data file can hold (-999999 to 9999999)"},
        RefusedCase{"PeriodsRunningPastTheLimit", "t,x\n9999999,1\n10000000,2\n",
                    "Line 3 of the response data: the time period '10000000' is outside the time periods "
                    "a series data file can hold (-999999 to 9999999)"},
        RefusedCase{"HeaderNotUtf8", "year,D\xFC" "bendorf\n1,2\n",
                    "Line 1 of the response data: the name of column 2 is not UTF-8 text; save the file "
                    "as UTF-8"},
        RefusedCase{"HeaderOnly", "year,flow\r\n", "The response data file has no data records after its header line"},
        // A quoted name over two lines: the lines after it are counted on.
        RefusedCase{"LinesCountedAcrossAQuotedLineEnd", "\"year\r\nof flow\",flow\r\n1871,1\r\n1872,x\r\n",
                    "Line 4 of the response data: the value of series 1 (flow) reads 'x', which is "
                    "neither a number nor a missing value (an empty field, NA, NaN, . or Missing)"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DelimitedSeriesFileTest, StopsAfterTheLinesAskedFor) {
  const std::string path =
      TextFile("stops.csv", "date,x\n1983-02-28,1\n1983-03-07,2\n1983-03-14,3\nnot a line at all\n");
  const DelimitedSeriesFile start = ReadDelimitedSeriesFile(path, "covariate", 2);
  EXPECT_EQ(start.Calendar, PeriodCalendar::WeeksOn(723969));
  EXPECT_EQ(start.PeriodCount, 2);
  EXPECT_THROW(ReadDelimitedSeriesFile(path, "covariate"), SeriesDataError);
}

}  // namespace
}  // namespace quorvane
