#pragma once

#include <string>
#include <vector>

#include "base/ui/surface.h"

namespace quorvane {

// A plot as it is saved for a paper: the drawing inside the axes and what
// identifies it, which the plot windows show in labels beside their surface
// (the page title, the variate names, the statistics). The plot logic fills
// it; the figure exporter lays it out at the size the user chose, with the
// tick labels, the axis titles, the legend, the title and the caption set
// in real fonts around the drawing.

// One axis: its title and its tick marks. Tick positions are in the
// coordinates of the figure's drawing, so the exporter places them by the
// same mapping as the drawing's items.
struct FigureAxis {
  std::string Title;
  std::vector<double> Ticks;
  std::vector<std::string> TickLabels;  // one per tick
};

// How the legend shows a series: the way it is drawn.
enum class LegendMark { Line, Points, LineAndPoints, Box };

struct LegendEntry {
  std::string Text;
  int Color = 0;  // palette code
  LegendMark Mark = LegendMark::Line;
  LineStyle Style = LineStyle::Solid;  // Line, LineAndPoints
  bool FilledPoints = true;            // Points, LineAndPoints
};

struct Figure {
  // False for a surface saved as it is: the drawing fills the page and
  // nothing is set around it.
  bool Framed = false;
  // The plot area. Its scale (left, top, right, bottom) spans the axes.
  Surface Drawing;
  FigureAxis X;
  FigureAxis Y;
  std::string Title;          // a title line above the plot; may be empty
  std::string LegendHeading;  // leads the legend's entries ("SE's"); may be empty
  std::vector<LegendEntry> Legend;
  std::string Caption;  // a line of statistics below the plot; may be empty
};

// The figure a surface with no figure of its own saves: its drawing alone.
Figure BareFigure(const Surface& surface);

}  // namespace quorvane
