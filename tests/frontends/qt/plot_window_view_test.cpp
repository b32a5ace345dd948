// The XY plot window as the desktop shows it: the plot surface gets the size
// its labels were laid out for, and the window can be looked at as a picture.
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "plot/distribution_plot_window.h"
#include "plot/xy_plot_window.h"
#include "qt/form_view.h"
#include "support/scripted_ui.h"

namespace quorvane::qt {
namespace {

TEST(PlotWindowViewTest, TheXYPlotShowsItsSurfaceAtCanvasSize) {
  PlotTable table;
  table.Reset(2, 1871, 1970);
  table.XTitle = "Time Period in Series";
  table.PageTitle = "A constructed series ";
  table.XLabelMin = 1871;
  table.XLabelMax = 1970;
  for (int c = 1; c <= 2; ++c) {
    table.ColumnName[static_cast<size_t>(c)] = c == 1 ? "Response series" : "Predictions";
    table.ColumnMin[static_cast<size_t>(c)] = -3;
    table.ColumnMax[static_cast<size_t>(c)] = 3;
  }
  for (int t = 1871; t <= 1970; ++t) {
    table.Cell(t, 1) = 2 * std::sin(t / 7.0);
    table.Cell(t, 2) = 1.8 * std::sin((t - 1) / 7.0);
  }
  quorvane::testing::ScriptedUi ui;
  bool editorClosed = false;
  XYPlotWindow window(ui, table, editorClosed);
  window.Load();
  Form& form = window.form();
  form.Select("listYVar", 1);
  form.Click("cmdPlot");
  form.Select("listYVar", 2);
  form.SetCheckedByUser("Check_Scatter", false);
  form.Click("cmdPlot");

  FormView view(form, ControlRegistry::Standard());
  form.SetObserver([&](const std::string& c, FormProperty p) { view.OnChange(c, p); });
  view.resize(1200, 800);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QWidget* graph = view.Binding("Graph")->Primary();
  ASSERT_NE(graph, nullptr);
  EXPECT_GE(graph->width(), 600);
  EXPECT_GE(graph->height(), 450);
  if (const char* path = std::getenv("QUORVANE_PLOT_SCREENSHOT")) view.grab().save(QString::fromLocal8Bit(path));
  form.SetObserver(nullptr);
}

// Plot 2 of a likelihood profile: the statistics beside the plot are shown
// whole and the surface gets its canvas size.
TEST(PlotWindowViewTest, TheDistributionPlotOfAProfileShowsItsStatistics) {
  DistributionPlotInput input;
  for (int p = 0; p < 21; ++p) {
    const double x = -1.0 + 0.1 * p;
    input.Values.push_back(x);
    input.Objective.push_back(x * x / 0.08);
    input.Pdf.push_back(std::exp(-x * x / 0.08) / std::sqrt(0.08 * 3.14159265358979));
    input.ModeRegion.push_back(0.5);
    input.MeanRegion.push_back(0.5);
    input.Cumulative.push_back(0.05 * p);
    input.NormalPdf.push_back(input.Pdf.back());
  }
  input.ParameterNumber = 1;
  input.BestValue = 0.0;
  input.ExpectedValue = 0.01;
  input.EstimatedSE = 0.2;
  PlotTable table;
  FillDistributionTable(table, input, DistributionKind::Profile);
  quorvane::testing::ScriptedUi ui;
  bool editorClosed = false;
  DistributionPlotWindow window(ui, table, input, editorClosed);
  window.Load();
  Form& form = window.form();
  form.Select("listVar", 1);  // 0-based: series 2, the confidence distribution
  form.Click("cmdPlot");
  ASSERT_NE(form.Get("lblPlotInfoValues").caption, "");

  FormView view(form, ControlRegistry::Standard());
  form.SetObserver([&](const std::string& c, FormProperty p) { view.OnChange(c, p); });
  view.resize(1200, 800);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QWidget* graph = view.Binding("Graph")->Primary();
  ASSERT_NE(graph, nullptr);
  EXPECT_GE(graph->width(), 600);
  EXPECT_GE(graph->height(), 450);
  for (const char* label : {"lblPlotInfo", "lblPlotInfoValues"}) {
    QWidget* widget = view.Binding(label)->Primary();
    ASSERT_NE(widget, nullptr) << label;
    EXPECT_TRUE(widget->isVisible()) << label;
    EXPECT_GE(widget->width(), widget->sizeHint().width()) << label;
    EXPECT_GE(widget->height(), widget->sizeHint().height()) << label;
  }
  if (const char* path = std::getenv("QUORVANE_PLOT_SCREENSHOT")) view.grab().save(QString::fromLocal8Bit(path));
  form.SetObserver(nullptr);
}

}  // namespace
}  // namespace quorvane::qt
