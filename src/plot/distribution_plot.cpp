#include "plot/distribution_plot.h"

#include <algorithm>

#include "base/format/plain_number_text.h"

namespace quorvane {
namespace {
constexpr int kReferenceColor = 8;
constexpr double kPointRadius = 3.0;
}  // namespace

int DistributionSeriesColor(int series) {
  static constexpr std::array<int, 7> kCodes{4, 2, 3, 5, 12, 13, 14};
  const int index = ((series % 7) + 7) % 7;
  return kCodes[static_cast<size_t>(index)];
}

PlotRange DistributionYRange(const std::vector<double>& values) {
  double lo = 0.0, hi = 0.0;
  for (double v : values) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  if (lo == hi) return {-1.0, 1.0};
  return {lo, hi};
}

ReferenceLines DistributionReferenceLines(double firstX, double lastX) {
  ReferenceLines lines;
  lines.AtZero = firstX < 0.0 && 0.0 < lastX;
  lines.AtOne = firstX < 1.0 && 1.0 < lastX;
  if (lines.AtZero && lines.AtOne)
    lines.Note = "Left vertical line locates 0\r\nRight vertical line locates 1";
  else if (lines.AtZero)
    lines.Note = "Note: Vertical line locates 0";
  else if (lines.AtOne)
    lines.Note = "Note: Vertical line locates 1";
  return lines;
}

std::string ParameterValuesTitle(int parameterNumber) {
  return "Values for parameter #" + std::string(parameterNumber >= 0 ? " " : "") +
         PlainNumberText(parameterNumber);
}

namespace {

// The reference lines and the plots, on the frame of the picture.
void DrawPlots(Surface& s, const DistributionPicture& picture) {
  const PlotFrame& f = picture.Frame;
  if (picture.Plots.empty() || picture.X.size() < 2) return;
  const ReferenceLines ref = DistributionReferenceLines(picture.X.front(), picture.X.back());
  if (ref.AtZero) AddClippedLine(s, f, 0.0, f.Y.Min, 0.0, f.Y.Max, kReferenceColor, LineStyle::Dashed);
  if (ref.AtOne) AddClippedLine(s, f, 1.0, f.Y.Min, 1.0, f.Y.Max, kReferenceColor, LineStyle::Dashed);
  bool ciLine = false;
  for (const DistributionPlotSeries& p : picture.Plots)
    if (p.Series >= 3 && p.Series <= 6) ciLine = true;
  if (ciLine && f.Y.Min <= 0.95 && 0.95 <= f.Y.Max)
    AddClippedLine(s, f, f.X.Min, 0.95, f.X.Max, 0.95, kReferenceColor, LineStyle::Dashed);
  for (const DistributionPlotSeries& p : picture.Plots) {
    const int color = DistributionSeriesColor(p.Series);
    const size_t n = std::min(p.Y.size(), picture.X.size());
    if (p.Lines) {
      std::vector<SurfacePoint> line;
      for (size_t i = 0; i < n; ++i) line.push_back({f.MapX(picture.X[i]), f.MapY(p.Y[i])});
      s.AddPolyline(std::move(line), color);
    }
    for (size_t i = 0; i < n; ++i) {
      if (p.DropLines) AddClippedLine(s, f, picture.X[i], p.Y[i], picture.X[i], f.Y.Min, color);
      if (p.Points || p.DropLines)
        s.AddCircle(f.MapX(picture.X[i]), f.MapY(p.Y[i]), kPointRadius, color, true);
    }
  }
}

}  // namespace

Surface DrawDistributionPicture(const DistributionPicture& picture) {
  Surface s = FramedSurface(picture.Frame);
  DrawPlots(s, picture);
  return s;
}

Figure DrawDistributionFigure(const DistributionPicture& picture,
                              const std::vector<std::string>& seriesNames) {
  // The window's axes, with 4% of the Y range to spare beyond the end the
  // values reach (not at 0), so the peak's marker is not cut by the frame.
  DistributionPicture onFigure = picture;
  PlotRange& y = onFigure.Frame.Y;
  const double spare = 0.04 * (y.Max - y.Min);
  if (y.Max > 0.0) y.Max += spare;
  if (y.Min < 0.0) y.Min -= spare;
  Figure figure = FramedFigure(onFigure.Frame);
  DrawPlots(figure.Drawing, onFigure);
  const auto name = [&](int series) {
    return series >= 0 && static_cast<size_t>(series) < seriesNames.size()
               ? seriesNames[static_cast<size_t>(series)]
               : std::string();
  };
  if (!picture.Plots.empty()) figure.Y.Title = name(picture.Plots.front().Series);
  for (const DistributionPlotSeries& p : picture.Plots) {
    LegendEntry entry;
    entry.Text = name(p.Series);
    entry.Color = DistributionSeriesColor(p.Series);
    entry.Mark = p.Lines && (p.Points || p.DropLines) ? LegendMark::LineAndPoints
                 : p.Lines                            ? LegendMark::Line
                                                      : LegendMark::Points;
    figure.Legend.push_back(entry);
  }
  return figure;
}

}  // namespace quorvane
