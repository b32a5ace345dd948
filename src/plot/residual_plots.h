#pragma once

#include <vector>

#include "base/ui/figure.h"
#include "base/ui/surface.h"
#include "plot/plot_frame.h"

namespace quorvane {

// The two pictures of a fit's residuals: a correlogram (the autocorrelations
// or partial autocorrelations by lag, as bars from 0, with the band of
// +-1.96/sqrt(n) about 0) and a normal quantile-quantile plot.

struct CorrelogramSeries {
  std::vector<double> Values;  // lags 1..L at 0..L-1; NaN draws no bar
  double Band = 0.0;           // the band's half-width
};

inline constexpr int kBarColor = 1;          // navy
inline constexpr int kResidualBandColor = 9; // light blue
inline constexpr int kQuartileLineColor = 4; // red

// Lags from 0.5 to L + 0.5; values from below the smallest of the bars and
// -band to above the largest of the bars and the band, with a margin of 8%.
PlotFrame CorrelogramFrame(const CorrelogramSeries& series);
Surface DrawCorrelogramPicture(const CorrelogramSeries& series);
// The figure: the same bars and band; the window adds the titles.
Figure DrawCorrelogramFigure(const CorrelogramSeries& series);

// The points of a quantile-quantile plot in increasing order: the standard
// normal quantiles of the plotting positions and the sorted residuals.
struct QuantilePlotSeries {
  std::vector<double> Theoretical;
  std::vector<double> Sample;
};

// The reference line through the points of the first and the third
// quartiles, (-z, q1) and (z, q3) with z = the normal quantile of 0.75 and
// q1, q3 the sample quartiles by linear interpolation between order
// statistics (position 1 + (n - 1) p). None (Exists false) with fewer
// than two points or with equal quartiles.
struct QuartileLine {
  double Intercept = 0.0;
  double Slope = 0.0;
  bool Exists = false;
};
QuartileLine QuartileLineOf(const QuantilePlotSeries& series);

PlotFrame QuantilePlotFrame(const QuantilePlotSeries& series);
Surface DrawQuantilePlotPicture(const QuantilePlotSeries& series);
Figure DrawQuantilePlotFigure(const QuantilePlotSeries& series);

}  // namespace quorvane
