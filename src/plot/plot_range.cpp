#include "plot/plot_range.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

double RoundToSixDecimals(double value) { return std::floor(value * 1000000.0 + 0.5) / 1000000.0; }

PlotRange WidenedRange(PlotRange start, const std::vector<double>& values) {
  double lo = std::min(start.Min, start.Max);
  double hi = std::max(start.Min, start.Max);
  for (double v : values) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  if (lo == hi) return {-1.0, 1.0};
  PlotRange rounded{RoundToSixDecimals(lo), RoundToSixDecimals(hi)};
  // Rounding may move an end inside the data by less than a millionth; round
  // that end outward instead, so that no point falls off the plot.
  if (rounded.Min > lo) rounded.Min = std::floor(lo * 1000000.0) / 1000000.0;
  if (rounded.Max < hi) rounded.Max = std::ceil(hi * 1000000.0) / 1000000.0;
  if (rounded.Min >= rounded.Max) return {lo, hi};
  return rounded;
}

double RowToX(int row, int firstRow, int lastRow, double xLabelMin, double xLabelMax) {
  const int last = lastRow == firstRow ? firstRow + 1 : lastRow;
  return xLabelMin + (xLabelMax - xLabelMin) * static_cast<double>(row - firstRow) /
                         static_cast<double>(last - firstRow);
}

bool SpansZero(PlotRange range) { return range.Min < 0.0 && range.Max > 0.0; }

}  // namespace quorvane
