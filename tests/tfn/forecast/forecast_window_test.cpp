// The forecast command from the results summary: the periods question, the
// window "Forecasts" with its report and .qvf save, and the forecast plot.
#include "tfn/forecast/forecast_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/files/text_file.h"
#include "tfn/series_file_fixture.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

TfnSetup SmallSetup(const std::string& flattening = "N") {
  std::vector<std::vector<std::string>> rows = {{"T", "Y", "Z"}};
  const int y[] = {10, 12, 9, 11, 13, 10, 8, 12, 11, 9, 14, 10};
  for (int t = 1; t <= 12; ++t)
    rows.push_back({std::to_string(t), std::to_string(y[t - 1]), std::to_string(y[12 - t])});
  TfnSetup s;
  s.Response = {testing::SeriesFile("small2.dat", rows), 1, 12, 1, 2, 0, SeriesTransformation::None, 1, 0};
  s.Flattening = flattening;
  s.GroupFirst[0] = 1;
  s.GroupLast[0] = 2;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  return s;
}

class ForecastWindowTest : public testing::SummarySession {
 protected:
  void SetUp() override {
    SetUpModel(SmallSetup());
    session_.State.DataFileTitle = "small2";
    Set(layout_.Phi(1), 0.3, 0.1);
    Set(layout_.Intercept(1), 10.5, 0.5);
    Summarize();
  }
  Form& forecasts() { return app_.Forecasts().form(); }
  Form& plot() { return app_.Forecasts().plotForm(); }
};

TEST_F(ForecastWindowTest, TheSummaryButtonAsksForPeriodsThenShowsTheReport) {
  ui_.Value("0").Value("12");  // 0 is refused with a message, then 12
  app_.Summary().form().Click("cmdForecast");
  ASSERT_GE(ui_.ValueDefaults.size(), 2u);
  EXPECT_EQ(ui_.ValueDefaults.front(), "10");
  EXPECT_TRUE(forecasts().IsOpen());
  EXPECT_EQ(forecasts().Caption(), "Forecasts");
  const std::string& text = forecasts().Text("rtbForecast");
  EXPECT_NE(text.find("Periods ahead: 12\r\n"), std::string::npos);
  EXPECT_NE(text.find("Response series 1: Y\r\n"), std::string::npos);
  EXPECT_NE(text.find("Response series 2: Z\r\n"), std::string::npos);
  // A row per period: the period in 8 characters, then four 16-character numbers.
  const size_t row = text.find("      24");
  ASSERT_NE(row, std::string::npos);
  EXPECT_EQ(text.find("\r\n", row) - row, 8u + 4 * 16);
  EXPECT_EQ(app_.Forecasts().Forecast()->Series[0].Analysed.size(), 12u);
  bool refused = false;
  for (const auto& entry : ui_.Log)
    refused = refused || entry.text == "The number of periods ahead must be a whole number from 1 to 1000.";
  EXPECT_TRUE(refused);

  // The menu item does the same; an empty answer cancels.
  ui_.Value("");
  app_.Summary().form().ClickMenu("Results>Forecast...");
  EXPECT_EQ(app_.Forecasts().Forecast()->Horizon, 12);
}

TEST_F(ForecastWindowTest, SavesTheReportAsAQvfFileWithItsName) {
  ASSERT_TRUE(app_.Forecasts().ForecastPeriods(3));
  forecasts().SetText("rtbForecast", "Edited\nreport\r\n");
  const std::string path = ::testing::TempDir() + "quorvane_forecast_save.qvf";
  ui_.File(path);
  forecasts().Click("cmdSaveForecast");
  const FileDialogRequest& request = ui_.FileRequests.back();
  EXPECT_EQ(request.title, "Save forecasts in...");
  EXPECT_EQ(request.filter,
            "All files (*.*)|*.*|Forecast files (*.qvf)|*.qvf|Named for data file (small2.*)|small2.*|");
  EXPECT_EQ(request.proposedName, "KAVRO_Model_Forecasts.qvf");
  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  EXPECT_EQ(*lines, (std::vector<std::string>{"Originally saved with the file name: ", path, "",
                                              "Edited", "report"}));
  EXPECT_EQ(std::filesystem::file_size(path),
            ("Originally saved with the file name: \r\n" + path + "\r\n\r\nEdited\r\nreport\r\n").size());
  std::filesystem::remove(path);

  ui_.File("/nonexistent-folder/f.qvf");
  const std::string before = forecasts().Text("rtbForecast");
  forecasts().Click("cmdSaveForecast");
  EXPECT_EQ(forecasts().Text("rtbForecast"), before);
  EXPECT_EQ(ui_.Log.back().title, "Forecasts not saved");
}

TEST_F(ForecastWindowTest, ThePlotDrawsEachSeriesWithItsBand) {
  ASSERT_TRUE(app_.Forecasts().ForecastPeriods(5));
  forecasts().Click("cmdPlotForecast");
  ASSERT_TRUE(plot().IsOpen());
  EXPECT_TRUE(plot().Checked("optOriginalScale"));
  const auto bands = [&] {
    int n = 0;
    for (const SurfaceItem& item : plot().Get("Graph").surface.Items())
      n += item.kind == SurfaceItem::Kind::Rectangle && item.filled && item.color == 7;
    return n;
  };
  EXPECT_EQ(bands(), 5 + 1);  // one bar per period, and the legend's sample
  plot().Select("cboForecastSeries", 1);
  EXPECT_NE(plot().Get("lblForecastNote").caption.find("Z, original scale"), std::string::npos);
  plot().Choose("optAnalysedScale");
  EXPECT_NE(plot().Get("lblForecastNote").caption.find("Z, analysed scale"), std::string::npos);

  // The saved figure: the bars alone in the drawing, the legend beside it,
  // the note as its title and the series on the Y axis.
  const Figure& figure = plot().Get("Graph").figure;
  ASSERT_TRUE(figure.Framed);
  int figureBands = 0;
  for (const SurfaceItem& item : figure.Drawing.Items())
    figureBands += item.kind == SurfaceItem::Kind::Rectangle && item.filled && item.color == 7;
  EXPECT_EQ(figureBands, 5);
  std::vector<std::string> legend;
  for (const LegendEntry& e : figure.Legend) legend.push_back(e.Text);
  EXPECT_EQ(legend, (std::vector<std::string>{"Observed", "Fit", "Forecast", "95% limits"}));
  EXPECT_EQ(figure.Title, plot().Get("lblForecastNote").caption);
  EXPECT_EQ(figure.Y.Title, "Z");
  EXPECT_FALSE(figure.X.Title.empty());
  plot().Click("cmdClosePlot");
  EXPECT_FALSE(plot().IsOpen());
}

// The report and its plot stay open while main-menu commands close the
// windows of the last calculation: the user may be editing the report.
TEST_F(ForecastWindowTest, MainMenuCommandsLeaveTheForecastsOpen) {
  ASSERT_TRUE(app_.Forecasts().ForecastPeriods(5));
  forecasts().SetText("rtbForecast", "Edited report\r\n");
  forecasts().Click("cmdPlotForecast");
  session_.CloseResultWindows();
  EXPECT_TRUE(forecasts().IsOpen());
  EXPECT_TRUE(plot().IsOpen());
  EXPECT_EQ(forecasts().Text("rtbForecast"), "Edited report\r\n");
}

TEST(ForecastPeriodsTest, WholeNumbersFromOneToAThousand) {
  EXPECT_EQ(ParseForecastPeriods(" 10 "), 10);
  EXPECT_EQ(ParseForecastPeriods("1000"), 1000);
  EXPECT_EQ(ParseForecastPeriods("1"), 1);
  for (const char* bad : {"0", "1001", "-3", "2.5", "ten", "", "10x"}) EXPECT_FALSE(ParseForecastPeriods(bad)) << bad;
}

}  // namespace
}  // namespace quorvane
