#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/app_state.h"
#include "plot/distribution_plot_window.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

// Seven constructed series over values from `first` to `last`.
DistributionPlotInput Constructed(double first, double last, int n = 21) {
  DistributionPlotInput in;
  in.ParameterNumber = 3;
  in.BestValue = 0.5;
  in.ExpectedValue = 0.55;
  in.EstimatedSE = 0.25;
  for (int p = 0; p < n; ++p) {
    const double x = first + (last - first) * p / (n - 1);
    const double z = (x - 0.5) / 0.25;
    in.Values.push_back(x);
    in.Objective.push_back(100 + z * z / 2);
    in.Pdf.push_back(std::exp(-z * z / 2) / (0.25 * std::sqrt(2 * M_PI)));
    in.ModeRegion.push_back(std::min(1.0, std::fabs(z) / 3));
    in.MeanRegion.push_back(std::min(1.0, std::fabs(z) / 3));
    in.Cumulative.push_back(static_cast<double>(p) / (n - 1));
    in.NormalPdf.push_back(0.0);
  }
  return in;
}

class DistributionPlotWindowTest : public ::testing::Test {
 protected:
  void Open(const DistributionPlotInput& in, DistributionKind kind = DistributionKind::Profile) {
    FillDistributionTable(table_, in, kind);
    window_ = std::make_unique<DistributionPlotWindow>(ui_, table_, in, editorClosed_);
    window_->Load();
  }
  Form& form() { return window_->form(); }
  void Plot(int series) {
    form().Select("listVar", series - 1);
    form().Click("cmdPlot");
  }

  testing::ScriptedUi ui_;
  PlotTable table_;
  bool editorClosed_ = false;
  std::unique_ptr<DistributionPlotWindow> window_;
};

TEST_F(DistributionPlotWindowTest, TheTableHasSevenNamedColumnsWithTheirBounds) {
  AppState state;
  state.ProfileMode = true;
  EXPECT_EQ(DistributionKindOf(state), DistributionKind::Profile);
  state.PosteriorMode = true;
  EXPECT_EQ(DistributionKindOf(state), DistributionKind::Posterior);
  state.PriorProfileMode = true;
  EXPECT_EQ(DistributionKindOf(state), DistributionKind::Prior);

  const DistributionPlotInput in = Constructed(-1, 2);
  const struct {
    DistributionKind kind;
    const char* name;
  } kinds[] = {{DistributionKind::Profile, "Parameter Confidence Distribution"},
               {DistributionKind::Posterior, "Bayesian Posterior Distribution"},
               {DistributionKind::Prior, "Bayesian Prior Distribution"}};
  for (const auto& k : kinds) {
    Open(in, k.kind);
    EXPECT_EQ(form().Get("listVar").items[1], k.name);
  }
  EXPECT_EQ(table_.ColumnCount, 7);
  EXPECT_EQ(table_.XTitle, "Values for parameter # 3");
  EXPECT_EQ(table_.ColumnName[6], "Attenuated L to R Distribution");
  EXPECT_DOUBLE_EQ(table_.Cell(1, 6), 1.0);
  EXPECT_DOUBLE_EQ(table_.Cell(21, 6), 0.0);
  EXPECT_EQ(table_.ColumnMin[1], 1E-100);
  EXPECT_EQ(table_.ColumnMax[1], 1E+100);
  EXPECT_EQ(form().Get("listVar").selectedIndex, 0);
  EXPECT_EQ(ParameterValuesTitle(-2), "Values for parameter #-2");
}

TEST_F(DistributionPlotWindowTest, YRangesAlwaysIncludeZero) {
  EXPECT_EQ(DistributionYRange({0, 0, 0}), (PlotRange{-1, 1}));
  EXPECT_EQ(DistributionYRange({0.2, 3, 1}), (PlotRange{0, 3}));
  EXPECT_EQ(DistributionYRange({-0.5, -2}), (PlotRange{-2, 0}));
  EXPECT_EQ(DistributionYRange({-1, 4}), (PlotRange{-1, 4}));

  DistributionPlotInput in = Constructed(-2, 2);
  Open(in);
  Plot(7);  // the Gaussian series of zeros
  EXPECT_EQ(window_->Picture().Frame.Y, (PlotRange{-1, 1}));
  EXPECT_EQ(form().Get("lblGraphMax").caption, "Max =  1.0\r\nMin =  -1.0");
}

TEST_F(DistributionPlotWindowTest, ReferenceLinesAtZeroAndOne) {
  const struct {
    double first, last;
    const char* note;
  } cases[] = {{-2, 0.5, "Note: Vertical line locates 0"},
               {-2, 2, "Left vertical line locates 0\r\nRight vertical line locates 1"},
               {-1, 2, "Left vertical line locates 0\r\nRight vertical line locates 1"},
               {0.5, 3, "Note: Vertical line locates 1"},
               {2, 5, ""},
               {0, 1, ""}};
  for (const auto& c : cases) {
    Open(Constructed(c.first, c.last));
    Plot(2);
    EXPECT_EQ(form().Get("lblVerticalLine").caption, c.note) << c.first << ".." << c.last;
    const auto& items = form().Get("Graph").surface.Items();
    const long dashed = std::count_if(items.begin(), items.end(), [](const SurfaceItem& i) {
      return i.kind == SurfaceItem::Kind::Line && i.style == LineStyle::Dashed;
    });
    const ReferenceLines ref = DistributionReferenceLines(c.first, c.last);
    EXPECT_EQ(dashed, (ref.AtZero ? 1 : 0) + (ref.AtOne ? 1 : 0)) << c.first << ".." << c.last;
  }
}

TEST_F(DistributionPlotWindowTest, SeriesTwoShowsTheEstimatesAndRegionsTheirConfidenceLine) {
  Open(Constructed(-1, 2));
  Plot(2);
  EXPECT_EQ(form().Get("lblVar").caption, "Y: Parameter Confidence Distribution\r\nX: Values for parameter # 3");
  EXPECT_EQ(form().Get("lblPlotInfo").caption, "ML Estimate: \r\nEV Estimate:\r\nEstimated Diff:\r\nPercent Diff:\r\nEstimated SE:");
  // As the report shows them: BestValue - ExpectedValue, in percent of the expected value.
  EXPECT_EQ(form().Get("lblPlotInfoValues").caption, "5.000E-01\r\n5.500E-01\r\n-5.000E-02\r\n-9.091E+00\r\n2.500E-01");
  EXPECT_EQ(form().Get("lblXStart").caption, "-1.0");
  EXPECT_EQ(form().Get("lblXEnd").caption, "2.0");
  EXPECT_EQ(form().Get("lblConfidenceInterval").caption, "");
  Plot(3);
  EXPECT_EQ(form().Get("lblConfidenceInterval").caption, "< 95% CI >");
  EXPECT_EQ(window_->Picture().Plots.size(), 2u);
  form().Click("cmdClear");
  EXPECT_TRUE(window_->Picture().Plots.empty());
  EXPECT_EQ(form().Get("lblConfidenceInterval").caption, "");
  EXPECT_EQ(form().Get("lblPlotInfoValues").caption, "");
}

TEST_F(DistributionPlotWindowTest, TheSavedFigureIsTitledByTheEvaluationAndCarriesItsStatistics) {
  Open(Constructed(-1, 2), DistributionKind::Posterior);
  Plot(2);
  form().SetCheckedByUser("Check_Line", false);
  Plot(7);
  const Figure& figure = form().Get("Graph").figure;
  ASSERT_TRUE(figure.Framed);
  EXPECT_EQ(figure.Title, "Bayesian Posterior Distribution");
  EXPECT_EQ(figure.X.Title, "Values for parameter # 3");
  EXPECT_EQ(figure.Y.Title, "Bayesian Posterior Distribution");
  ASSERT_EQ(figure.Legend.size(), 2u);
  EXPECT_EQ(figure.Legend[0].Text, "Bayesian Posterior Distribution");
  EXPECT_EQ(figure.Legend[0].Color, DistributionSeriesColor(2));
  EXPECT_EQ(figure.Legend[0].Mark, LegendMark::LineAndPoints);
  EXPECT_EQ(figure.Legend[1].Text, "Gaussian Probability Distribution");
  EXPECT_EQ(figure.Legend[1].Mark, LegendMark::Points);
  EXPECT_EQ(figure.Caption, "ML Estimate: 5.000E-01, EV Estimate: 5.500E-01, Estimated SE: 2.500E-01");
  form().Click("cmdClear");
  EXPECT_EQ(form().Get("Graph").figure.Caption, "");
  EXPECT_TRUE(form().Get("Graph").figure.Legend.empty());
}

TEST_F(DistributionPlotWindowTest, OptionsAndDropLines) {
  Open(Constructed(-1, 2));
  EXPECT_TRUE(form().Checked("Check_Line"));
  EXPECT_TRUE(form().Checked("Check_Scatter"));
  form().SetCheckedByUser("Check_Drop", true);
  EXPECT_FALSE(form().Checked("Check_Line"));
  EXPECT_FALSE(form().Checked("Check_Scatter"));
  Plot(5);
  const auto& items = form().Get("Graph").surface.Items();
  const long filled = std::count_if(items.begin(), items.end(), [](const SurfaceItem& i) {
    return i.kind == SurfaceItem::Kind::Circle && i.filled && i.color == 13;
  });
  EXPECT_EQ(filled, 21);  // series 5 is light magenta
  form().SetCheckedByUser("Check_Scatter", true);
  EXPECT_FALSE(form().Checked("Check_Drop"));
  form().SetCheckedByUser("Check_Drop", true);
  form().SetCheckedByUser("Check_Line", true);
  EXPECT_FALSE(form().Checked("Check_Drop"));
}

TEST_F(DistributionPlotWindowTest, EqualEndsOfXDrawNothing) {
  DistributionPlotInput in = Constructed(1, 1, 3);
  Open(in);
  Plot(2);
  EXPECT_TRUE(window_->Picture().Plots.empty());
}

TEST_F(DistributionPlotWindowTest, DoneStopsPagingAndSetsTheEditorFlag) {
  Open(Constructed(-1, 2));
  ui_.Then([&] { form().Click("cmdDone"); });
  EXPECT_FALSE(window_->Show());
  EXPECT_TRUE(editorClosed_);
}

TEST(DistributionSeriesColorTest, SevenCodesBySeriesModSeven) {
  const int expected[] = {2, 3, 5, 12, 13, 14, 4};  // series 1..7
  for (int s = 1; s <= 7; ++s) EXPECT_EQ(DistributionSeriesColor(s), expected[s - 1]) << s;
}

}  // namespace
}  // namespace quorvane
