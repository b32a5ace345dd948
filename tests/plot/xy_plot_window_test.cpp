#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "plot/xy_plot_window.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

const std::vector<std::string> kOptions{"Check_Line_LtoR", "Check_Line_RtoL", "Check_Line", "Check_Scatter",
                                        "Check_Drop",      "Check_10X10",     "Check_8X8"};

// A table of rows 1..5 with column 1 running -2..5 (its bounds 0..1), column
// 2 missing everywhere and column 3 = 2 x column 1 + 1 with a gap at row 3.
class XYPlotWindowTest : public ::testing::Test {
 protected:
  XYPlotWindowTest() {
    table_.Reset(3, 1, 5);
    table_.XTitle = "Row";
    table_.XLabelMin = 1;
    table_.XLabelMax = 5;
    const double ys[] = {-2, 0, 1, 3, 5};
    for (int c = 1; c <= 3; ++c) {
      table_.ColumnName[static_cast<size_t>(c)] = "C" + std::to_string(c);
      table_.ColumnMin[static_cast<size_t>(c)] = 0;
      table_.ColumnMax[static_cast<size_t>(c)] = 1;
    }
    for (int t = 1; t <= 5; ++t) {
      table_.Cell(t, 1) = ys[t - 1];
      if (t != 3) table_.Cell(t, 3) = 2 * ys[t - 1] + 1;
    }
    window_.Load();
  }
  Form& form() { return window_.form(); }
  std::set<std::string> Checked() {
    std::set<std::string> on;
    for (const auto& o : kOptions)
      if (form().Checked(o)) on.insert(o);
    return on;
  }
  size_t Items(SurfaceItem::Kind kind) {
    const auto& items = form().Get("Graph").surface.Items();
    return static_cast<size_t>(std::count_if(items.begin(), items.end(), [&](const SurfaceItem& i) { return i.kind == kind; }));
  }

  testing::ScriptedUi ui_;
  PlotTable table_;
  bool editorClosed_ = false;
  XYPlotWindow window_{ui_, table_, editorClosed_};
};

TEST_F(XYPlotWindowTest, CheckingAnOptionClearsTheOptionsItExcludes) {
  const std::map<std::string, std::set<std::string>> keeps = {
      // option checked -> the other options it leaves alone
      {"Check_Drop", {}},
      {"Check_8X8", {}},
      {"Check_10X10", {}},
      {"Check_Scatter", {"Check_Line", "Check_Line_LtoR", "Check_Line_RtoL"}},
      {"Check_Line", {"Check_Scatter"}},
      {"Check_Line_LtoR", {"Check_Scatter"}},
      {"Check_Line_RtoL", {"Check_Scatter"}},
  };
  EXPECT_EQ(Checked(), (std::set<std::string>{"Check_Line", "Check_Scatter"}));  // on load
  for (const auto& [option, kept] : keeps) {
    for (const auto& o : kOptions) form().SetChecked(o, true);
    form().SetCheckedByUser(option, false);
    form().SetCheckedByUser(option, true);
    std::set<std::string> expected = kept;
    expected.insert(option);
    EXPECT_EQ(Checked(), expected) << option;
  }
}

TEST_F(XYPlotWindowTest, PlotAgainstRowsWidensTheRangeAndDrawsTheZeroLine) {
  form().Select("listYVar", 1);
  EXPECT_EQ(form().Text("txtXmin"), "1 (1)");
  EXPECT_EQ(form().Text("txtXmax"), "5 (5)");
  EXPECT_EQ(form().Text("txtYmin"), "0");
  form().Click("cmdPlot");
  EXPECT_EQ(form().Text("txtYmin"), "-2");
  EXPECT_EQ(form().Text("txtYmax"), "5");
  EXPECT_EQ(form().Get("lblGraphMax").caption, "Y-Max =  5\r\nY-Min =  -2");
  EXPECT_EQ(form().Get("lblYZero").caption, "Horizontal dashed line shows Y=0");
  EXPECT_EQ(form().Get("lblXZero").caption, "");
  EXPECT_EQ(form().Get("lblXStart").caption, "1");
  EXPECT_EQ(form().Get("lblXEnd").caption, "5");
  const auto& items = form().Get("Graph").surface.Items();
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const SurfaceItem& i) {
    return i.kind == SurfaceItem::Kind::Line && i.style == LineStyle::Dashed;
  }));
  EXPECT_EQ(Items(SurfaceItem::Kind::Circle), 5u);
  EXPECT_EQ(Items(SurfaceItem::Kind::Polyline), 1u);
  EXPECT_EQ(window_.Picture().Plots.front().Color, 1);  // the first plot's counter
  EXPECT_FALSE(form().Get("lblCorr").caption.empty());
  // Every drawn point lies inside the plot area.
  for (const auto& i : items)
    if (i.kind == SurfaceItem::Kind::Circle) {
      EXPECT_GE(i.points[0].x, PlotFrame::kAreaLeft);
      EXPECT_LE(i.points[0].x, PlotFrame::kAreaRight);
      EXPECT_GE(i.points[0].y, PlotFrame::kAreaTop);
      EXPECT_LE(i.points[0].y, PlotFrame::kAreaBottom);
    }
}

// The saved figure's axes: the data's range with a margin (2% across, 4%
// up and down), an end the user typed kept, residuals centred on 0.
TEST_F(XYPlotWindowTest, TheSavedFigureSpansTheDataAndKeepsTheLimitsTheUserTyped) {
  table_.PageTitle = "Rows and columns ";
  form().Select("listYVar", 1);
  form().Click("cmdPlot");
  PlotFrame frame = XYFigureFrame(window_.Picture());
  EXPECT_DOUBLE_EQ(frame.X.Min, 1 - 0.08);
  EXPECT_DOUBLE_EQ(frame.X.Max, 5 + 0.08);
  EXPECT_DOUBLE_EQ(frame.Y.Min, -2 - 0.28);
  EXPECT_DOUBLE_EQ(frame.Y.Max, 5 + 0.28);
  // What the window wrote into the boxes after the plot is no limit of the figure.
  EXPECT_FALSE(window_.Picture().Limits.YMin);

  form().Type("txtYmin", "-10");
  form().Type("txtYmax", "4");  // below the data: the data's top stays on the figure
  form().Select("listYVar", 3);
  form().SetCheckedByUser("Check_Scatter", false);
  form().Click("cmdPlot");
  frame = XYFigureFrame(window_.Picture());
  EXPECT_DOUBLE_EQ(frame.Y.Min, -10);
  EXPECT_DOUBLE_EQ(frame.Y.Max, 11);

  const Figure& figure = form().Get("Graph").figure;
  ASSERT_TRUE(figure.Framed);
  EXPECT_EQ(figure.Title, "Rows and columns");
  EXPECT_EQ(figure.X.Title, "Row");
  EXPECT_EQ(figure.Y.Title, "C1");
  ASSERT_EQ(figure.Legend.size(), 2u);
  EXPECT_EQ(figure.Legend[0].Text, "C1");
  EXPECT_EQ(figure.Legend[0].Mark, LegendMark::LineAndPoints);
  EXPECT_FALSE(figure.Legend[0].FilledPoints);
  EXPECT_EQ(figure.Legend[1].Text, "C3");
  EXPECT_EQ(figure.Legend[1].Mark, LegendMark::Line);
  EXPECT_NE(figure.Legend[0].Color, figure.Legend[1].Color);

  form().Click("cmdClear");
  EXPECT_FALSE(window_.Picture().Limits.YMin);
  EXPECT_FALSE(window_.Picture().Limits.YMax);

  // Residuals: centred on 0 when every plot holds them.
  table_.ColumnCentredOnZero[1] = true;
  form().Select("listYVar", 1);
  form().Click("cmdPlot");
  frame = XYFigureFrame(window_.Picture());
  EXPECT_DOUBLE_EQ(frame.Y.Min, -5 - 0.04 * 10);
  EXPECT_DOUBLE_EQ(frame.Y.Max, 5 + 0.04 * 10);
}

TEST_F(XYPlotWindowTest, AColumnMissingEverywhereDrawsNothingAndKeepsTheRanges) {
  form().Select("listYVar", 1);
  form().Click("cmdPlot");
  const Surface before = form().Get("Graph").surface;
  form().Select("listYVar", 2);
  form().Type("txtYmin", "-2");
  form().Type("txtYmax", "5");
  form().Click("cmdPlot");
  EXPECT_EQ(window_.Picture().Plots.size(), 1u);
  EXPECT_EQ(form().Get("Graph").surface.Items().size(), before.Items().size());
  EXPECT_EQ(form().Text("txtYmin"), "-2");
  EXPECT_EQ(form().Text("txtYmax"), "5");
}

TEST_F(XYPlotWindowTest, AgainstAColumnOnlyRowsWithBothCellsArePlotted) {
  form().Select("listXVar", 1);
  form().Select("listYVar", 3);
  form().Click("cmdClear");
  form().Click("cmdPlot");
  ASSERT_EQ(window_.Picture().Plots.size(), 1u);
  EXPECT_EQ(window_.Picture().Plots[0].X, (std::vector<double>{-2, 0, 3, 5}));
  EXPECT_EQ(form().Get("lblXZero").caption, "Vertical dashed line shows X=0");
  EXPECT_EQ(form().Get("lblGraphMax").caption, "Y-Max =  11\r\nY-Min =  -3\r\nX-Max =  5\r\nX-Min =  -2");
  // Y = 2X + 1 exactly: r = 1; the scatter of Y follows.
  EXPECT_EQ(form().Get("lblCorr").caption.substr(0, 11), "r  = 1.0000");
  EXPECT_NE(form().Get("lblCorr").caption.find("Scatter of Y:"), std::string::npos);
}

TEST_F(XYPlotWindowTest, TwoPointsGiveNoStatistics) {
  table_.Reset(1, 1, 2);
  table_.ColumnName[1] = "C1";
  table_.Cell(1, 1) = 1;
  table_.Cell(2, 1) = 2;
  table_.XLabelMin = 1;
  table_.XLabelMax = 2;
  window_.Load();
  form().Select("listYVar", 1);
  form().Click("cmdPlot");
  EXPECT_EQ(window_.Picture().Plots.size(), 1u);
  EXPECT_EQ(form().Get("lblCorr").caption, "");
  form().SetCheckedByUser("Check_Drop", true);
  form().Click("cmdPlot");
  EXPECT_EQ(form().Get("lblCorr").caption, "");
}

TEST_F(XYPlotWindowTest, TheGridDrawsAndThenErases) {
  const size_t frame = form().Get("Graph").surface.Items().size();
  form().SetCheckedByUser("Check_8X8", true);
  EXPECT_EQ(Checked(), std::set<std::string>{"Check_8X8"});
  form().Click("cmdPlot");
  EXPECT_EQ(form().Get("Graph").surface.Items().size(), frame + 14);  // 7 lines each way
  form().Click("cmdPlot");
  EXPECT_EQ(form().Get("Graph").surface.Items().size(), frame);
  EXPECT_EQ(window_.PlotCounter(), 2);
}

TEST_F(XYPlotWindowTest, DropLinesWeightXByY) {
  form().Select("listYVar", 3);
  form().SetCheckedByUser("Check_Drop", true);
  form().Click("cmdPlot");
  // Rows 1, 2, 4, 5 with weights -3, 1, 7, 11: mean (-3 + 2 + 28 + 55)/16.
  const std::string label = form().Get("lblCorr").caption;
  EXPECT_EQ(label.rfind("\r\nDistribution of X:\r\n      Mean = 5.125", 0), 0u) << label;
}

TEST_F(XYPlotWindowTest, PagingAndClosing) {
  ui_.Then([&] { form().Click("cmdNext_Page"); });
  EXPECT_TRUE(window_.Show());
  EXPECT_TRUE(editorClosed_);
  editorClosed_ = false;
  ui_.Then([&] { form().Click("cmdCancel"); });
  EXPECT_FALSE(window_.Show());
  EXPECT_TRUE(editorClosed_);
  EXPECT_TRUE(window_.ContinuePaging());  // restored for the next use
}

}  // namespace
}  // namespace quorvane
