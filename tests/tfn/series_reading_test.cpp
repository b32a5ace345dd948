#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "tfn/series_data_error.h"
#include "tfn/series_file_fixture.h"
#include "tfn/series_preparation.h"

namespace quorvane {
namespace {

using testing::SeriesFile;

TfnSetup ResponseSetup(const std::string& file, int start, int end, int first, int last, int d = 0) {
  TfnSetup setup;
  setup.Response.FileName = file;
  setup.Response.StartPeriod = start;
  setup.Response.EndPeriod = end;
  setup.Response.FirstSeries = static_cast<std::int16_t>(first);
  setup.Response.LastSeries = static_cast<std::int16_t>(last);
  setup.Response.Differencing = static_cast<std::int16_t>(d);
  return setup;
}

// Periods 1..5 of two series; series 2 misses period 3.
std::string TwoSeriesFile() {
  return SeriesFile("two.dat", {{"Period", "A", "B"},
                                {"1", "1", "10"},
                                {"2", "3", "20"},
                                {"3", "6", "Missing"},
                                {"4", "10", "40"},
                                {"5", "15", "50"}});
}

struct ReaderErrorCase {
  const char* name;
  std::vector<std::vector<std::string>> rows;
  int start, end;
  const char* text;
};

class SeriesReaderErrorTest : public ::testing::TestWithParam<ReaderErrorCase> {};

TEST_P(SeriesReaderErrorTest, RejectsTheFileNamingWhatIsWrong) {
  const auto& c = GetParam();
  const std::string file = SeriesFile(std::string(c.name) + ".dat", c.rows);
  try {
    ReadResponseSeries(ResponseSetup(file, c.start, c.end, 1, 1));
    FAIL() << "no error";
  } catch (const SeriesDataError& e) {
    EXPECT_EQ(e.Title, "Fatal data input error");
    EXPECT_EQ(e.Text, c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SeriesReaderErrorTest,
    ::testing::Values(
        ReaderErrorCase{"LaterFirstRecord", {{"T", "A"}, {"1902", "1"}, {"1903", "2"}}, 1901, 1903,
                        "Your choice for first time period of response data to analyze (1901) "
                        "preceeds the first time period (1902) in the data"},
        ReaderErrorCase{"EndsEarly", {{"T", "A"}, {"1", "1"}, {"2", "2"}}, 1, 4,
                        "Your choice for last time period of response data to analyze (4) exceeds "
                        "the last time period (2) in the data"},
        ReaderErrorCase{"Gap", {{"T", "A"}, {"1", "1"}, {"3", "2"}}, 1, 3,
                        "TimePeriod did not increased by one integer unit (1 is followed by 3) in "
                        "the response data"},
        ReaderErrorCase{"BadRecordAfterEnd", {{"T", "A"}, {"1", "1"}, {"2", "2"}, {"7", "3"}}, 1, 2,
                        "TimePeriod did not increased by one integer unit (2 is followed by 7) in "
                        "the response data"},
        ReaderErrorCase{"NotANumber", {{"T", "A"}, {"1", "1"}, {"2", "n/a"}}, 1, 2,
                        "Line 3 of the response data: the field of series 1 reads 'n/a', which is "
                        "neither a number nor Missing"},
        ReaderErrorCase{"BlankField", {{"T", "A"}, {"1", "1"}, {"2", ""}}, 1, 2,
                        "Line 3 of the response data: the field of series 1 reads '', which is "
                        "neither a number nor Missing"},
        ReaderErrorCase{"ShortLine", {{"T", "A"}, {"1", "1"}, {"2"}}, 1, 2,
                        "Line 3 of the response data is too short to hold series 1 (columns 10 to "
                        "16)"},
        ReaderErrorCase{"HeaderOnly", {{"T", "A"}}, 1, 2,
                        "The response data file has no data records after its header line"},
        ReaderErrorCase{"EndsWhileSkipping", {{"T", "A"}, {"1", "1"}, {"2", "2"}}, 5, 6,
                        "The response data file ends at line 3, period 2, before your choice for "
                        "first time period (5)"},
        // The table grows with the records read, not with the window asked for.
        ReaderErrorCase{"EndFarBeyondTheFile", {{"T", "A"}, {"1", "1"}, {"2", "2"}}, 1, 9999999,
                        "Your choice for last time period of response data to analyze (9999999) "
                        "exceeds the last time period (2) in the data"},
        ReaderErrorCase{"BadPeriod", {{"T", "A"}, {"x1", "1"}}, 1, 2,
                        "Line 2 of the response data: the time period field reads 'x1', which is "
                        "not a whole number of time periods"},
        // A number longer than its field used to be cut at 7 characters.
        ReaderErrorCase{"ValueRunsPastItsField", {{"T", "A"}, {"1871", "1120"}, {"1872", "3518.5837720206"}},
                        1871, 1872,
                        "Line 3 of the response data does not keep to the fixed layout: columns 17 and "
                        "18, after the field of series 1, read '37' where a comma and a blank belong. A "
                        "field holds at most 7 characters; data with more digits can be read from a "
                        "delimited (CSV) file"},
        ReaderErrorCase{"PeriodRunsPastItsField", {{"T", "A"}, {"1", "1"}, {"20000000", "2"}}, 1, 2,
                        "Line 3 of the response data does not keep to the fixed layout: columns 8 and 9, "
                        "after the field of the time period, read '0,' where a comma and a blank belong. "
                        "A field holds at most 7 characters; data with more digits can be read from a "
                        "delimited (CSV) file"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SeriesReaderTest, SkipsEarlierRecordsAndStopsAtTheWindowEnd) {
  const std::string file = SeriesFile("window.dat", {{"Year", "A", "B"},
                                                     {"0", "junk?", "0"},  // skipped, never checked
                                                     {"1", "1.5", "2"},
                                                     {"2", "-2E+01", "Missing"},
                                                     {"3", "4", "5"}});
  ResponseSeriesData data = ReadResponseSeries(ResponseSetup(file, 1, 2, 2, 2));
  EXPECT_EQ(data.Names, (std::vector<std::string>{"Year", "B"}));
  EXPECT_EQ(data.Raw.At(1, 1), 2.0);
  EXPECT_EQ(data.Raw.At(2, 1), std::nullopt);
  ResponseSeriesData both = ReadResponseSeries(ResponseSetup(file, 1, 3, 1, 2));
  EXPECT_EQ(both.Raw.At(2, 1), -20.0);  // window ends at the last record: no error
}

TEST(SeriesReaderTest, MissingFileIsReported) {
  try {
    ReadResponseSeries(ResponseSetup("/nonexistent/x.dat", 1, 2, 1, 1));
    FAIL();
  } catch (const SeriesDataError& e) {
    EXPECT_EQ(e.Text.rfind("Cannot open the response data file /nonexistent/x.dat", 0), 0u);
  }
}

TEST(SeriesPreparationTest, DifferencingPropagatesMissingValues) {
  const std::string file = TwoSeriesFile();
  ResponseSeriesData d1 = ReadResponseSeries(ResponseSetup(file, 1, 5, 1, 2, 1));
  EXPECT_EQ(d1.FirstAnalysedPeriod, 2);
  EXPECT_EQ(d1.AnalysedPeriods, 4);
  EXPECT_EQ(d1.FirstDifference.At(1, 1), std::nullopt);
  EXPECT_EQ(d1.FirstDifference.At(5, 1), 5.0);
  EXPECT_EQ(d1.Analysed.At(1, 1), std::nullopt);

  // One missing raw value (series 2, period 3) makes differences 3 and 4
  // missing, and second differences 3, 4 and 5.
  ResponseSeriesData d2 = ReadResponseSeries(ResponseSetup(file, 1, 5, 1, 2, 2));
  EXPECT_EQ(d2.FirstAnalysedPeriod, 3);
  for (int t : {3, 4, 5}) EXPECT_EQ(d2.SecondDifference.At(t, 2), std::nullopt) << t;
  EXPECT_EQ(d2.SecondDifference.At(5, 1), 1.0);  // (15-10) - (10-6)
  EXPECT_EQ(d2.MissingPerSeries, (std::vector<std::int32_t>{0, 0, 3}));
  EXPECT_EQ(d2.SeriesWithMissing, 1);
  EXPECT_EQ(d2.ValueCount, 6);  // 2 series x 3 periods, missing ones included
}

TEST(SeriesPreparationTest, PeriodMeansNeedTwoSeriesAndFlatteningSkipsPeriodsWithout) {
  TfnSetup setup = ResponseSetup(TwoSeriesFile(), 1, 5, 1, 2);
  setup.Flattening = "y";
  ResponseSeriesData data = ReadResponseSeries(setup);
  EXPECT_EQ(data.PeriodMeanRaw.At(2), 11.5);
  EXPECT_EQ(data.PeriodMeanRaw.At(3), std::nullopt);  // only series 1 has a value
  EXPECT_EQ(data.Analysed.At(2, 1), 3.0 - 11.5);
  EXPECT_EQ(data.Analysed.At(3, 1), 6.0);  // left unflattened
  EXPECT_EQ(data.UnflattenedPeriods, (std::vector<std::int32_t>{3}));
}

// Flattening subtracts the period mean of the series actually analysed:
// the raw values, or their first or second differences. Periods where fewer
// than two series have an analysed value stay as they are.
struct FlatteningCase {
  const char* name;
  std::vector<std::vector<std::string>> rows;
  int differencing;
  std::vector<double> first;  // series 1, FirstAnalysedPeriod..5
  std::vector<std::int32_t> unflattened;
};

class FlatteningTest : public ::testing::TestWithParam<FlatteningCase> {};

TEST_P(FlatteningTest, SubtractsThePeriodMeansOfTheAnalysedSeries) {
  const auto& c = GetParam();
  const int last = static_cast<int>(c.rows[0].size()) - 1;
  TfnSetup setup =
      ResponseSetup(SeriesFile(std::string(c.name) + ".dat", c.rows), 1, 5, 1, last, c.differencing);
  setup.Flattening = "Y";
  const ResponseSeriesData data = ReadResponseSeries(setup);
  ASSERT_EQ(data.FirstAnalysedPeriod + static_cast<int>(c.first.size()), 6);
  for (size_t i = 0; i < c.first.size(); ++i) {
    const int t = data.FirstAnalysedPeriod + static_cast<int>(i);
    ASSERT_TRUE(data.Analysed.At(t, 1)) << t;
    // Means of two or three small integers: one rounding at most.
    EXPECT_NEAR(*data.Analysed.At(t, 1), c.first[i], 1e-14) << t;
  }
  EXPECT_EQ(data.UnflattenedPeriods, c.unflattened);
}

// A: 1 3 6 10 15; B: 10 20 Missing 40 50; C: 5 4 6 9 9. The expected values
// are worked by hand from the differences:
//   first:  A 2 3 4 5, B 10 M M 10, C -1 2 3 0 (periods 2..5);
//   second: A 1 1 1, B M M M, C 3 1 -3 (periods 3..5).
const std::vector<std::vector<std::string>> kThreeSeries = {{"T", "A", "B", "C"},
                                                           {"1", "1", "10", "5"},
                                                           {"2", "3", "20", "4"},
                                                           {"3", "6", "Missing", "6"},
                                                           {"4", "10", "40", "9"},
                                                           {"5", "15", "50", "9"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, FlatteningTest,
    ::testing::Values(
        FlatteningCase{"Levels", kThreeSeries, 0,
                       {1 - 16.0 / 3, 3 - 9.0, 6 - 6.0, 10 - 59.0 / 3, 15 - 74.0 / 3}, {}},
        FlatteningCase{"FirstDifferences", kThreeSeries, 1, {2 - 11.0 / 3, 3 - 2.5, 4 - 3.5, 5 - 5.0}, {}},
        FlatteningCase{"SecondDifferences", kThreeSeries, 2, {1 - 2.0, 1 - 1.0, 1 + 1.0}, {}},
        // A: 2 3 4 5 and B: 10 M M 10 as first differences: periods 3 and 4
        // have one difference each.
        FlatteningCase{"FirstDifferencesOfTwoSeries",
                       {{"T", "A", "B"}, {"1", "1", "10"}, {"2", "3", "20"}, {"3", "6", "Missing"},
                        {"4", "10", "40"}, {"5", "15", "50"}},
                       1, {2 - 6.0, 3, 4, 5 - 7.5}, {3, 4}}),
    [](const auto& param) { return std::string(param.param.name); });

struct TransformCase {
  const char* name;
  SeriesTransformation how;
  double lambda, constant;
  std::vector<std::string> values;
  const char* errorTitle;  // nullptr: no error
  double expectedFirst;
};

class SeriesTransformTest : public ::testing::TestWithParam<TransformCase> {};

TEST_P(SeriesTransformTest, ChecksThenTransformsPresentValues) {
  const auto& c = GetParam();
  std::vector<std::vector<std::string>> rows = {{"T", "A"}};
  for (size_t i = 0; i < c.values.size(); ++i) rows.push_back({std::to_string(i + 1), c.values[i]});
  TfnSetup setup = ResponseSetup(SeriesFile(std::string(c.name) + ".dat", rows), 1,
                                 static_cast<int>(c.values.size()), 1, 1);
  setup.Response.Transformation = c.how;
  setup.Response.BoxCoxLambda = c.lambda;
  setup.Response.BoxCoxConstant = c.constant;
  if (c.errorTitle) {
    try {
      ReadResponseSeries(setup);
      FAIL();
    } catch (const SeriesDataError& e) {
      EXPECT_EQ(e.Title, c.errorTitle);
    }
    return;
  }
  EXPECT_NEAR(*ReadResponseSeries(setup).Analysed.At(1, 1), c.expectedFirst, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SeriesTransformTest,
    ::testing::Values(
        TransformCase{"Logit", SeriesTransformation::Logit, 1, 0, {"0.25", "Missing"}, nullptr,
                      std::log(0.25 / 0.75)},
        TransformCase{"LogitOne", SeriesTransformation::Logit, 1, 0, {"0.5", "1"},
                      "Fatal choice of logit transformation", 0},
        TransformCase{"LogitZero", SeriesTransformation::Logit, 1, 0, {"0", "0.5"},
                      "Fatal choice of logit transformation", 0},
        TransformCase{"BoxCoxHalf", SeriesTransformation::BoxCox, 0.5, 1, {"3"}, nullptr, 2.0},
        TransformCase{"BoxCoxLog", SeriesTransformation::BoxCox, 0, 10, {"0"}, nullptr,
                      std::log(10.0)},
        TransformCase{"BoxCoxZeroConstant", SeriesTransformation::BoxCox, 0, 0, {"5", "0"},
                      "Fatal choice of Box-Cox constant", 0},
        TransformCase{"BoxCoxOverflow", SeriesTransformation::BoxCox, 1000, 0, {"1120", "2"},
                      "Fatal choice of Box-Cox lambda", 0},
        TransformCase{"BoxCoxNegativeOverflow", SeriesTransformation::BoxCox, -2000, 0, {"3", "0.5"},
                      "Fatal choice of Box-Cox lambda", 0}),
    [](const auto& param) { return std::string(param.param.name); });

// Data the model could not use, refused when the series are prepared rather
// than found later as a penalty value.
struct UnusableCase {
  const char* name;
  std::vector<std::vector<std::string>> rows;
  int start, end, first, last, differencing;
  SeriesTransformation how;
  double lambda;
  const char* title;
  const char* text;
};

class UnusableSeriesTest : public ::testing::TestWithParam<UnusableCase> {};

TEST_P(UnusableSeriesTest, IsRefusedAtSetUp) {
  const auto& c = GetParam();
  TfnSetup setup = ResponseSetup(SeriesFile(std::string(c.name) + ".dat", c.rows), c.start, c.end,
                                 c.first, c.last, c.differencing);
  setup.Response.Transformation = c.how;
  setup.Response.BoxCoxLambda = c.lambda;
  try {
    ReadResponseSeries(setup);
    FAIL() << "no error";
  } catch (const SeriesDataError& e) {
    EXPECT_EQ(e.Title, c.title);
    EXPECT_EQ(e.Text, c.text);
  }
}

const std::vector<std::vector<std::string>> kThreePeriods = {
    {"T", "A", "B"}, {"1", "1", "Missing"}, {"2", "2", "Missing"}, {"3", "4", "Missing"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, UnusableSeriesTest,
    ::testing::Values(
        UnusableCase{"WindowTooShortForTheDifferencing", kThreePeriods, 2, 3, 1, 1, 2,
                     SeriesTransformation::None, 1, "Fatal data input error",
                     "The response time periods 2 to 3 are too few for differencing of degree 2: at "
                     "least 3 periods are needed"},
        UnusableCase{"BoxCoxOverflow", kThreePeriods, 1, 3, 1, 1, 0, SeriesTransformation::BoxCox, 1000,
                     "Fatal choice of Box-Cox lambda",
                     "The Box-Cox transformation with lambda 1000 and constant 0 of the response "
                     "series value 4 (period 3) is too large to compute"},
        // Before, the difference overflowed to -Inf and the model returned its penalty.
        UnusableCase{"DifferenceOverflow", {{"T", "A"}, {"1", "9e307"}, {"2", "-9e307"}, {"3", "1"}},
                     1, 3, 1, 1, 1, SeriesTransformation::None, 1, "Fatal data input error",
                     "The analysed value of response series 1 at period 2 is beyond the range of "
                     "numbers after differencing or flattening; better rescale the data"},
        // Before, every square overflowed to Inf and each evaluation gave the
        // penalty, which the Simplex search announced as a minimum.
        UnusableCase{"SquareOverflow", {{"T", "A"}, {"1", "1"}, {"2", "1e200"}, {"3", "1"}}, 1, 3, 1,
                     1, 0, SeriesTransformation::None, 1, "Fatal data input error",
                     "The square of the analysed value of response series 1 at period 2 is beyond "
                     "the range of numbers; better rescale the data"},
        // Each square is finite (1e308), their sum is not.
        UnusableCase{"SumOfSquaresOverflow",
                     {{"T", "A", "B"}, {"1", "1", "1e154"}, {"2", "1", "1e154"}, {"3", "1", "1"}}, 1,
                     3, 1, 2, 0, SeriesTransformation::None, 1, "Fatal data input error",
                     "The sum of the squares of the analysed response values, taken up to response "
                     "series 2 at period 2, is beyond the range of numbers; better rescale the data"},
        // Before, the ordinal -1 named columns 18446744073709551608 to ...
        UnusableCase{"NegativeOrdinal", kThreePeriods, 1, 3, -1, -1, 0, SeriesTransformation::None, 1,
                     "Fatal data input error",
                     "The response series to read run from ordinal -1 to -1; the first must be at "
                     "least 1 and the last no lower than the first"}),
    [](const auto& param) { return std::string(param.param.name); });

// Periods are 32-bit: a file past period 32767 reads like any other, and
// the first analysed period of a second difference does not wrap.
TEST(SeriesReaderTest, ReadsPeriodsPast32767) {
  std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
  for (int t = 1; t <= 40000; ++t) rows.push_back({std::to_string(t), std::to_string(t % 7)});
  const std::string file = SeriesFile("long.dat", rows);
  ResponseSeriesData data = ReadResponseSeries(ResponseSetup(file, 1, 40000, 1, 1, 1));
  EXPECT_EQ(data.EndPeriod, 40000);
  EXPECT_EQ(data.AnalysedPeriods, 39999);
  EXPECT_EQ(data.ValueCount, 39999);
  EXPECT_EQ(data.Raw.At(40000, 1), 40000 % 7);
  EXPECT_EQ(data.Analysed.At(32768, 1), 32768 % 7 - 32767 % 7);

  ResponseSeriesData late = ReadResponseSeries(ResponseSetup(file, 32766, 32770, 1, 1, 2));
  EXPECT_EQ(late.FirstAnalysedPeriod, 32768);
  EXPECT_EQ(late.AnalysedPeriods, 3);
  EXPECT_EQ(late.SecondDifference.At(32768, 1), (32768 % 7 - 32767 % 7) - (32767 % 7 - 32766 % 7));
}

TEST(CovariatePreparationTest, MissingValuesBecomeTheMeanAndInterventionsReportZero) {
  const std::string file = SeriesFile("cov.dat", {{"T", "X", "Law"},
                                                  {"1", "2", "0"},
                                                  {"2", "Missing", "0"},
                                                  {"3", "6", "1"},
                                                  {"4", "10", "1"}});
  TfnSetup setup;
  setup.UseCovariates = true;
  setup.Covariates.FileName = file;
  setup.Covariates.StartPeriod = 1;
  setup.Covariates.EndPeriod = 4;
  setup.Covariates.FirstSeries = 1;
  setup.Covariates.LastSeries = 2;
  setup.CovariateIsIntervention[1] = true;
  CovariateSeriesData data = ReadCovariateSeries(setup);
  EXPECT_EQ(data.RawMean, (std::vector<double>{0, 6, 0.5}));
  EXPECT_EQ(data.MissingPerSeries, (std::vector<std::int32_t>{0, 1, 0}));
  EXPECT_EQ(data.Analysed.At(2, 1), 6.0);
  EXPECT_EQ(data.AnalysedMean, (std::vector<double>{0, 6, 0}));

  setup.Covariates.Differencing = 1;
  CovariateSeriesData differenced = ReadCovariateSeries(setup);
  // Differences 4 (period 4) only; the two next to the gap are filled with it.
  for (int t = 2; t <= 4; ++t) EXPECT_EQ(differenced.Analysed.At(t, 1), 4.0) << t;
  EXPECT_EQ(differenced.Analysed.At(1, 1), std::nullopt);
}

TEST(SeriesExamplesTest, ExampleFilesReadCompletely) {
  const std::string examples = std::string(QUORVANE_SOURCE_DIR) + "/examples/";
  ResponseSeriesData nile = ReadResponseSeries(ResponseSetup(examples + "nile.dat", 1871, 1970, 1, 1));
  EXPECT_EQ(nile.Names, (std::vector<std::string>{"Period", "Flow"}));
  EXPECT_EQ(nile.Raw.At(1871, 1), 1120.0);
  EXPECT_EQ(nile.Raw.At(1970, 1), 740.0);
  EXPECT_EQ(nile.MissingPerSeries[1], 0);

  ResponseSeriesData belts = ReadResponseSeries(ResponseSetup(examples + "seatbelts.dat", 1, 192, 1, 3, 1));
  EXPECT_EQ(belts.Names[3], "Drivers");
  EXPECT_EQ(belts.ValueCount, 3 * 191);
}

}  // namespace
}  // namespace quorvane
