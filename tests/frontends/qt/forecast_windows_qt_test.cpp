// The forecast windows in the desktop front end: the summary's forecast
// button, the report pane of "Forecasts" and the plot with its controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include "app/session.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "qt/screenshot.h"
#include "tfn/parameter_layout.h"
#include "tfn/series_file_fixture.h"
#include "tfn/tfn_application.h"

namespace quorvane::qt {
namespace {

// Thirty years with a drop of 200 from year 11 on.
TfnSetup StepSetup() {
  std::vector<std::vector<std::string>> rows = {{"Year", "Flow"}};
  const int noise[] = {30, -20, 10, 45, -35, 5, -10, 25, -40, 15};
  for (int t = 1; t <= 30; ++t)
    rows.push_back({std::to_string(1960 + t), std::to_string((t >= 11 ? 900 : 1100) + noise[t % 10])});
  TfnSetup s;
  s.Response = {quorvane::testing::SeriesFile("qt_flow.dat", rows), 1961, 1990, 1, 1, 0,
                SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.Interventions[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  return s;
}

TEST(ForecastWindowsQtTest, TheReportAndThePlotShowWhole) {
  QtUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  ui.SetExitAction([](int) {});
  app.Attach(session);
  ui.AttachMainWindow(session.Main());
  session.Start();
  const TfnSetup setup = StepSetup();
  ASSERT_FALSE(app.Window().runSetUp(setup));
  const ParameterLayout layout(setup);
  AlgorithmData& data = session.Algorithm;
  data.Values[layout.Phi(1)] = 0.3, data.Steps[layout.Phi(1)] = 0.05;
  data.Values[layout.Intercept(1)] = 1100, data.Steps[layout.Intercept(1)] = 20;
  const int base = layout.InterventionBase(1);
  data.Values[base + 1] = 1971;
  data.Values[base + 2] = 1;
  data.Values[layout.BlockOmega(base, 0)] = -200, data.Steps[layout.BlockOmega(base, 0)] = 20;

  ui.ShowForm(app.Summary().form(), false);
  FormView* summary = ui.ViewOf(app.Summary().form());
  ASSERT_NE(summary, nullptr);
  auto* forecastButton = summary->findChild<QPushButton*>("cmdForecast");
  ASSERT_NE(forecastButton, nullptr);
  EXPECT_GE(forecastButton->width(), forecastButton->sizeHint().width());

  ASSERT_TRUE(app.Forecasts().ForecastPeriods(10));
  FormView* report = ui.ViewOf(app.Forecasts().form());
  ASSERT_NE(report, nullptr);
  QWidget* pane = report->findChild<QWidget*>("rtbForecast");
  ASSERT_NE(pane, nullptr);
  QString text;
  if (auto* edit = qobject_cast<QPlainTextEdit*>(pane)) text = edit->toPlainText();
  if (auto* edit = qobject_cast<QTextEdit*>(pane)) text = edit->toPlainText();
  EXPECT_TRUE(text.contains("Response series 1: Flow"));
  for (const char* name : {"cmdSaveForecast", "cmdPlotForecast"}) {
    auto* button = report->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_GE(button->width(), button->sizeHint().width()) << name;
  }
  if (const char* shot = std::getenv("QUORVANE_FORECAST_SCREENSHOT"))
    SaveScreenshot(*report->window(), QString::fromLocal8Bit(shot) + "-report.png");

  app.Forecasts().form().Click("cmdPlotForecast");
  FormView* plot = ui.ViewOf(app.Forecasts().plotForm());
  ASSERT_NE(plot, nullptr);
  auto* series = plot->findChild<QComboBox*>("cboForecastSeries");
  ASSERT_NE(series, nullptr);
  EXPECT_EQ(series->count(), 1);
  QWidget* graph = plot->findChild<QWidget*>("Graph");
  ASSERT_NE(graph, nullptr);
  EXPECT_GE(graph->width(), 400);
  if (const char* shot = std::getenv("QUORVANE_FORECAST_SCREENSHOT")) {
    SaveScreenshot(*plot->window(), QString::fromLocal8Bit(shot) + "-plot.png");
    SaveScreenshot(ui.Frame(), QString::fromLocal8Bit(shot) + "-frame.png");
  }
}

}  // namespace
}  // namespace quorvane::qt
