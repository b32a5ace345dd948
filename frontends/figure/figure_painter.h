#pragma once

#include "base/ui/figure.h"
#include "figure/figure_canvas.h"

namespace quorvane::figure {

// Lays the figure out on a page of width x height points and draws it: the
// title lines at the top, the legend below them, the plot area with its
// frame, tick marks and tick labels, the axis titles and the caption at the
// bottom. Texts too long for their room are broken into lines (titles into
// at most two, set smaller first when that lets them fit). Tick labels
// that would run into each other are thinned to every second, third...
// tick. A figure that is not framed is its drawing over the whole page.
void PaintFigure(const Figure& figure, FigureCanvas& canvas, double width, double height);

}  // namespace quorvane::figure
