#include "plot/plot_frame.h"

#include <algorithm>
#include <cmath>

#include "base/format/plain_number_text.h"
#include "base/ui/surface_view.h"
#include "plot/calendar_ticks.h"

namespace quorvane {
namespace {

constexpr int kFrameColor = 0;
constexpr int kLabelColor = 0;

// The smallest step of 1, 2 or 5 times a power of ten that covers the span
// in at most `mostTicks` steps.
double RoundStep(double span, int mostTicks) {
  const double raw = span / std::max(1, mostTicks);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= raw * (1.0 - 1e-12)) return m * power;
  return 10.0 * power;
}

std::string TickText(double value, double step) {
  // Rounded to the step's decimals, so 0.30000000000000004 reads 0.3.
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (std::fabs(rounded) < step * 1e-9) rounded = 0.0;
  return PlainNumberText(rounded);
}

double TextWidth(const std::string& text) {
  return PlotFrame::kTextWidth * static_cast<double>(text.size());
}

}  // namespace

AxisTicks RoundTicks(PlotRange range, int mostTicks) {
  AxisTicks ticks;
  const double span = range.Max - range.Min;
  if (!(span > 0.0) || !std::isfinite(span)) return ticks;
  const double step = RoundStep(span, mostTicks);
  const double first = std::ceil(range.Min / step - 1e-9);
  for (double k = first;; k += 1.0) {
    const double v = k * step;
    if (v > range.Max + step * 1e-9 || ticks.Values.size() > 100) break;
    ticks.Values.push_back(v);
    ticks.Labels.push_back(TickText(v, step));
  }
  return ticks;
}

double PlotFrame::MapX(double x) const {
  return kAreaLeft + (x - X.Min) / (X.Max - X.Min) * (kAreaRight - kAreaLeft);
}

double PlotFrame::MapY(double y) const {
  return kAreaBottom - (y - Y.Min) / (Y.Max - Y.Min) * (kAreaBottom - kAreaTop);
}

FrameTicks PlaceTicks(const PlotFrame& frame) {
  FrameTicks placed;

  // X axis: fewer ticks until the labels, with a gap of two characters, fit.
  for (int most = 10; most >= 1; --most) {
    const AxisTicks ticks = XAxisTicks(frame, most);
    std::vector<PlacedLabel> row;
    bool fits = true;
    for (size_t i = 0; i < ticks.Values.size(); ++i) {
      const double px = frame.MapX(ticks.Values[i]);
      const double w = TextWidth(ticks.Labels[i]);
      double left = px - w / 2.0;
      left = std::clamp(left, 0.0, PlotFrame::kCanvasWidth - w);
      PlacedLabel label{left, PlotFrame::kAreaBottom + PlotFrame::kTickLength + 2.0, left + w,
                        PlotFrame::kAreaBottom + PlotFrame::kTickLength + 2.0 + kSurfaceTextPixels,
                        ticks.Labels[i]};
      if (!row.empty() && label.Left < row.back().Right + 2.0 * PlotFrame::kTextWidth) fits = false;
      row.push_back(label);
    }
    if (!fits && most > 1) continue;
    placed.XValues = ticks.Values;
    placed.XLabels = std::move(row);
    break;
  }

  // Y axis: labels right-aligned left of the area; at least one text line apart.
  for (int most = 10; most >= 1; --most) {
    const AxisTicks ticks = RoundTicks(frame.Y, most);
    std::vector<PlacedLabel> column;
    bool fits = true;
    for (size_t i = 0; i < ticks.Values.size(); ++i) {
      const double py = frame.MapY(ticks.Values[i]);
      const double w = TextWidth(ticks.Labels[i]);
      const double right = PlotFrame::kAreaLeft - PlotFrame::kTickLength - 3.0;
      double top = py - kSurfaceTextPixels / 2.0;
      top = std::clamp(top, 0.0, PlotFrame::kCanvasHeight - kSurfaceTextPixels);
      PlacedLabel label{std::max(0.0, right - w), top, right, top + kSurfaceTextPixels,
                        ticks.Labels[i]};
      if (w > right) fits = false;
      if (!column.empty() && label.Bottom + 4.0 > column.back().Top) fits = false;
      column.push_back(label);
    }
    if (!fits && most > 1) continue;
    placed.YValues = ticks.Values;
    placed.YLabels = std::move(column);
    break;
  }
  return placed;
}

Surface FramedSurface(const PlotFrame& frame, std::vector<PlacedLabel>* placed) {
  Surface s;
  s.SetScale(0.0, 0.0, PlotFrame::kCanvasWidth, PlotFrame::kCanvasHeight);
  s.SetBackground(15);
  s.AddRectangle(PlotFrame::kAreaLeft, PlotFrame::kAreaTop, PlotFrame::kAreaRight,
                 PlotFrame::kAreaBottom, kFrameColor, false);
  const FrameTicks ticks = PlaceTicks(frame);
  for (size_t i = 0; i < ticks.XValues.size(); ++i) {
    const double px = frame.MapX(ticks.XValues[i]);
    s.AddLine(px, PlotFrame::kAreaBottom, px, PlotFrame::kAreaBottom + PlotFrame::kTickLength,
              kFrameColor);
    s.AddText(ticks.XLabels[i].Left, ticks.XLabels[i].Top, ticks.XLabels[i].Text, kLabelColor,
              TextAlign::Left);
  }
  for (size_t i = 0; i < ticks.YValues.size(); ++i) {
    const double py = frame.MapY(ticks.YValues[i]);
    s.AddLine(PlotFrame::kAreaLeft - PlotFrame::kTickLength, py, PlotFrame::kAreaLeft, py,
              kFrameColor);
    s.AddText(ticks.YLabels[i].Right, ticks.YLabels[i].Top, ticks.YLabels[i].Text, kLabelColor,
              TextAlign::Right);
  }
  if (placed) {
    placed->assign(ticks.XLabels.begin(), ticks.XLabels.end());
    placed->insert(placed->end(), ticks.YLabels.begin(), ticks.YLabels.end());
  }
  return s;
}

Figure FramedFigure(const PlotFrame& frame) {
  Figure figure;
  figure.Framed = true;
  figure.Drawing.SetScale(PlotFrame::kAreaLeft, PlotFrame::kAreaTop, PlotFrame::kAreaRight,
                          PlotFrame::kAreaBottom);
  figure.Drawing.SetBackground(15);
  const FrameTicks ticks = PlaceTicks(frame);
  for (size_t i = 0; i < ticks.XValues.size(); ++i) {
    figure.X.Ticks.push_back(frame.MapX(ticks.XValues[i]));
    figure.X.TickLabels.push_back(ticks.XLabels[i].Text);
  }
  for (size_t i = 0; i < ticks.YValues.size(); ++i) {
    figure.Y.Ticks.push_back(frame.MapY(ticks.YValues[i]));
    figure.Y.TickLabels.push_back(ticks.YLabels[i].Text);
  }
  return figure;
}

void AddClippedLine(Surface& surface, const PlotFrame& frame, double x1, double y1, double x2,
                    double y2, int color, LineStyle style) {
  double ax = frame.MapX(x1), ay = frame.MapY(y1), bx = frame.MapX(x2), by = frame.MapY(y2);
  if (!ClipSegment(ax, ay, bx, by, PlotFrame::kAreaLeft, PlotFrame::kAreaTop, PlotFrame::kAreaRight,
                   PlotFrame::kAreaBottom))
    return;
  surface.AddLine(ax, ay, bx, by, color, style);
}

void AddGrid(Surface& surface, int lines) {
  const double w = PlotFrame::kAreaRight - PlotFrame::kAreaLeft;
  const double h = PlotFrame::kAreaBottom - PlotFrame::kAreaTop;
  for (int i = 1; i <= lines; ++i) {
    const double f = static_cast<double>(i) / (lines + 1);
    surface.AddLine(PlotFrame::kAreaLeft + f * w, PlotFrame::kAreaTop, PlotFrame::kAreaLeft + f * w,
                    PlotFrame::kAreaBottom, 8, LineStyle::Dotted);
    surface.AddLine(PlotFrame::kAreaLeft, PlotFrame::kAreaTop + f * h, PlotFrame::kAreaRight,
                    PlotFrame::kAreaTop + f * h, 8, LineStyle::Dotted);
  }
}

}  // namespace quorvane
