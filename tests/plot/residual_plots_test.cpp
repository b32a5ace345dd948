// The correlogram and the normal quantile plot of a fit's residuals.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/residual_plots.h"

namespace quorvane {
namespace {

int CountItems(const Surface& surface, SurfaceItem::Kind kind, int color) {
  int n = 0;
  for (const SurfaceItem& item : surface.Items()) n += item.kind == kind && item.color == color;
  return n;
}

// One bar per lag with a value, from 0 to it, and the band on both sides;
// the frame holds the bars and the band with a margin, and 0.
TEST(ResidualPlotsTest, CorrelogramBarsBandAndFrame) {
  const CorrelogramSeries series{{0.45, -0.3, NAN, 0.05}, 0.2};
  const PlotFrame frame = CorrelogramFrame(series);
  EXPECT_EQ(frame.X, (PlotRange{0.5, 4.5}));
  EXPECT_LT(frame.Y.Min, -0.3);
  EXPECT_GT(frame.Y.Max, 0.45);
  EXPECT_NEAR(frame.Y.Max - 0.45, 0.08 * 0.75, 1e-12);

  const Surface picture = DrawCorrelogramPicture(series);
  EXPECT_EQ(CountItems(picture, SurfaceItem::Kind::Rectangle, kBarColor), 3);
  EXPECT_EQ(CountItems(picture, SurfaceItem::Kind::Line, kResidualBandColor), 2);
  // The first bar stands on 0 and reaches 0.45.
  for (const SurfaceItem& item : picture.Items())
    if (item.kind == SurfaceItem::Kind::Rectangle && item.color == kBarColor) {
      EXPECT_DOUBLE_EQ(item.points[0].y, frame.MapY(0.45));
      EXPECT_DOUBLE_EQ(item.points[1].y, frame.MapY(0.0));
      break;
    }

  // Small correlations still show the band whole.
  const PlotFrame small = CorrelogramFrame({{0.01, -0.02}, 0.3});
  EXPECT_LT(small.Y.Min, -0.3);
  EXPECT_GT(small.Y.Max, 0.3);

  const Figure figure = DrawCorrelogramFigure(series);
  ASSERT_EQ(figure.Legend.size(), 2u);
  EXPECT_EQ(CountItems(figure.Drawing, SurfaceItem::Kind::Rectangle, kBarColor), 3);
}

// The reference line passes through (-z, q1) and (z, q3), z the normal
// quartile 0.67449 and q1, q3 the sample quartiles by interpolation: for
// the sample 1..9 the positions 3 and 7.
TEST(ResidualPlotsTest, QuantilePlotLineThroughTheQuartiles) {
  QuantilePlotSeries series;
  for (int i = 1; i <= 9; ++i) {
    series.Sample.push_back(i);
    series.Theoretical.push_back((i - 5) * 0.3);
  }
  const QuartileLine line = QuartileLineOf(series);
  ASSERT_TRUE(line.Exists);
  EXPECT_DOUBLE_EQ(line.Intercept, 5.0);
  EXPECT_NEAR(line.Slope, 4.0 / (2 * 0.6744897501960817), 1e-15);
  EXPECT_EQ(CountItems(DrawQuantilePlotPicture(series), SurfaceItem::Kind::Circle, kBarColor), 9);
  EXPECT_EQ(CountItems(DrawQuantilePlotPicture(series), SurfaceItem::Kind::Line, kQuartileLineColor), 1);

  EXPECT_FALSE(QuartileLineOf({{0.0}, {2.0}}).Exists);
  EXPECT_FALSE(QuartileLineOf({{-1.0, 0.0, 1.0}, {2.0, 2.0, 2.0}}).Exists);
  const PlotFrame empty = QuantilePlotFrame({});
  EXPECT_EQ(empty.X, (PlotRange{-1.0, 1.0}));
}

}  // namespace
}  // namespace quorvane
