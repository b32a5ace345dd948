#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/ui/figure.h"
#include "base/ui/surface.h"
#include "plot/plot_frame.h"

namespace quorvane {

// The palette code of distribution series s = 1..7: by s mod 7 through the
// codes 4, 2, 3, 5, 12, 13, 14.
int DistributionSeriesColor(int series);

// The Y range of a distribution series: from 0 to its largest value, or
// from its smallest value to 0, so 0 is always on the plot; a series of
// zeros gets -1 .. 1.
PlotRange DistributionYRange(const std::vector<double>& values);

// The notes and lines a distribution plot adds at X = 0 and X = 1 when the
// parameter values run across them.
struct ReferenceLines {
  bool AtZero = false;
  bool AtOne = false;
  std::string Note;  // lblVerticalLine
};
ReferenceLines DistributionReferenceLines(double firstX, double lastX);

// "Values for parameter #" and the number with a leading blank when not negative.
std::string ParameterValuesTitle(int parameterNumber);

// One series drawn on the distribution plot.
struct DistributionPlotSeries {
  int Series = 1;  // 1..7
  std::vector<double> Y;
  bool Lines = false;
  bool Points = false;
  bool DropLines = false;
};

// What the distribution plot surface shows: the parameter values, the
// accumulated plots and the axes they share (the union of their ranges).
struct DistributionPicture {
  std::vector<double> X;
  PlotFrame Frame{{0.0, 1.0}, {-1.0, 1.0}};
  std::vector<DistributionPlotSeries> Plots;
};

Surface DrawDistributionPicture(const DistributionPicture& picture);

// The saved figure of the picture: the plots on the same axes (with 4% of
// the Y range to spare beyond the end away from 0), the first
// plot's series as the Y title and a legend entry per plot, each named by
// `seriesNames` (indexed by the series number 1..7). The window adds the
// title, the X title and the caption.
Figure DrawDistributionFigure(const DistributionPicture& picture,
                              const std::vector<std::string>& seriesNames);

}  // namespace quorvane
