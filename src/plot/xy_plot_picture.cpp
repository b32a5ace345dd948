#include "plot/xy_plot_picture.h"

namespace quorvane {
namespace {

constexpr double kPointRadius = 3.0;
constexpr int kZeroLineColor = 8;

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

}  // namespace

Surface DrawXYPlotPicture(const XYPlotPicture& picture) {
  const PlotFrame& f = picture.Frame;
  Surface s = FramedSurface(f);
  if (picture.Grid10) AddGrid(s, 9);
  if (picture.Grid8) AddGrid(s, 7);
  if (!picture.Plots.empty()) {
    if (SpansZero(f.Y)) AddClippedLine(s, f, f.X.Min, 0.0, f.X.Max, 0.0, kZeroLineColor, LineStyle::Dashed);
    if (picture.XIsColumn && SpansZero(f.X))
      AddClippedLine(s, f, 0.0, f.Y.Min, 0.0, f.Y.Max, kZeroLineColor, LineStyle::Dashed);
  }
  for (const XYPlotSeries& p : picture.Plots) DrawSeries(s, f, p);
  return s;
}

}  // namespace quorvane
