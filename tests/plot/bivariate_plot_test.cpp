#include <gtest/gtest.h>

#include <cmath>

#include "plot/bivariate_plot_window.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

// A bivariate normal density with correlation rho on a grid of +-5 SD
// around (mx, my).
BivariatePlotInput NormalGrid(double rho, double mx = 0.5, double my = -0.2, int n = 81) {
  BivariatePlotInput in;
  const double sx = 0.2, sy = 0.1;
  for (int i = 0; i < n; ++i) in.X.push_back(mx + sx * (-5.0 + 10.0 * i / (n - 1)));
  for (int j = 0; j < n; ++j) in.Y.push_back(my + sy * (-5.0 + 10.0 * j / (n - 1)));
  in.Density.assign(static_cast<size_t>(n), std::vector<double>(static_cast<size_t>(n)));
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const double u = (in.X[static_cast<size_t>(i)] - mx) / sx, v = (in.Y[static_cast<size_t>(j)] - my) / sy;
      const double q = (u * u - 2 * rho * u * v + v * v) / (1 - rho * rho);
      const double d = std::exp(-q / 2);
      in.Density[static_cast<size_t>(i)][static_cast<size_t>(j)] = d;
      if (d > in.PeakDensity) {
        in.PeakDensity = d;
        in.PeakX = in.X[static_cast<size_t>(i)];
        in.PeakY = in.Y[static_cast<size_t>(j)];
      }
    }
  in.ParameterX = 2;
  in.ParameterY = 5;
  return in;
}

TEST(BivariatePlotTest, BandsByDistanceFromThePeak) {
  const struct {
    double ratio;
    int index, color;
  } cases[] = {
      {0.0, 0, 15},         {std::exp(-4.5) / 2, 0, 15}, {std::exp(-4.5), 1, 5},  // not above itself
      {0.5, 4, 2},          {0.9, 6, 6},                 {std::exp(-0.125) - 1e-9, 5, 14},
      {1.0, 7, 12},         {1.5, -1, 0},
  };
  for (const auto& c : cases) {
    const DensityBand band = DensityBandOf(c.ratio);
    EXPECT_EQ(band.Index, c.index) << c.ratio;
    if (band.Index >= 0) {
      EXPECT_EQ(band.Color, c.color) << c.ratio;
    }
  }
}

TEST(BivariatePlotTest, WeightedCorrelationOfANormalGridIsItsRho) {
  for (double rho : {-0.8, 0.0, 0.3, 0.9}) {
    const auto r = WeightedCorrelation(NormalGrid(rho));
    ASSERT_TRUE(r);
    // The +-5 SD grid of 81 points loses a mass below 1e-5: r within 1e-3 of rho.
    EXPECT_NEAR(*r, rho, 1e-3) << rho;
  }
  BivariatePlotInput empty = NormalGrid(0.3);
  for (auto& row : empty.Density) std::fill(row.begin(), row.end(), 0.0);
  EXPECT_FALSE(WeightedCorrelation(empty));
}

TEST(BivariatePlotTest, TheWindowShowsTheGridItsLabelsAndLegend) {
  testing::ScriptedUi ui;
  bool editorClosed = false;
  const BivariatePlotInput in = NormalGrid(0.5, 0.5, -0.2, 11);
  BivariatePlotWindow window(ui, in, editorClosed);
  window.Draw();
  Form& f = window.form();
  EXPECT_EQ(f.Caption(), "Bivariate pdf plot");
  EXPECT_EQ(f.Get("lblVar").caption, "X - Axis: Values for parameter # 2\r\nY - Axis: Values for parameter # 5");
  EXPECT_EQ(f.Get("lblXYMin").caption, "X-Min = -5.000E-01\r\nY-Min = -7.000E-01");
  EXPECT_EQ(f.Get("lblXYMax").caption, "X-Max = 1.500E+00\r\nY-Max = 3.000E-01");
  EXPECT_EQ(f.Get("lblPeak").caption, "X-Peak = 5.000E-01\r\nY-Peak = -2.000E-01");
  EXPECT_EQ(f.Get("lblLineInfo").caption, "NOTE: Dashed line(s) locate 0 and/or 1");
  EXPECT_EQ(f.Get("lblCorr").caption.substr(0, 11), "       r = ");
  const auto& items = f.Get("Graph").surface.Items();
  const long cells = std::count_if(items.begin(), items.end(), [](const SurfaceItem& i) {
    return i.kind == SurfaceItem::Kind::Rectangle && i.filled;
  });
  EXPECT_EQ(cells, 121);
  const long peak = std::count_if(items.begin(), items.end(), [](const SurfaceItem& i) {
    return i.kind == SurfaceItem::Kind::Rectangle && i.filled && i.color == 12;
  });
  EXPECT_EQ(peak, 1);
  // The legend: colours of band indexes 7 down to 1.
  std::vector<int> bars;
  for (const auto& i : f.Get("LegendBox").surface.Items())
    if (i.kind == SurfaceItem::Kind::Rectangle && i.filled) bars.push_back(i.color);
  EXPECT_EQ(bars, (std::vector<int>{12, 6, 14, 2, 3, 1, 5}));

  // The saved figure: the same cells, the window's caption as its title,
  // both parameters on the axes, the colour key as its legend and the peak
  // and correlation as its caption.
  const Figure& figure = f.Get("Graph").figure;
  ASSERT_TRUE(figure.Framed);
  EXPECT_EQ(figure.Title, "Bivariate pdf plot");
  EXPECT_EQ(figure.X.Title, "Values for parameter # 2");
  EXPECT_EQ(figure.Y.Title, "Values for parameter # 5");
  EXPECT_EQ(figure.LegendHeading, "SE's");
  std::vector<int> key;
  std::vector<std::string> labels;
  for (const LegendEntry& e : figure.Legend) {
    EXPECT_EQ(e.Mark, LegendMark::Box);
    key.push_back(e.Color);
    labels.push_back(e.Text);
  }
  EXPECT_EQ(key, bars);
  EXPECT_EQ(labels, (std::vector<std::string>{"0.0", "< 0.5", "< 1.0", "< 1.5", "< 2.0", "< 2.5", "< 3.0"}));
  EXPECT_EQ(figure.Caption, "X-Peak = 5.000E-01, Y-Peak = -2.000E-01, r = " +
                                f.Get("lblCorr").caption.substr(11));
  const auto& drawn = figure.Drawing.Items();
  EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(), [](const SurfaceItem& i) {
              return i.kind == SurfaceItem::Kind::Rectangle && i.filled;
            }),
            121);

  ui.Then([&] { f.Click("cmdDone"); });
  window.Show();
  EXPECT_TRUE(editorClosed);
}

}  // namespace
}  // namespace quorvane
