#pragma once

#include <optional>
#include <vector>

#include "base/ui/figure.h"
#include "base/ui/surface.h"
#include "plot/plot_frame.h"

namespace quorvane {

// The two-parameter density grid of a posterior, as the bivariate plot draws it.
struct BivariatePlotInput {
  std::vector<std::vector<double>> Density;  // [i][j]: X point i, Y point j
  std::vector<double> X;                     // n grid values of the first parameter, ascending
  std::vector<double> Y;                     // m grid values of the second parameter, ascending
  double PeakDensity = 0.0;
  double PeakX = 0.0;
  double PeakY = 0.0;
  int ParameterX = 1;  // the parameter numbers
  int ParameterY = 2;
};

// The band of a cell by r = density / peak density: the first k of 3.0,
// 2.5, ..., 0.0 with exp(-k^2/2) > r gives band index round(6 - 2k); none
// and r = 1 gives the peak (7); none otherwise no band.
struct DensityBand {
  int Index = -1;  // 0..7, -1 for none
  int Color = 0;   // palette code
};
DensityBand DensityBandOf(double ratio);

// The palette code of band index 0..7 (index 0, beyond 3 SE, is white).
int BandColor(int index);

// The correlation of X and Y over all cells weighted by density,
// r = (Sxy - Sx Sy/S) / sqrt((Sxx - Sx^2/S)(Syy - Sy^2/S)); none when S = 0
// or the product under the root is not above 0.
std::optional<double> WeightedCorrelation(const BivariatePlotInput& input);

// The plotted span: from the first grid value less half a spacing to the
// last plus half a spacing, each way.
PlotFrame BivariateFrame(const BivariatePlotInput& input);

// The cells, the dashed lines at 0 and 1 inside the span, and the axes.
// `linesDrawn` tells whether any dashed line was drawn.
Surface DrawBivariatePicture(const BivariatePlotInput& input, bool* linesDrawn = nullptr);

// The saved figure: the cells and lines on the same axes, the two
// parameters' values as the axis titles and the colour key of the legend
// as its legend, headed "SE's". The window adds the title and the caption.
Figure DrawBivariateFigure(const BivariatePlotInput& input);

// The legend: seven colour bars, top to bottom in the colours of band
// indexes 7 down to 1, each with its label.
Surface DrawBivariateLegend();

}  // namespace quorvane
