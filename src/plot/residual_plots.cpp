#include "plot/residual_plots.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr double kPointRadius = 2.5;
constexpr int kZeroColor = 0;
// The 0.75 quantile of the standard normal distribution.
constexpr double kNormalQuartile = 0.6744897501960817;

PlotRange WithMargin(double lo, double hi, double margin) {
  if (!(lo < hi)) return {lo - 1.0, hi + 1.0};
  const double span = hi - lo;
  return {lo - margin * span, hi + margin * span};
}

void DrawCorrelogram(Surface& surface, const CorrelogramSeries& s, const PlotFrame& f) {
  AddClippedLine(surface, f, f.X.Min, 0.0, f.X.Max, 0.0, kZeroColor);
  for (size_t i = 0; i < s.Values.size(); ++i) {
    const double r = s.Values[i];
    if (!std::isfinite(r)) continue;
    const double lag = static_cast<double>(i + 1);
    surface.AddRectangle(f.MapX(lag - 0.15), f.MapY(std::max(r, 0.0)), f.MapX(lag + 0.15),
                         f.MapY(std::min(r, 0.0)), kBarColor, true);
  }
  if (s.Band > 0.0) {
    AddClippedLine(surface, f, f.X.Min, s.Band, f.X.Max, s.Band, kResidualBandColor, LineStyle::Dashed);
    AddClippedLine(surface, f, f.X.Min, -s.Band, f.X.Max, -s.Band, kResidualBandColor, LineStyle::Dashed);
  }
}

void DrawQuantilePlot(Surface& surface, const QuantilePlotSeries& s, const PlotFrame& f) {
  const QuartileLine line = QuartileLineOf(s);
  if (line.Exists)
    AddClippedLine(surface, f, f.X.Min, line.Intercept + line.Slope * f.X.Min, f.X.Max,
                   line.Intercept + line.Slope * f.X.Max, kQuartileLineColor);
  for (size_t i = 0; i < s.Sample.size() && i < s.Theoretical.size(); ++i)
    surface.AddCircle(f.MapX(s.Theoretical[i]), f.MapY(s.Sample[i]), kPointRadius, kBarColor, false);
}

// The sample quantile of sorted values at probability p, by linear
// interpolation between the order statistics at position 1 + (n - 1) p.
double SortedQuantile(const std::vector<double>& sorted, double p) {
  const double position = p * static_cast<double>(sorted.size() - 1);
  const auto below = static_cast<size_t>(std::floor(position));
  const double fraction = position - static_cast<double>(below);
  if (below + 1 >= sorted.size()) return sorted.back();
  return sorted[below] + fraction * (sorted[below + 1] - sorted[below]);
}

}  // namespace

PlotFrame CorrelogramFrame(const CorrelogramSeries& s) {
  double lo = -s.Band, hi = s.Band;
  for (double r : s.Values)
    if (std::isfinite(r)) lo = std::min(lo, r), hi = std::max(hi, r);
  PlotFrame frame;
  frame.X = {0.5, static_cast<double>(std::max<size_t>(s.Values.size(), 1)) + 0.5};
  frame.Y = WithMargin(std::min(lo, 0.0), std::max(hi, 0.0), 0.08);
  return frame;
}

Surface DrawCorrelogramPicture(const CorrelogramSeries& s) {
  const PlotFrame f = CorrelogramFrame(s);
  Surface surface = FramedSurface(f);
  DrawCorrelogram(surface, s, f);
  return surface;
}

Figure DrawCorrelogramFigure(const CorrelogramSeries& s) {
  const PlotFrame f = CorrelogramFrame(s);
  Figure figure = FramedFigure(f);
  DrawCorrelogram(figure.Drawing, s, f);
  figure.Legend = {{"Correlation", kBarColor, LegendMark::Box},
                   {"95% band, +-1.96/sqrt(n)", kResidualBandColor, LegendMark::Line, LineStyle::Dashed}};
  return figure;
}

QuartileLine QuartileLineOf(const QuantilePlotSeries& s) {
  QuartileLine line;
  if (s.Sample.size() < 2) return line;
  const double q1 = SortedQuantile(s.Sample, 0.25), q3 = SortedQuantile(s.Sample, 0.75);
  if (!(q3 > q1)) return line;
  line.Slope = (q3 - q1) / (2.0 * kNormalQuartile);
  line.Intercept = (q1 + q3) / 2.0;
  line.Exists = true;
  return line;
}

PlotFrame QuantilePlotFrame(const QuantilePlotSeries& s) {
  PlotFrame frame;
  if (s.Sample.empty()) {
    frame.X = {-1.0, 1.0};
    frame.Y = {-1.0, 1.0};
    return frame;
  }
  frame.X = WithMargin(s.Theoretical.front(), s.Theoretical.back(), 0.05);
  frame.Y = WithMargin(s.Sample.front(), s.Sample.back(), 0.05);
  return frame;
}

Surface DrawQuantilePlotPicture(const QuantilePlotSeries& s) {
  const PlotFrame f = QuantilePlotFrame(s);
  Surface surface = FramedSurface(f);
  DrawQuantilePlot(surface, s, f);
  return surface;
}

Figure DrawQuantilePlotFigure(const QuantilePlotSeries& s) {
  const PlotFrame f = QuantilePlotFrame(s);
  Figure figure = FramedFigure(f);
  DrawQuantilePlot(figure.Drawing, s, f);
  figure.Legend = {{"Residuals", kBarColor, LegendMark::Points, LineStyle::Solid, false},
                   {"Line through the quartiles", kQuartileLineColor, LegendMark::Line}};
  return figure;
}

}  // namespace quorvane
