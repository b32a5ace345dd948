#pragma once

#include <string>
#include <vector>

#include "base/ui/figure.h"
#include "base/calendar/period_calendar.h"
#include "base/ui/surface.h"
#include "base/ui/surface_view.h"
#include "plot/plot_range.h"

namespace quorvane {

// Round-numbered ticks along one axis: steps of 1, 2 or 5 times a power of
// ten, every tick inside the range.
struct AxisTicks {
  std::vector<double> Values;
  std::vector<std::string> Labels;
};
AxisTicks RoundTicks(PlotRange range, int mostTicks);

// The geometry every plot picture shares: a canvas of kCanvasWidth x
// kCanvasHeight units (the size of a saved picture) with the plot area inside
// margins that hold the tick labels. Texts take about kTextWidth units per
// character and kSurfaceTextPixels in height.
struct PlotFrame {
  static constexpr double kCanvasWidth = 800.0;
  static constexpr double kCanvasHeight = 600.0;
  static constexpr double kAreaLeft = 76.0;
  static constexpr double kAreaRight = 764.0;
  static constexpr double kAreaTop = 16.0;
  static constexpr double kAreaBottom = 566.0;
  static constexpr double kTextWidth = 7.0;
  static constexpr double kTickLength = 6.0;

  PlotRange X;
  PlotRange Y;
  // Names the X values when they are time periods of dated series: the X
  // axis is then labelled by dates.
  PeriodCalendar XCalendar{};

  double MapX(double x) const;
  double MapY(double y) const;
};

// Where one tick label is drawn on the canvas, for tests that labels keep apart.
struct PlacedLabel {
  double Left, Top, Right, Bottom;
  std::string Text;
};

// The round-numbered ticks of both axes and their labels as placed on the
// canvas, chosen so that no two labels overlap and none leaves the canvas.
struct FrameTicks {
  std::vector<double> XValues;
  std::vector<PlacedLabel> XLabels;  // one per value
  std::vector<double> YValues;
  std::vector<PlacedLabel> YLabels;
};
FrameTicks PlaceTicks(const PlotFrame& frame);

// A surface with the canvas scale, the plot-area border, the tick marks and
// the tick labels of both axes.
Surface FramedSurface(const PlotFrame& frame, std::vector<PlacedLabel>* placed = nullptr);

// A figure whose drawing spans the plot area of the canvas, so the items a
// picture draws through MapX and MapY land on it, with the same ticks and
// tick labels as the framed surface. The exporter sets the frame, the
// ticks and the labels around the drawing itself.
Figure FramedFigure(const PlotFrame& frame);

// A line between plot coordinates, clipped to the plot area; nothing when no
// part of it is inside.
void AddClippedLine(Surface& surface, const PlotFrame& frame, double x1, double y1, double x2,
                    double y2, int color, LineStyle style = LineStyle::Solid);

// The dotted grid of `lines` lines each way over the plot area.
void AddGrid(Surface& surface, int lines);

}  // namespace quorvane
