#include "plot/xy_plot_picture.h"

#include <algorithm>
#include <cmath>

namespace quorvane {
namespace {

constexpr double kPointRadius = 3.0;
constexpr int kZeroLineColor = 8;
constexpr double kMarginAcross = 0.02;
constexpr double kMarginUpDown = 0.04;

void DrawSeries(Surface& s, const PlotFrame& f, const XYPlotSeries& p) {
  const size_t n = std::min(p.X.size(), p.Y.size());
  if (p.Style.Lines && n > 1) {
    std::vector<SurfacePoint> line;
    for (size_t i = 0; i < n; ++i) line.push_back({f.MapX(p.X[i]), f.MapY(p.Y[i])});
    s.AddPolyline(std::move(line), p.Color);
  }
  for (size_t i = 0; i + 1 < n; ++i) {
    const bool right = p.X[i + 1] > p.X[i];
    const bool left = p.X[i + 1] < p.X[i];
    if ((p.Style.LinesLeftToRight && right) || (p.Style.LinesRightToLeft && left))
      AddClippedLine(s, f, p.X[i], p.Y[i], p.X[i + 1], p.Y[i + 1], p.Color);
  }
  for (size_t i = 0; i < n; ++i) {
    if (p.Style.DropLines) {
      AddClippedLine(s, f, p.X[i], p.Y[i], p.X[i], f.Y.Min, p.Color);
      s.AddCircle(f.MapX(p.X[i]), f.MapY(p.Y[i]), kPointRadius, p.Color, true);
    } else if (p.Style.Points) {
      s.AddCircle(f.MapX(p.X[i]), f.MapY(p.Y[i]), kPointRadius, p.Color, false);
    }
  }
}

// The grids, the zero lines and the plots, on the frame of the picture.
void DrawPlots(Surface& s, const XYPlotPicture& picture) {
  const PlotFrame& f = picture.Frame;
  if (picture.Grid10) AddGrid(s, 9);
  if (picture.Grid8) AddGrid(s, 7);
  if (!picture.Plots.empty()) {
    if (SpansZero(f.Y)) AddClippedLine(s, f, f.X.Min, 0.0, f.X.Max, 0.0, kZeroLineColor, LineStyle::Dashed);
    if (picture.XIsColumn && SpansZero(f.X))
      AddClippedLine(s, f, 0.0, f.Y.Min, 0.0, f.Y.Max, kZeroLineColor, LineStyle::Dashed);
  }
  for (const XYPlotSeries& p : picture.Plots) DrawSeries(s, f, p);
}

// One axis of the figure from the values drawn along it.
PlotRange FigureRange(double lo, double hi, double margin, bool centred, std::optional<double> typedMin,
                      std::optional<double> typedMax) {
  if (!(lo <= hi)) return {-1.0, 1.0};  // nothing drawn
  if (centred) {
    const double m = std::max(std::fabs(lo), std::fabs(hi));
    lo = -m;
    hi = m;
  }
  const double span = hi - lo;
  PlotRange range{lo - margin * span, hi + margin * span};
  if (typedMin && std::isfinite(*typedMin)) range.Min = std::min(*typedMin, lo);
  if (typedMax && std::isfinite(*typedMax)) range.Max = std::max(*typedMax, hi);
  if (!(range.Min < range.Max)) range = {lo - 1.0, hi + 1.0};
  return range;
}

LegendEntry LegendFor(const XYPlotSeries& p) {
  LegendEntry entry;
  entry.Text = p.Name;
  entry.Color = p.Color;
  const bool lines = p.Style.Lines || p.Style.LinesLeftToRight || p.Style.LinesRightToLeft;
  if (p.Style.DropLines) {
    entry.Mark = LegendMark::Points;
  } else if (p.Style.Points) {
    entry.Mark = lines ? LegendMark::LineAndPoints : LegendMark::Points;
    entry.FilledPoints = false;
  } else {
    entry.Mark = LegendMark::Line;
  }
  return entry;
}

}  // namespace

Surface DrawXYPlotPicture(const XYPlotPicture& picture) {
  Surface s = FramedSurface(picture.Frame);
  DrawPlots(s, picture);
  return s;
}

PlotFrame XYFigureFrame(const XYPlotPicture& picture) {
  double xlo = INFINITY, xhi = -INFINITY, ylo = INFINITY, yhi = -INFINITY;
  bool centred = !picture.Plots.empty();
  for (const XYPlotSeries& p : picture.Plots) {
    for (double x : p.X)
      if (std::isfinite(x)) xlo = std::min(xlo, x), xhi = std::max(xhi, x);
    for (double y : p.Y)
      if (std::isfinite(y)) ylo = std::min(ylo, y), yhi = std::max(yhi, y);
    centred = centred && p.CentredOnZero;
  }
  const XYPlotLimits& typed = picture.Limits;
  return {FigureRange(xlo, xhi, kMarginAcross, false, typed.XMin, typed.XMax),
          FigureRange(ylo, yhi, kMarginUpDown, centred, typed.YMin, typed.YMax)};
}

Figure DrawXYPlotFigure(const XYPlotPicture& picture, const std::string& title) {
  XYPlotPicture onFigure = picture;
  onFigure.Frame = XYFigureFrame(picture);
  Figure figure = FramedFigure(onFigure.Frame);
  DrawPlots(figure.Drawing, onFigure);
  figure.Title = title;
  figure.X.Title = picture.XName;
  if (!picture.Plots.empty()) figure.Y.Title = picture.Plots.front().Name;
  for (const XYPlotSeries& p : picture.Plots) figure.Legend.push_back(LegendFor(p));
  return figure;
}

}  // namespace quorvane
