// "Export as CSV..." beside "Save": the summary's series, the forecasts and
// the plot table as comma-separated tables that read back, at full
// precision and with their dates, through the program's own reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "base/files/text_file.h"
#include "plot/xy_plot_window.h"
#include "tfn/series_data_error.h"
#include "tfn/series_file_fixture.h"
#include "tfn/plot_data/series_plot_table.h"
#include "tfn/series_files/delimited_series_file.h"
#include "tfn/summary/kept_series.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

class ExportCsvTest : public testing::SummarySession {
 protected:
  void SetUp() override {
    std::string text = "month,Front,Rear\n";
    for (int m = 0; m < 30; ++m) {
      char line[96];
      std::snprintf(line, sizeof line, "%04d-%02d,%.10f,%s\n", 1981 + m / 12, m % 12 + 1,
                    100.0 + 7.3 * ((m * 37) % 11) + (m >= 20 ? 30.123456789 : 0.0),
                    m == 4 ? "NA" : std::to_string(50 + (m * 13) % 7).c_str());
      text += line;
    }
    TfnSetup setup = testing::NileSetup();
    setup.Response.FileName = testing::TextFile("export.csv", text);
    setup.Response.StartPeriod = *months_.Period("1981-01");
    setup.Response.EndPeriod = *months_.Period("1983-06");
    setup.Response.LastSeries = 2;
    setup.GroupLast[0] = 2;
    setup.Response.Transformation = SeriesTransformation::BoxCox;
    setup.Response.BoxCoxLambda = 0.0;  // logarithms: the two scales differ
    SetUpModel(setup);
    Set(layout_.Phi(1), 0.2, 0.05);
    Set(layout_.Intercept(1), 4.3, 0.1);
    Set(layout_.InterventionBase(1) + 1, *months_.Period("1982-09"));
    Set(layout_.InterventionBase(1) + 2, 1.0);
    Set(layout_.BlockOmega(layout_.InterventionBase(1), 0), 0.2, 0.01);
    ui_.Answer(Answer::Yes);  // the plots
    bool shown = false;
    app_.Summary().showPlots = [&shown] { shown = true; };
    session_.Menu().SingleModelResults();
    path_ = testing::SeriesFolder() / "exported.csv";
  }

  // Exports through the button of `form` and reads the file back.
  DelimitedSeriesFile Export(Form& form) {
    std::filesystem::remove(path_);
    ui_.File(path_.string());
    form.Click("cmdExportCsv");
    EXPECT_EQ(ui_.FileRequests.back().filter, "All files (*.*)|*.*|CSV files (*.csv)|*.csv");
    EXPECT_EQ(ui_.FileRequests.back().filterIndex, 2);
    return ReadDelimitedSeriesFile(path_.string(), "exported");
  }

  const PeriodCalendar months_ = PeriodCalendar::Months();
  std::filesystem::path path_;
};

TEST_F(ExportCsvTest, TheSummaryTableReadsBackWithItsDatesAndEveryDigit) {
  const DelimitedSeriesFile file = Export(app_.Summary().form());
  EXPECT_EQ(ui_.FileRequests.back().proposedName, "KAVRO_Model_Results.csv");
  EXPECT_EQ(ui_.FileRequests.back().title, "Export the summary table as CSV");
  EXPECT_EQ(file.Calendar, months_);
  EXPECT_EQ(file.FirstPeriod, *months_.Period("1981-01"));
  EXPECT_EQ(file.LastPeriod(), *months_.Period("1983-06"));
  const std::vector<std::string> perSeries = {
      " observed", " analysed", " fitted", " residual", " innovation", " residual SD",
      " fitted (original scale)", " residual (original scale)"};
  ASSERT_EQ(file.SeriesCount, 16);
  EXPECT_EQ(file.Names[0], "month");
  for (size_t j = 0; j < perSeries.size(); ++j) {
    EXPECT_EQ(file.Names[1 + j], "Front" + perSeries[j]);
    EXPECT_EQ(file.Names[9 + j], "Rear" + perSeries[j]);
  }
  const ResponseSeriesData& r = model().Response();
  const SeriesTable fitted = KeptSeriesTable(r, model().Best(), KeptSeries::Fitted);
  const BackTransformedFit& back = app_.Summary().Results()->BackTransformed;
  for (int t = file.FirstPeriod; t <= file.LastPeriod(); ++t) {
    const auto cell = [&](int column) {
      return file.Values[static_cast<size_t>(t - file.FirstPeriod) * 16 + static_cast<size_t>(column - 1)];
    };
    for (int k = 1; k <= 2; ++k) {
      const int c = 8 * (k - 1);
      EXPECT_EQ(cell(c + 1), r.Raw.At(t, k)) << months_.Label(t);
      EXPECT_EQ(cell(c + 2), r.Analysed.At(t, k)) << months_.Label(t);
      EXPECT_EQ(cell(c + 3), fitted.At(t, k)) << months_.Label(t);
      EXPECT_EQ(cell(c + 7), back.Fit.At(t, k)) << months_.Label(t);
    }
  }
  // A missing value is an empty field.
  EXPECT_EQ(file.Values[4 * 16 + 8], std::nullopt);
}

TEST_F(ExportCsvTest, TheForecastsReadBackWithTheirDatesAndLimits) {
  ASSERT_TRUE(app_.Forecasts().ForecastPeriods(6));
  const DelimitedSeriesFile file = Export(app_.Forecasts().form());
  EXPECT_EQ(ui_.FileRequests.back().proposedName, "KAVRO_Model_Forecasts.csv");
  EXPECT_EQ(file.Calendar, months_);
  EXPECT_EQ(file.FirstPeriod, *months_.Period("1983-07"));
  EXPECT_EQ(file.PeriodCount, 6);
  ASSERT_EQ(file.SeriesCount, 16);
  EXPECT_EQ(file.Names[1], "Front forecast");
  EXPECT_EQ(file.Names[4], "Front upper 95%");
  EXPECT_EQ(file.Names[5], "Front forecast (original scale)");
  const TfnForecast& forecast = *app_.Forecasts().Forecast();
  for (int h = 0; h < 6; ++h) {
    const ForecastRow& analysed = forecast.Series[0].Analysed[static_cast<size_t>(h)];
    const ForecastRow& original = forecast.Series[0].Original[static_cast<size_t>(h)];
    const auto cell = [&](int column) { return file.Values[static_cast<size_t>(h) * 16 + column - 1]; };
    EXPECT_EQ(cell(1), analysed.Forecast);
    EXPECT_EQ(cell(2), analysed.StandardError);
    EXPECT_EQ(cell(3), analysed.Lower);
    EXPECT_EQ(cell(4), analysed.Upper);
    EXPECT_EQ(cell(5), original.Forecast);
    EXPECT_EQ(cell(6), std::nullopt);  // no standard error on the original scale of logarithms
    EXPECT_EQ(cell(8), original.Upper);
  }
  // The report names the periods by month too.
  EXPECT_NE(app_.Forecasts().form().Text("rtbForecast").find("Last period of the data: 1983-06\r\n"),
            std::string::npos);
  EXPECT_NE(app_.Forecasts().form().Text("rtbForecast").find("\r\n 1983-07 "), std::string::npos);
}

TEST_F(ExportCsvTest, ThePlotTableReadsBackWithItsDates) {
  FillSeriesPlotTable(session_.Plots, model().Response(), nullptr, model().Best(),
                      app_.Summary().Results()->BackTransformed);
  bool closed = false;
  XYPlotWindow window(ui_, session_.Plots, closed);
  window.Load();
  EXPECT_EQ(window.form().Text("txtXmin"), "1981-01 (" + std::to_string(*months_.Period("1981-01")) + ")");
  const DelimitedSeriesFile file = Export(window.form());
  EXPECT_EQ(file.Names[0], "Time Period in Series");
  EXPECT_EQ(file.Names[1], "Response series (perhaps transformed or differenced)Front");
  EXPECT_EQ(file.Calendar, months_);
  EXPECT_EQ(file.FirstPeriod, *months_.Period("1981-01"));
  ASSERT_EQ(file.SeriesCount, session_.Plots.ColumnCount);
  for (int t = session_.Plots.FirstRow; t <= session_.Plots.LastRow; ++t)
    for (int c = 1; c <= file.SeriesCount; ++c) {
      const double cell = session_.Plots.Cell(t, c);
      const SeriesValue read = file.Values[static_cast<size_t>(t - file.FirstPeriod) *
                                               static_cast<size_t>(file.SeriesCount) +
                                           static_cast<size_t>(c - 1)];
      EXPECT_EQ(read, IsMissingPlotValue(cell) ? SeriesValue() : SeriesValue(cell));
    }
}

TEST_F(ExportCsvTest, AnExportThatCannotBeWrittenLeavesTheOldFileAndSaysSo) {
  ui_.File("/nonexistent-folder/summary.csv");
  app_.Summary().form().Click("cmdExportCsv");
  EXPECT_EQ(ui_.Log.back().title, "Not exported");
  EXPECT_NE(ui_.Log.back().text.find("Any earlier file of that name is unchanged."), std::string::npos);
}

}  // namespace
}  // namespace quorvane
