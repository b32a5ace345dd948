#pragma once

#include <vector>

namespace quorvane {

// The ends of one plot axis.
struct PlotRange {
  double Min = 0.0;
  double Max = 0.0;
  bool operator==(const PlotRange&) const = default;
};

// A range end as the boxes and labels show it: floor(v x 1000000 + 0.5) / 1000000.
double RoundToSixDecimals(double value);

// The range starting from `start` and widened to include every value; a
// range whose ends are then equal becomes -1 .. 1. Both ends are rounded to
// six decimals, the lower one never above the smallest value and the upper
// one never below the largest, so every value stays on the plot.
PlotRange WidenedRange(PlotRange start, const std::vector<double>& values);

// The X value that row t of FirstRow..LastRow stands for on a row-number axis:
// XLabelMin + (XLabelMax - XLabelMin)(t - FirstRow)/(LastRow - FirstRow), with
// LastRow taken as FirstRow + 1 when the two are equal.
double RowToX(int row, int firstRow, int lastRow, double xLabelMin, double xLabelMax);

// True when 0 lies strictly inside the range, so a zero line is worth drawing.
bool SpansZero(PlotRange range);

}  // namespace quorvane
