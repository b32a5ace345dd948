#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/ui/figure.h"
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

// One plot: its points in row order, its palette code and style, and for
// the saved figure its variate's name and whether its values are residuals
// that belong centred on 0.
struct XYPlotSeries {
  std::vector<double> X;
  std::vector<double> Y;
  int Color = 0;
  XYPlotStyle Style;
  std::string Name;
  bool CentredOnZero = false;
};

// The ends of the axes the user typed into the window's boxes; an end not
// typed is left to the data.
struct XYPlotLimits {
  std::optional<double> XMin, XMax, YMin, YMax;
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
  std::string XName;    // the X variate of the latest plot
  XYPlotLimits Limits;  // for the saved figure
};

Surface DrawXYPlotPicture(const XYPlotPicture& picture);

// The axes of the saved figure: the range of the values drawn, with a
// margin of 2% of it across and 4% up and down, except at an end the user
// typed, which is kept (widened only to take in every value). When every
// plot holds residuals, the Y axis is centred on 0.
PlotFrame XYFigureFrame(const XYPlotPicture& picture);

// The saved figure: the plots on the axes of XYFigureFrame, the X variate
// as the X title, the first plot's variate as the Y title, a legend entry
// per plot with its variate, and `title` as the title line.
Figure DrawXYPlotFigure(const XYPlotPicture& picture, const std::string& title);

}  // namespace quorvane
