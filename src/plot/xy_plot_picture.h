#pragma once

#include <vector>

#include "base/ui/surface.h"
#include "plot/plot_frame.h"

namespace quorvane {

// How one plot of the XY plot window draws its points.
struct XYPlotStyle {
  bool Points = false;
  bool Lines = false;         // "Lines <>": all points in row order
  bool LinesLeftToRight = false;  // "Lines >": each point to the next one if it lies to the right
  bool LinesRightToLeft = false;  // "Lines <": each point to the next one if it lies to the left
  bool DropLines = false;
};

// One plot: its points in row order, its palette code and style.
struct XYPlotSeries {
  std::vector<double> X;
  std::vector<double> Y;
  int Color = 0;
  XYPlotStyle Style;
};

// Everything the XY plot surface shows. Plots accumulate, and the whole
// picture is drawn again on the ranges of the latest plot, so every plot
// keeps to the axes that are labelled.
struct XYPlotPicture {
  PlotFrame Frame{{-1.0, 1.0}, {-1.0, 1.0}};
  bool XIsColumn = false;  // X is another column: a zero line may be drawn at X = 0
  std::vector<XYPlotSeries> Plots;
  bool Grid10 = false;  // the dotted 10x10 grid is shown
  bool Grid8 = false;   // the dotted 8x8 grid is shown
};

Surface DrawXYPlotPicture(const XYPlotPicture& picture);

}  // namespace quorvane
